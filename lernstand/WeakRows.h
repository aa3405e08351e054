#pragma once

#include "facts/FactTable.h"
#include "settings/SettingsWriter.h"

#include <chrono>
#include <string>
#include <vector>

// The rows, ascending, that hold at least one fact still to practise or not yet sure.
std::vector<int> WeakRows(const FactTable& table, std::chrono::milliseconds threshold);

// What the next round will practise: "Ab der nächsten Runde: Reihen 3, 7 und 8."; without rows,
// that everything practised sits.
std::string WeakRowsText(const std::vector<int>& rows);

struct WeakRowsChoice {
    // False when the settings file could not be written.
    bool saved = true;
    // What the next round will practise, for the user.
    std::string message;
};

// Switches every row on or off as the weak rows say, all twenty in one write, so the drill's next
// round practises just them; with no weak row it writes nothing.
WeakRowsChoice PractiseWeakRows(const FactTable& table, std::chrono::milliseconds threshold,
                                settings::SettingsWriter& settings);
