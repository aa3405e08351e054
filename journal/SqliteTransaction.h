#pragma once

class SqliteConnection;

// A transaction, rolled back unless committed. Reading sees one state of the database across
// statements; writing takes the write lock at once, so the busy timeout covers the wait for
// another writer.
class SqliteTransaction {
public:
    enum class Kind { Reading, Writing };

    explicit SqliteTransaction(const SqliteConnection& connection, Kind kind = Kind::Writing);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    void Commit();

private:
    const SqliteConnection& connection_;
    bool open_ = true;
};
