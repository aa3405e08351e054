#include "school/HandInPlace.h"

#include "school/ClassFolderNames.h"
#include "school/ClassFolderSetting.h"
#include "settings/SettingsReader.h"

std::optional<HandInPlace> HandInPlaceFor(const SettingsSource& settings,
                                          const std::filesystem::path& journal,
                                          const std::string& login) {
    const std::optional<std::filesystem::path> folder = ClassFolderOf(settings);
    const std::optional<std::string> name = class_folder::HandInName(login);
    if (!folder || !name || !settings::RecordingOn(settings)) {
        return std::nullopt;
    }
    return HandInPlace{journal, *folder / *name};
}
