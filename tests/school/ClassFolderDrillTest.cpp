#include "school/ClassFolderDrill.h"

#include "journal/JournalRecorder.h"
#include "school/AssignmentTexts.h"
#include "tests/school/SlowShare.h"
#include "tests/support/FakePracticeView.h"
#include "tests/support/FixedPlan.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/JournalAnswers.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// A child's drill, rows 1 and 2, 2 problems a round, untimed, the round recorded into a journal.
struct Drill {
    explicit Drill(const std::string& recording, bool classFolder = true) {
        fs::create_directories(folder);
        own.ini = "[Vorgaben]\nMenge=2\nTimer=off\n[Lernstand]\nAufzeichnen=" + recording + "\n" +
                  (classFolder ? "Klassenordner=" + folder.string() + "\n" : "") + "[Aufgaben]\n";
        for (int row = 3; row <= kRows; ++row) {
            own.ini += std::to_string(row) + "=off\n";
        }
        // Gezielt üben is asked for its round and leaves it to the usual draw.
        plan.declines = true;
        view.Attach(engine);
    }

    // What the round on the board follows: "2 of 1,2", "20 of 6,7,8,9 planned".
    std::string Round() const {
        std::string rows;
        for (int row = 1; row <= kRows; ++row) {
            rows += engine.RowEnabled(row) ? (rows.empty() ? "" : ",") + std::to_string(row) : "";
        }
        return std::to_string(engine.ProblemTotal()) + " of " + rows +
               (plan.asked > 0 ? " planned" : "");
    }

    void Answer() { view.Type(std::to_string(engine.ExpectedProduct()) + "\r"); }

    const TempConfigDir temp;
    const fs::path folder = temp.Path() / "klasse";
    const fs::path journal = temp.Path() / "data" / "Lernstand.sqlite";
    const std::shared_ptr<SlowShare> share = std::make_shared<SlowShare>();
    std::ostringstream errors;
    InMemorySettings own;
    ClassFolderDrill drill{own, journal, "anna", share, errors};
    JournalRecorder recorder{journal};
    FakePracticeView view;
    FixedPlan plan;
    PracticeEngine engine{
        view, drill.RoundSettings(), [] { return 0u; }, &recorder, [] { return 0; }, &plan, &drill};
};

TEST(ClassFolderDrill, EachRoundFollowsTheAssignmentInForceAndTheChildsOwnComeBack) {
    const struct {
        std::string assignment;
        std::string round;
        std::string line;
    } cases[] = {
        {{}, "2 of 1,2", ""},
        {"Titel=Vor der Mathearbeit\nReihen=6,7,8,9\nMenge=20\nGezielt=on\n",
         "20 of 6,7,8,9 planned", "Auftrag: Vor der Mathearbeit – Reihen 6 bis 9"},
        {"Menge=5\n", "5 of 1,2", "Auftrag: 5 Aufgaben"},
        {{}, "2 of 1,2", ""},
    };
    Drill drill("on");
    int changes = 0;
    drill.drill.OnChange([&changes] { ++changes; });
    for (const auto& c : cases) {
        fs::remove(drill.folder / "Auftrag.ini");
        if (!c.assignment.empty()) {
            std::ofstream(drill.folder / "Auftrag.ini") << "[Auftrag]\n" << c.assignment;
        }
        drill.plan.asked = 0;
        drill.engine.FormShow();
        EXPECT_EQ(drill.Round(), c.round);
        EXPECT_TRUE(drill.engine.RowEnabled(drill.engine.LastRow())) << c.round;
        EXPECT_EQ(AssignmentLine(drill.drill.InForce()), c.line);
        drill.engine.FormCloseQuery();
    }
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(drill.own.writes, 0);
}

// A round to its summary, one closed early, one left open when the drill closes.
TEST(ClassFolderDrill, EveryRoundIsHandedInAtItsEndAndOnceMoreAtClosing) {
    const struct {
        std::string recording;
        bool classFolder;
        std::vector<std::int64_t> handedIn;
    } cases[] = {
        {"on", true, {2, 3, 4}},
        {"off", true, {-1, -1, -1}},
        {"on", false, {-1, -1, -1}},
    };
    for (const auto& [recording, classFolder, handedIn] : cases) {
        Drill drill(recording, classFolder);
        const bool copies = handedIn.front() > 0;
        std::vector<std::int64_t> copied;
        const auto copiedAfter = [&](int copy) {
            if (copies) {
                drill.share->AwaitEnded(copy);
            }
            copied.push_back(CountAnswers(drill.folder / "Lernstand-anna.sqlite"));
        };
        drill.engine.FormShow();
        drill.Answer();
        drill.Answer();
        copiedAfter(1);
        drill.engine.FormShow();
        drill.Answer();
        drill.engine.FormCloseQuery();
        copiedAfter(2);
        drill.engine.FormShow();
        drill.Answer();
        drill.drill.Closing();
        copiedAfter(3);
        EXPECT_EQ(copied, handedIn) << recording << classFolder;
        EXPECT_EQ(drill.share->Copies(), copies ? 3 : 0) << recording << classFolder;
    }
}

} // namespace
