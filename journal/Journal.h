#pragma once

#include "facts/Answer.h"
#include "facts/TypingCheck.h"
#include "journal/JournalEntry.h"
#include "journal/SqliteConnection.h"
#include "journal/UtcTime.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <sys/types.h>
#include <vector>

// The journal holds a schema this program does not know; it is left as it is.
class NewerJournalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The answers journal, an SQLite database in write-ahead-log mode. Each write is one short
// transaction, committed before the call returns, so it survives the program being killed and
// two programs recording at once lose nothing.
class Journal {
public:
    // How long a write waits for another program's write before it gives up.
    static constexpr std::chrono::milliseconds kBusyTimeout{5000};

    // What opening does with a file in the journal's place that is no journal or is damaged.
    enum class OnForeign { MoveAside, Refuse };

    // Opens the journal at path, creating folder, file and schema as needed, and brings a journal
    // of an older version to this version in one transaction. A file that is no journal or is
    // damaged is moved aside with its companion files and a new journal started; the name it gets
    // tells the time now. Throws NewerJournalError for a journal of a newer schema,
    // std::runtime_error for a foreign file that is refused or a journal that cannot be upgraded
    // (left as it was), SqliteError or std::filesystem::filesystem_error when it cannot be opened
    // or created.
    explicit Journal(std::filesystem::path path, WallTime now = std::chrono::system_clock::now(),
                     OnForeign onForeign = OnForeign::MoveAside);

    // Renames the file at path with its write-ahead log and shared-memory index to a free name
    // beside it that tells the time now, and returns that name.
    static std::filesystem::path MoveAside(const std::filesystem::path& path, WallTime now);

    // Closing then leaves the write-ahead log as it is, for a damaged file that is moved aside.
    void KeepLogOnClose() const { connection_->SetCheckpointOnClose(false); }

    // Whether the file opened is still at the path: it may have been deleted or replaced since.
    bool IsInPlace() const;

    // Where a file that was in the journal's place went, if one was moved aside on opening.
    const std::optional<std::filesystem::path>& MovedAside() const { return movedAside_; }

    // Writes a round together with its first answer; returns the round's id for the others.
    std::int64_t AddRound(const RoundFacts& round, WallTime startedAt, const AnsweredProblem& first,
                          WallTime answeredAt) const;
    void AddAnswer(std::int64_t roundId, const AnsweredProblem& answer, WallTime answeredAt) const;
    // Keeps every Enter of a typing check, all stamped with the moment it ended.
    void AddTypingCheck(const std::vector<TypedNumber>& numbers, WallTime checkedAt) const;

    // Keeps the child's name; an empty one removes it.
    void StoreChildName(std::string_view name) const;

private:
    std::unique_ptr<SqliteConnection> Open(WallTime now, OnForeign onForeign);
    void InsertAnswer(std::int64_t roundId, const AnsweredProblem& answer,
                      WallTime answeredAt) const;

    std::filesystem::path path_;
    std::optional<std::filesystem::path> movedAside_;
    std::unique_ptr<SqliteConnection> connection_;
    // The device and inode of the file opened.
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

// Keeps the child's name in the journal at path, which is created when there is none yet. A file
// that is no journal is refused, never moved aside. Throws as Journal's constructor does.
void StoreJournalName(const std::filesystem::path& journal, std::string_view name);
