#include "school/AssignmentFile.h"

#include "school/AssignmentTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

const std::string kHeader = "[Auftrag]\n";

// What a file gives, written as the file it would be saved as, on one line, then "-Key" for each
// key left out: "Reihen=6,7 Menge=20 -Sekunden".
std::string Read(const std::string& file) {
    const AssignmentReading reading = ParseAssignment(file);
    std::string text = FormatAssignment(reading.assignment).value().substr(kHeader.size());
    std::replace(text.begin(), text.end(), '\n', ' ');
    for (const std::string& key : reading.ignoredKeys) {
        text += "-" + key + " ";
    }
    text += reading.tooLarge ? "zu groß" : "";
    return text.ends_with(' ') ? text.substr(0, text.size() - 1) : text;
}

std::string Repeated(const std::string& text, std::size_t times) {
    std::string repeated;
    while (times-- > 0) {
        repeated += text;
    }
    return repeated;
}

const std::string kExample = kHeader + "Titel=Vor der Mathearbeit\nReihen=6,7,8,9\nMenge=20\n"
                                       "Gezielt=on\nSekunden=6\n";

TEST(AssignmentFile, EachKeyTakesOnlyWhatItsRuleAllows) {
    const std::pair<std::string, std::string> cases[] = {
        {"Reihen=6, 7 ,8", "Reihen=6,7,8"},
        {"Reihen=1,20", "Reihen=1,20"},
        {"Reihen=", ""},
        {"Reihen=0,5", "-Reihen"},
        {"Reihen=21", "-Reihen"},
        {"Reihen=6,,7", "-Reihen"},
        {"Reihen=6,", "-Reihen"},
        {"Reihen=6;7", "-Reihen"},
        {"Reihen=6-9", "-Reihen"},
        {"Menge=1", "Menge=1"},
        {"Menge=100", "Menge=100"},
        {"Menge=0", "-Menge"},
        {"Menge=101", "-Menge"},
        {"Menge=+5", "-Menge"},
        {"Menge=$14", "-Menge"},
        {"Menge=4294967316", "-Menge"},
        {"Gezielt=on", "Gezielt=on"},
        {"Gezielt=off", "Gezielt=off"},
        {"Gezielt=On", "-Gezielt"},
        {"Sekunden=3", "Sekunden=3"},
        {"Sekunden=12", "Sekunden=12"},
        {"Sekunden=4", "-Sekunden"},
        {"Titel=\"  Üben \"", "Titel=\"  Üben \""},
        // Characters count, not bytes.
        {"Titel=" + Repeated("Ä", 30), "Titel=" + Repeated("Ä", 30)},
        {"Titel=" + Repeated("Ä", 31), "-Titel"},
        {"Titel=Tab\there", "-Titel"},
        {"Titel=\xE2\x80\xAEtiebrahtaM", "-Titel"},
        {"Titel=Zeile\xE2\x80\xA8zwei", "-Titel"},
        {"Menge=0\nSekunden=5\nGezielt=on", "Gezielt=on -Menge -Sekunden"},
    };
    for (const auto& [line, read] : cases) {
        EXPECT_EQ(Read(kHeader + line + "\n"), read) << line;
    }
}

TEST(AssignmentFile, ReadsUtf8AndWindows1252WithEitherLineEndAndNothingOfALargerFile) {
    std::string crlf;
    for (const char c : kExample) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    const auto ofSize = [](std::size_t size) {
        return kExample + Repeated(";", size - kExample.size() - 1) + "\n";
    };
    const std::string all = Read(kExample);
    const std::pair<std::string, std::string> cases[] = {
        {crlf, all},
        {"\xEF\xBB\xBF" + kExample, all},
        {"[auftrag]\nMENGE=20\n", "Menge=20"},
        {kHeader + "Titel=Übungen für Klasse 3\n", "Titel=Übungen für Klasse 3"},
        {"[Auftrag]\r\nTitel=\xDC\x62ungen f\xFCr 3 \x96 Teil 2\r\n",
         "Titel=Übungen für 3 – Teil 2"},
        {kHeader + "Titel=Gr\x81n\n", "-Titel"},
        {"[Vorgaben]\nMenge=20\n", ""},
        {ofSize(kMaxAssignmentBytes), all},
        {ofSize(kMaxAssignmentBytes + 1), "zu groß"},
    };
    EXPECT_EQ(all, "Titel=Vor der Mathearbeit Reihen=6,7,8,9 Menge=20 Gezielt=on Sekunden=6");
    for (const auto& [file, read] : cases) {
        EXPECT_EQ(Read(file), read) << file.substr(0, 40);
    }
    EXPECT_EQ(FormatAssignment(ParseAssignment(crlf).assignment), kExample);
}

TEST(AssignmentTexts,
     TheMainWindowsLineNamesTitleAndRowsTheDialogWhatItSetsAndTheLernstandWhatWasLeftOut) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"Titel=Vor der Mathearbeit\nReihen=6,7,8,9",
         "Auftrag: Vor der Mathearbeit – Reihen 6 bis 9",
         "Vom Auftrag der Lehrkraft vorgegeben: Reihen"},
        {"Reihen=2,5,7,8,9\nMenge=20", "Auftrag: Reihen 2, 5 und 7 bis 9",
         "Vom Auftrag der Lehrkraft vorgegeben: Reihen und Menge der Aufgaben"},
        {"Reihen=1,2,3,5,6", "Auftrag: Reihen 1 bis 3, 5 und 6",
         "Vom Auftrag der Lehrkraft vorgegeben: Reihen"},
        {"Reihen=7", "Auftrag: Reihe 7", "Vom Auftrag der Lehrkraft vorgegeben: Reihen"},
        {"Titel=Wiederholen\nMenge=20", "Auftrag: Wiederholen",
         "Vom Auftrag der Lehrkraft vorgegeben: Menge der Aufgaben"},
        {"Menge=1", "Auftrag: 1 Aufgabe",
         "Vom Auftrag der Lehrkraft vorgegeben: Menge der Aufgaben"},
        {"Gezielt=on\nSekunden=6", "Auftrag der Lehrkraft", ""},
        {"", "", ""},
    };
    for (const auto& [file, line, note] : cases) {
        const Assignment assignment = ParseAssignment(kHeader + file).assignment;
        EXPECT_EQ(AssignmentLine(assignment), line);
        EXPECT_EQ(SettingsNote(assignment), note);
    }
    EXPECT_EQ(IgnoredText(ParseAssignment(kExample)), "");
    EXPECT_EQ(IgnoredText(ParseAssignment(kHeader + "Menge=0\nGezielt=ja\nSekunden=5\n")),
              "Nicht verwendet: Menge, Gezielt und Sekunden");
    EXPECT_EQ(IgnoredText(ParseAssignment(std::string(kMaxAssignmentBytes + 1, '\n'))),
              "Nicht verwendet: die ganze Datei, sie ist größer als 4 KiB");
}

} // namespace
