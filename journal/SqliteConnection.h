#pragma once

#include "journal/SqliteStatement.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string_view>

struct sqlite3;

enum class SqliteAccess {
    ReadWrite,
    ReadOnly,
    // For a file nobody writes: read as it stands, without a look for a log or shared index.
    ReadOnlyAsItStands,
};

// One open database connection, closed with the object.
class SqliteConnection {
public:
    // Opens the database at path for reading and writing, creating an empty file if none is there;
    // read-only, it never creates or changes the database file, and reads a file in a folder it
    // may not write to even when the file is in write-ahead-log mode. A file opened read-only may
    // come from anywhere, a stick say, so it is read as SQLite advises for untrusted files:
    // defensive, without trusting its schema, and within tight limits.
    explicit SqliteConnection(const std::filesystem::path& path,
                              SqliteAccess access = SqliteAccess::ReadWrite);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    SqliteStatement Prepare(std::string_view sql) const { return SqliteStatement(handle_, sql); }
    // Runs one or more statements that return no rows.
    void Execute(const char* sql) const;
    // The first column of the first row of a query.
    std::int64_t QueryInteger(std::string_view sql) const;

    // How long a statement waits for another connection's lock before it fails with SQLITE_BUSY.
    void SetBusyTimeout(std::chrono::milliseconds timeout) const;
    // From now on, a statement still running after the budget fails with SQLITE_INTERRUPT.
    void SetTimeBudget(std::chrono::milliseconds budget);
    // From now on, a statement fails with SQLITE_INTERRUPT soon after stop is set; stop must
    // outlive the connection.
    void StopWhen(const std::atomic<bool>& stop);
    // Whether closing the last connection copies the write-ahead log into the database file.
    void SetCheckpointOnClose(bool enabled) const;
    std::int64_t LastInsertedRow() const;

private:
    void LookNowAndThen();
    static int ShouldStop(void* connection);

    sqlite3* handle_ = nullptr;
    std::chrono::steady_clock::time_point deadline_ = std::chrono::steady_clock::time_point::max();
    const std::atomic<bool>* stop_ = nullptr;
};
