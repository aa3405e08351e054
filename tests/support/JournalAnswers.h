#pragma once

#include "journal/JournalRecorder.h"
#include "journal/ReadOnlyJournal.h"

#include <chrono>
#include <cstdint>
#include <filesystem>

// The answers a journal or a copy of one holds; -1 for a file that is none, or is not there.
inline std::int64_t CountAnswers(const std::filesystem::path& journal,
                                 JournalOrigin origin = JournalOrigin::Copy) {
    std::int64_t answers = -1;
    if (!std::filesystem::exists(journal)) {
        return answers;
    }
    ReadJournalReadOnly(
        journal,
        [&answers](const SqliteConnection& reader) {
            answers = reader.QueryInteger("SELECT count(*) FROM answers");
        },
        origin);
    return answers;
}

// Adds a round of that many wrong answers to the journal, creating it if need be.
inline void RecordWrongAnswers(const std::filesystem::path& journal, int answers) {
    using namespace std::chrono;
    JournalRecorder recorder(journal, [] { return WallTime(sys_days(2026y / December / 8)); });
    recorder.RoundStarted({10, true, 5, {8}});
    for (int answer = 0; answer < answers; ++answer) {
        recorder.Answered({7, 8, "54", AnswerOutcome::Wrong, 1200});
    }
}
