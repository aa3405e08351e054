#include "common/HomeFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

std::filesystem::path HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return home;
    }
    const passwd* user = getpwuid(getuid());
    if (user == nullptr || user->pw_dir == nullptr) {
        throw std::runtime_error("no home folder");
    }
    return user->pw_dir;
}

std::filesystem::path XdgBaseFolder(const char* variable, const std::filesystem::path& belowHome) {
    const char* value = std::getenv(variable);
    return value != nullptr && std::filesystem::path(value).is_absolute()
               ? std::filesystem::path(value)
               : HomeFolder() / belowHome;
}

std::string LoginName() {
    const passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_name != nullptr ? user->pw_name : "";
}
