#include "plan/PracticePlan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ostream>

namespace {

using std::chrono::days;

const std::chrono::sys_days kToday{std::chrono::year{2026} / 3 / 2};

struct OrderCase {
    const char* name;
    // The first facts of rows 2, 3, ... are learning, due and never answered, in this order;
    // every other fact of those rows sits and is not due.
    int learning;
    int due;
    int fresh;
    int rows;
    std::int32_t total;
};

void PrintTo(const OrderCase& c, std::ostream* out) {
    *out << c.name;
}

class PlanOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(PlanOrderTest, WhatNeedsPracticeComesBeforeTheFill) {
    const OrderCase& c = GetParam();
    FactProgressTable progress{};
    RowSwitches rows{};
    int placed = 0;
    for (int row = 2; row < 2 + c.rows; ++row) {
        rows.at(static_cast<std::size_t>(row - 1)) = true;
        for (int multiplier = 1; multiplier <= kMultipliers; ++multiplier, ++placed) {
            FactProgress& fact = progress.at(FactIndex({multiplier, row}));
            const std::chrono::sys_days lastDay = kToday - days(1 + placed % 7);
            if (placed < c.learning) {
                fact = {0, lastDay, lastDay};
            } else if (placed < c.learning + c.due) {
                fact = {1, kToday - days(2), kToday - days(2)};
            } else if (placed >= c.learning + c.due + c.fresh) {
                fact = {5, lastDay, lastDay};
            }
        }
    }
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        RandomGenerator random;
        random.SetSeed(seed);
        const std::vector<PlannedProblem> plan = PlanRound(progress, rows, c.total, kToday, random);
        const auto needed = [](const PlannedProblem& p) {
            return p.kind == PlannedKind::Due || p.kind == PlannedKind::New;
        };
        const auto firstFill = std::find_if(plan.begin(), plan.end(), [](const PlannedProblem& p) {
            return p.kind == PlannedKind::Fill;
        });
        const auto lastNeeded = std::find_if(plan.rbegin(), plan.rend(), needed);
        ASSERT_NE(firstFill, plan.end()) << "seed " << seed;
        ASSERT_NE(lastNeeded, plan.rend()) << "seed " << seed;
        EXPECT_LT(plan.rend() - lastNeeded - 1, firstFill - plan.begin()) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rounds, PlanOrderTest,
    testing::Values(OrderCase{"DueAndFill", 0, 3, 0, 2, 10},
                    OrderCase{"NeverAnsweredAndFill", 0, 0, 4, 2, 12},
                    OrderCase{"LearningBetweenDueNewAndFill", 2, 2, 2, 3, 20},
                    OrderCase{"LearningBeyondTheRoundCountsAsDue", 6, 0, 0, 3, 20}),
    [](const testing::TestParamInfo<OrderCase>& param) { return param.param.name; });

} // namespace
