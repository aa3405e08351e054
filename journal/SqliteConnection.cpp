#include "journal/SqliteConnection.h"

#include "journal/SqliteCompanions.h"
#include "journal/SqliteError.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <string>
#include <system_error>
#include <unistd.h>

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

} // namespace

SqliteConnection::SqliteConnection(const std::filesystem::path& path, SqliteAccess access) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    std::string name = path.string();
    if (access == SqliteAccess::ReadOnly) {
        flags = SQLITE_OPEN_READONLY;
        if (ReadAsItStands(path)) {
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

void SqliteConnection::SetCheckpointOnClose(bool enabled) const {
    sqlite3_db_config(handle_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, enabled ? 0 : 1, nullptr);
}

std::int64_t SqliteConnection::LastInsertedRow() const {
    return sqlite3_last_insert_rowid(handle_);
}
