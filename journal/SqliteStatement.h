#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement, finalized with the object. Parameters and columns count as SQLite
// counts them: parameters from 1, columns from 0.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* connection, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& Bind(int parameter, std::int64_t value);
    SqliteStatement& Bind(int parameter, std::string_view text);

    // True while a result row is ready; false once the statement is done.
    bool Step();
    // Runs a statement that returns no row the caller needs.
    void Run();
    // Ready to run again from the start, say after the caller stopped stepping early.
    void Reset();

    bool IsInteger(int column) const;
    std::int64_t Integer(int column) const;
    // The column as text; an integer column reads as its decimal digits.
    std::string Text(int column) const;
    // The same without a copy, valid until the statement steps on: a big journal's reader
    // parses most columns and keeps few.
    std::string_view TextView(int column) const;

private:
    void Check(int code) const;

    sqlite3* connection_;
    sqlite3_stmt* statement_ = nullptr;
};
