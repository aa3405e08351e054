#include "plan/PracticePlan.h"

#include "tests/plan/PlannedRounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using namespace std::chrono;

const sys_days kToday = 2026y / December / 9;

// A fact answered daysAgo, now at level.
struct Record {
    Fact fact;
    int level;
    int daysAgo;
};

FactProgressTable Progress(const std::vector<Record>& records) {
    FactProgressTable table{};
    for (const Record& r : records) {
        const sys_days day = kToday - days(r.daysAgo);
        table.at(FactIndex(r.fact)) = {r.level, day + hours(12), day};
    }
    return table;
}

std::vector<PlannedProblem> Plan(const FactProgressTable& progress, const RowSwitches& rows,
                                 int total, std::uint32_t seed) {
    RandomGenerator random;
    random.SetSeed(seed);
    return PlanRound(progress, rows, total, kToday, random);
}

// Rows 5 to 7 by multiplier: due facts (level 1, due since 29 days ago and later), learning
// facts (level 0, since 10 days ago and later), resting ones (level 3 a day ago), the rest never
// answered.
std::vector<Record> History(int learning, int due, int resting) {
    std::vector<Record> records;
    int next = 0;
    const auto fact = [&next] {
        const Fact f{next % kMultipliers + 1, 5 + next / kMultipliers};
        ++next;
        return f;
    };
    for (int i = 0; i < due; ++i) {
        records.push_back({fact(), 1, 30 - i});
    }
    for (int i = 0; i < learning; ++i) {
        records.push_back({fact(), 0, 10 - i});
    }
    for (int i = 0; i < resting; ++i) {
        records.push_back({fact(), 3, 1});
    }
    return records;
}

using Kind = PlannedKind;

TEST(PracticePlan, PlacesGoToNewFactsKeptThenNeededThenMoreNewThenFill) {
    const struct {
        int learning, due, resting, total;
        std::string kinds;
        const char* name;
    } cases[] = {
        {4, 6, 10, 20, "N10 L4 D6", "all needed placed, new ones fill the room"},
        {10, 15, 0, 20, "N4 L1 D15", "a fifth kept for new facts"},
        {4, 6, 10, 6, "N2 D4", "a fifth rounded up"},
        {4, 6, 10, 30, "N10 L4 D6 F10", "fill after everything new"},
        {3, 2, 25, 20, "L3 D2 F15", "nothing new: needed, then the longest unanswered"},
        {0, 0, 0, 20, "N20", "the beginner meets new facts only"},
        {10, 15, 3, 20, "N2 L3 D15", "fewer new facts than places kept"},
    };
    for (const auto& c : cases) {
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            const auto plan =
                Plan(Progress(History(c.learning, c.due, c.resting)), Rows(5, 7), c.total, seed);
            EXPECT_EQ(Kinds(plan), c.kinds) << c.name;
        }
    }
}

TEST(PracticePlan, NeededFactsWaitingLongestComeFirst) {
    // 25 needed, 5 new, 20 problems: 4 places for new facts, and the 16 needed facts waiting
    // longest; learning facts wait since their newest answer, due ones since their due day.
    std::vector<Record> records;
    // Of the learning facts, 10 · 5 waits longest.
    std::set<std::size_t> expected{FactIndex({10, 5})};
    for (int m = 1; m <= 10; ++m) {
        records.push_back({{m, 5}, 0, m});      // learning since m days
        records.push_back({{m, 6}, 1, m + 20}); // due since m + 19 days
        expected.insert(FactIndex({m, 6}));
        if (m <= 5) {
            records.push_back({{m, 7}, 2, m + 30}); // due since m + 28 days
            expected.insert(FactIndex({m, 7}));
        }
    }
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
        std::set<std::size_t> needed;
        for (const PlannedProblem& problem : Plan(Progress(records), Rows(5, 7), 20, seed)) {
            if (problem.kind != Kind::New) {
                needed.insert(FactIndex(problem.fact));
            }
        }
        EXPECT_EQ(needed, expected) << seed;
    }
}

TEST(PracticePlan, EachFactOnceNewAndNeededFirstNeverTwiceInARow) {
    const struct {
        const char* name;
        RowSwitches rows;
        std::vector<Record> history;
        int total;
        std::size_t distinct;
    } cases[] = {
        {"first round: a quick placement", Rows(2, 10), {}, 20, 20},
        {"a round of every kind", Rows(5, 7), History(4, 6, 10), 30, 30},
        {"all twenty rows", Rows(1, 20), History(5, 5, 5), 100, 100},
        {"one row, thirty problems: the list starts again", Rows(4, 4), {}, 30, 10},
    };
    for (const auto& c : cases) {
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            const auto plan = Plan(Progress(c.history), c.rows, c.total, seed);
            ASSERT_EQ(plan.size(), static_cast<std::size_t>(c.total));
            std::set<std::size_t> facts;
            for (std::size_t at = 0; at < plan.size(); ++at) {
                facts.insert(FactIndex(plan[at].fact));
                EXPECT_TRUE(RowOn(c.rows, plan[at].fact.row)) << c.name;
                EXPECT_TRUE(at == 0 || plan[at].fact != plan[at - 1].fact) << c.name << at;
            }
            EXPECT_EQ(facts.size(), c.distinct) << c.name;
            if (facts.size() == plan.size()) {
                const auto fill = std::find_if(plan.begin(), plan.end(),
                                               [](const auto& p) { return p.kind == Kind::Fill; });
                EXPECT_TRUE(std::all_of(fill, plan.end(), [](const auto& p) {
                    return p.kind == Kind::Fill;
                })) << c.name;
            }
        }
    }
}

TEST(PracticePlan, ASeedReplaysItsRoundAndOrdersNewAndNeededTogether) {
    const auto progress = Progress(History(3, 3, 10));
    EXPECT_EQ(Plan(progress, Rows(5, 7), 20, 77), Plan(progress, Rows(5, 7), 20, 77));
    EXPECT_NE(Plan(progress, Rows(5, 7), 20, 77), Plan(progress, Rows(5, 7), 20, 78));
    std::set<PlannedKind> firstKinds;
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        firstKinds.insert(Plan(progress, Rows(5, 7), 20, seed).front().kind);
    }
    EXPECT_EQ(firstKinds, (std::set{Kind::Learning, Kind::Due, Kind::New}));
}

// Kinds by letter, each problem its own fact.
std::vector<PlannedProblem> Problems(const std::string& kinds) {
    std::vector<PlannedProblem> plan;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        plan.push_back({{static_cast<int>(i % 10) + 1, static_cast<int>(i / 10) + 1},
                        kKindOfLetter.at(kinds[i])});
    }
    return plan;
}

TEST(PracticePlan, ACorrectionTakesTheFirstFillAtLeastTwoProblemsOn) {
    const struct {
        std::string kinds;
        std::size_t answered;
        // Where the correction goes; none when the plan stays as it was.
        std::optional<std::size_t> place;
        // A fact of the plan that is the one answered, to keep it from standing beside itself.
        std::optional<std::size_t> sameFactAt = std::nullopt;
    } cases[] = {
        {"DDFF", 0, 2},
        {"DFFF", 0, 2},
        {"DDDDDF", 0, 5},
        {"NDLCDF", 1, 5},
        {"FFFFF", 2, 4},
        {"FFFF", 2, std::nullopt},
        {"DDNLDD", 0, std::nullopt},
        {"DDFDFF", 0, 5, 3},
    };
    for (const auto& c : cases) {
        auto plan = Problems(c.kinds);
        if (c.sameFactAt) {
            plan[*c.sameFactAt].fact = plan[c.answered].fact;
        }
        auto corrected = plan;
        PlaceCorrection(corrected, c.answered);
        if (c.place) {
            plan[*c.place] = {plan[c.answered].fact, Kind::Correction};
        }
        EXPECT_EQ(corrected, plan) << c.kinds << " " << c.answered;
    }
}

} // namespace
