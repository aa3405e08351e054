#include "settings/StoredSettings.h"

#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"

std::string StoredSettings::Read(const std::string& section, const std::string& key) const {
    // A failed read leaves the value empty, which reads as absent.
    std::string value;
    ProfileRead(settings::kFileBase, section, key, value);
    return value;
}

bool StoredSettings::Write(const std::string& section, const std::string& key,
                           const std::string& value) {
    return ProfileWrite(settings::kFileBase, section, key, value);
}

bool StoredSettings::Write(std::span<const SettingEntry> entries) {
    return ProfileWriteEntries(settings::kFileBase, entries);
}
