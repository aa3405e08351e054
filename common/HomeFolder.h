#pragma once

#include <filesystem>
#include <string>

// The user's home folder: $HOME, else the password database's entry. Throws std::runtime_error
// when neither names one.
std::filesystem::path HomeFolder();

// A base folder of the desktop's conventions: the variable's value when it is an absolute path,
// else belowHome in the home folder (XDG_CONFIG_HOME, ".config").
std::filesystem::path XdgBaseFolder(const char* variable, const std::filesystem::path& belowHome);

// The user's login name from the password database; empty when it has none.
std::string LoginName();
