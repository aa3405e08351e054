#include "lernstand/ClassFolder.h"

#include "facts/LocalCalendar.h"
#include "journal/JournalReader.h"
#include "journal/SqliteCompanions.h"
#include "lernstand/AnswerTable.h"
#include "lernstand/FactTexts.h"
#include "lernstand/WorksheetChoice.h"

#include <algorithm>
#include <map>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace {

using Found = JournalReading::Found;

// Two readers keep both cores busy; more would only wait for the same stick.
constexpr unsigned kMostReaders = 2;

bool IsCompanion(const fs::path& file, const std::set<fs::path>& files) {
    const std::string name = file.string();
    for (const std::string_view suffix : {"-wal", "-shm", "-journal"}) {
        if (name.ends_with(suffix) &&
            files.count(fs::path(name.substr(0, name.size() - suffix.size()))) != 0) {
            return true;
        }
    }
    return false;
}

fs::file_time_type WrittenAt(const fs::path& file) {
    std::error_code error;
    return fs::last_write_time(file, error);
}

} // namespace

bool PupilJournal::Counted() const {
    return reading.found == Found::Answers && !olderCopy;
}

std::vector<fs::path> CandidateFiles(const fs::path& folder) {
    std::set<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::error_code error;
        if (entry.is_regular_file(error) && !entry.path().filename().string().starts_with(".")) {
            files.insert(entry.path());
        }
    }
    std::vector<fs::path> candidates;
    for (const fs::path& file : files) {
        if (!IsCompanion(file, files)) {
            candidates.push_back(file);
        }
    }
    return candidates;
}

PupilJournal ReadPupilJournal(const fs::path& file, WallTime now) {
    PupilJournal pupil;
    pupil.file = file;
    pupil.name = file.stem().string();
    std::vector<RecordedAnswer> answers;
    std::string name;
    try {
        pupil.reading = ReadJournalReadOnly(
            file,
            [&answers, &name](const SqliteConnection& connection) {
                answers = ReadRecordedAnswers(connection);
                name = ReadChildName(connection);
            },
            JournalOrigin::Copy);
    } catch (const std::exception& error) {
        // Out of memory, say, on a file built to look huge: it is listed, the others still read.
        pupil.reading = {Found::Unreadable, error.what()};
        return pupil;
    }
    if (!name.empty()) {
        pupil.name = name;
    }
    pupil.summary = Overview(answers, now).summary;
    for (const RecordedAnswer& answer : answers) {
        pupil.lastAnswer = std::max(pupil.lastAnswer, answer.answeredAt);
    }
    pupil.facts = FactTable(answers);
    return pupil;
}

void MarkOlderCopies(std::vector<PupilJournal>& pupils) {
    std::map<std::string, PupilJournal*> newest;
    for (PupilJournal& pupil : pupils) {
        if (pupil.reading.found != Found::Answers) {
            continue;
        }
        PupilJournal*& kept = newest[pupil.name];
        const auto key = [](const PupilJournal& p) {
            return std::pair(p.lastAnswer, WrittenAt(p.file));
        };
        if (kept == nullptr || key(*kept) < key(pupil)) {
            if (kept != nullptr) {
                kept->olderCopy = true;
            }
            kept = &pupil;
        } else {
            pupil.olderCopy = true;
        }
    }
}

ClassFolder ReadClassFolder(const fs::path& folder, WallTime now,
                            const std::atomic<bool>& cancelled, const ClassProgress& progress) {
    const std::vector<fs::path> files = CandidateFiles(folder);
    std::vector<std::optional<PupilJournal>> read(files.size());
    std::atomic<std::size_t> next = 0;
    std::atomic<std::size_t> done = 0;
    const auto readFiles = [&] {
        for (std::size_t i = next++; i < files.size() && !cancelled; i = next++) {
            read[i] = ReadPupilJournal(files[i], now);
            progress(++done, files.size());
        }
    };
    {
        std::vector<std::jthread> readers;
        const unsigned count = std::clamp(std::thread::hardware_concurrency(), 1U, kMostReaders);
        for (unsigned reader = 1; reader < count; ++reader) {
            readers.emplace_back(readFiles);
        }
        readFiles();
    }
    ClassFolder result;
    result.cancelled = cancelled;
    for (std::optional<PupilJournal>& pupil : read) {
        if (pupil) {
            result.pupils.push_back(std::move(*pupil));
        }
    }
    MarkOlderCopies(result.pupils);
    return result;
}

PupilStates CountStates(const FactTable& facts, std::chrono::milliseconds threshold) {
    PupilStates states;
    ForEachFact([&](Fact fact) {
        const FactState state = facts.State(fact.row, fact.multiplier, threshold);
        states.sure += state == FactState::Sure ? 1 : 0;
        states.practise += state == FactState::Practise ? 1 : 0;
    });
    return states;
}

ClassFacts CountClassFacts(const std::vector<PupilJournal>& pupils,
                           std::chrono::milliseconds threshold) {
    ClassFacts counted;
    for (const PupilJournal& pupil : pupils) {
        if (!pupil.Counted()) {
            continue;
        }
        ++counted.pupils;
        ForEachFact([&](Fact fact) {
            if (pupil.facts.State(fact.row, fact.multiplier, threshold) == FactState::Practise) {
                ++counted.practising.at(FactIndex(fact));
            }
        });
    }
    return counted;
}

std::string ClassFactText(Fact fact, int practising, int pupils) {
    return FactText(fact) + ": " + std::to_string(practising) + " von " + std::to_string(pupils) +
           " üben";
}

std::string PupilNote(const PupilJournal& pupil) {
    switch (pupil.reading.found) {
    case Found::Answers:
        return pupil.olderCopy ? "ältere Kopie" : "";
    case Found::Nothing:
        return "nicht mehr da";
    case Found::Newer:
        return "von einer neueren Version";
    case Found::Empty:
    case Found::Foreign:
        return "kein Lernstand (" + pupil.reading.problem + ")";
    case Found::Unreadable:
    case Found::Busy:
        break;
    }
    return "nicht lesbar (" + pupil.reading.problem + ")";
}

std::string ClassListCsv(const std::vector<PupilJournal>& pupils,
                         std::chrono::milliseconds threshold) {
    std::vector<std::vector<std::string>> rows;
    for (const PupilJournal& pupil : pupils) {
        const bool read = pupil.reading.found == Found::Answers;
        const AnswerSummary& summary = pupil.summary;
        const PupilStates states = CountStates(pupil.facts, threshold);
        const auto number = [read](int value) { return read ? std::to_string(value) : ""; };
        rows.push_back({
            pupil.name,
            number(summary.answers),
            read && summary.answers > 0 ? std::to_string(RightPercent(summary)) : "",
            number(summary.days),
            summary.lastDay ? DateText(*summary.lastDay) : "",
            number(states.sure),
            number(states.practise),
            pupil.file.filename().string(),
            PupilNote(pupil),
        });
    }
    return SpreadsheetCsv("Name;Antworten;Richtig (%);Tage geübt;Zuletzt;sicher;üben;Datei;Hinweis",
                          rows);
}

std::vector<PupilWorksheet> ClassWorksheets(const std::vector<PupilJournal>& pupils,
                                            std::chrono::milliseconds threshold,
                                            const RowSwitches& rows, std::uint32_t seed) {
    std::vector<PupilWorksheet> sheets;
    for (const PupilJournal& pupil : pupils) {
        if (pupil.Counted()) {
            sheets.push_back({pupil.name, ChooseWorksheetProblems(
                                              pupil.facts, threshold, rows,
                                              seed + static_cast<std::uint32_t>(sheets.size()))});
        }
    }
    return sheets;
}
