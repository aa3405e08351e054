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

std::string Keys(const ClassPupil& pupil) {
    std::string keys;
    for (const PupilSortKey& key : pupil.sortKeys) {
        keys += (keys.empty() ? "" : "|") + (std::holds_alternative<std::string>(key)
                                                 ? std::get<std::string>(key)
                                                 : std::to_string(std::get<std::int64_t>(key)));
    }
    return keys;
}

// Each column sorts by its figure, not by its text ("9" after "10"), and a file that was not read
// sorts before every pupil, also before one without answers.
TEST(ClassOverview, SortsByFiguresWithFilesNotReadFirst) {
    const std::string day =
        std::to_string(sys_days(2026y / December / 8).time_since_epoch().count());
    const ClassOverview overview = OverviewOfPupils({
        Pupil("Anna", "Anna", {"7x8:f", "3x4:" + kSure}),
        Pupil("Ben", "Ben", {}),
        Pupil("halb", "", {}, Found::Unreadable),
        Pupil("Lernstand-Cem", "Cem", {"2x2:r900 r900 r900 r900 r900 r900 r900 r900 r900 f"}),
    });
    const std::string keys[] = {
        "Anna|4|75|1|" + day + "|1|1",
        "Ben|0|-1|0|0|0|0",
        "halb.sqlite|-1|-1|-1|0|-1|-1",
        "Cem|10|90|1|" + day + "|1|0",
    };
    ASSERT_EQ(overview.pupils.size(), std::size(keys));
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        EXPECT_EQ(Keys(overview.pupils[i]), keys[i]);
    }
}

TEST(ClassOverview, ClassListHoldsEveryFileWithWhyItIsNotCounted) {
    const ClassOverview overview = OverviewOfPupils({
        Pupil("Anna", "Anna Weiß", {"7x8:f", "3x4:" + kSure}, Found::Answers, 2),
        Pupil("Anna-alt", "Anna Weiß", {"7x8:f"}),
        Pupil("Ben", "Ben; 3b", {}),
        Pupil("halb", "", {}, Found::Unreadable),
        Pupil("Einkaufsliste", "", {}, Found::Foreign),
    });
    EXPECT_EQ(ClassListCsv(overview),
              "\xEF\xBB\xBF"
              "Name;Antworten;Richtig (%);Tage geübt;Zuletzt;sicher;üben;Datei;Hinweis\r\n"
              "Anna Weiß;4;75;1;08.12.2026;1;1;Anna.sqlite;\r\n"
              "Anna Weiß;1;0;1;08.12.2026;0;1;Anna-alt.sqlite;ältere Kopie\r\n"
              "\"Ben; 3b\";0;;0;;0;0;Ben.sqlite;\r\n"
              "halb;;;;;;;halb.sqlite;nicht lesbar (Grund)\r\n"
              "Einkaufsliste;;;;;;;Einkaufsliste.sqlite;kein Lernstand (Grund)\r\n");
}

} // namespace
