#pragma once

#include "common/IntegerConversion.h"
#include "facts/RowsInForce.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsSource.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

// The stored texts turned into what the round, the settings dialog and the Lernstand use. Every
// function reads its entries anew from the source, in the order given.
namespace settings {

// Only this exact text switches something on; anything else, "On" included, is off.
bool IsOn(const std::string& stored);

// What a round starts with.
struct RoundSettings {
    RowSwitches rows{};
    // Tenths of a second per time-bar step, used as stored.
    std::int32_t stepTenths = 0;
    std::int32_t problemTotal = 0;
    // Timed mode is "on".
    bool timed = false;
};

// The rows in force, then "Zeit", "Menge" and "Timer"; an absent or empty entry takes the round's
// default. A "Zeit" or "Menge" that is no number raises ConversionError, "Zeit" first.
RoundSettings ReadRoundSettings(const SettingsSource& source);

// The rows a round practises: an absent or empty entry counts as on, and with every row off
// row 1 stands in.
RowSwitches ReadRowsInForce(const SettingsSource& source);

// The drill records every answer for the Lernstand.
bool RecordingOn(const SettingsSource& source);

// Both switches of the journal, each entry read once. "Gezielt üben" (rounds practise what the
// journal says the child needs) is on only while the drill records, since without new answers the
// plan would stand still.
struct LernstandSwitches {
    bool recording = false;
    bool targeted = false;
};
LernstandSwitches ReadLernstandSwitches(const SettingsSource& source);

// How fast a right answer must be for a fact to sit: one of the threshold choices as its decimal
// text, else the default.
std::chrono::milliseconds ReadThreshold(const SettingsSource& source);

// What the settings dialog opens with: rows 1 to 20, "Zeit", "Menge" and "Timer", each with the
// dialog's own default when absent or empty. A "Zeit" or "Menge" that is no number stops the
// reading there: what follows stays unset and failure holds the conversion error.
struct DialogSettings {
    std::array<bool, kRowCount> rowsChecked{};
    std::optional<int> time;
    std::optional<int> total;
    std::optional<bool> timer;
    std::optional<ConversionError> failure;
};
DialogSettings ReadDialogSettings(const SettingsSource& source);

} // namespace settings
