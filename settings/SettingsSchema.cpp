#include "settings/SettingsSchema.h"

namespace settings {

std::string RowKey(int row) {
    return std::to_string(row);
}

} // namespace settings
