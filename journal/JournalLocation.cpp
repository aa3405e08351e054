#include "journal/JournalLocation.h"

#include "common/HomeFolder.h"

#include <cstdlib>

namespace fs = std::filesystem;

fs::path JournalPath() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const fs::path folder = dataHome != nullptr && fs::path(dataHome).is_absolute()
                                ? fs::path(dataHome)
                                : HomeFolder() / ".local" / "share";
    return folder / "Kalkuno" / "Lernstand.sqlite";
}
