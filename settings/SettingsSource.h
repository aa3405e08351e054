#pragma once

#include <span>
#include <string>

// Where the program reads its settings from: the settings file in the program, a text in tests.
class SettingsSource {
public:
    virtual ~SettingsSource() = default;

    // The stored text of key in section; empty when nothing is stored or the file is unreadable.
    virtual std::string Read(const std::string& section, const std::string& key) const = 0;
};

// One entry of the settings file.
struct SettingEntry {
    std::string section;
    std::string key;
    std::string value;
};

// Settings the program may also change. A write that fails leaves the settings as they were.
class WritableSettings : public SettingsSource {
public:
    // False when the entry could not be stored.
    virtual bool Write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    // All entries or none: false, with nothing changed, when they could not all be stored.
    virtual bool Write(std::span<const SettingEntry> entries) = 0;
};
