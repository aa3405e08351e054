#include "school/ClassFolderSetting.h"

#include "common/HomeFolder.h"
#include "settings/SettingsSchema.h"

#include <cstdlib>

std::optional<std::filesystem::path> ClassFolderOf(const SettingsSource& settings) {
    const std::filesystem::path folder =
        settings.Read(settings::kLernstandSection, settings::kClassFolderKey);
    if (!folder.is_absolute()) {
        return std::nullopt;
    }
    return folder;
}

std::string PupilLogin() {
    const char* user = std::getenv("USER");
    return user != nullptr && *user != '\0' ? user : LoginName();
}
