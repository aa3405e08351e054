#include "journal/SqliteTransaction.h"

#include "journal/SqliteConnection.h"

SqliteTransaction::SqliteTransaction(const SqliteConnection& connection, Kind kind)
    : connection_(connection) {
    connection_.Execute(kind == Kind::Writing ? "BEGIN IMMEDIATE" : "BEGIN");
}

SqliteTransaction::~SqliteTransaction() {
    if (open_) {
        try {
            connection_.Execute("ROLLBACK");
        } catch (...) {
            // SQLite may have rolled back already, after a full disk for example.
        }
    }
}

void SqliteTransaction::Commit() {
    connection_.Execute("COMMIT");
    open_ = false;
}
