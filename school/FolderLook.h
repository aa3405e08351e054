#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// A cheap look at a class folder: network shares do not report what other computers change, so a
// class window looks at the pupils' files from time to time and reads only those that changed.

// A class folder's files that may be pupils' journals: every plain file but hidden ones, the log
// and index SQLite keeps beside a database, the assignments and the copies still being written,
// which are no pupil's and would show as unreadable for a moment. Throws
// std::filesystem::filesystem_error when the folder cannot be listed, a stick pulled say.
std::vector<std::filesystem::path> PupilFiles(const std::filesystem::path& folder);

// What the folder told about one file. A copy renamed into place is a new file, so the
// identity tells it apart even where size and time stay the same.
struct FileLook {
    std::filesystem::path file;
    std::uintmax_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::uintmax_t device = 0;
    std::uintmax_t inode = 0;

    bool operator==(const FileLook&) const = default;
};

// One look at a class folder's files, from one listing, each kind in the order of the names. A
// file gone between listing and looking is left out.
struct ClassLook {
    std::vector<FileLook> pupils;
    // "Auftrag.ini" and every "Auftrag-<login>.ini", so that a class window reads them only when
    // they changed.
    std::vector<FileLook> assignments;

    bool operator==(const ClassLook&) const = default;
};

// nullopt when the folder cannot be listed, a share gone say.
std::optional<ClassLook> LookAtClass(const std::filesystem::path& folder);

// The files that came, changed or went from one look to the next, each in name order.
struct FolderChanges {
    std::vector<std::filesystem::path> added;
    std::vector<std::filesystem::path> changed;
    std::vector<std::filesystem::path> removed;

    bool None() const;
    bool operator==(const FolderChanges&) const = default;
};

FolderChanges CompareLooks(const std::vector<FileLook>& before, const std::vector<FileLook>& after);
