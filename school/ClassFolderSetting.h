#pragma once

#include "settings/SettingsSource.h"

#include <filesystem>
#include <optional>
#include <string>

// The class folder in the settings, "[Lernstand] Klassenordner", which a school sets for every
// pupil in the system-wide file and a pupil's own file may override. Only an absolute path counts:
// a relative one would name a different folder wherever the drill is started.
std::optional<std::filesystem::path> ClassFolderOf(const SettingsSource& settings);

// The pupil's login, which names the pupil's files in the class folder: USER when it is set, else
// the password database's name; empty when neither names one.
std::string PupilLogin();
