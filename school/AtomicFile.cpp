#include "school/AtomicFile.h"

#include "common/FileWrites.h"
#include "settings/Descriptor.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kReadableByAll = 0644;

std::error_code LastError() {
    return {errno, std::generic_category()};
}

} // namespace

std::error_code WriteFileAtomically(const std::filesystem::path& file, std::string_view content) {
    const std::filesystem::path folder = file.parent_path();
    // Hidden, so that a class window never takes it for a pupil's file.
    std::string temporary =
        (folder / ("." + file.filename().string() + ".unfertig-XXXXXX")).string();
    // mkostemp creates the name exclusively, so a link there is never followed.
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return LastError();
    }
    Descriptor written(fd);
    // A share or stick formatted for Windows keeps no such bits, which is no failure.
    fchmod(fd, kReadableByAll);
    const bool done = WriteAll(fd, content) && fsync(fd) == 0 && written.Close() &&
                      std::rename(temporary.c_str(), file.c_str()) == 0;
    if (!done) {
        const std::error_code error = LastError();
        unlink(temporary.c_str());
        return error;
    }
    SyncFolder(folder);
    return {};
}
