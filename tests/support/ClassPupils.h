#pragma once

#include "journal/UtcTime.h"
#include "lernstand/ClassFolder.h"
#include "tests/support/Answers.h"

#include <chrono>
#include <string>
#include <vector>

inline const WallTime kClassMorning = *ParseJournalTime("2026-12-08T09:15:02.347Z");

// The file "<file>.sqlite" of a child whose facts stand as the words say: "7x8:f" wrong,
// "3x4:r900 r900 r900" sure, answered hours after the morning; a file not read holds nothing.
inline PupilJournal Pupil(const std::string& file, const std::string& name,
                          const std::vector<std::string>& facts,
                          JournalReading::Found found = JournalReading::Found::Answers,
                          int hours = 0) {
    using namespace std::chrono;
    PupilJournal pupil;
    pupil.file = "/media/STICK/" + file + ".sqlite";
    const bool read = found == JournalReading::Found::Answers;
    pupil.name = read ? name : file;
    pupil.reading = {found, read ? "" : "Grund"};
    if (!read) {
        return pupil;
    }
    std::vector<RecordedAnswer> answers;
    for (const std::string& fact : facts) {
        const int multiplier = std::stoi(fact.substr(0, fact.find('x')));
        const int row = std::stoi(fact.substr(fact.find('x') + 1));
        const auto newestFirst = FactAnswers(fact.substr(fact.find(':') + 1));
        for (auto answer = newestFirst.rbegin(); answer != newestFirst.rend(); ++answer) {
            answers.push_back(Recorded(multiplier, row, *answer, kClassMorning + hours * 1h));
        }
    }
    pupil.summary = Overview(answers, kClassMorning + 24h).summary;
    pupil.lastAnswer = answers.empty() ? WallTime{} : kClassMorning + hours * 1h;
    pupil.facts = FactTable(answers);
    return pupil;
}
