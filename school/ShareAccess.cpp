#include "school/ShareAccess.h"

#include "settings/Descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

ShareRead DirectShare::Read(const std::filesystem::path& file, std::size_t limit) {
    // Non-blocking, so that a FIFO planted under the name cannot hang the reader.
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return {errno, {}};
    }
    const Descriptor opened(fd);
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        return {errno, {}};
    }
    if (!S_ISREG(status.st_mode)) {
        return {EINVAL, {}};
    }
    ShareRead read;
    read.bytes.resize(limit + 1);
    std::size_t filled = 0;
    while (filled < read.bytes.size()) {
        const ssize_t got = ::read(fd, read.bytes.data() + filled, read.bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return {errno, {}};
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    read.bytes.resize(filled);
    return read;
}

int DirectShare::CheckFolder(const std::filesystem::path& folder) {
    struct stat status {};
    if (stat(folder.c_str(), &status) != 0) {
        return errno;
    }
    return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
}

JournalCopy DirectShare::Copy(const std::filesystem::path& journal,
                              const std::filesystem::path& target) {
    return CopyJournal(journal, target);
}
