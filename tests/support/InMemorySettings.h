#pragma once

#include "settings/IniFile.h"
#include "settings/SettingsSource.h"

#include <string>

// Settings held as the text of a settings file in memory: tests of the engine and the windows
// need no folder. Writes change the text, unless they are told to fail.
class InMemorySettings final : public WritableSettings {
public:
    std::string Read(const std::string& section, const std::string& key) const override {
        return IniFile::ReadValue(ini, section, key).value_or(std::string());
    }

    bool Write(const std::string& section, const std::string& key,
               const std::string& value) override {
        const SettingEntry entry{section, key, value};
        return Write({&entry, 1});
    }

    bool Write(std::span<const SettingEntry> entries) override {
        ++writes;
        if (failWrites) {
            return false;
        }
        for (const SettingEntry& entry : entries) {
            ini = IniFile::WriteValue(ini, entry.section, entry.key, entry.value).value();
        }
        return true;
    }

    // The whole file, as it would be on disk.
    std::string ini;
    bool failWrites = false;
    // Calls of Write, a multi-entry write counting once.
    int writes = 0;
};
