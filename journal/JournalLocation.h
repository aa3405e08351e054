#pragma once

#include <filesystem>

// Where the journal lives: "Lernstand.sqlite" in "Kalkuno" under the user's data folder
// ($XDG_DATA_HOME when it is an absolute path, else ~/.local/share). Throws std::runtime_error
// when there is no home folder to fall back on.
std::filesystem::path JournalPath();
