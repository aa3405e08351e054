#pragma once

#include "settings/SettingsSource.h"

#include <filesystem>
#include <span>
#include <string>

// Stateless access to "<fileBase>.ini" in the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config). Every call opens the file anew.

// Stores the value of key in section into value and returns true. An entry the user's file does
// not hold comes from the classroom defaults (SystemDefault), else reads as the empty text.
// Returns false and leaves value unchanged when the user's file cannot be read.
bool ProfileRead(const std::string& fileBase, const std::string& section, const std::string& key,
                 std::string& value);

// Replaces or adds one entry, creating folder, file and section as needed, and leaves every other
// byte of the file as it was. The file is replaced atomically, under an exclusive lock so that two
// running copies of the program never lose each other's entries; on failure it stays untouched and
// the call returns false.
bool ProfileWrite(const std::string& fileBase, const std::string& section, const std::string& key,
                  const std::string& value);

// The same for several entries in one replacement of the file: all of them are stored, or none.
bool ProfileWriteEntries(const std::string& fileBase, std::span<const SettingEntry> entries);

// Where "<fileBase>.ini" lives.
std::filesystem::path ProfilePath(const std::string& fileBase);
