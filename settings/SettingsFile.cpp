#include "settings/SettingsFile.h"

#include "settings/Descriptor.h"

#include <cerrno>
#include <fcntl.h>

namespace {

constexpr std::size_t kMaxFileSize = 1024 * 1024;

} // namespace

std::optional<SettingsFile> LoadSettingsFile(const std::filesystem::path& path) {
    // Non-blocking, so a FIFO in the file's place cannot hang the program.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno == ENOENT ? std::optional<SettingsFile>(SettingsFile{}) : std::nullopt;
    }
    const Descriptor file(fd);
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    SettingsFile loaded{{}, status};
    std::string& content = loaded.content;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got == 0) {
            return loaded;
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
