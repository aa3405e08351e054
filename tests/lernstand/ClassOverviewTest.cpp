#include "lernstand/ClassOverview.h"

#include "tests/support/ClassPupils.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace std::chrono;
using Found = JournalReading::Found;

const std::string kSure = "r900 r900 r900";

ClassOverview OverviewOfPupils(std::vector<PupilJournal> pupils) {
    return OverviewOf({std::move(pupils), false}, seconds(3));
}

TEST(ClassOverview, CountsWhoPractisesEachFact) {
    const ClassOverview overview = OverviewOfPupils({
        Pupil("Anna", "Anna", {"7x8:f", "3x4:" + kSure}, Found::Answers, 2),
        Pupil("Ben", "Ben", {"7x8:r900 f", "3x4:f"}),
        Pupil("Cem", "Cem", {"7x8:" + kSure}),
        Pupil("Dana", "Dana", {}, Found::Newer),
        Pupil("Anna-alt", "Anna", {"7x8:f", "9x9:f"}),
    });
    EXPECT_EQ(overview.facts.pupils, 3);
    EXPECT_EQ(overview.facts.practising.at(FactIndex({7, 8})), 2);
    EXPECT_EQ(overview.facts.practising.at(FactIndex({3, 4})), 1);
    EXPECT_EQ(overview.facts.practising.at(FactIndex({9, 9})), 0);
    EXPECT_EQ(ClassFactText({7, 8}, 2, 3), "7 · 8: 2 von 3 üben");

    const struct {
        int sure;
        int practise;
        bool counted;
        std::string note;
    } rows[] = {{1, 1, true, ""},
                {0, 2, true, ""},
                {1, 0, true, ""},
                {0, 0, false, "von einer neueren Version"},
                {0, 2, false, "ältere Kopie"}};
    ASSERT_EQ(overview.pupils.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const ClassPupil& pupil = overview.pupils[i];
        EXPECT_EQ(pupil.states.sure, rows[i].sure) << i;
        EXPECT_EQ(pupil.states.practise, rows[i].practise) << i;
        EXPECT_EQ(pupil.Counted(), rows[i].counted) << i;
        EXPECT_EQ(pupil.note, rows[i].note) << i;
    }
}

TEST(ClassOverview, OfTwoCopiesOfAChildTheNewerCounts) {
    const auto written = [](int minutes) {
        return std::filesystem::file_time_type{} + minutes * 1min;
    };
    const struct {
        const char* name;
        std::vector<std::pair<std::string, int>> pupils; // name, hours after the morning
        std::vector<int> written;                        // minutes, in the order of the files
        std::vector<bool> older;
    } cases[] = {
        {"two children", {{"Anna", 0}, {"Ben", 5}}, {0, 0}, {false, false}},
        {"the later copy second", {{"Anna", 0}, {"Anna", 5}}, {9, 0}, {true, false}},
        {"the later copy first",
         {{"Anna", 5}, {"Anna", 0}, {"Ben", 1}},
         {0, 9, 0},
         {false, true, false}},
        {"three copies", {{"Anna", 1}, {"Anna", 9}, {"Anna", 3}}, {0, 0, 0}, {true, false, true}},
        {"equal answers: the file written last", {{"Anna", 1}, {"Anna", 1}}, {7, 3}, {false, true}},
    };
    for (const auto& c : cases) {
        std::vector<PupilJournal> pupils;
        for (const auto& [name, hours] : c.pupils) {
            pupils.push_back(Pupil(name + std::to_string(pupils.size()), name, {"2x2:f"},
                                   Found::Answers, hours));
            pupils.back().written = written(c.written.at(pupils.size() - 1));
        }
        const ClassOverview overview = OverviewOfPupils(std::move(pupils));
        for (std::size_t i = 0; i < c.older.size(); ++i) {
            EXPECT_EQ(overview.pupils[i].olderCopy, c.older[i]) << c.name << ", pupil " << i;
        }
    }
}

// Names, file names and notes come from the pupils' sticks: none may reach a spreadsheet as a
// formula, a separator or a line break of the list.
TEST(ClassOverview, TheClassListTakesEveryFieldFromAStickLiterally) {
    const struct {
        const char* name;
        PupilJournal pupil;
        std::string line;
    } cases[] = {
        {"a name that is a formula", Pupil("a", "=HYPERLINK(\"x\";\"Anna\")", {}),
         "\"'=HYPERLINK(\"\"x\"\";\"\"Anna\"\")\";0;;0;;0;0;a.sqlite;"},
        {"plus, minus, at", Pupil("b", "+49 170", {}), "'+49 170;0;;0;;0;0;b.sqlite;"},
        {"a minus after blanks", Pupil("c", "  -1", {}), "'  -1;0;;0;;0;0;c.sqlite;"},
        {"at", Pupil("d", "@SUMME(A1)", {}), "'@SUMME(A1);0;;0;;0;0;d.sqlite;"},
        {"a tab and a carriage return", Pupil("e", "\tA\rB", {}),
         "\"'\tA\rB\";0;;0;;0;0;e.sqlite;"},
        {"a line break and a semicolon", Pupil("f", "Anna\n;Ben", {}),
         "\"Anna\n;Ben\";0;;0;;0;0;f.sqlite;"},
        {"a file name that is a formula", Pupil("=1+2", "", {}, Found::Unreadable),
         "'=1+2;;;;;;;'=1+2.sqlite;nicht lesbar (Grund)"},
        {"SQLite's reason with a formula and a separator", Pupil("g", "", {}, Found::Foreign),
         "g;;;;;;;g.sqlite;\"kein Lernstand (=x; \"\"y\"\")\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PupilJournal pupil = c.pupil;
        if (pupil.reading.found == Found::Foreign) {
            pupil.reading.problem = "=x; \"y\"";
        }
        EXPECT_EQ(ClassListCsv(OverviewOfPupils({pupil})),
                  "\xEF\xBB\xBF"
                  "Name;Antworten;Richtig (%);Tage geübt;Zuletzt;sicher;üben;Datei;Hinweis\r\n" +
                      c.line + "\r\n");
    }
}

// The list comes in the order the teacher sorted the table by, and the files that do not count,
// with their reason, after all that do.
TEST(ClassOverview, TheClassListFollowsTheTableOnScreen) {
    const ClassOverview overview = OverviewOfPupils({
        Pupil("Ben", "Ben", {"7x8:f"}),
        Pupil("halb", "", {}, Found::Unreadable),
        Pupil("Anna", "Anna", {"7x8:f"}, Found::Answers, 2),
        Pupil("Anna-alt", "Anna", {"7x8:f"}),
        Pupil("Cem", "Cem", {}),
    });
    const struct {
        const char* name;
        std::vector<std::size_t> shown;
        std::string files;
    } cases[] = {
        {"as on the stick", {}, "Ben Anna Cem halb Anna-alt"},
        {"by name", {2, 3, 0, 4, 1}, "Anna Ben Cem Anna-alt halb"},
        {"a file not read first on screen", {1, 4, 0, 2, 3}, "Cem Ben Anna halb Anna-alt"},
        {"pupils left out follow", {4, 9, 4}, "Cem Ben Anna halb Anna-alt"},
    };
    for (const auto& c : cases) {
        std::string files;
        std::istringstream csv(ClassListCsv(overview, c.shown));
        std::string line;
        std::getline(csv, line);
        while (std::getline(csv, line)) {
            const std::size_t file = line.find(".sqlite");
            const std::size_t start = line.rfind(';', file) + 1;
            files += (files.empty() ? "" : " ") + line.substr(start, file - start);
        }
        EXPECT_EQ(files, c.files) << c.name;
    }
}

} // namespace
