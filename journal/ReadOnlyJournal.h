#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

class SqliteConnection;

// What a read-only look at a journal file found: the one result of every reader.
struct JournalReading {
    enum class Found {
        Nothing,    // no file: nothing recorded yet
        Empty,      // a database without tables; the drill creates its file a moment before them
        Answers,    // a journal this program reads (version 1 to 3), possibly still without answers
        Newer,      // a journal of a schema newer than this program knows
        Foreign,    // a file that is no journal
        Unreadable, // damaged, or not readable for this user
        Busy,       // another program held it longer than a reader waits; worth a second try
    };

    Found found = Found::Nothing;
    // Why the file cannot be shown, for every kind but Nothing and Answers.
    std::string problem;

    // Nothing in it that this program could not show.
    static constexpr bool Readable(Found found) {
        return found == Found::Nothing || found == Found::Empty || found == Found::Answers;
    }
};

// How long a reading waits for a program that is writing the journal.
inline constexpr std::chrono::milliseconds kReadBusyTimeout{1000};
// How long a reading may take at the most: a journal of years reads in well under a second, so a
// file that takes longer is built to keep its reader busy.
inline constexpr std::chrono::milliseconds kReadTimeBudget{5000};

// Whose journal a reader looks at: the user's own, which the drill may be writing at this moment,
// or a copy from elsewhere, a stick or a share, that nobody writes.
enum class JournalOrigin { Own, Copy };

// Opens the file at path read-only and changes nothing: no file is created, written or moved
// aside, whatever it holds. Beside the user's own journal only SQLite may add its empty log and
// shared index, as every reader does; beside a copy nothing at all: one with a log is read from a
// private copy in the temporary folder. For a journal this program reads, read is handed
// the connection, and everything it reads belongs to one state of the file.
using JournalRead = std::function<void(const SqliteConnection& connection)>;
JournalReading ReadJournalReadOnly(const std::filesystem::path& path, const JournalRead& read,
                                   JournalOrigin origin = JournalOrigin::Own);
