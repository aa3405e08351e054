#pragma once

#include "facts/Answer.h"
#include "facts/TypingCheck.h"
#include "journal/ReadOnlyJournal.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What the file system says about one of the journal's files.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written;
    bool operator==(const FileStamp&) const = default;
};

// The journal and its write-ahead log: a change to either means new answers, a deletion or a
// replacement. SQLite's shared index changes with every reading and is left out, and an empty log
// counts as none: reading a journal makes SQLite create one, which holds no answer.
using JournalStamps = std::array<FileStamp, 2>;

JournalStamps StampJournal(const std::filesystem::path& journal);

// A reading of the journal and the stamps of its files from just before it, so that a change
// during the reading is not mistaken for one already read.
struct JournalLook {
    JournalStamps before;
    JournalReading reading;
    // Every valid answer, the oldest first.
    std::vector<RecordedAnswer> answers;
    // The child's name kept in the journal; empty when there is none.
    std::string name;
    std::optional<TypingCheck> typingCheck;
};

// Touches nothing but the journal, so it may run on any thread.
JournalLook LookAtJournal(const std::filesystem::path& journal,
                          JournalOrigin origin = JournalOrigin::Own);
