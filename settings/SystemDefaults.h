#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Classroom defaults: an administrator's "<fileBase>.ini" in the system configuration folders
// presets entries for every user of the machine. These files are only ever read.

// The folders of $XDG_CONFIG_DIRS (colon-separated, most important first), or /etc/xdg when it
// is unset or empty. Relative entries are ignored, as the XDG base directory rules demand.
std::vector<std::filesystem::path> SystemConfigFolders();

// The value of key in section from the first system file that holds that entry; nullopt when
// none does. Files that are missing, unreadable or no settings file count as holding nothing.
std::optional<std::string> SystemDefault(const std::string& fileBase, const std::string& section,
                                         const std::string& key);
