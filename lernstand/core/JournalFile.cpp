#include "lernstand/core/JournalFile.h"

#include "journal/JournalReader.h"
#include "journal/JournalSchema.h"
#include "journal/ReadOnlyJournal.h"
#include "journal/SqliteConnection.h"
#include "journal/SqliteError.h"

#include <stdexcept>

namespace {

using Kind = JournalFileCheck::Kind;

Kind KindOf(const SqliteConnection& connection) {
    switch (InspectJournal(connection)) {
    case JournalContent::Current:
        return Kind::Journal;
    case JournalContent::Newer:
        return Kind::Newer;
    case JournalContent::Empty:
    case JournalContent::Foreign:
        break;
    }
    return Kind::Other;
}

} // namespace

JournalFileCheck CheckJournalFile(const std::filesystem::path& path) {
    try {
        const SqliteConnection connection(path, SqliteAccess::ReadOnly);
        connection.SetBusyTimeout(kReadBusyTimeout);
        const Kind kind = KindOf(connection);
        return {kind, kind == Kind::Other ? "keine Lernstand-Datenbank" : ""};
    } catch (const SqliteError& failure) {
        return {Kind::Other, failure.what()};
    }
}

std::vector<JournalAnswer> ReadAnswersWithRounds(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) {
        return {};
    }
    const SqliteConnection connection(path, SqliteAccess::ReadOnly);
    connection.SetBusyTimeout(kReadBusyTimeout);
    switch (KindOf(connection)) {
    case Kind::Journal:
        return ReadJournalAnswers(connection);
    case Kind::Newer:
        throw std::runtime_error("Der Lernstand stammt von einer neueren Version von Reihenheld.");
    case Kind::Other:
        break;
    }
    throw std::runtime_error("Die Datei ist kein Lernstand von Reihenheld.");
}
