#pragma once

#include "common/WallTime.h"
#include "facts/FactTable.h"
#include "facts/RowsInForce.h"
#include "journal/ReadOnlyJournal.h"
#include "lernstand/AnswerSummary.h"
#include "lernstand/WorksheetLayout.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// One file of a class folder: a pupil's journal, or what else it turned out to be.
struct PupilJournal {
    std::filesystem::path file;
    // The child's name kept in the journal, else the file's name without its ending.
    std::string name;
    JournalReading reading;
    AnswerSummary summary;
    WallTime lastAnswer{};
    FactTable facts;
    // Another file of the same child holds newer answers, so this one is not counted.
    bool olderCopy = false;

    // A journal that was read, and the newest one of its child.
    bool Counted() const;
};

// Every file of a class folder, in the order of the file names.
struct ClassFolder {
    std::vector<PupilJournal> pupils;
    // The reading was stopped before every file was read.
    bool cancelled = false;
};

// The files of a folder that may be pupils' journals: every plain file but hidden ones and the log
// and index SQLite keeps beside a database. Throws std::filesystem::filesystem_error when the
// folder cannot be listed, a stick pulled say.
std::vector<std::filesystem::path> CandidateFiles(const std::filesystem::path& folder);

// Reads one file as a copy from elsewhere: nothing beside it changes, whatever it holds.
PupilJournal ReadPupilJournal(const std::filesystem::path& file, WallTime now);

// Of two or more journals of one child the one with the newest answer counts, the others are
// older copies; between equal answers the file written last counts.
void MarkOlderCopies(std::vector<PupilJournal>& pupils);

// Called from the reading threads after each file: how many are read, of how many.
using ClassProgress = std::function<void(std::size_t read, std::size_t files)>;

// Reads every candidate file of the folder on worker threads, and stops early once cancelled is
// set. Throws like CandidateFiles.
ClassFolder ReadClassFolder(const std::filesystem::path& folder, WallTime now,
                            const std::atomic<bool>& cancelled, const ClassProgress& progress);

// How many facts of a pupil sit and how many need practice.
struct PupilStates {
    int sure = 0;
    int practise = 0;
};
PupilStates CountStates(const FactTable& facts, std::chrono::milliseconds threshold);

// How many of the counted pupils have each fact, at FactIndex, to practise.
struct ClassFacts {
    std::array<int, kFacts> practising{};
    int pupils = 0;
};
ClassFacts CountClassFacts(const std::vector<PupilJournal>& pupils,
                           std::chrono::milliseconds threshold);

// "7 · 8: 9 von 27 üben".
std::string ClassFactText(Fact fact, int practising, int pupils);

// Why a file is not counted: "ältere Kopie", "kein Lernstand (…)"; empty for a counted one.
std::string PupilNote(const PupilJournal& pupil);

// A worksheet for every counted pupil from that pupil's own facts, by the worksheet's choice rule.
std::vector<PupilWorksheet> ClassWorksheets(const std::vector<PupilJournal>& pupils,
                                            std::chrono::milliseconds threshold,
                                            const RowSwitches& rows, std::uint32_t seed);

// The pupils' table as a CSV file in the Lernstand's German spreadsheet form.
std::string ClassListCsv(const std::vector<PupilJournal>& pupils,
                         std::chrono::milliseconds threshold);
