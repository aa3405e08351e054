#pragma once

#include "journal/JournalEntry.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

// What a reader found at the journal's place.
struct JournalReading {
    enum class Found {
        Nothing,    // no file: nothing recorded yet
        Answers,    // a journal, possibly still without answers
        Newer,      // a journal of a schema newer than this program knows
        Unreadable, // damaged, no journal, or not readable for this user
        Busy,       // another program held it longer than a reader waits; worth a second try
    };

    Found found = Found::Nothing;
    // Every valid answer, the oldest first.
    std::vector<RecordedAnswer> answers;
    // SQLite's or the file system's reason when the journal could not be read.
    std::string problem;
};

// How long a reading waits for a program that is writing the journal.
inline constexpr std::chrono::milliseconds kReadBusyTimeout{1000};

// Reads the answers of the journal at path and changes nothing: no file is created, written or
// moved aside, whatever it holds. Only SQLite may add its empty log and shared index beside a
// journal in write-ahead-log mode, as every reader does. Answers with values the program would
// never write are left out.
JournalReading ReadJournalReadOnly(const std::filesystem::path& path);
