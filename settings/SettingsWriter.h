#pragma once

#include "facts/RowsInForce.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsSource.h"

#include <chrono>
#include <span>

// Every change the program makes to the settings, beside the reader, with the rules that tie
// entries together: "Gezielt üben" needs the recording, a round needs a row, the dialog stores its
// numbers within their ranges. A write that fails leaves the settings as they were.
namespace settings {

// What switching "Aufzeichnen" or "Gezielt üben" wrote.
struct Switched {
    // False when nothing could be stored.
    bool saved = false;
    // The other switch had to go along and did, in the same write.
    bool otherToo = false;
};

// What the settings dialog holds when "Speichern" is pressed.
struct DialogValues {
    RowSwitches rowsChecked{};
    int time = 0;
    int total = 0;
    bool timer = false;
};

// How saving the dialog went.
struct DialogSaved {
    // False as soon as one value could not be stored; the later ones are then not tried.
    bool saved = false;
    // Every value was stored, but no row was chosen: the row that stands in is still to be stored.
    bool noRowChosen = false;
};

class SettingsWriter {
public:
    // The settings outlive the writer.
    explicit SettingsWriter(WritableSettings& settings);

    // Switching the recording off switches "Gezielt üben" off too: without new answers its plan
    // would stand still.
    Switched SwitchRecording(bool on);
    // Switching "Gezielt üben" on switches the recording on too.
    Switched SwitchTargeted(bool on);
    // threshold is one of kThresholdChoices.
    bool ChooseThreshold(std::chrono::seconds threshold);
    // Exactly the rows switched on, all twenty in one write; with none, the row that stands in.
    bool SwitchRows(const RowSwitches& rows);

    // Each value with a store call of its own, in the order the dialog always wrote them: the
    // rows, "Zeit" and "Menge" held within their ranges, "Timer".
    DialogSaved SaveDialog(const DialogValues& values);
    // After the dialog was saved without a row, once the grown-up was told: the row that stands
    // in, with a store call of its own.
    bool SaveStandInRow();

private:
    // One store call for each entry, in order, until one fails.
    bool WriteEach(std::span<const SettingEntry> entries);

    WritableSettings& settings_;
};

} // namespace settings
