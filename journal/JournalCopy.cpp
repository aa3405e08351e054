#include "journal/JournalCopy.h"

#include "journal/JournalSchema.h"
#include "journal/ReadOnlyJournal.h"
#include "journal/SqliteCompanions.h"
#include "journal/SqliteConnection.h"
#include "journal/SqliteError.h"
#include "journal/SqliteTransaction.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sqlite3.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

using Problem = JournalCopy::Problem;
using Found = JournalReading::Found;

// A copy given up; every step of the copy ends with one of these or succeeds.
struct CopyFailed {
    Problem problem;
    std::string detail;
};

Problem TargetProblem(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return Problem::TargetFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return Problem::TargetReadOnly;
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
        return Problem::TargetGone;
    default:
        return Problem::TargetFailed;
    }
}

[[noreturn]] void FailWriting(int error) {
    throw CopyFailed{TargetProblem(error), std::generic_category().message(error)};
}

[[noreturn]] void FailWriting(const SqliteError& error) {
    if (error.SystemError() != 0) {
        FailWriting(error.SystemError());
    }
    throw CopyFailed{error.PrimaryCode() == SQLITE_FULL ? Problem::TargetFull
                                                        : Problem::TargetFailed,
                     error.what()};
}

// The file beside the target that the copy is written to, removed with anything SQLite may have
// put beside it unless it has become the target.
class PartFile {
public:
    explicit PartFile(const fs::path& target) {
        std::string name = target.string() + ".unfertig-XXXXXX";
        descriptor_ = mkostemp(name.data(), O_CLOEXEC);
        if (descriptor_ < 0) {
            FailWriting(errno);
        }
        path_ = name;
        // As SQLite creates a journal, so that the teacher's account may read the copy; a stick
        // formatted for Windows keeps no such bits, which is no failure.
        fchmod(descriptor_, 0644);
    }

    ~PartFile() {
        close(descriptor_);
        if (path_.empty()) {
            return;
        }
        std::error_code ignored;
        for (const fs::path& file :
             {path_, RollbackJournalOf(path_), WriteAheadLogOf(path_), SharedIndexOf(path_)}) {
            fs::remove(file, ignored);
        }
    }

    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    const fs::path& Path() const { return path_; }

    // Once on the disk, the file takes the target's name, and the folder is synced so that the
    // name stays.
    void BecomeTarget(const fs::path& target) {
        if (fsync(descriptor_) != 0 || rename(path_.c_str(), target.c_str()) != 0) {
            FailWriting(errno);
        }
        path_.clear();
        const int folder =
            open(fs::absolute(target).parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0) {
            FailWriting(errno);
        }
        // Some file systems cannot sync a folder; the rename then stands as they keep it.
        const int synced = fsync(folder) == 0 || errno == EINVAL || errno == ENOTSUP ? 0 : errno;
        close(folder);
        if (synced != 0) {
            FailWriting(synced);
        }
    }

private:
    int descriptor_ = -1;
    fs::path path_;
};

// One state of the journal, read through its write-ahead log, written compactly into part.
void WriteSnapshot(const fs::path& journal, const fs::path& part) {
    std::unique_ptr<SqliteConnection> source;
    try {
        source = std::make_unique<SqliteConnection>(journal, SqliteAccess::ReadOnly);
        source->SetBusyTimeout(kReadBusyTimeout);
    } catch (const SqliteError& error) {
        throw CopyFailed{Problem::NotReadable, error.what()};
    }
    try {
        source->Prepare("VACUUM INTO ?").Bind(1, part.string()).Run();
    } catch (const SqliteError& error) {
        if (error.IsDamage() || error.PrimaryCode() == SQLITE_BUSY) {
            throw CopyFailed{Problem::NotReadable, error.what()};
        }
        FailWriting(error);
    }
}

// Makes sure the copy keeps no log beside it and holds a journal; returns its answers.
std::int64_t SettleCopy(const fs::path& part) {
    try {
        const SqliteConnection copy(part);
        copy.Execute("PRAGMA journal_mode = DELETE");
        const SqliteTransaction reading(copy, SqliteTransaction::Kind::Reading);
        const JournalContent content = InspectJournal(copy);
        if (content != JournalContent::Older && content != JournalContent::Current) {
            throw CopyFailed{Problem::TargetFailed, kNotAJournal};
        }
        return copy.QueryInteger("SELECT count(*) FROM answers");
    } catch (const SqliteError& error) {
        FailWriting(error);
    }
}

} // namespace

JournalCopy CopyJournal(const fs::path& journal, const fs::path& target) {
    const JournalReading reading = ReadJournalReadOnly(journal, [](const SqliteConnection&) {});
    if (reading.found == Found::Nothing) {
        return {Problem::NothingRecorded, {}, 0};
    }
    if (reading.found != Found::Answers) {
        return {Problem::NotReadable, reading.problem, 0};
    }
    for (const fs::path& file : {journal, WriteAheadLogOf(journal), SharedIndexOf(journal)}) {
        std::error_code error;
        if (fs::equivalent(file, target, error)) {
            return {Problem::TargetIsJournal, {}, 0};
        }
    }
    try {
        PartFile part(target);
        WriteSnapshot(journal, part.Path());
        const std::int64_t answers = SettleCopy(part.Path());
        part.BecomeTarget(target);
        return {Problem::None, {}, answers};
    } catch (const CopyFailed& failed) {
        return {failed.problem, failed.detail, 0};
    }
}
