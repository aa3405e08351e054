#include "settings/SettingsStore.h"

#include "common/FileWrites.h"
#include "common/HomeFolder.h"
#include "settings/Descriptor.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "settings/StoredText.h"
#include "settings/SystemDefaults.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

// As many links in a row as the kernel follows before it reports a loop.
constexpr int kMaxLinkHops = 40;

// Permission bits for the replacement: the old file's, else what creating a file would give.
mode_t ModeForReplacement(const std::optional<struct stat>& old) {
    if (old) {
        return old->st_mode & 07777u;
    }
    // The umask can only be read by setting it.
    const mode_t mask = umask(0);
    umask(mask);
    return 0666u & ~mask;
}

// Gives the replacement the old file's group where the user may (root, or a member of that
// group); otherwise it keeps the user's.
bool KeepGroup(int fd, const std::optional<struct stat>& old) {
    return !old || fchown(fd, static_cast<uid_t>(-1), old->st_gid) == 0 || errno == EPERM;
}

// Beside "Kalkuno.ini" stand its lock file ".Kalkuno.ini.kalkuno-lock" and, during a save, a
// temporary copy ".Kalkuno.ini.kalkuno-save-" followed by the six letters or digits mkstemp puts
// for kTemporaryPattern. No user names a file like that, so removing them loses nothing of theirs.
constexpr std::string_view kLockSuffix = "kalkuno-lock";
constexpr std::string_view kTemporarySuffix = "kalkuno-save-";
constexpr std::string_view kTemporaryPattern = "XXXXXX";

// Appended piece by piece: GCC 12 at -O3 reports a false -Wrestrict for "." + a std::string.
std::string CompanionName(const fs::path& path, std::string_view suffix) {
    std::string name = ".";
    name.append(path.filename().string()).append(".").append(suffix);
    return name;
}

bool IsAsciiLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsTemporaryCopy(std::string_view name, std::string_view prefix) {
    return name.size() == prefix.size() + kTemporaryPattern.size() && name.starts_with(prefix) &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       IsAsciiLetterOrDigit);
}

// Copies left by saves that were killed before their rename. Called only under the writer lock,
// when no save of this program is under way.
void RemoveStaleCopies(const fs::path& path) {
    const std::string prefix = CompanionName(path, kTemporarySuffix);
    std::error_code error;
    for (fs::directory_iterator entry(path.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        if (IsTemporaryCopy(entry->path().filename().string(), prefix)) {
            unlink(entry->path().c_str());
        }
    }
}

// Keeps every other writer, in this or another process, out from reading the old file to the
// rename, so two programs saving at once never lose an entry. The lock file is removed while
// still held, so none is left behind; a writer that got the lock on a file removed meanwhile
// holds nothing and tries again.
class WriterLock {
public:
    explicit WriterLock(const fs::path& path)
        : path_(path.parent_path() / CompanionName(path, kLockSuffix)) {}
    ~WriterLock() {
        if (fd_ >= 0) {
            unlink(path_.c_str());
            close(fd_);
        }
    }
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;

    // Waits for the lock; false when the lock file cannot be made or locked.
    bool Acquire() {
        for (;;) {
            // Read access is enough for flock, so a lock file left by another user still works.
            fd_ = open(path_.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
            if (fd_ < 0) {
                return false;
            }
            int locked = flock(fd_, LOCK_EX);
            while (locked != 0 && errno == EINTR) {
                locked = flock(fd_, LOCK_EX);
            }
            if (locked != 0) {
                close(std::exchange(fd_, -1));
                return false;
            }
            if (LocksTheFileInPlace()) {
                return true;
            }
            close(std::exchange(fd_, -1));
        }
    }

private:
    bool LocksTheFileInPlace() const {
        struct stat held {};
        struct stat current {};
        return fstat(fd_, &held) == 0 && stat(path_.c_str(), &current) == 0 &&
               held.st_dev == current.st_dev && held.st_ino == current.st_ino;
    }

    fs::path path_;
    int fd_ = -1;
};

// Puts content at path through a temporary file in the same folder, so the old file stays whole
// until the rename; on failure the temporary file is removed and the old file left as it was.
bool ReplaceProfile(const fs::path& path, std::string_view content,
                    const std::optional<struct stat>& old) {
    std::string temporary = (path.parent_path() / CompanionName(path, kTemporarySuffix))
                                .string()
                                .append(kTemporaryPattern);
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    Descriptor file(fd);
    // The group first: changing it may clear the set-group-ID bit that fchmod then sets.
    const bool replaced = KeepGroup(fd, old) && fchmod(fd, ModeForReplacement(old)) == 0 &&
                          WriteAll(fd, content) && fsync(fd) == 0 && file.Close() &&
                          std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!replaced) {
        unlink(temporary.c_str());
        return false;
    }
    // The new file is in place already; a failed folder sync could not undo that.
    SyncFolder(path.parent_path());
    return true;
}

// The file a save replaces: for a symbolic link (an admin's link to one shared file, say) the end
// of its chain of links, each relative one taken from its link's folder, so the link stays a
// link. nullopt for a loop or a link that cannot be read.
std::optional<fs::path> SaveTarget(fs::path path) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0) {
            return errno == ENOENT ? std::optional<fs::path>(path) : std::nullopt;
        }
        if (!S_ISLNK(status.st_mode)) {
            return path;
        }
        std::error_code error;
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            return std::nullopt;
        }
        path = path.parent_path() / target;
    }
    return std::nullopt;
}

// Lock, temporary copy and rename all work beside the link's target, so saves through two links
// to one file still exclude each other.
bool WriteProfileEntries(const fs::path& path, std::span<const SettingEntry> entries) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (error) {
        return false;
    }
    const std::optional<fs::path> target = SaveTarget(path);
    if (!target) {
        return false;
    }
    WriterLock lock(*target);
    if (!lock.Acquire()) {
        return false;
    }
    RemoveStaleCopies(*target);
    const std::optional<SettingsFile> old = LoadSettingsFile(*target);
    if (!old) {
        return false;
    }
    std::optional<std::string> updated = old->content;
    for (const SettingEntry& entry : entries) {
        updated = IniFile::WriteValue(*updated, entry.section, entry.key, entry.value);
        if (!updated) {
            return false;
        }
    }
    if (*updated == old->content) {
        return true;
    }
    // Renaming over the file needs only the folder's permission, so a file the user may not write
    // (a parent's write-protected one, someone else's) is checked first and stays as it is.
    if (old->status && faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0) {
        return false;
    }
    return ReplaceProfile(*target, *updated, old->status);
}

} // namespace

fs::path ProfilePath(const std::string& fileBase) {
    return XdgBaseFolder("XDG_CONFIG_HOME", ".config") / (fileBase + ".ini");
}

bool ProfileRead(const std::string& fileBase, const std::string& section, const std::string& key,
                 std::string& value) {
    try {
        const std::optional<SettingsFile> stored = LoadSettingsFile(ProfilePath(fileBase));
        if (!stored) {
            return false;
        }
        std::optional<std::string> found = IniFile::ReadValue(stored->content, section, key);
        // The user's own entry wins even when empty; only a missing one falls back.
        if (!found) {
            found = SystemDefault(fileBase, section, key);
        }
        const std::string bytes = found.value_or(std::string());
        value = StoredTextToUtf8(bytes, bytes.size() == IniFile::kMaxValueLength);
        return true;
    } catch (...) {
        return false;
    }
}

bool ProfileWrite(const std::string& fileBase, const std::string& section, const std::string& key,
                  const std::string& value) {
    try {
        const SettingEntry entry{section, key, value};
        return ProfileWriteEntries(fileBase, {&entry, 1});
    } catch (...) {
        return false;
    }
}

bool ProfileWriteEntries(const std::string& fileBase, std::span<const SettingEntry> entries) {
    // A write that fails is the classic store's "Unable to write to <file>": only the flag tells.
    try {
        return WriteProfileEntries(ProfilePath(fileBase), entries);
    } catch (...) {
        return false;
    }
}
