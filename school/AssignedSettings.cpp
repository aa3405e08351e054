#include "school/AssignedSettings.h"

#include "settings/SettingsSchema.h"

#include <optional>

namespace {

// The row whose switch key is given; nullopt for any other key.
std::optional<int> RowOfKey(const std::string& key) {
    for (int row = 1; row <= settings::kRowCount; ++row) {
        if (key == settings::RowKey(row)) {
            return row;
        }
    }
    return std::nullopt;
}

} // namespace

AssignedSettings::AssignedSettings(const SettingsSource& own)
    : own_(own) {}

void AssignedSettings::Use(const Assignment& assignment) {
    assignment_ = assignment;
}

const Assignment& AssignedSettings::InForce() const {
    return assignment_;
}

std::string AssignedSettings::Read(const std::string& section, const std::string& key) const {
    using namespace settings;
    const Assignment& a = assignment_;
    if (section == kRowsSection && a.rows) {
        if (const std::optional<int> row = RowOfKey(key)) {
            return OnOff(RowOn(*a.rows, *row));
        }
    }
    if (section == kDefaultsSection && key == kTotalKey && a.problemTotal) {
        return std::to_string(*a.problemTotal);
    }
    if (section == kLernstandSection && key == kTargetedKey && a.targeted) {
        return OnOff(*a.targeted);
    }
    if (section == kLernstandSection && key == kSecondsKey && a.seconds) {
        return std::to_string(*a.seconds);
    }
    return own_.Read(section, key);
}
