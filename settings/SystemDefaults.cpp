#include "settings/SystemDefaults.h"

#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

#include <cstdlib>
#include <string_view>

namespace fs = std::filesystem;

std::vector<fs::path> SystemConfigFolders() {
    const char* variable = std::getenv("XDG_CONFIG_DIRS");
    if (variable == nullptr || *variable == '\0') {
        return {"/etc/xdg"};
    }
    std::vector<fs::path> folders;
    std::string_view rest(variable);
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const fs::path folder(rest.substr(0, colon));
        if (folder.is_absolute()) {
            folders.push_back(folder);
        }
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return folders;
}

std::optional<std::string> SystemDefault(const std::string& fileBase, const std::string& section,
                                         const std::string& key) {
    for (const fs::path& folder : SystemConfigFolders()) {
        const std::optional<SettingsFile> file = LoadSettingsFile(folder / (fileBase + ".ini"));
        if (!file) {
            continue;
        }
        std::optional<std::string> value = IniFile::ReadValue(file->content, section, key);
        if (value) {
            return value;
        }
    }
    return std::nullopt;
}
