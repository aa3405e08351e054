#pragma once

#include "journal/JournalEntry.h"

#include <filesystem>
#include <string>
#include <vector>

// What a look at a journal file from elsewhere (a pupil's, copied from a stick) found.
struct JournalFileCheck {
    enum class Kind {
        Journal, // a journal with the tables of this program's version
        Newer,   // a journal of a schema newer than this program knows
        Other,   // not a journal, damaged or not readable
    };
    Kind kind = Kind::Other;
    // SQLite's or the file system's reason, for Other.
    std::string problem;
};

// Opens the file read-only: nothing is created, written or moved aside, whatever it holds.
JournalFileCheck CheckJournalFile(const std::filesystem::path& path);

// Every valid answer of the journal at path with its round, the oldest first; none without a
// file. Opened read-only like CheckJournalFile. Throws std::runtime_error when the file is no
// journal of this program's version or cannot be read.
std::vector<JournalAnswer> ReadAnswersWithRounds(const std::filesystem::path& path);
