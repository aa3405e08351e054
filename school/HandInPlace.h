#pragma once

#include "settings/SettingsSource.h"

#include <filesystem>
#include <optional>
#include <string>

// Where a hand-in copies from and to.
struct HandInPlace {
    std::filesystem::path journal;
    // "Lernstand-<login>.sqlite" in the class folder.
    std::filesystem::path target;

    bool operator==(const HandInPlace&) const = default;
};

// The hand-in after a round: only while the settings name a class folder and the drill records,
// and only for a login that can name a file; nullopt otherwise.
std::optional<HandInPlace> HandInPlaceFor(const SettingsSource& settings,
                                          const std::filesystem::path& journal,
                                          const std::string& login);
