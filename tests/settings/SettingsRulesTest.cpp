#include "settings/SettingsReader.h"
#include "settings/SettingsWriter.h"
#include "tests/support/InMemorySettings.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace std::chrono;
using settings::SettingsWriter;

// What the round and the Lernstand make of the settings: the rows in force, '1' for a row
// practised, then the two switches and the threshold in seconds.
std::string WhatIsRead(const SettingsSource& stored) {
    std::string read;
    for (const bool on : settings::ReadRowsInForce(stored)) {
        read += on ? '1' : '0';
    }
    const settings::LernstandSwitches switches = settings::ReadLernstandSwitches(stored);
    return read + (settings::RecordingOn(stored) ? " recording" : " -") +
           (switches.targeted ? " targeted " : " - ") +
           std::to_string(duration_cast<seconds>(settings::ReadThreshold(stored)).count()) + " s";
}

// The rows section as a file holds it after a write of all twenty, '1' for "on".
std::string RowsSection(const std::string& rows) {
    std::string section = "[Aufgaben]\n";
    for (std::size_t row = 0; row < rows.size(); ++row) {
        section += std::to_string(row + 1) + (rows[row] == '1' ? "=on\n" : "=off\n");
    }
    return section;
}

RowSwitches Rows(const std::string& rows) {
    RowSwitches switches{};
    for (std::size_t row = 0; row < rows.size(); ++row) {
        switches.at(row) = rows[row] == '1';
    }
    return switches;
}

std::string Saved(bool saved) {
    return saved ? "saved" : "not saved";
}

std::string Saved(settings::Switched switched) {
    return Saved(switched.saved) + (switched.otherToo ? ", the other switch too" : "");
}

std::string Saved(const settings::DialogSaved& dialog) {
    return Saved(dialog.saved) + (dialog.noRowChosen ? ", no row chosen" : "");
}

settings::DialogValues Dialog(const std::string& rows, int time, int total, bool timer) {
    return {Rows(rows), time, total, timer};
}

// What a grown-up changes, and what the writer then says.
using Change = std::function<std::string(SettingsWriter&)>;

// The file is only read.
Change Unchanged() {
    return [](SettingsWriter&) { return std::string(); };
}

const std::string kEveryRow(20, '1');
const std::string kNoRow(20, '0');
const std::string kRowOne = "1" + std::string(19, '0');

// What each rule does to the file and what the round and the Lernstand then read from it.
TEST(SettingsRules, AreReadAsWrittenAndWrittenAsTheyTie) {
    const struct {
        const char* name;
        std::string ini;
        Change change;
        bool writable;
        std::string said;
        // Empty: the file stays as it was.
        std::string written;
        int writes;
        std::string read;
    } cases[] = {
        // Reading.
        {"nothing stored", "", Unchanged(), true, "", "", 0, kEveryRow + " - - 3 s"},
        {"an empty row is on, only the exact text on switches on",
         "[Aufgaben]\n1=On\n2=yes\n3=\n20=off\n", Unchanged(), true, "", "", 0,
         "00111111111111111110 - - 3 s"},
        {"every row off: row 1 stands in", RowsSection(kNoRow), Unchanged(), true, "", "", 0,
         kRowOne + " - - 3 s"},
        {"Gezielt without the recording is off", "[Lernstand]\nGezielt=on\n", Unchanged(), true, "",
         "", 0, kEveryRow + " - - 3 s"},
        {"both switches on", "[Lernstand]\nAufzeichnen=on\nGezielt=on\n", Unchanged(), true, "", "",
         0, kEveryRow + " recording targeted 3 s"},
        {"a threshold choice", "[Lernstand]\nSekunden=12\n", Unchanged(), true, "", "", 0,
         kEveryRow + " - - 12 s"},
        {"no choice means 3 s", "[Lernstand]\nSekunden=5\n", Unchanged(), true, "", "", 0,
         kEveryRow + " - - 3 s"},
        {"only the exact text of a choice", "[Lernstand]\nSekunden=06\n", Unchanged(), true, "", "",
         0, kEveryRow + " - - 3 s"},

        // The two switches.
        {"recording on", "", [](SettingsWriter& w) { return Saved(w.SwitchRecording(true)); }, true,
         "saved", "[Lernstand]\nAufzeichnen=on\n", 1, kEveryRow + " recording - 3 s"},
        {"recording off takes Gezielt along", "[Lernstand]\nAufzeichnen=on\nGezielt=on\n",
         [](SettingsWriter& w) { return Saved(w.SwitchRecording(false)); }, true,
         "saved, the other switch too", "[Lernstand]\nAufzeichnen=off\nGezielt=off\n", 1,
         kEveryRow + " - - 3 s"},
        {"recording off without Gezielt", "[Lernstand]\nAufzeichnen=on\n",
         [](SettingsWriter& w) { return Saved(w.SwitchRecording(false)); }, true, "saved",
         "[Lernstand]\nAufzeichnen=off\n", 1, kEveryRow + " - - 3 s"},
        {"Gezielt on takes the recording along", "",
         [](SettingsWriter& w) { return Saved(w.SwitchTargeted(true)); }, true,
         "saved, the other switch too", "[Lernstand]\nGezielt=on\nAufzeichnen=on\n", 1,
         kEveryRow + " recording targeted 3 s"},
        {"Gezielt on while recording", "[Lernstand]\nAufzeichnen=on\n",
         [](SettingsWriter& w) { return Saved(w.SwitchTargeted(true)); }, true, "saved",
         "[Lernstand]\nAufzeichnen=on\nGezielt=on\n", 1, kEveryRow + " recording targeted 3 s"},
        {"Gezielt off keeps the recording", "[Lernstand]\nAufzeichnen=on\nGezielt=on\n",
         [](SettingsWriter& w) { return Saved(w.SwitchTargeted(false)); }, true, "saved",
         "[Lernstand]\nAufzeichnen=on\nGezielt=off\n", 1, kEveryRow + " recording - 3 s"},
        {"Gezielt on, not saved", "",
         [](SettingsWriter& w) { return Saved(w.SwitchTargeted(true)); }, false, "not saved", "", 1,
         kEveryRow + " - - 3 s"},

        // The threshold and the rows.
        {"six seconds", "", [](SettingsWriter& w) { return Saved(w.ChooseThreshold(6s)); }, true,
         "saved", "[Lernstand]\nSekunden=6\n", 1, kEveryRow + " - - 6 s"},
        {"rows switched, all twenty in one write", "[Aufgaben]\n1=on\n",
         [](SettingsWriter& w) { return Saved(w.SwitchRows(Rows("0010001"))); }, true, "saved",
         RowsSection("00100010000000000000"), 1, "00100010000000000000 - - 3 s"},
        {"no row switched: row 1 stands in", "",
         [](SettingsWriter& w) { return Saved(w.SwitchRows({})); }, true, "saved",
         RowsSection(kRowOne), 1, kRowOne + " - - 3 s"},
        {"rows, not saved", RowsSection(kRowOne),
         [](SettingsWriter& w) { return Saved(w.SwitchRows(Rows("01"))); }, false, "not saved", "",
         1, kRowOne + " - - 3 s"},

        // The dialog: each value written on its own, the numbers held within their ranges.
        {"the dialog's values", "",
         [](SettingsWriter& w) { return Saved(w.SaveDialog(Dialog("011", 25, 0, true))); }, true,
         "saved", RowsSection("01100000000000000000") + "[Vorgaben]\nZeit=10\nMenge=1\nTimer=on\n",
         23, "01100000000000000000 - - 3 s"},
        {"the dialog without a row: row 1 is stored after the values", "",
         [](SettingsWriter& w) {
             const std::string said = Saved(w.SaveDialog(Dialog(kNoRow, 0, 500, false)));
             return said + ", then " + Saved(w.SaveStandInRow());
         },
         true, "saved, no row chosen, then saved",
         RowsSection(kRowOne) + "[Vorgaben]\nZeit=1\nMenge=100\nTimer=off\n", 24,
         kRowOne + " - - 3 s"},
        {"the dialog, not saved: nothing tried after the first value", "",
         [](SettingsWriter& w) { return Saved(w.SaveDialog(Dialog(kNoRow, 5, 10, true))); }, false,
         "not saved", "", 1, kEveryRow + " - - 3 s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InMemorySettings stored;
        stored.ini = c.ini;
        stored.failWrites = !c.writable;
        SettingsWriter writer(stored);
        EXPECT_EQ(c.change(writer), c.said);
        EXPECT_EQ(stored.ini, c.written.empty() ? c.ini : c.written);
        EXPECT_EQ(stored.writes, c.writes);
        EXPECT_EQ(WhatIsRead(stored), c.read);
    }
}

} // namespace
