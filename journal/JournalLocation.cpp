#include "journal/JournalLocation.h"

#include "common/HomeFolder.h"

namespace fs = std::filesystem;

fs::path JournalPath() {
    return XdgBaseFolder("XDG_DATA_HOME", fs::path(".local") / "share") / "Kalkuno" /
           "Lernstand.sqlite";
}
