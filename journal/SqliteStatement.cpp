#include "journal/SqliteStatement.h"

#include "journal/SqliteError.h"

#include <sqlite3.h>

SqliteStatement::SqliteStatement(sqlite3* connection, std::string_view sql)
    : connection_(connection) {
    Check(sqlite3_prepare_v2(connection, sql.data(), static_cast<int>(sql.size()), &statement_,
                             nullptr));
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::Bind(int parameter, std::int64_t value) {
    Check(sqlite3_bind_int64(statement_, parameter, value));
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int parameter, std::string_view text) {
    Check(sqlite3_bind_text64(statement_, parameter, text.data(), text.size(), SQLITE_TRANSIENT,
                              SQLITE_UTF8));
    return *this;
}

bool SqliteStatement::Step() {
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) {
        return true;
    }
    if (code != SQLITE_DONE) {
        // Resetting leaves the statement reusable and does not change the error reported.
        sqlite3_reset(statement_);
        throw SqliteError(code, connection_);
    }
    sqlite3_reset(statement_);
    return false;
}

void SqliteStatement::Run() {
    while (Step()) {
    }
}

void SqliteStatement::Reset() {
    sqlite3_reset(statement_);
}

bool SqliteStatement::IsInteger(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_INTEGER;
}

std::int64_t SqliteStatement::Integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::Text(int column) const {
    return std::string(TextView(column));
}

std::string_view SqliteStatement::TextView(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return text != nullptr ? std::string_view(text, static_cast<std::size_t>(size))
                           : std::string_view();
}

void SqliteStatement::Check(int code) const {
    if (code != SQLITE_OK) {
        throw SqliteError(code, connection_);
    }
}
