#include "journal/SqliteConnection.h"

#include "journal/SqliteError.h"

#include <sqlite3.h>

SqliteConnection::SqliteConnection(const std::filesystem::path& path, SqliteAccess access) {
    const int flags = access == SqliteAccess::ReadOnly ? SQLITE_OPEN_READONLY
                                                       : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int code = sqlite3_open_v2(path.c_str(), &handle_, flags, nullptr);
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
