#pragma once

#include "common/WallTime.h"
#include "facts/FactTable.h"
#include "facts/TypingCheck.h"
#include "journal/ReadOnlyJournal.h"
#include "lernstand/AnswerSummary.h"

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
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
    std::optional<TypingCheck> typingCheck;
    // When the file was last written, as it was read: between copies with equal answers the one
    // written last counts.
    std::filesystem::file_time_type written{};

    // A journal that was read.
    bool Read() const { return reading.found == JournalReading::Found::Answers; }
};

// Every file of a class folder, in the order of the file names.
struct ClassFolder {
    std::vector<PupilJournal> pupils;
    // The reading was stopped before every file was read.
    bool cancelled = false;
};

// Reads one file as a copy from elsewhere: nothing beside it changes, whatever it holds.
PupilJournal ReadPupilJournal(const std::filesystem::path& file, WallTime now);

// Called from the reading threads after each file: how many are read, of how many.
using ClassProgress = std::function<void(std::size_t read, std::size_t files)>;

// Reads every candidate file of the folder on worker threads, and stops early once cancelled is
// set. Throws like PupilFiles.
ClassFolder ReadClassFolder(const std::filesystem::path& folder, WallTime now,
                            const std::atomic<bool>& cancelled, const ClassProgress& progress);
