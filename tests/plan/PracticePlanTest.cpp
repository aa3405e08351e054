#include "plan/PracticePlan.h"

#include "plan/JournalProblemSource.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

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

RowSwitches Rows(int first, int last) {
    RowSwitches rows{};
    for (int row = first; row <= last; ++row) {
        rows.at(static_cast<std::size_t>(row - 1)) = true;
    }
    return rows;
}

std::vector<PlannedProblem> Plan(const FactProgressTable& progress, const RowSwitches& rows,
                                 int total, std::uint32_t seed) {
    RandomGenerator random;
    random.SetSeed(seed);
    return PlanRound(progress, rows, total, kToday, random);
}

std::map<PlannedKind, int> Kinds(const std::vector<PlannedProblem>& plan) {
    std::map<PlannedKind, int> kinds;
    for (const PlannedProblem& problem : plan) {
        ++kinds[problem.kind];
    }
    return kinds;
}

TEST(PracticePlan, LearningFactsComeSpacedAndTakeAtMostHalfTheRound) {
    const struct {
        int total;
        int waiting; // facts of level 0, the first waiting longest
        int learned;
        int showings;
    } cases[] = {{20, 6, 3, 3}, {12, 1, 1, 3}, {10, 6, 2, 2}, {6, 4, 1, 2},
                 {5, 4, 2, 1},  {3, 4, 1, 1},  {1, 4, 0, 1},  {40, 9, 4, 3}};
    for (const auto& c : cases) {
        std::vector<Record> records;
        for (int i = 0; i < c.waiting; ++i) {
            records.push_back({{i + 1, 7}, 0, 20 - i});
        }
        for (std::uint32_t seed = 0; seed < 40; ++seed) {
            SCOPED_TRACE(testing::Message() << c.total << " problems, seed " << seed);
            const auto plan = Plan(Progress(records), Rows(6, 8), c.total, seed);
            ASSERT_EQ(plan.size(), static_cast<std::size_t>(c.total));
            std::map<int, std::vector<std::size_t>> shownAt;
            for (std::size_t at = 0; at < plan.size(); ++at) {
                if (plan[at].kind == PlannedKind::Learning) {
                    shownAt[plan[at].fact.multiplier].push_back(at);
                }
                EXPECT_TRUE(at == 0 || plan[at].fact != plan[at - 1].fact) << at;
            }
            ASSERT_EQ(shownAt.size(), static_cast<std::size_t>(c.learned));
            for (const auto& [multiplier, places] : shownAt) {
                EXPECT_LE(multiplier, c.learned) << "not among those waiting longest";
                EXPECT_EQ(places.size(), static_cast<std::size_t>(c.showings));
                for (std::size_t i = 1; i < places.size(); ++i) {
                    EXPECT_GE(places[i] - places[i - 1], 3U) << "two others between showings";
                }
            }
        }
    }
}

TEST(PracticePlan, DueFactsFirstThenNewOnesThenTheRest) {
    // Row 7: 1 · 7 to 5 · 7 due (1 · 7 most overdue), 6 · 7 and 7 · 7 not due yet, 8 to 10 new.
    std::vector<Record> records;
    for (int m = 1; m <= 5; ++m) {
        records.push_back({{m, 7}, 1, 8 - m});
    }
    records.push_back({{6, 7}, 3, 1});
    records.push_back({{7, 7}, 3, 2});
    const struct {
        int total;
        std::map<PlannedKind, int> kinds;
        std::set<int> multipliers;
    } cases[] = {
        {3, {{PlannedKind::Due, 3}}, {1, 2, 3}},
        {7, {{PlannedKind::Due, 5}, {PlannedKind::New, 2}}, {1, 2, 3, 4, 5}},
        {9,
         {{PlannedKind::Due, 5}, {PlannedKind::New, 3}, {PlannedKind::Fill, 1}},
         {1, 2, 3, 4, 5, 7, 8, 9, 10}},
    };
    for (const auto& c : cases) {
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            const auto plan = Plan(Progress(records), Rows(7, 7), c.total, seed);
            EXPECT_EQ(Kinds(plan), c.kinds) << c.total;
            std::set<int> multipliers;
            for (const PlannedProblem& problem : plan) {
                multipliers.insert(problem.fact.multiplier);
            }
            EXPECT_TRUE(std::includes(multipliers.begin(), multipliers.end(), c.multipliers.begin(),
                                      c.multipliers.end()))
                << c.total;
            // A round cut short has asked what needs practice first.
            const auto fill = std::find_if(plan.begin(), plan.end(), [](const auto& problem) {
                return problem.kind == PlannedKind::Fill;
            });
            EXPECT_TRUE(std::none_of(fill, plan.end(), [](const auto& problem) {
                return problem.kind == PlannedKind::Due || problem.kind == PlannedKind::New;
            })) << c.total;
        }
    }
}

TEST(PracticePlan, NeverRepeatsAFactUnlessTheRowsRunOut) {
    const struct {
        const char* name;
        RowSwitches rows;
        int total;
        std::size_t distinct;
    } cases[] = {
        {"first round: a quick placement", Rows(2, 10), 20, 20},
        {"all twenty rows", Rows(1, 20), 100, 100},
        {"one row, thirty problems", Rows(4, 4), 30, 10},
    };
    for (const auto& c : cases) {
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            const auto plan = Plan(FactProgressTable{}, c.rows, c.total, seed);
            std::set<std::size_t> facts;
            for (std::size_t at = 0; at < plan.size(); ++at) {
                facts.insert(FactIndex(plan[at].fact));
                EXPECT_TRUE(RowOn(c.rows, plan[at].fact.row)) << c.name;
                EXPECT_TRUE(at == 0 || plan[at].fact != plan[at - 1].fact) << c.name << at;
            }
            EXPECT_EQ(facts.size(), c.distinct) << c.name;
        }
    }
}

TEST(PracticePlan, ASeedReplaysItsRound) {
    const auto progress = Progress({{{3, 5}, 0, 4}, {{4, 5}, 2, 6}, {{8, 6}, 1, 1}});
    EXPECT_EQ(Plan(progress, Rows(5, 6), 20, 77), Plan(progress, Rows(5, 6), 20, 77));
    EXPECT_NE(Plan(progress, Rows(5, 6), 20, 77), Plan(progress, Rows(5, 6), 20, 78));
}

// Kinds by letter: L learning, D due, C correction; each problem its own fact unless named.
std::vector<PlannedProblem> Problems(const std::string& kinds) {
    std::vector<PlannedProblem> plan;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const PlannedKind kind = kinds[i] == 'L'   ? PlannedKind::Learning
                                 : kinds[i] == 'C' ? PlannedKind::Correction
                                                   : PlannedKind::Due;
        plan.push_back({{static_cast<int>(i % 10) + 1, static_cast<int>(i / 10) + 1}, kind});
    }
    return plan;
}

TEST(PracticePlan, ACorrectionComesWithinThreeProblemsButNotRightAway) {
    const struct {
        std::string kinds;
        std::size_t answered;
        std::set<std::size_t> places;
    } cases[] = {
        {"DDDDDD", 0, {2, 3}}, {"DDLDDD", 0, {3}}, {"DDCDDD", 0, {3}}, {"DDD", 0, {2}},
        {"DDDDD", 3, {}},      {"DDDDD", 4, {}},   {"DDLL", 0, {}},
    };
    for (const auto& c : cases) {
        std::set<std::size_t> seen;
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            auto plan = Problems(c.kinds);
            RandomGenerator random;
            random.SetSeed(seed);
            PlaceCorrection(plan, c.answered, random);
            for (std::size_t at = 0; at < plan.size(); ++at) {
                if (plan[at] != Problems(c.kinds)[at]) {
                    EXPECT_EQ(plan[at].fact, plan[c.answered].fact);
                    EXPECT_EQ(plan[at].kind, PlannedKind::Correction);
                    seen.insert(at);
                }
            }
        }
        EXPECT_EQ(seen, c.places) << c.kinds << " " << c.answered;
    }
    // The fact comes again anyway: a learning showing three problems on.
    auto plan = Problems("LDDL");
    plan[3].fact = plan[0].fact;
    const auto before = plan;
    RandomGenerator random;
    PlaceCorrection(plan, 0, random);
    EXPECT_EQ(plan, before);
}

TEST(JournalProblemSource, AJournalItCannotReadLeavesTheUsualDraw) {
    const TempConfigDir temp;
    const auto journal = temp.Path() / "Lernstand.sqlite";
    InMemorySettings settings;
    std::ostringstream errors;
    JournalProblemSource source(
        journal, settings, [] { return sys_days(kToday) + hours(9); }, errors);
    RandomGenerator random;
    const auto firstRound = source.PlanRound(Rows(3, 3), 10, random);
    ASSERT_TRUE(firstRound.has_value());
    EXPECT_EQ(Kinds(*firstRound), (std::map<PlannedKind, int>{{PlannedKind::New, 10}}));

    std::ofstream(journal, std::ios::binary) << "Einkaufsliste: Milch, Brot";
    EXPECT_FALSE(source.PlanRound(Rows(3, 3), 10, random).has_value());
    EXPECT_FALSE(source.PlanRound(Rows(3, 3), kMostPlanned + 1, random).has_value());
    const std::string told = errors.str();
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
}

} // namespace
