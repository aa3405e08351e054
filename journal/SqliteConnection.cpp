#include "journal/SqliteConnection.h"

#include "journal/SqliteCompanions.h"
#include "journal/SqliteError.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <string>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {

namespace fs = std::filesystem;

// A database in write-ahead-log mode needs its shared index beside it, which a reader cannot
// create in a folder it may not write to, say on a write-protected stick. Without a log file the
// index would add nothing, so such a file is read as it stands.
bool ReadAsItStands(const fs::path& path) {
    const fs::path folder = fs::absolute(path).parent_path();
    std::error_code error;
    return faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) != 0 &&
           !fs::exists(WriteAheadLogOf(path), error) && !error;
}

// "file:/stick/Lernstand.sqlite?immutable=1", with the characters a URI gives a meaning escaped.
std::string ImmutableUri(const fs::path& path) {
    std::string uri = "file:";
    for (const char c : fs::absolute(path).string()) {
        switch (c) {
        case '%':
            uri += "%25";
            break;
        case '?':
            uri += "%3f";
            break;
        case '#':
            uri += "%23";
            break;
        default:
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

// The limits SQLite's advice for untrusted input names, far above anything a journal holds; one
// attached database is what "VACUUM INTO" needs for the teacher's copy.
constexpr std::pair<int, int> kUntrustedLimits[] = {
    {SQLITE_LIMIT_LENGTH, 1'000'000},
    {SQLITE_LIMIT_SQL_LENGTH, 100'000},
    {SQLITE_LIMIT_COLUMN, 100},
    {SQLITE_LIMIT_EXPR_DEPTH, 10},
    {SQLITE_LIMIT_COMPOUND_SELECT, 3},
    {SQLITE_LIMIT_VDBE_OP, 25'000},
    {SQLITE_LIMIT_FUNCTION_ARG, 8},
    {SQLITE_LIMIT_ATTACHED, 1},
    {SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 50},
    {SQLITE_LIMIT_VARIABLE_NUMBER, 10},
    {SQLITE_LIMIT_TRIGGER_DEPTH, 10},
};

void ReadAsUntrusted(sqlite3* handle) {
    sqlite3_db_config(handle, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(handle, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    for (const auto& [limit, value] : kUntrustedLimits) {
        sqlite3_limit(handle, limit, value);
    }
}

// How many virtual machine steps pass between two looks at the clock.
constexpr int kStepsBetweenLooks = 1000;

} // namespace

SqliteConnection::SqliteConnection(const std::filesystem::path& path, SqliteAccess access) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    std::string name = path.string();
    if (access != SqliteAccess::ReadWrite) {
        flags = SQLITE_OPEN_READONLY;
        if (access == SqliteAccess::ReadOnlyAsItStands || ReadAsItStands(path)) {
            flags |= SQLITE_OPEN_URI;
            name = ImmutableUri(path);
        }
    }
    // Each connection stays with the thread that opened it, so SQLite's own lock around every
    // call would only cost time: a third of reading a big journal.
    flags |= SQLITE_OPEN_NOMUTEX;
    const int code = sqlite3_open_v2(name.c_str(), &handle_, flags, nullptr);
    if (code != SQLITE_OK) {
        const SqliteError error(code, handle_);
        sqlite3_close_v2(handle_);
        throw error;
    }
    sqlite3_extended_result_codes(handle_, 1);
    if (access != SqliteAccess::ReadWrite) {
        ReadAsUntrusted(handle_);
        const int checked =
            sqlite3_exec(handle_, "PRAGMA cell_size_check = ON; PRAGMA mmap_size = 0", nullptr,
                         nullptr, nullptr);
        if (checked != SQLITE_OK) {
            const SqliteError error(checked, handle_);
            sqlite3_close_v2(handle_);
            throw error;
        }
    }
}

SqliteConnection::~SqliteConnection() {
    sqlite3_close_v2(handle_);
}

void SqliteConnection::Execute(const char* sql) const {
    const int code = sqlite3_exec(handle_, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        throw SqliteError(code, handle_);
    }
}

std::int64_t SqliteConnection::QueryInteger(std::string_view sql) const {
    SqliteStatement query = Prepare(sql);
    if (!query.Step()) {
        throw SqliteError(SQLITE_ERROR, "no result: " + std::string(sql));
    }
    return query.Integer(0);
}

void SqliteConnection::SetBusyTimeout(std::chrono::milliseconds timeout) const {
    sqlite3_busy_timeout(handle_, static_cast<int>(timeout.count()));
}

void SqliteConnection::SetTimeBudget(std::chrono::milliseconds budget) {
    deadline_ = std::chrono::steady_clock::now() + budget;
    LookNowAndThen();
}

void SqliteConnection::StopWhen(const std::atomic<bool>& stop) {
    stop_ = &stop;
    LookNowAndThen();
}

void SqliteConnection::LookNowAndThen() {
    sqlite3_progress_handler(handle_, kStepsBetweenLooks, &SqliteConnection::ShouldStop, this);
}

int SqliteConnection::ShouldStop(void* connection) {
    const auto* self = static_cast<SqliteConnection*>(connection);
    const bool stopped = self->stop_ != nullptr && *self->stop_;
    return stopped || std::chrono::steady_clock::now() > self->deadline_ ? 1 : 0;
}

void SqliteConnection::SetCheckpointOnClose(bool enabled) const {
    sqlite3_db_config(handle_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, enabled ? 0 : 1, nullptr);
}

std::int64_t SqliteConnection::LastInsertedRow() const {
    return sqlite3_last_insert_rowid(handle_);
}
