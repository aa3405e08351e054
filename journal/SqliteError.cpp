#include "journal/SqliteError.h"

#include <sqlite3.h>

SqliteError::SqliteError(int code, const std::string& message)
    : std::runtime_error(message)
    , code_(code) {}

SqliteError::SqliteError(int code, sqlite3* connection)
    : SqliteError(code, connection != nullptr ? sqlite3_errmsg(connection) : sqlite3_errstr(code)) {
    if (connection != nullptr) {
        systemError_ = sqlite3_system_errno(connection);
    }
}

bool SqliteError::IsDamage() const {
    return PrimaryCode() == SQLITE_NOTADB || PrimaryCode() == SQLITE_CORRUPT;
}
