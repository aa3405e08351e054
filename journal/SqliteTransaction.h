#pragma once

class SqliteConnection;

// A write transaction that takes the write lock at once, so the busy timeout covers the wait for
// another writer. Rolled back unless committed.
class SqliteTransaction {
public:
    explicit SqliteTransaction(const SqliteConnection& connection);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    void Commit();

private:
    const SqliteConnection& connection_;
    bool open_ = true;
};
