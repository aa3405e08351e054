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
