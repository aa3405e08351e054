#include "lernstand/core/WorksheetChoice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>

namespace {

using Facts = std::vector<WorksheetProblem>;

// The first `count` facts of the row, multiplier 1 upwards.
Facts RowFacts(int row, int count = 10) {
    Facts facts;
    for (int multiplier = 1; multiplier <= count; ++multiplier) {
        facts.push_back({multiplier, row});
    }
    return facts;
}

Facts Joined(std::initializer_list<Facts> parts) {
    Facts all;
    for (const Facts& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

int Occurrences(const Facts& chosen, const WorksheetProblem& fact) {
    return static_cast<int>(std::count(chosen.begin(), chosen.end(), fact));
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

const ChoiceCase kCases[] = {
    {"all weak facts fit, new ones fill up before sure ones",
     RowFacts(3, 8),
     Joined({RowFacts(4, 2), RowFacts(9, 5)}),
     RowFacts(5),
     {2, 5},
     {{Joined({RowFacts(3, 8), RowFacts(4, 2), RowFacts(9, 5), RowFacts(2)})},
      {RowFacts(5), 0, 1}}},
    {"more than thirty to practise leave out the almost sure",
     Joined({RowFacts(1), RowFacts(2), RowFacts(3), RowFacts(4, 5)}),
     RowFacts(6, 4),
     {},
     {7},
     {{Joined({RowFacts(1), RowFacts(2), RowFacts(3), RowFacts(4, 5)}), 0, 1}}},
    {"fewer than thirty facts repeat, the weak ones first",
     {{7, 8}, {3, 9}},
     {{2, 5}},
     {},
     {1, 2},
     {{{{7, 8}, {3, 9}, {2, 5}}, 2, 2}, {Joined({RowFacts(1), RowFacts(2)}), 1, 2}}},
    {"half of the problems from one row alternate",
     RowFacts(4),
     RowFacts(7, 5),
     {},
     {8},
     {{Joined({RowFacts(7, 5), RowFacts(8)})}, {RowFacts(4), 1, 2}}},
    {"a single row cannot keep neighbours apart", {}, {}, {}, {6}, {{RowFacts(6), 3, 3}}, false},
};

void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << c.name;
}

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
    std::array<bool, settings::kRowCount> rowsOn{};
    for (const int row : c.rowsOn) {
        rowsOn.at(static_cast<std::size_t>(row - 1)) = true;
    }

    Facts first;
    bool seedMatters = false;
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        const Facts chosen = ChooseWorksheetProblems(stateOf, rowsOn, seed);
        ASSERT_EQ(chosen.size(), kWorksheetProblems);
        EXPECT_EQ(ChooseWorksheetProblems(stateOf, rowsOn, seed), chosen) << "seed " << seed;
        if (seed == 1) {
            first = chosen;
        }
        seedMatters = seedMatters || chosen != first;
        std::size_t expectedCount = 0;
        for (const Expected& group : c.expected) {
            for (const WorksheetProblem& fact : group.facts) {
                const int times = Occurrences(chosen, fact);
                EXPECT_TRUE(times >= group.least && times <= group.most)
                    << fact.multiplier << " · " << fact.row << " " << times << " times, seed "
                    << seed;
                expectedCount += static_cast<std::size_t>(times);
            }
        }
        EXPECT_EQ(expectedCount, chosen.size()) << "facts from elsewhere, seed " << seed;
        const auto sameRow = std::adjacent_find(
            chosen.begin(), chosen.end(),
            [](const WorksheetProblem& a, const WorksheetProblem& b) { return a.row == b.row; });
        EXPECT_EQ(sameRow == chosen.end(), c.apart) << "seed " << seed;
    }
    EXPECT_TRUE(seedMatters) << "the seed changes nothing";
}

INSTANTIATE_TEST_SUITE_P(Worksheet, WorksheetChoiceTest, testing::ValuesIn(kCases));

} // namespace
