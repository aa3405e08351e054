#include "school/FolderLook.h"

#include "journal/JournalCopy.h"
#include "school/ClassFolderNames.h"

#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// The log, index or rollback journal SQLite keeps beside a database of the folder.
bool IsCompanion(const fs::path& file, const std::set<fs::path>& files) {
    const std::string name = file.string();
    for (const std::string_view suffix : {"-wal", "-shm", "-journal"}) {
        if (name.ends_with(suffix) &&
            files.count(fs::path(name.substr(0, name.size() - suffix.size()))) != 0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<fs::path> PupilFiles(const fs::path& folder) {
    std::set<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::error_code error;
        const std::string name = entry.path().filename().string();
        // A copy may be being written into the folder while it is read.
        if (entry.is_regular_file(error) && !name.starts_with(".") &&
            !IsUnfinishedCopy(entry.path()) && !class_folder::IsAssignmentName(name)) {
            files.insert(entry.path());
        }
    }
    std::vector<fs::path> pupils;
    for (const fs::path& file : files) {
        if (!IsCompanion(file, files)) {
            pupils.push_back(file);
        }
    }
    return pupils;
}

namespace {

// The assignments among the folder's plain files, in the order of their names.
std::vector<fs::path> AssignmentFiles(const fs::path& folder) {
    std::set<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::error_code error;
        if (entry.is_regular_file(error) &&
            class_folder::IsAssignmentName(entry.path().filename().string())) {
            files.insert(entry.path());
        }
    }
    return {files.begin(), files.end()};
}

// The files listed by list; nullopt when the folder cannot be listed.
std::optional<std::vector<FileLook>> Look(const fs::path& folder,
                                          std::vector<fs::path> (*list)(const fs::path&)) {
    std::vector<fs::path> files;
    try {
        files = list(folder);
    } catch (const fs::filesystem_error&) {
        return std::nullopt;
    }
    std::vector<FileLook> looks;
    looks.reserve(files.size());
    for (fs::path& file : files) {
        struct stat status {};
        if (stat(file.c_str(), &status) != 0) {
            continue;
        }
        looks.push_back(
            {std::move(file), static_cast<std::uintmax_t>(status.st_size),
             std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec,
             status.st_dev, status.st_ino});
    }
    return looks;
}

} // namespace

std::optional<std::vector<FileLook>> LookAtFolder(const fs::path& folder) {
    return Look(folder, PupilFiles);
}

std::optional<std::vector<FileLook>> LookAtAssignments(const fs::path& folder) {
    return Look(folder, AssignmentFiles);
}

bool FolderChanges::None() const {
    return added.empty() && changed.empty() && removed.empty();
}

FolderChanges CompareLooks(const std::vector<FileLook>& before,
                           const std::vector<FileLook>& after) {
    FolderChanges changes;
    auto old = before.begin();
    auto now = after.begin();
    while (old != before.end() || now != after.end()) {
        if (now == after.end() || (old != before.end() && old->file < now->file)) {
            changes.removed.push_back((old++)->file);
        } else if (old == before.end() || now->file < old->file) {
            changes.added.push_back((now++)->file);
        } else {
            if (*old != *now) {
                changes.changed.push_back(now->file);
            }
            ++old;
            ++now;
        }
    }
    return changes;
}
