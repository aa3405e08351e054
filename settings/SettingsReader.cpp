#include "settings/SettingsReader.h"

namespace settings {
namespace {

std::string ReadOr(const SettingsSource& source, const std::string& section, const std::string& key,
                   const std::string& emptyDefault) {
    std::string value = source.Read(section, key);
    return value.empty() ? emptyDefault : value;
}

// Only "on" switches on; an absent entry shows the dialog's own default.
bool CheckedOr(const std::string& stored, bool valueIfAbsent) {
    return stored.empty() ? valueIfAbsent : IsOn(stored);
}

// Raises ConversionError for a stored text that is not a number.
int NumberOr(const std::string& stored, int valueIfAbsent) {
    return stored.empty() ? valueIfAbsent : StrToInt(stored);
}

} // namespace

bool IsOn(const std::string& stored) {
    return stored == kOn;
}

RoundSettings ReadRoundSettings(const SettingsSource& source) {
    RoundSettings round;
    round.rows = ReadRowsInForce(source);
    round.stepTenths = StrToInt(ReadOr(source, kDefaultsSection, kTimeKey, round_defaults::kTime));
    round.problemTotal =
        StrToInt(ReadOr(source, kDefaultsSection, kTotalKey, round_defaults::kTotal));
    round.timed = IsOn(ReadOr(source, kDefaultsSection, kTimerKey, round_defaults::kTimer));
    return round;
}

RowSwitches ReadRowsInForce(const SettingsSource& source) {
    RowSwitches on{};
    for (int row = 1; row <= kRowCount; ++row) {
        on.at(static_cast<std::size_t>(row - 1)) =
            IsOn(ReadOr(source, kRowsSection, RowKey(row), round_defaults::kRow));
    }
    return RowsInForce(on);
}

bool RecordingOn(const SettingsSource& source) {
    return IsOn(ReadOr(source, kLernstandSection, kRecordKey, kRecordDefault));
}

LernstandSwitches ReadLernstandSwitches(const SettingsSource& source) {
    LernstandSwitches switches;
    switches.recording = RecordingOn(source);
    switches.targeted = switches.recording &&
                        IsOn(ReadOr(source, kLernstandSection, kTargetedKey, kTargetedDefault));
    return switches;
}

std::chrono::milliseconds ReadThreshold(const SettingsSource& source) {
    const std::string stored = source.Read(kLernstandSection, kSecondsKey);
    for (const int choice : kThresholdChoices) {
        if (stored == std::to_string(choice)) {
            return std::chrono::seconds(choice);
        }
    }
    return std::chrono::seconds(kThresholdDefault);
}

DialogSettings ReadDialogSettings(const SettingsSource& source) {
    namespace defaults = dialog_defaults;
    DialogSettings dialog;
    for (int row = 1; row <= kRowCount; ++row) {
        dialog.rowsChecked.at(static_cast<std::size_t>(row - 1)) =
            CheckedOr(source.Read(kRowsSection, RowKey(row)), defaults::kRowChecked);
    }
    try {
        dialog.time = NumberOr(source.Read(kDefaultsSection, kTimeKey), defaults::kTime);
        dialog.total = NumberOr(source.Read(kDefaultsSection, kTotalKey), defaults::kTotal);
    } catch (const ConversionError& error) {
        dialog.failure = error;
        return dialog;
    }
    dialog.timer = CheckedOr(source.Read(kDefaultsSection, kTimerKey), defaults::kTimer);
    return dialog;
}

} // namespace settings
