#include "school/ClassFolderDrill.h"

#include "journal/JournalRecorder.h"
#include "plan/ProblemSource.h"
#include "practice/PracticeEngine.h"
#include "school/AssignmentTexts.h"
#include "tests/school/JournalAnswers.h"
#include "tests/school/SlowShare.h"
#include "tests/support/FakePracticeView.h"
#include "tests/support/FakeRecorder.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// Tells what a round of "Gezielt üben" asked it for and leaves the round to the usual draw.
class AskedPlan final : public ProblemSource {
public:
    bool TypingCheckDue() override { return false; }
    std::optional<std::vector<PlannedProblem>>
    PlanRound(const RowSwitches& rows, std::int32_t total, RandomGenerator&) override {
        std::string list;
        for (const int row : RowList(rows)) {
            list += (list.empty() ? "" : ",") + std::to_string(row);
        }
        asked = "planned " + std::to_string(total) + " of " + list;
        return std::nullopt;
    }
    std::string asked;
};

// A child's drill with a class folder: rows 1 and 2, 10 problems, untimed, recording on.
class ClassFolderDrillTest : public testing::Test {
protected:
    ClassFolderDrillTest() {
        fs::create_directories(folder_);
        own_.ini = OwnSettings(true, "on");
        drill_.OnChange([this] { ++changes_; });
        view_.Attach(engine_);
    }

    std::string OwnSettings(bool classFolder, const std::string& recording,
                            const std::string& total = "10") const {
        std::string ini =
            "[Vorgaben]\nMenge=" + total + "\nTimer=off\n[Lernstand]\nAufzeichnen=" + recording +
            "\n" + (classFolder ? "Klassenordner=" + folder_.string() + "\n" : "") + "[Aufgaben]\n";
        for (int row = 3; row <= kRows; ++row) {
            ini += std::to_string(row) + "=off\n";
        }
        return ini;
    }

    void Put(const std::string& name, const std::string& entries) const {
        std::ofstream(folder_ / name, std::ios::binary) << "[Auftrag]\n" << entries;
    }

    const TempConfigDir temp_;
    const fs::path folder_ = temp_.Path() / "klasse";
    const fs::path journal_ = temp_.Path() / "data" / "Lernstand.sqlite";
    const std::shared_ptr<SlowShare> share_ = std::make_shared<SlowShare>();
    std::ostringstream errors_;
    InMemorySettings own_;
    ClassFolderDrill drill_{own_, journal_, "anna", share_, errors_};
    int changes_ = 0;
    FakePracticeView view_;
    FakeRecorder recorder_;
    AskedPlan plan_;
    PracticeEngine engine_{view_,      drill_.RoundSettings(), [] { return 0u; },
                           &recorder_, [] { return 0; },       &plan_,
                           &drill_};
};

TEST_F(ClassFolderDrillTest, EachRoundFollowsTheAssignmentInForceAndTheChildsOwnComeBack) {
    const std::string kClass = "Titel=Vor der Mathearbeit\nReihen=6,7,8,9\nMenge=20\nGezielt=on\n";
    const struct {
        const char* name;
        bool classFolder;
        std::vector<std::pair<std::string, std::string>> files;
        std::string round;
        std::string line;
    } cases[] = {
        {"none", true, {}, "round 10 untimed 5 1,2", ""},
        {"the class's",
         true,
         {{"Auftrag.ini", kClass}},
         "round 20 untimed 5 6,7,8,9; planned 20 of 6,7,8,9",
         "Auftrag: Vor der Mathearbeit – Reihen 6 bis 9"},
        {"the pupil's over the class's",
         true,
         {{"Auftrag.ini", kClass}, {"Auftrag-anna.ini", "Menge=5\n"}},
         "round 5 untimed 5 1,2",
         "Auftrag: 5 Aufgaben"},
        {"another pupil's", true, {{"Auftrag-ben.ini", "Menge=5\n"}}, "round 10 untimed 5 1,2", ""},
        {"taken back", true, {}, "round 10 untimed 5 1,2", ""},
        {"no class folder set", false, {{"Auftrag.ini", kClass}}, "round 10 untimed 5 1,2", ""},
    };
    for (const auto& c : cases) {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        for (const auto& [name, entries] : c.files) {
            Put(name, entries);
        }
        own_.ini = OwnSettings(c.classFolder, "on");
        recorder_.told.clear();
        plan_.asked.clear();
        engine_.FormShow();
        ASSERT_EQ(recorder_.told.size(), 1U) << c.name;
        const std::string& started = recorder_.told.front();
        const std::string rows = "," + started.substr(started.rfind(' ') + 1) + ",";
        EXPECT_NE(rows.find("," + std::to_string(engine_.LastRow()) + ","), std::string::npos)
            << c.name;
        EXPECT_EQ(plan_.asked.empty() ? started : started + "; " + plan_.asked, c.round) << c.name;
        EXPECT_EQ(AssignmentLine(drill_.InForce()), c.line) << c.name;
        engine_.FormCloseQuery();
    }
    EXPECT_EQ(changes_, 3);
    EXPECT_EQ(own_.writes, 0);
}

TEST_F(ClassFolderDrillTest, EveryRoundIsHandedInAtItsEndAndOnceMoreAtClosing) {
    const fs::path copy = folder_ / "Lernstand-anna.sqlite";
    const struct {
        const char* name;
        bool classFolder;
        std::string recording;
        std::vector<std::int64_t> handedIn;
    } cases[] = {
        {"recording", true, "on", {2, 3, 4}},
        {"not recording", true, "off", {-1, -1, -1}},
        {"no class folder", false, "on", {-1, -1, -1}},
    };
    for (const auto& c : cases) {
        fs::remove_all(journal_.parent_path());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        own_.ini = OwnSettings(c.classFolder, c.recording, "2");
        JournalRecorder journal(journal_);
        PracticeEngine engine(
            view_, drill_.RoundSettings(), [] { return 0u; }, &journal, [] { return 0; }, nullptr,
            &drill_);
        view_.Attach(engine);
        const int before = share_->Copies();
        const auto answer = [&] { view_.Type(std::to_string(engine.ExpectedProduct()) + "\r"); };
        const auto handedIn = [&](int copies) {
            if (c.handedIn.front() >= 0) {
                share_->AwaitEnded(before + copies);
            }
            return CountAnswers(copy);
        };
        engine.FormShow();
        answer();
        answer();
        const std::int64_t afterSummary = handedIn(1);
        engine.FormShow();
        answer();
        engine.FormCloseQuery();
        const std::int64_t afterClosingTheBoard = handedIn(2);
        engine.FormShow();
        answer();
        drill_.Closing();
        EXPECT_EQ((std::vector{afterSummary, afterClosingTheBoard, handedIn(3)}), c.handedIn)
            << c.name;
        EXPECT_EQ(share_->Copies() - before, c.handedIn.front() >= 0 ? 3 : 0) << c.name;
        view_.Attach(engine_);
    }
}

} // namespace
