#include "lernstand/WorksheetChoice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>

namespace {

using Facts = std::vector<WorksheetProblem>;

// {row, n}: the facts 1 · row to n · row.
Facts Rows(std::initializer_list<std::pair<int, int>> rowsAndCounts) {
    Facts facts;
    for (const auto& [row, count] : rowsAndCounts) {
        for (int multiplier = 1; multiplier <= count; ++multiplier) {
            facts.push_back({multiplier, row});
        }
    }
    return facts;
}

// Each of the facts comes at least `least` and at most `most` times.
struct Expected {
    Facts facts;
    int least = 1;
    int most = 1;
};

struct ChoiceCase {
    std::string name;
    Facts practise;
    Facts almostSure;
    Facts sure;
    std::vector<int> rowsOn;
    // Every problem chosen is one of these.
    std::vector<Expected> expected;
    // Whether the rows allow an order without neighbours of one row.
    bool apart = true;
};

void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << c.name;
}

const ChoiceCase kCases[] = {
    {"all weak facts fit, new ones fill up before sure ones",
     Rows({{3, 8}}),
     Rows({{4, 2}, {9, 5}}),
     Rows({{5, 10}}),
     {2, 5},
     {{Rows({{3, 8}, {4, 2}, {9, 5}, {2, 10}})}, {Rows({{5, 10}}), 0, 1}}},
    {"more than thirty to practise leave out the almost sure",
     Rows({{1, 10}, {2, 10}, {3, 10}, {4, 5}}),
     Rows({{6, 4}}),
     {},
     {7},
     {{Rows({{1, 10}, {2, 10}, {3, 10}, {4, 5}}), 0, 1}}},
    {"fewer than thirty facts repeat, the weak ones first",
     {{7, 8}, {3, 9}},
     {{2, 5}},
     {},
     {1, 2},
     {{{{7, 8}, {3, 9}, {2, 5}}, 2, 2}, {Rows({{1, 10}, {2, 10}}), 1, 2}}},
    {"half of the problems from one row alternate",
     Rows({{4, 10}}),
     Rows({{7, 5}}),
     {},
     {8},
     {{Rows({{7, 5}, {8, 10}})}, {Rows({{4, 10}}), 1, 2}}},
    {"a single row cannot keep neighbours apart",
     {},
     {},
     {},
     {6},
     {{Rows({{6, 10}}), 3, 3}},
     false},
};

class WorksheetChoiceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(WorksheetChoiceTest, TakesTheWeakFactsFirstAndKeepsRowsApart) {
    const ChoiceCase& c = GetParam();
    std::map<std::pair<int, int>, FactState> states;
    for (const auto& [facts, state] :
         {std::pair{c.practise, FactState::Practise},
          std::pair{c.almostSure, FactState::AlmostSure}, std::pair{c.sure, FactState::Sure}}) {
        for (const WorksheetProblem& fact : facts) {
            states[{fact.row, fact.multiplier}] = state;
        }
    }
    const FactStates stateOf = [&states](int row, int multiplier) {
        const auto found = states.find({row, multiplier});
        return found == states.end() ? FactState::New : found->second;
    };
    RowSwitches rowsOn{};
    for (const int row : c.rowsOn) {
        rowsOn.at(static_cast<std::size_t>(row - 1)) = true;
    }

    const Facts first = ChooseWorksheetProblems(stateOf, rowsOn, 1);
    bool seedMatters = false;
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        const Facts chosen = ChooseWorksheetProblems(stateOf, rowsOn, seed);
        seedMatters = seedMatters || chosen != first;
        std::size_t expectedCount = 0;
        for (const Expected& group : c.expected) {
            for (const WorksheetProblem& fact : group.facts) {
                const auto times = std::count(chosen.begin(), chosen.end(), fact);
                EXPECT_TRUE(times >= group.least && times <= group.most)
                    << fact.multiplier << " · " << fact.row << ": " << times << ", seed " << seed;
                expectedCount += static_cast<std::size_t>(times);
            }
        }
        EXPECT_EQ(expectedCount, kWorksheetProblems) << "seed " << seed;
        EXPECT_EQ(chosen.size(), kWorksheetProblems);
        const auto sameRow = std::adjacent_find(
            chosen.begin(), chosen.end(),
            [](const WorksheetProblem& a, const WorksheetProblem& b) { return a.row == b.row; });
        EXPECT_EQ(sameRow == chosen.end(), c.apart) << "seed " << seed;
    }
    EXPECT_EQ(ChooseWorksheetProblems(stateOf, rowsOn, 1), first);
    EXPECT_TRUE(seedMatters) << "the seed changes nothing";
}

INSTANTIATE_TEST_SUITE_P(Worksheet, WorksheetChoiceTest, testing::ValuesIn(kCases));

} // namespace
