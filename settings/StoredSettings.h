#pragma once

#include "settings/SettingsSource.h"

// The settings file "Kalkuno.ini", read anew at every call.
class StoredSettings final : public SettingsSource {
public:
    std::string Read(const std::string& section, const std::string& key) const override;
};
