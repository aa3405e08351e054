#include "journal/ReadOnlyJournal.h"

#include "journal/JournalSchema.h"
#include "journal/SqliteCompanions.h"
#include "journal/SqliteConnection.h"
#include "journal/SqliteError.h"
#include "journal/SqliteTransaction.h"

#include <cerrno>
#include <cstdlib>
#include <sqlite3.h>

namespace fs = std::filesystem;

namespace {

using Found = JournalReading::Found;

// Why a file that kept its reader busy too long is not shown.
constexpr const char* kTooLong = "zu aufwendig zu lesen";

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

// A copy of a journal and its log in a folder of its own below the temporary folder, removed with
// the object: reading the log needs a shared index, which must not appear beside the original.
class PrivateCopy {
public:
    explicit PrivateCopy(const fs::path& journal) {
        std::string pattern = (fs::temp_directory_path() / "kalkuno-read-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw fs::filesystem_error("no temporary folder", pattern,
                                       std::error_code(errno, std::generic_category()));
        }
        folder_ = pattern;
        fs::copy_file(journal, Path());
        fs::copy_file(WriteAheadLogOf(journal), WriteAheadLogOf(Path()));
    }
    ~PrivateCopy() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    PrivateCopy(const PrivateCopy&) = delete;
    PrivateCopy& operator=(const PrivateCopy&) = delete;

    fs::path Path() const { return folder_ / "Lernstand.sqlite"; }

private:
    fs::path folder_;
};

JournalReading ReadConnection(const fs::path& path, SqliteAccess access, const JournalRead& read) {
    SqliteConnection connection(path, access);
    connection.SetBusyTimeout(kReadBusyTimeout);
    connection.SetTimeBudget(kReadTimeBudget);
    return Read(connection, read);
}

JournalReading ReadCopy(const fs::path& path, const JournalRead& read) {
    std::error_code error;
    if (!fs::exists(WriteAheadLogOf(path), error)) {
        return ReadConnection(path, SqliteAccess::ReadOnlyAsItStands, read);
    }
    const PrivateCopy copy(path);
    return ReadConnection(copy.Path(), SqliteAccess::ReadOnly, read);
}

} // namespace

JournalReading ReadJournalReadOnly(const fs::path& path, const JournalRead& read,
                                   JournalOrigin origin) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        return error ? JournalReading{Found::Unreadable, error.message()} : JournalReading{};
    }
    try {
        if (origin == JournalOrigin::Copy) {
            return ReadCopy(path, read);
        }
        return ReadConnection(path, SqliteAccess::ReadOnly, read);
    } catch (const SqliteError& failure) {
        if (failure.PrimaryCode() == SQLITE_INTERRUPT) {
            return {Found::Unreadable, kTooLong};
        }
        if (failure.PrimaryCode() == SQLITE_BUSY || failure.PrimaryCode() == SQLITE_LOCKED) {
            return {Found::Busy, failure.what()};
        }
        // Deleted between the look and the opening.
        if (failure.PrimaryCode() == SQLITE_CANTOPEN && !fs::exists(path, error) && !error) {
            return {};
        }
        return {Found::Unreadable, failure.what()};
    } catch (const fs::filesystem_error& failure) {
        return {Found::Unreadable, failure.code().message()};
    }
}
