#pragma once

#include "settings/IniFile.h"
#include "settings/SettingsSource.h"

#include <string>

// Settings read from the text of a settings file held in memory: engine tests need no folder.
class InMemorySettings final : public SettingsSource {
public:
    std::string Read(const std::string& section, const std::string& key) const override {
        return IniFile::ReadValue(ini, section, key).value_or(std::string());
    }

    // The whole file, as it would be on disk.
    std::string ini;
};
