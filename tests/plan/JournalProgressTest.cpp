#include "plan/JournalProgress.h"

#include "journal/JournalReader.h"
#include "journal/JournalRecorder.h"
#include "journal/SqliteConnection.h"
#include "plan/JournalProblemSource.h"
#include "tests/plan/PlannedRounds.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace {

using namespace std::chrono;

const sys_days kToday = 2026y / December / 9;
// Noon UTC stays on one local day in every time zone from UTC-11 to UTC+11.
const WallTime kNoon = kToday + hours(12);

// A journal in a folder of its own, written by the drill's recorder at the moments given.
class TestJournal {
public:
    std::filesystem::path Path() const { return folder_.Path() / "Lernstand.sqlite"; }

    void Answer(WallTime at, Fact fact, AnswerOutcome outcome, std::int64_t milliseconds) {
        now_ = at;
        recorder_.RoundStarted({1, false, 5, {fact.row}});
        const bool typed = outcome == AnswerOutcome::Right || outcome == AnswerOutcome::Wrong;
        recorder_.Answered(
            {fact.multiplier, fact.row,
             typed ? std::to_string(fact.Product() + (outcome == AnswerOutcome::Wrong)) : "",
             outcome, milliseconds});
    }

    // Five numbers typed right in the given milliseconds, after a slip on the first.
    void TypingCheck(WallTime at, const std::vector<std::int64_t>& milliseconds) {
        now_ = at;
        std::vector<TypedNumber> numbers{{"47", "74", 300}};
        for (const std::int64_t time : milliseconds) {
            numbers.push_back({"47", "47", time});
        }
        recorder_.TypingChecked(numbers);
    }

    std::string Errors() const { return errors_.str(); }

private:
    TempConfigDir folder_;
    WallTime now_{};
    std::ostringstream errors_;
    JournalRecorder recorder_{Path(), [this] { return now_; }, errors_};
};

JournalProblemSource Source(const TestJournal& journal, const InMemorySettings& settings,
                            std::ostream& errors) {
    return JournalProblemSource(
        journal.Path(), settings, [] { return kNoon; }, errors);
}

TEST(JournalProblemSource, AJournalItCannotReadLeavesTheUsualDrawWithoutACheck) {
    const TestJournal journal;
    const InMemorySettings settings;
    std::ostringstream errors;
    JournalProblemSource source = Source(journal, settings, errors);
    RandomGenerator random;
    EXPECT_TRUE(source.TypingCheckDue());
    const auto firstRound = source.PlanRound(Rows(3, 3), 10, random);
    ASSERT_TRUE(firstRound.has_value());
    EXPECT_EQ(Kinds(*firstRound), "N10");

    std::ofstream(journal.Path(), std::ios::binary) << "Einkaufsliste: Milch, Brot";
    EXPECT_FALSE(source.TypingCheckDue());
    EXPECT_FALSE(source.PlanRound(Rows(3, 3), 10, random).has_value());
    EXPECT_FALSE(source.PlanRound(Rows(3, 3), kMostPlanned + 1, random).has_value());
    const std::string told = errors.str();
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
}

// 3 · 4 was answered right in 4 s yesterday: slow for 3 s, fast for a child who types in 2.4 s.
TEST(JournalProblemSource, TheNewestTypingCheckSetsTheThresholdAndWhenTheNextIsDue) {
    const struct {
        const char* name;
        std::string seconds;
        // Days before today of each check, the newest last, each typed in 2.4 s at the median.
        std::vector<int> checks;
        bool due;
        int threshold;
        PlannedKind kind;
    } cases[] = {
        {"no check yet", "", {}, true, 3000, PlannedKind::Learning},
        {"checked 29 days ago", "", {40, 29}, false, 4400, PlannedKind::Due},
        {"checked 30 days ago", "", {30}, true, 4400, PlannedKind::Due},
        {"twelve seconds chosen", "12", {3}, false, 13400, PlannedKind::Due},
    };
    for (const auto& c : cases) {
        TestJournal journal;
        for (const int daysAgo : c.checks) {
            journal.TypingCheck(kNoon - days(daysAgo), {2400, 2000, 2600, 2500, 1900});
        }
        journal.Answer(kNoon - days(1), {3, 4}, AnswerOutcome::Right, 4000);
        InMemorySettings settings;
        settings.ini = "[Lernstand]\nSekunden=" + c.seconds + "\n";
        std::ostringstream errors;
        JournalProblemSource source = Source(journal, settings, errors);
        EXPECT_EQ(source.TypingCheckDue(), c.due) << c.name;
        const JournalProgress read =
            ReadJournalProgress(journal.Path(), Rows(4, 4), seconds(c.seconds.empty() ? 3 : 12));
        EXPECT_EQ(read.threshold, milliseconds(c.threshold)) << c.name;
        RandomGenerator random;
        const auto plan = source.PlanRound(Rows(4, 4), 10, random);
        ASSERT_TRUE(plan.has_value()) << c.name;
        const auto asked = std::find_if(plan->begin(), plan->end(), [](const PlannedProblem& p) {
            return p.fact == Fact{3, 4};
        });
        ASSERT_NE(asked, plan->end()) << c.name;
        EXPECT_EQ(asked->kind, c.kind) << c.name;
        EXPECT_EQ(journal.Errors() + errors.str(), "") << c.name;
    }
}

// Months of practice with mistakes, slow answers and several answers a day: the progress the
// round reads through the journal's index is the progress worked out from every answer.
TEST(JournalProgress, ReadThroughTheIndexAgreesWithEveryAnswer) {
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto chance = [&random](double p) {
            return std::uniform_real_distribution<double>(0, 1)(random) < p;
        };
        TestJournal journal;
        WallTime at = kNoon - days(120);
        const bool typingCheck = seed % 2 == 0;
        if (typingCheck) {
            journal.TypingCheck(at, {1800, 2200, 2600, 2000, 2400});
        }
        for (int day = 0; day < 120; ++day) {
            at = kNoon - days(120 - day) - hours(4);
            if (!chance(0.6)) {
                continue;
            }
            const int answers = 5 + static_cast<int>(random() % 30);
            for (int i = 0; i < answers; ++i) {
                at += seconds(5 + random() % 600);
                const Fact fact{static_cast<int>(random() % 10) + 1,
                                2 + static_cast<int>(random() % 4)};
                const AnswerOutcome outcome = chance(0.8)   ? AnswerOutcome::Right
                                              : chance(0.5) ? AnswerOutcome::Wrong
                                              : chance(0.5) ? AnswerOutcome::Empty
                                                            : AnswerOutcome::TimeOut;
                journal.Answer(at, fact, outcome, 800 + static_cast<int>(random() % 5000));
            }
        }
        ASSERT_EQ(journal.Errors(), "");

        const RowSwitches rows = Rows(2, 5);
        const JournalProgress read = ReadJournalProgress(journal.Path(), rows, seconds(3));
        EXPECT_EQ(read.threshold, milliseconds(typingCheck ? 4200 : 3000));
        const SqliteConnection connection(journal.Path(), SqliteAccess::ReadOnly);
        const FactProgressTable all = ProgressOf(ReadRecordedAnswers(connection), read.threshold);
        int levelled = 0;
        ForEachFact([&](Fact fact) {
            const FactProgress& expected = all.at(FactIndex(fact));
            const FactProgress& got = read.progress.at(FactIndex(fact));
            if (!RowOn(rows, fact.row)) {
                EXPECT_FALSE(got.level.has_value());
                return;
            }
            levelled += expected.level.value_or(0) > 0 ? 1 : 0;
            EXPECT_EQ(got.level, expected.level) << FactText(fact);
            EXPECT_EQ(got.lastAnswer, expected.lastAnswer) << FactText(fact);
            EXPECT_EQ(got.lastDay, expected.lastDay) << FactText(fact);
        });
        EXPECT_GT(levelled, 0);
    }
}

} // namespace
