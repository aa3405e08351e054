#include "journal/ReadOnlyJournal.h"

#include "journal/JournalSchema.h"
#include "journal/SqliteConnection.h"
#include "journal/SqliteError.h"
#include "journal/SqliteTransaction.h"

#include <sqlite3.h>

namespace fs = std::filesystem;

namespace {

using Found = JournalReading::Found;

JournalReading Read(const SqliteConnection& connection, const JournalRead& read) {
    SqliteTransaction reading(connection, SqliteTransaction::Kind::Reading);
    switch (InspectJournal(connection)) {
    case JournalContent::Older:
    case JournalContent::Current:
        read(connection);
        return {Found::Answers, {}};
    case JournalContent::Empty:
        return {Found::Empty, kNotAJournal};
    case JournalContent::Newer:
        return {Found::Newer,
                "user_version " + std::to_string(connection.QueryInteger("PRAGMA user_version"))};
    case JournalContent::Foreign:
        break;
    }
    return {Found::Foreign, kNotAJournal};
}

} // namespace

JournalReading ReadJournalReadOnly(const fs::path& path, const JournalRead& read) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        return error ? JournalReading{Found::Unreadable, error.message()} : JournalReading{};
    }
    try {
        const SqliteConnection connection(path, SqliteAccess::ReadOnly);
        connection.SetBusyTimeout(kReadBusyTimeout);
        return Read(connection, read);
    } catch (const SqliteError& failure) {
        if (failure.PrimaryCode() == SQLITE_BUSY || failure.PrimaryCode() == SQLITE_LOCKED) {
            return {Found::Busy, failure.what()};
        }
        // Deleted between the look and the opening.
        if (failure.PrimaryCode() == SQLITE_CANTOPEN && !fs::exists(path, error) && !error) {
            return {};
        }
        return {Found::Unreadable, failure.what()};
    }
}
