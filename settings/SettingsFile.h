#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>

// A settings file as it is on disk.
struct SettingsFile {
    std::string content;
    // Group and mode a replacement takes over; absent while there is no file.
    std::optional<struct stat> status;
};

// The file at path; an empty one without status when there is none. nullopt when it cannot be
// read, is no plain file or is larger than 1 MiB: such a file is no settings file, and refusing
// it keeps it from being overwritten.
std::optional<SettingsFile> LoadSettingsFile(const std::filesystem::path& path);
