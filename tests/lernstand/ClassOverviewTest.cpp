#include "lernstand/ClassOverview.h"

#include "tests/support/ClassPupils.h"

#include <gtest/gtest.h>

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

// The class list follows the table as sorted on screen and puts the files that do not count last,
// with their reason; every field from a stick (name, file name, SQLite's reason) reaches a
// spreadsheet literally: no formula, separator or line break of its own.
TEST(ClassOverview, TheClassListFollowsTheTableAndTakesEveryFieldLiterally) {
    std::vector<PupilJournal> pupils = {
        Pupil("-rf", "=HYPERLINK(\"x\";\"y\")", {}),
        Pupil("halb", "", {}, Found::Foreign),
        Pupil("b", "+49 170", {}),
        Pupil("b-alt", "+49 170", {}),
        Pupil("c", "@A1\tx\r\ny;z", {}),
    };
    pupils[1].reading.problem = "=x; \"y\"";
    const ClassOverview overview = OverviewOfPupils(std::move(pupils));
    EXPECT_EQ(ClassListCsv(overview, std::vector<std::size_t>{4, 3, 1, 2, 0}),
              "\xEF\xBB\xBF"
              "Name;Antworten;Richtig (%);Tage geübt;Zuletzt;sicher;üben;Tippzeit (s);Datei;"
              "Hinweis\r\n"
              "\"'@A1\tx\r\ny;z\";0;;0;;0;0;;c.sqlite;\r\n"
              "'+49 170;0;;0;;0;0;;b.sqlite;\r\n"
              "\"'=HYPERLINK(\"\"x\"\";\"\"y\"\")\";0;;0;;0;0;;'-rf.sqlite;\r\n"
              "'+49 170;0;;0;;0;0;;b-alt.sqlite;ältere Kopie\r\n"
              "halb;;;;;;;;halb.sqlite;\"kein Lernstand (=x; \"\"y\"\")\"\r\n");
    const struct {
        std::vector<std::size_t> shown;
        std::string files;
    } orders[] = {
        {{}, "'-rf b c halb b-alt"},
        {{1, 3, 4, 0, 2}, "c '-rf b halb b-alt"},
        {{2, 9, 2}, "b '-rf c halb b-alt"},
    };
    for (const auto& order : orders) {
        const std::string csv = ClassListCsv(overview, order.shown);
        std::string files;
        for (std::size_t end = csv.find(".sqlite;"); end != std::string::npos;
             end = csv.find(".sqlite;", end + 1)) {
            const std::size_t start = csv.rfind(';', end) + 1;
            files += (files.empty() ? "" : " ") + csv.substr(start, end - start);
        }
        EXPECT_EQ(files, order.files);
    }
}

} // namespace
