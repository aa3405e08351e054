#pragma once

#include "settings/SettingsSource.h"

// The settings file "Kalkuno.ini", read anew at every call and written through the store.
class StoredSettings final : public WritableSettings {
public:
    std::string Read(const std::string& section, const std::string& key) const override;
    bool Write(const std::string& section, const std::string& key,
               const std::string& value) override;
    bool Write(std::span<const SettingEntry> entries) override;
};
