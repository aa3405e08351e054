#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

// What became of a copy of the journal.
struct JournalCopy {
    enum class Problem {
        None,
        NothingRecorded, // there is no journal file yet
        NotReadable,     // the journal is damaged, foreign, newer or not readable for this user
        TargetFull,      // the disk or stick of the copy is full
        TargetReadOnly,  // the copy's folder may not be written, say on a write-protected stick
        TargetGone,      // the copy's folder is not there (any more), say on a pulled stick
        TargetFailed,    // writing the copy failed otherwise, say with an input/output error
        TargetIsJournal, // the copy would replace the journal or one of its companion files
        Cancelled,       // stopped before it was complete; nothing of it is left
    };

    Problem problem = Problem::None;
    // SQLite's or the system's words for the problem.
    std::string detail;
    // How many answers the copy holds.
    std::int64_t answers = 0;
};

// Writes one self-contained database file at target holding everything committed to the journal
// when the copy starts, what is still in its write-ahead log included, while other programs go
// on recording. The copy needs no companion files, so it opens read-only anywhere, also from a
// write-protected stick. It is written under a temporary name beside target, synced and then
// renamed, so target is either whole or as it was; nothing else is left behind. The journal is
// only read. Once cancelled is set, the copy stops soon, also in the middle of writing, and
// leaves nothing.
JournalCopy CopyJournal(const std::filesystem::path& journal, const std::filesystem::path& target,
                        const std::atomic<bool>& cancelled);
JournalCopy CopyJournal(const std::filesystem::path& journal, const std::filesystem::path& target);

// What a write into the copy's folder that failed with errno error means for the copy.
JournalCopy::Problem WritingProblem(int error);

// The temporary file of a copy, ".<target's name>.unfertig-XXXXXX" beside the target (hidden, so
// that neither a class window nor a file manager lists it), or one of the companions SQLite may put
// beside it ("-journal", "-wal", "-shm"). Older versions named it without the leading dot. Only a
// copy killed, or cut off by a pulled stick, leaves one behind.
bool IsUnfinishedCopy(const std::filesystem::path& file);

// A copy into a folder first removes the files there that IsUnfinishedCopy, that belong to this
// user, that are plain files (not links, judged without following them) and that were not written
// for this long: no copy runs that long. Nothing else is ever removed.
inline constexpr std::chrono::hours kUnfinishedCopyAge{1};
