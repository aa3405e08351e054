#include "school/AssignedSettings.h"
#include "school/AssignmentReader.h"
#include "settings/SettingsReader.h"
#include "tests/school/SlowShare.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Long enough for any read of a local folder; no test waits for it with the share held.
constexpr auto kPatientWait = 30s;
constexpr auto kShortWait = 20ms;

class AssignmentInForceTest : public testing::Test {
protected:
    AssignmentInForceTest() {
        fs::create_directories(place_.folder);
        own_.ini = "[Vorgaben]\nMenge=10\nZeit=5\n[Lernstand]\nAufzeichnen=on\n[Aufgaben]\n";
        for (int row = 3; row <= kRows; ++row) {
            own_.ini += std::to_string(row) + "=off\n";
        }
    }

    void Put(const std::string& name, const std::string& entries) const {
        std::ofstream(place_.folder / name, std::ios::binary) << "[Auftrag]\n" << entries;
    }

    // A round start: the assignment read, then what the round takes from the settings.
    std::string RoundStart(std::chrono::milliseconds wait = kPatientWait) {
        const AssignmentReader::Refreshed refreshed = reader_.Refresh(place_, wait);
        settings_.Use(refreshed.inForce.reading.assignment);
        const settings::RoundSettings round = settings::ReadRoundSettings(settings_);
        std::string rows;
        for (const int row : RowList(round.rows)) {
            rows += std::to_string(row) + ",";
        }
        return "rows " + rows + " total " + std::to_string(round.problemTotal) +
               (settings::ReadLernstandSwitches(settings_).targeted ? " gezielt " : " ") +
               std::to_string(settings::ReadThreshold(settings_).count()) + " ms" +
               (refreshed.readNow ? "" : " (earlier)");
    }

    const TempConfigDir temp_;
    const AssignmentPlace place_{temp_.Path() / "klasse", "anna"};
    std::shared_ptr<SlowShare> share_ = std::make_shared<SlowShare>();
    AssignmentReader reader_{share_};
    InMemorySettings own_;
    AssignedSettings settings_{own_};
};

TEST_F(AssignmentInForceTest, ThePupilsOwnWinsOverTheClasssWhichWinsOverTheChildsOwnSettings) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "rows 1,2, total 10 3000 ms"},
        {{"Auftrag.ini"}, "rows 6,7, total 20 gezielt 12000 ms"},
        {{"Auftrag-anna.ini"}, "rows 1,2, total 30 3000 ms"},
        {{"Auftrag.ini", "Auftrag-anna.ini"}, "rows 1,2, total 30 3000 ms"},
        {{"Auftrag-ben.ini"}, "rows 1,2, total 10 3000 ms"},
        {{"Auftrag.ini", "Auftrag-ben.ini"}, "rows 6,7, total 20 gezielt 12000 ms"},
        {{}, "rows 1,2, total 10 3000 ms"},
    };
    for (const auto& [files, round] : cases) {
        fs::remove_all(place_.folder);
        fs::create_directories(place_.folder);
        for (const std::string& name : files) {
            Put(name, name == "Auftrag.ini" ? "Reihen=6,7\nMenge=20\nGezielt=on\nSekunden=12\n"
                                            : "Menge=30\n");
        }
        EXPECT_EQ(RoundStart(), round) << testing::PrintToString(files);
    }
    EXPECT_EQ(own_.writes, 0);
    // Gezielt üben learns from what is recorded.
    own_.ini = "[Lernstand]\nAufzeichnen=off\n";
    Put("Auftrag.ini", "Gezielt=on\n");
    EXPECT_EQ(RoundStart(),
              "rows 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20, total 10 3000 ms");
}

TEST_F(AssignmentInForceTest, ASlowOrFailingShareLeavesTheRoundTheLastAssignmentRead) {
    share_->Hold();
    EXPECT_EQ(RoundStart(kShortWait), "rows 1,2, total 10 3000 ms (earlier)");
    share_->Release();
    EXPECT_EQ(RoundStart(), "rows 1,2, total 10 3000 ms");

    Put("Auftrag.ini", "Menge=20\n");
    EXPECT_EQ(RoundStart(), "rows 1,2, total 20 3000 ms");
    Put("Auftrag.ini", "Menge=30\n");
    share_->Hold();
    EXPECT_EQ(RoundStart(kShortWait), "rows 1,2, total 20 3000 ms (earlier)");
    EXPECT_EQ(RoundStart(kShortWait), "rows 1,2, total 20 3000 ms (earlier)");
    share_->Release();
    // The read that was held comes in for the next round start.
    EXPECT_EQ(RoundStart(), "rows 1,2, total 30 3000 ms");

    share_->readError = EIO;
    EXPECT_EQ(RoundStart(), "rows 1,2, total 30 3000 ms (earlier)");
    share_->readError = 0;
    fs::remove_all(place_.folder);
    EXPECT_EQ(RoundStart(), "rows 1,2, total 30 3000 ms (earlier)");
}

} // namespace
