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

// A class folder's plain files as one listing sorts them, each in the order of the names.
struct ListedFiles {
    std::vector<fs::path> pupils;
    std::vector<fs::path> assignments;
};

ListedFiles ListClassFolder(const fs::path& folder) {
    std::set<fs::path> files;
    std::set<fs::path> assignments;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::error_code error;
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(error)) {
            continue;
        }
        if (class_folder::IsAssignmentName(name)) {
            assignments.insert(entry.path());
        } else if (!name.starts_with(".") && !IsUnfinishedCopy(entry.path())) {
            // A copy may be being written into the folder while it is read.
            files.insert(entry.path());
        }
    }
    ListedFiles listed;
    for (const fs::path& file : files) {
        if (!IsCompanion(file, files)) {
            listed.pupils.push_back(file);
        }
    }
    listed.assignments.assign(assignments.begin(), assignments.end());
    return listed;
}

std::vector<FileLook> LookAt(std::vector<fs::path> files) {
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

std::vector<fs::path> PupilFiles(const fs::path& folder) {
    return ListClassFolder(folder).pupils;
}

std::optional<ClassLook> LookAtClass(const fs::path& folder) {
    ListedFiles listed;
    try {
        listed = ListClassFolder(folder);
    } catch (const fs::filesystem_error&) {
        return std::nullopt;
    }
    return ClassLook{LookAt(std::move(listed.pupils)), LookAt(std::move(listed.assignments))};
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
