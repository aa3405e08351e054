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

// What a grown-up changes, and what the writer then says.
using Change = std::function<std::string(SettingsWriter&)>;

Change Recording(bool on) {
    return [on](SettingsWriter& w) { return Saved(w.SwitchRecording(on)); };
}

Change Targeted(bool on) {
    return [on](SettingsWriter& w) { return Saved(w.SwitchTargeted(on)); };
}

Change SwitchedRows(const std::string& rows) {
    return [rows](SettingsWriter& w) { return Saved(w.SwitchRows(Rows(rows))); };
}

// The dialog's OK, then the row that stands in when the dialog says none was chosen.
Change Dialog(const std::string& rows, int time, int total, bool timer) {
    return [=](SettingsWriter& w) {
        const settings::DialogSaved saved = w.SaveDialog({Rows(rows), time, total, timer});
        return Saved(saved) + (saved.noRowChosen ? ", then " + Saved(w.SaveStandInRow()) : "");
    };
}

const std::string kEveryRow(20, '1');
const std::string kNoRow(20, '0');
const std::string kRowOne = "1" + std::string(19, '0');

// What each rule does to the file and what the round and the Lernstand then read from it.
TEST(SettingsRules, AreReadAsWrittenAndWrittenAsTheyTie) {
    const struct {
        const char* name;
        std::string ini;
        std::string read;
        // Nothing: the file is only read.
        Change change = [](SettingsWriter&) { return std::string(); };
        std::string said = "";
        // Empty: the file stays as it was.
        std::string written = "";
        int writes = 0;
        bool writable = true;
    } cases[] = {
        // Reading.
        {"nothing stored", "", kEveryRow + " - - 3 s"},
        {"an empty row is on, only the exact text on switches on",
         "[Aufgaben]\n1=On\n2=yes\n3=\n20=off\n", "00111111111111111110 - - 3 s"},
        {"every row off: row 1 stands in", RowsSection(kNoRow), kRowOne + " - - 3 s"},
        {"Gezielt without the recording is off", "[Lernstand]\nGezielt=on\n",
         kEveryRow + " - - 3 s"},
        {"both switches on", "[Lernstand]\nAufzeichnen=on\nGezielt=on\n",
         kEveryRow + " recording targeted 3 s"},
        {"a threshold choice", "[Lernstand]\nSekunden=12\n", kEveryRow + " - - 12 s"},
        {"no choice means 3 s", "[Lernstand]\nSekunden=5\n", kEveryRow + " - - 3 s"},
        {"only the exact text of a choice", "[Lernstand]\nSekunden=06\n", kEveryRow + " - - 3 s"},

        // The two switches.
        {"recording on", "", kEveryRow + " recording - 3 s", Recording(true), "saved",
         "[Lernstand]\nAufzeichnen=on\n", 1},
        {"recording off takes Gezielt along", "[Lernstand]\nAufzeichnen=on\nGezielt=on\n",
         kEveryRow + " - - 3 s", Recording(false), "saved, the other switch too",
         "[Lernstand]\nAufzeichnen=off\nGezielt=off\n", 1},
        {"recording off without Gezielt", "[Lernstand]\nAufzeichnen=on\n", kEveryRow + " - - 3 s",
         Recording(false), "saved", "[Lernstand]\nAufzeichnen=off\n", 1},
        {"Gezielt on takes the recording along", "", kEveryRow + " recording targeted 3 s",
         Targeted(true), "saved, the other switch too", "[Lernstand]\nGezielt=on\nAufzeichnen=on\n",
         1},
        {"Gezielt on while recording", "[Lernstand]\nAufzeichnen=on\n",
         kEveryRow + " recording targeted 3 s", Targeted(true), "saved",
         "[Lernstand]\nAufzeichnen=on\nGezielt=on\n", 1},
        {"Gezielt off keeps the recording", "[Lernstand]\nAufzeichnen=on\nGezielt=on\n",
         kEveryRow + " recording - 3 s", Targeted(false), "saved",
         "[Lernstand]\nAufzeichnen=on\nGezielt=off\n", 1},
        {"Gezielt on, not saved", "", kEveryRow + " - - 3 s", Targeted(true), "not saved", "", 1,
         false},

        // The threshold and the rows.
        {"six seconds", "", kEveryRow + " - - 6 s",
         [](SettingsWriter& w) { return Saved(w.ChooseThreshold(6s)); }, "saved",
         "[Lernstand]\nSekunden=6\n", 1},
        {"rows switched, all twenty in one write", "[Aufgaben]\n1=on\n",
         "00100010000000000000 - - 3 s", SwitchedRows("0010001"), "saved",
         RowsSection("00100010000000000000"), 1},
        {"no row switched: row 1 stands in", "", kRowOne + " - - 3 s", SwitchedRows(""), "saved",
         RowsSection(kRowOne), 1},
        {"rows, not saved", RowsSection(kRowOne), kRowOne + " - - 3 s", SwitchedRows("01"),
         "not saved", "", 1, false},

        // The dialog: each value written on its own, the numbers held within their ranges.
        {"the dialog's values", "", "01100000000000000000 - - 3 s", Dialog("011", 25, 0, true),
         "saved", RowsSection("01100000000000000000") + "[Vorgaben]\nZeit=10\nMenge=1\nTimer=on\n",
         23},
        {"the dialog without a row: row 1 is stored after the values", "", kRowOne + " - - 3 s",
         Dialog(kNoRow, 0, 500, false), "saved, no row chosen, then saved",
         RowsSection(kRowOne) + "[Vorgaben]\nZeit=1\nMenge=100\nTimer=off\n", 24},
        {"the dialog, not saved: nothing tried after the first value", "", kEveryRow + " - - 3 s",
         Dialog(kNoRow, 5, 10, true), "not saved", "", 1, false},
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
