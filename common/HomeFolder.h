#pragma once

#include <filesystem>

// The user's home folder: $HOME, else the password database's entry. Throws std::runtime_error
// when neither names one.
std::filesystem::path HomeFolder();
