#include "school/FolderLook.h"

#include "lernstand/ClassFolder.h"
#include "school/ClassFolderNames.h"

#include <algorithm>
#include <sys/stat.h>

namespace fs = std::filesystem;

std::vector<fs::path> PupilFiles(const fs::path& folder) {
    std::vector<fs::path> files = CandidateFiles(folder);
    std::erase_if(files, [](const fs::path& file) {
        const std::string name = file.filename().string();
        return class_folder::IsAssignmentName(name) || class_folder::IsCopyInProgress(name);
    });
    return files;
}

std::optional<std::vector<FileLook>> LookAtFolder(const fs::path& folder) {
    std::vector<fs::path> files;
    try {
        files = PupilFiles(folder);
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
