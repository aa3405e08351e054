#include "journal/Journal.h"

#include "journal/JournalSchema.h"
#include "journal/SqliteCompanions.h"
#include "journal/SqliteError.h"
#include "journal/SqliteTransaction.h"

#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <utility>

namespace fs = std::filesystem;

namespace {

// A damaged file counts as a foreign one, to be moved aside.
JournalContent Inspect(const SqliteConnection& connection) {
    try {
        return InspectJournal(connection);
    } catch (const SqliteError& error) {
        if (error.IsDamage()) {
            return JournalContent::Foreign;
        }
        throw;
    }
}

// SQLite does not wait for other connections when it changes the journal mode, so a second
// program opening the new journal at the same moment waits here.
void SwitchToWriteAheadLog(const SqliteConnection& connection) {
    const auto deadline = std::chrono::steady_clock::now() + Journal::kBusyTimeout;
    for (;;) {
        try {
            connection.Execute("PRAGMA journal_mode = WAL");
            return;
        } catch (const SqliteError& error) {
            if (error.PrimaryCode() != SQLITE_BUSY || std::chrono::steady_clock::now() > deadline) {
                throw;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Creates or upgrades the schema unless another program did so since the file was inspected.
void SettleSchema(const SqliteConnection& connection) {
    SqliteTransaction transaction(connection);
    switch (Inspect(connection)) {
    case JournalContent::Empty:
        CreateJournalTables(connection);
        transaction.Commit();
        return;
    case JournalContent::Older:
        UpgradeJournalTables(connection);
        transaction.Commit();
        return;
    case JournalContent::Current:
        return;
    case JournalContent::Newer:
    case JournalContent::Foreign:
        throw std::runtime_error("another program put a different database in the journal's place");
    }
}

// A failed upgrade has been rolled back; damage is left to the caller, which moves the file aside.
void Upgrade(const SqliteConnection& connection) {
    const std::int64_t found = connection.QueryInteger("PRAGMA user_version");
    try {
        SettleSchema(connection);
    } catch (const SqliteError& error) {
        if (error.IsDamage()) {
            throw;
        }
        throw std::runtime_error("Lernstand der Version " + std::to_string(found) +
                                 " kann nicht auf Version " + std::to_string(kJournalVersion) +
                                 " gebracht werden und bleibt, wie er ist (" + error.what() + ")");
    }
}

} // namespace

Journal::Journal(fs::path path, WallTime now, OnForeign onForeign)
    : path_(std::move(path)) {
    fs::create_directories(path_.parent_path());
    connection_ = Open(now, onForeign);
    struct stat opened {};
    if (stat(path_.c_str(), &opened) == 0) {
        device_ = opened.st_dev;
        inode_ = opened.st_ino;
    }
}

fs::path Journal::MoveAside(const fs::path& path, WallTime now) {
    const std::string base = path.string() + ".beschaedigt-" + CompactTimeText(now);
    fs::path target = base;
    for (int attempt = 2; fs::exists(target) || fs::exists(WriteAheadLogOf(target)); ++attempt) {
        target = base + "-" + std::to_string(attempt);
    }
    // The log first: a damaged file left in place is found again at the next opening.
    for (const auto companionOf : {&WriteAheadLogOf, &SharedIndexOf}) {
        if (fs::exists(companionOf(path))) {
            fs::rename(companionOf(path), companionOf(target));
        }
    }
    fs::rename(path, target);
    return target;
}

bool Journal::IsInPlace() const {
    struct stat current {};
    return stat(path_.c_str(), &current) == 0 && current.st_dev == device_ &&
           current.st_ino == inode_;
}

std::unique_ptr<SqliteConnection> Journal::Open(WallTime now, OnForeign onForeign) {
    auto connection = std::make_unique<SqliteConnection>(path_);
    // Until the file is known to be a journal, closing must not change it.
    connection->SetCheckpointOnClose(false);
    connection->SetBusyTimeout(kBusyTimeout);
    JournalContent state = JournalContent::Foreign;
    {
        const SqliteTransaction reading(*connection, SqliteTransaction::Kind::Reading);
        state = Inspect(*connection);
    }
    if (state == JournalContent::Foreign && onForeign == OnForeign::Refuse) {
        throw std::runtime_error(kNotAJournal);
    }
    if (state == JournalContent::Foreign && !movedAside_) {
        connection.reset();
        movedAside_ = MoveAside(path_, now);
        return Open(now, onForeign);
    }
    if (state == JournalContent::Newer) {
        throw NewerJournalError("Lernstand einer neueren Programmversion (user_version " +
                                std::to_string(connection->QueryInteger("PRAGMA user_version")) +
                                ")");
    }
    if (state == JournalContent::Foreign) {
        throw std::runtime_error("no journal in place even after moving a file aside");
    }
    // Before the switch of the log, so that a journal that cannot be upgraded stays as it was.
    if (state == JournalContent::Older) {
        Upgrade(*connection);
    }
    SwitchToWriteAheadLog(*connection);
    // A checkpoint syncs to disk and holds up the answer that starts it; a log of up to 8 MB
    // before one halves how often that happens.
    connection->Execute("PRAGMA synchronous = NORMAL; PRAGMA foreign_keys = ON; "
                        "PRAGMA wal_autocheckpoint = 2000");
    if (state == JournalContent::Empty) {
        SettleSchema(*connection);
    }
    connection->SetCheckpointOnClose(true);
    return connection;
}

std::int64_t Journal::AddRound(const RoundFacts& round, WallTime startedAt,
                               const AnsweredProblem& first, WallTime answeredAt) const {
    std::string rows;
    for (const int row : round.rows) {
        rows += (rows.empty() ? "" : ",") + std::to_string(row);
    }
    SqliteTransaction transaction(*connection_);
    connection_
        ->Prepare("INSERT INTO rounds (started_at, problem_total, timed, step_tenths, rows) "
                  "VALUES (?, ?, ?, ?, ?)")
        .Bind(1, JournalTimeText(startedAt))
        .Bind(2, std::int64_t{round.problemTotal})
        .Bind(3, std::int64_t{round.timed ? 1 : 0})
        .Bind(4, std::int64_t{round.stepTenths})
        .Bind(5, rows)
        .Run();
    const std::int64_t roundId = connection_->LastInsertedRow();
    InsertAnswer(roundId, first, answeredAt);
    transaction.Commit();
    return roundId;
}

void Journal::AddAnswer(std::int64_t roundId, const AnsweredProblem& answer,
                        WallTime answeredAt) const {
    SqliteTransaction transaction(*connection_);
    InsertAnswer(roundId, answer, answeredAt);
    transaction.Commit();
}

void Journal::InsertAnswer(std::int64_t roundId, const AnsweredProblem& answer,
                           WallTime answeredAt) const {
    connection_
        ->Prepare("INSERT INTO answers (round_id, answered_at, multiplier, table_row, answer, "
                  "outcome, response_ms) VALUES (?, ?, ?, ?, ?, ?, ?)")
        .Bind(1, roundId)
        .Bind(2, JournalTimeText(answeredAt))
        .Bind(3, std::int64_t{answer.multiplier})
        .Bind(4, std::int64_t{answer.row})
        .Bind(5, answer.answer)
        .Bind(6, OutcomeText(answer.outcome))
        .Bind(7, answer.responseMilliseconds)
        .Run();
}

void Journal::AddTypingCheck(const std::vector<TypedNumber>& numbers, WallTime checkedAt) const {
    const std::string checked = JournalTimeText(checkedAt);
    SqliteTransaction transaction(*connection_);
    SqliteStatement insert = connection_->Prepare(
        "INSERT INTO typing (checked_at, shown, typed, response_ms) VALUES (?, ?, ?, ?)");
    for (const TypedNumber& number : numbers) {
        insert.Bind(1, checked)
            .Bind(2, number.shown)
            .Bind(3, number.typed)
            .Bind(4, number.responseMilliseconds)
            .Run();
    }
    transaction.Commit();
}

void Journal::StoreChildName(std::string_view name) const {
    SqliteTransaction transaction(*connection_);
    connection_->Execute("DELETE FROM child");
    if (!name.empty()) {
        connection_->Prepare("INSERT INTO child (id, name) VALUES (1, ?)").Bind(1, name).Run();
    }
    transaction.Commit();
}

void StoreJournalName(const fs::path& journal, std::string_view name) {
    Journal(journal, std::chrono::system_clock::now(), Journal::OnForeign::Refuse)
        .StoreChildName(name);
}
