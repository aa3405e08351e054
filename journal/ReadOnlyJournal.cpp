#include "journal/ReadOnlyJournal.h"

#include "journal/JournalReader.h"
#include "journal/JournalSchema.h"
#include "journal/SqliteConnection.h"
#include "journal/SqliteError.h"

#include <sqlite3.h>

namespace fs = std::filesystem;

namespace {

using Found = JournalReading::Found;

JournalReading Failed(Found found, std::string problem) {
    return {found, {}, std::move(problem)};
}

JournalReading Read(const SqliteConnection& connection) {
    switch (InspectJournal(connection)) {
    case JournalContent::Current:
        return {Found::Answers, ReadRecordedAnswers(connection), {}};
    case JournalContent::Empty:
        return {Found::Answers, {}, {}};
    case JournalContent::Newer:
        return Failed(Found::Newer, "user_version " + std::to_string(connection.QueryInteger(
                                                          "PRAGMA user_version")));
    case JournalContent::Foreign:
        break;
    }
    return Failed(Found::Unreadable, "keine Lernstand-Datenbank");
}

} // namespace

JournalReading ReadJournalReadOnly(const fs::path& path) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        return error ? Failed(Found::Unreadable, error.message()) : JournalReading{};
    }
    try {
        const SqliteConnection connection(path, SqliteAccess::ReadOnly);
        connection.SetBusyTimeout(kReadBusyTimeout);
        return Read(connection);
    } catch (const SqliteError& failure) {
        if (failure.PrimaryCode() == SQLITE_BUSY || failure.PrimaryCode() == SQLITE_LOCKED) {
            return Failed(Found::Busy, failure.what());
        }
        // Deleted between the look and the opening.
        if (failure.PrimaryCode() == SQLITE_CANTOPEN && !fs::exists(path, error) && !error) {
            return {};
        }
        return Failed(Found::Unreadable, failure.what());
    }
}
