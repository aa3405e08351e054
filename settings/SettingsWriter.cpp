#include "settings/SettingsWriter.h"

#include "settings/SettingsReader.h"

#include <algorithm>
#include <string>
#include <vector>

namespace settings {
namespace {

SettingEntry RowEntry(int row, bool on) {
    return {kRowsSection, RowKey(row), OnOff(on)};
}

SettingEntry LernstandSwitch(const std::string& key, bool on) {
    return {kLernstandSection, key, OnOff(on)};
}

SettingEntry Number(const std::string& key, int value, Range range) {
    return {kDefaultsSection, key, std::to_string(std::clamp(value, range.lowest, range.highest))};
}

} // namespace

SettingsWriter::SettingsWriter(WritableSettings& settings)
    : settings_(settings) {}

Switched SettingsWriter::SwitchRecording(bool on) {
    const bool targetedToo = !on && ReadLernstandSwitches(settings_).targeted;
    std::vector<SettingEntry> entries{LernstandSwitch(kRecordKey, on)};
    if (targetedToo) {
        entries.push_back(LernstandSwitch(kTargetedKey, false));
    }
    const bool saved = settings_.Write(entries);
    return {saved, saved && targetedToo};
}

Switched SettingsWriter::SwitchTargeted(bool on) {
    const bool recordingToo = on && !RecordingOn(settings_);
    std::vector<SettingEntry> entries{LernstandSwitch(kTargetedKey, on)};
    if (recordingToo) {
        entries.push_back(LernstandSwitch(kRecordKey, true));
    }
    const bool saved = settings_.Write(entries);
    return {saved, saved && recordingToo};
}

bool SettingsWriter::ChooseThreshold(std::chrono::seconds threshold) {
    return settings_.Write(kLernstandSection, kSecondsKey, std::to_string(threshold.count()));
}

bool SettingsWriter::SwitchRows(const RowSwitches& rows) {
    const RowSwitches inForce = RowsInForce(rows);
    std::vector<SettingEntry> entries;
    for (int row = 1; row <= kRowCount; ++row) {
        entries.push_back(RowEntry(row, RowOn(inForce, row)));
    }
    return settings_.Write(entries);
}

DialogSaved SettingsWriter::SaveDialog(const DialogValues& values) {
    std::vector<SettingEntry> entries;
    for (int row = 1; row <= kRowCount; ++row) {
        entries.push_back(RowEntry(row, RowOn(values.rowsChecked, row)));
    }
    entries.push_back(Number(kTimeKey, values.time, kTimeRange));
    entries.push_back(Number(kTotalKey, values.total, kTotalRange));
    entries.push_back({kDefaultsSection, kTimerKey, OnOff(values.timer)});
    if (!WriteEach(entries)) {
        return {false, false};
    }
    return {true, RowsInForce(values.rowsChecked) != values.rowsChecked};
}

bool SettingsWriter::SaveStandInRow() {
    const RowSwitches standIn = RowsInForce({});
    std::vector<SettingEntry> entries;
    for (int row = 1; row <= kRowCount; ++row) {
        if (RowOn(standIn, row)) {
            entries.push_back(RowEntry(row, true));
        }
    }
    return WriteEach(entries);
}

bool SettingsWriter::WriteEach(std::span<const SettingEntry> entries) {
    return std::all_of(entries.begin(), entries.end(), [this](const SettingEntry& entry) {
        return settings_.Write(entry.section, entry.key, entry.value);
    });
}

} // namespace settings
