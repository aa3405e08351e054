#pragma once

#include <stdexcept>
#include <string>

struct sqlite3;

// A failed SQLite call, with SQLite's own message and result code.
class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& message);
    // The error of the last failed call on connection.
    SqliteError(int code, sqlite3* connection);

    int ExtendedCode() const { return code_; }
    // SQLITE_BUSY, SQLITE_CORRUPT, SQLITE_NOTADB... without the extended detail.
    int PrimaryCode() const { return code_ & 0xff; }
    // The file is no database or a damaged one (SQLITE_NOTADB, SQLITE_CORRUPT).
    bool IsDamage() const;
    // The system's error number of the file operation that failed, 0 when none is known.
    int SystemError() const { return systemError_; }

private:
    int code_;
    int systemError_ = 0;
};
