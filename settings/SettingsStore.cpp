#include "settings/SettingsStore.h"

#include "common/HomeFolder.h"
#include "settings/IniFile.h"
#include "settings/SystemDefaults.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Larger files are not settings files; refusing them keeps a wrong file from being overwritten.
constexpr std::size_t kMaxFileSize = 1024 * 1024;

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    // Closing can report a late write error, so the caller must see it.
    bool Close() { return close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// The file's bytes, the empty text for a missing file; nullopt when it cannot be read or is no
// settings file.
std::optional<std::string> LoadProfile(const fs::path& path) {
    // Non-blocking, so a FIFO in the file's place cannot hang the program.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    }
    const Descriptor file(fd);
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    std::string content;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got == 0) {
            return content;
        }
        if (got < 0 && errno != EINTR) {
            return std::nullopt;
        }
        if (got > 0) {
            content.append(buffer, static_cast<std::size_t>(got));
        }
        if (content.size() > kMaxFileSize) {
            return std::nullopt;
        }
    }
}

// Permission bits for the replacement: the old file's, else what creating a file would give.
mode_t ModeForReplacement(const fs::path& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) == 0) {
        return status.st_mode & 07777u;
    }
    // The umask can only be read by setting it.
    const mode_t mask = umask(0);
    umask(mask);
    return 0666u & ~mask;
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void SyncFolder(const fs::path& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        const Descriptor directory(fd);
        fsync(fd);
    }
}

// Beside "Kalkuno.ini" stand its lock file ".Kalkuno.ini.lock" and, during a save, a temporary
// copy ".Kalkuno.ini." followed by the six letters or digits mkstemp puts for kTemporaryPattern.
constexpr std::string_view kTemporaryPattern = "XXXXXX";

std::string CompanionPrefix(const fs::path& path) {
    return "." + path.filename().string() + ".";
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
    const std::string prefix = CompanionPrefix(path);
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
        : path_(path.parent_path() / (CompanionPrefix(path) + "lock")) {}
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
bool ReplaceProfile(const fs::path& path, std::string_view content) {
    std::string temporary =
        (path.parent_path() / (CompanionPrefix(path) + std::string(kTemporaryPattern))).string();
    const mode_t mode = ModeForReplacement(path);
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    Descriptor file(fd);
    const bool replaced = fchmod(fd, mode) == 0 && WriteAll(fd, content) && fsync(fd) == 0 &&
                          file.Close() && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!replaced) {
        unlink(temporary.c_str());
        return false;
    }
    // The new file is in place already; a failed folder sync could not undo that.
    SyncFolder(path.parent_path());
    return true;
}

bool WriteProfileString(const fs::path& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (error) {
        return false;
    }
    WriterLock lock(path);
    if (!lock.Acquire()) {
        return false;
    }
    RemoveStaleCopies(path);
    const std::optional<std::string> old = LoadProfile(path);
    if (!old) {
        return false;
    }
    const std::optional<std::string> updated = IniFile::WriteValue(*old, section, key, value);
    if (!updated) {
        return false;
    }
    return *updated == *old || ReplaceProfile(path, *updated);
}

} // namespace

fs::path ProfilePath(const std::string& fileBase) {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const fs::path folder = configHome != nullptr && fs::path(configHome).is_absolute()
                                ? fs::path(configHome)
                                : HomeFolder() / ".config";
    return folder / (fileBase + ".ini");
}

bool ProfileRead(const std::string& fileBase, const std::string& section, const std::string& key,
                 std::string& value) {
    try {
        const std::optional<std::string> content = LoadProfile(ProfilePath(fileBase));
        if (!content) {
            return false;
        }
        std::optional<std::string> found = IniFile::ReadValue(*content, section, key);
        // The user's own entry wins even when empty; only a missing one falls back.
        if (!found) {
            found = SystemDefault(fileBase, section, key);
        }
        value = found.value_or(std::string());
        return true;
    } catch (...) {
        return false;
    }
}

bool ProfileWrite(const std::string& fileBase, const std::string& section, const std::string& key,
                  const std::string& value) {
    try {
        if (!WriteProfileString(ProfilePath(fileBase), section, key, value)) {
            throw std::runtime_error("Unable to write to " + fileBase + ".ini");
        }
        return true;
    } catch (...) {
        return false;
    }
}
