#pragma once

#include <string>

// Where a round reads its settings from: the settings file in the program, a text in tests.
class SettingsSource {
public:
    virtual ~SettingsSource() = default;

    // The stored text of key in section; empty when nothing is stored or the file is unreadable.
    virtual std::string Read(const std::string& section, const std::string& key) const = 0;
};
