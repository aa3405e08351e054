#include "settings/SystemDefaults.h"

#include "settings/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The same bound the user's file has: anything larger is no settings file.
constexpr std::uintmax_t kMaxFileSize = 1024 * 1024;

std::optional<std::string> LoadSystemFile(const fs::path& path) {
    std::error_code error;
    // Only plain files: a FIFO in the file's place would block the read.
    if (!fs::is_regular_file(path, error) || fs::file_size(path, error) > kMaxFileSize) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return content;
}

} // namespace

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
        const std::optional<std::string> content = LoadSystemFile(folder / (fileBase + ".ini"));
        if (!content) {
            continue;
        }
        std::optional<std::string> value = IniFile::ReadValue(*content, section, key);
        if (value) {
            return value;
        }
    }
    return std::nullopt;
}
