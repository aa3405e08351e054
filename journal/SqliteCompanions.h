#pragma once

#include <filesystem>

// SQLite keeps a database's write-ahead log and the log's shared index beside it, named after it.
inline std::filesystem::path WriteAheadLogOf(const std::filesystem::path& database) {
    return database.string() + "-wal";
}

inline std::filesystem::path SharedIndexOf(const std::filesystem::path& database) {
    return database.string() + "-shm";
}

// Where a database not in write-ahead-log mode keeps a transaction's undo record meanwhile.
inline std::filesystem::path RollbackJournalOf(const std::filesystem::path& database) {
    return database.string() + "-journal";
}
