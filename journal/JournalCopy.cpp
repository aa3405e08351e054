#include "journal/JournalCopy.h"

#include "journal/JournalSchema.h"
#include "journal/ReadOnlyJournal.h"
#include "journal/SqliteCompanions.h"
#include "journal/SqliteConnection.h"
#include "journal/SqliteError.h"
#include "journal/SqliteTransaction.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sqlite3.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

using Problem = JournalCopy::Problem;
using Found = JournalReading::Found;

// What follows the target's name in a temporary file's name; mkostemp fills in the X.
constexpr std::string_view kUnfinished = ".unfertig-";
constexpr std::string_view kUniqueLetters = "XXXXXX";

// A copy given up; every step of the copy ends with one of these or succeeds.
struct CopyFailed {
    Problem problem;
    std::string detail;
};

[[noreturn]] void FailWriting(int error) {
    throw CopyFailed{WritingProblem(error), std::generic_category().message(error)};
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
        std::string name =
            (target.parent_path() / ("." + target.filename().string() + std::string(kUnfinished) +
                                     std::string(kUniqueLetters)))
                .string();
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

    // On the disk: syncing may take long on a slow stick, and is not stopped by a cancel.
    void Sync() const {
        if (fsync(descriptor_) != 0) {
            FailWriting(errno);
        }
    }

    // The synced file takes the target's name, and the folder is synced so that the name stays.
    void BecomeTarget(const fs::path& target) {
        if (rename(path_.c_str(), target.c_str()) != 0) {
            FailWriting(errno);
        }
        path_.clear();
        const int folder =
            open(fs::absolute(target).parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        // A school's class folder may let pupils hand in without letting them open it; the rename
        // then stands as the file system keeps it.
        if (folder < 0 && (errno == EACCES || errno == EPERM)) {
            return;
        }
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

void StopIfCancelled(const std::atomic<bool>& cancelled) {
    if (cancelled) {
        throw CopyFailed{Problem::Cancelled, {}};
    }
}

// One state of the journal, read through its write-ahead log, written compactly into part.
void WriteSnapshot(const fs::path& journal, const fs::path& part,
                   const std::atomic<bool>& cancelled) {
    std::unique_ptr<SqliteConnection> source;
    try {
        source = std::make_unique<SqliteConnection>(journal, SqliteAccess::ReadOnly);
        source->SetBusyTimeout(kReadBusyTimeout);
        source->StopWhen(cancelled);
    } catch (const SqliteError& error) {
        throw CopyFailed{Problem::NotReadable, error.what()};
    }
    try {
        source->Prepare("VACUUM INTO ?").Bind(1, part.string()).Run();
    } catch (const SqliteError& error) {
        if (error.PrimaryCode() == SQLITE_INTERRUPT) {
            StopIfCancelled(cancelled);
        }
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

// A name ending in kUnfinished and six letters or digits.
bool IsTemporaryName(std::string_view name) {
    const std::size_t letters = kUniqueLetters.size();
    if (name.size() <= kUnfinished.size() + letters) {
        return false;
    }
    const std::string_view unique = name.substr(name.size() - letters);
    return name.substr(name.size() - letters - kUnfinished.size(), kUnfinished.size()) ==
               kUnfinished &&
           std::all_of(unique.begin(), unique.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
           });
}

// What copies killed before, or cut off by a pulled stick, left in the target's folder.
void SweepUnfinishedCopies(const fs::path& target) {
    const std::time_t oldest =
        std::time(nullptr) - std::chrono::seconds(kUnfinishedCopyAge).count();
    std::error_code error;
    const fs::path folder = fs::absolute(target, error).parent_path();
    for (fs::directory_iterator file(folder, error), end; !error && file != end;
         file.increment(error)) {
        struct stat status {};
        if (IsUnfinishedCopy(file->path()) && lstat(file->path().c_str(), &status) == 0 &&
            S_ISREG(status.st_mode) && status.st_uid == geteuid() && status.st_mtime < oldest) {
            unlink(file->path().c_str());
        }
    }
}

} // namespace

bool IsUnfinishedCopy(const fs::path& file) {
    const std::string fileName = file.filename().native();
    std::string_view name = fileName;
    for (const std::string_view companion : {"-journal", "-wal", "-shm"}) {
        if (name.ends_with(companion)) {
            name.remove_suffix(companion.size());
            break;
        }
    }
    return IsTemporaryName(name);
}

JournalCopy CopyJournal(const fs::path& journal, const fs::path& target) {
    const std::atomic<bool> never = false;
    return CopyJournal(journal, target, never);
}

JournalCopy CopyJournal(const fs::path& journal, const fs::path& target,
                        const std::atomic<bool>& cancelled) {
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
        SweepUnfinishedCopies(target);
        PartFile part(target);
        WriteSnapshot(journal, part.Path(), cancelled);
        StopIfCancelled(cancelled);
        const std::int64_t answers = SettleCopy(part.Path());
        part.Sync();
        StopIfCancelled(cancelled);
        part.BecomeTarget(target);
        return {Problem::None, {}, answers};
    } catch (const CopyFailed& failed) {
        return {failed.problem, failed.detail, 0};
    }
}

Problem WritingProblem(int error) {
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
