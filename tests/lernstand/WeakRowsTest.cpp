#include "lernstand/WeakRows.h"

#include "tests/support/Answers.h"
#include "tests/support/InMemorySettings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace {

struct FactRecord {
    int multiplier;
    int row;
    // The newest first.
    std::string answers;
};

struct WeakRowsCase {
    const char* name;
    std::vector<FactRecord> facts;
    std::string message;
    // "on"/"off" per row from 1 to 20 as '1'/'0'; empty when nothing may be written.
    std::string storedRows;
};

void PrintTo(const WeakRowsCase& c, std::ostream* out) {
    *out << c.name;
}

class WeakRowsTest : public testing::TestWithParam<WeakRowsCase> {};

FactTable Table(const std::vector<FactRecord>& facts) {
    std::vector<RecordedAnswer> journal;
    for (const FactRecord& fact : facts) {
        const std::vector<FactAnswer> newestFirst = FactAnswers(fact.answers);
        for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it) {
            journal.push_back(Recorded(fact.multiplier, fact.row, *it));
        }
    }
    return FactTable(journal);
}

std::string StoredRows(const SettingsSource& settings) {
    std::string rows;
    for (int row = 1; row <= 20; ++row) {
        const std::string value = settings.Read("Aufgaben", std::to_string(row));
        rows += value == "on" ? '1' : value == "off" ? '0' : '?';
    }
    return rows;
}

TEST_P(WeakRowsTest, WritesTheRowsToPractise) {
    const WeakRowsCase& c = GetParam();
    InMemorySettings settings;
    settings::SettingsWriter writer(settings);
    const WeakRowsChoice choice = PractiseWeakRows(Table(c.facts), std::chrono::seconds(3), writer);
    EXPECT_TRUE(choice.saved);
    EXPECT_EQ(choice.message, c.message);
    // All twenty rows in one write, so a failure cannot leave some of them changed.
    EXPECT_EQ(settings.writes, c.storedRows.empty() ? 0 : 1);
    if (!c.storedRows.empty()) {
        EXPECT_EQ(StoredRows(settings), c.storedRows);
    }
}

const std::string kSure = "r1000 r1000 r1000";

INSTANTIATE_TEST_SUITE_P(
    Choices, WeakRowsTest,
    testing::Values(
        WeakRowsCase{"NothingPractised", {}, "Alle geübten Aufgaben sitzen – prima!", ""},
        WeakRowsCase{"AllSure",
                     {{7, 8, kSure}, {3, 20, kSure}},
                     "Alle geübten Aufgaben sitzen – prima!",
                     ""},
        WeakRowsCase{"OneRow",
                     {{7, 8, kSure}, {10, 7, "f " + kSure}},
                     "Ab der nächsten Runde: Reihe 7.",
                     "00000010000000000000"},
        WeakRowsCase{"TwoRows",
                     {{1, 8, "r4000 r1000 r1000"}, {2, 7, "l"}, {3, 3, kSure}},
                     "Ab der nächsten Runde: Reihen 7 und 8.",
                     "00000011000000000000"},
        WeakRowsCase{"SeveralRows",
                     {{1, 20, "z"}, {4, 3, "r1000"}, {9, 7, "f"}, {1, 1, kSure}},
                     "Ab der nächsten Runde: Reihen 3, 7 und 20.",
                     "00100010000000000001"}),
    [](const testing::TestParamInfo<WeakRowsCase>& param) { return param.param.name; });

TEST(WeakRowsFailure, UnwritableSettingsAreReported) {
    InMemorySettings settings;
    settings.failWrites = true;
    settings::SettingsWriter writer(settings);
    EXPECT_FALSE(PractiseWeakRows(Table({{2, 5, "f"}}), std::chrono::seconds(3), writer).saved);
}

} // namespace
