#pragma once

#include "facts/Fact.h"

#include <string>

// Every entry of the settings file "Kalkuno.ini", declared once with its defaults. No other
// file spells a section or key name.
namespace settings {

inline const std::string kFileBase = "Kalkuno";

// Only this exact text switches a row, the clock or the recording on.
inline const std::string kOn = "on";
inline const std::string kOff = "off";
inline const std::string& OnOff(bool on) {
    return on ? kOn : kOff;
}

// [Aufgaben], keys "1" to "20": multiplication row n is practised.
inline const std::string kRowsSection = "Aufgaben";
inline constexpr int kRowCount = kRows;
std::string RowKey(int row);

// [Vorgaben]
inline const std::string kDefaultsSection = "Vorgaben";
// Length of one time-bar step in tenths of a second.
inline const std::string kTimeKey = "Zeit";
// Problems per round.
inline const std::string kTotalKey = "Menge";
// Each problem runs against the clock.
inline const std::string kTimerKey = "Timer";

struct Range {
    int lowest;
    int highest;
};
// What the settings dialog stores; a round uses whatever number it finds.
inline constexpr Range kTimeRange{1, 10};
inline constexpr Range kTotalRange{1, 100};

// The two sets of defaults differ by design and must stay so: a child who never opened the
// settings practises every row, 10 problems of 0.5 s steps against the clock, while the dialog
// opens on a blank form (no row, the longest time, 5 problems, no clock) for the grown-up to fill.
namespace round_defaults {
inline const std::string kRow = kOn;
inline const std::string kTime = "5";
inline const std::string kTotal = "10";
inline const std::string kTimer = kOn;
} // namespace round_defaults

namespace dialog_defaults {
inline constexpr bool kRowChecked = false;
inline constexpr int kTime = 10;
inline constexpr int kTotal = 5;
inline constexpr bool kTimer = false;
} // namespace dialog_defaults

// [Lernstand]: the answer journal for parents and teachers; off unless switched on.
inline const std::string kLernstandSection = "Lernstand";
// "on": every answer of a round is recorded.
inline const std::string kRecordKey = "Aufzeichnen";
inline const std::string kRecordDefault = kOff;
// "on": a round that records practises the facts the journal says the child needs.
inline const std::string kTargetedKey = "Gezielt";
inline const std::string kTargetedDefault = kOff;
// How fast a right answer must be for a fact to count as sitting, one of the threshold choices
// in seconds.
inline const std::string kSecondsKey = "Sekunden";
// A grown-up chooses among these seconds, children who type slowly get more.
inline constexpr int kThresholdChoices[] = {3, 6, 12};
inline constexpr int kThresholdDefault = 3;
// The absolute path of the class folder on the school's share: the drill hands the child's copy
// in there after every round and reads the teacher's assignment from it. Unset by default.
inline const std::string kClassFolderKey = "Klassenordner";

} // namespace settings
