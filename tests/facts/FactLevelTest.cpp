#include "facts/FactLevel.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace std::chrono;

// Noon UTC stays on one local day in every time zone from UTC-11 to UTC+11.
const WallTime kToday = sys_days(2026y / December / 9) + hours(12);

struct LevelCase {
    const char* name;
    // The answers, the newest first: the day counted back from today, then "r1200" for right in
    // 1200 ms, "f" wrong, "l" an empty Enter, "z" a time-out.
    std::string answers;
    int thresholdMilliseconds;
    std::optional<int> level;
    // The day it is due again, counted from today.
    std::optional<int> dueIn;
};

void PrintTo(const LevelCase& c, std::ostream* out) {
    *out << c.name;
}

FactProgress Walk(const LevelCase& c) {
    LocalCalendar calendar;
    LevelCount count(milliseconds(c.thresholdMilliseconds), calendar);
    std::istringstream in(c.answers);
    int daysBack = 0;
    std::string word;
    while (in >> daysBack >> word) {
        const AnswerOutcome outcome = word[0] == 'r'   ? AnswerOutcome::Right
                                      : word[0] == 'l' ? AnswerOutcome::Empty
                                      : word[0] == 'z' ? AnswerOutcome::TimeOut
                                                       : AnswerOutcome::Wrong;
        const std::int64_t ms = word.size() > 1 ? std::stoll(word.substr(1)) : 1000;
        if (!count.Add(kToday - days(daysBack), outcome, ms)) {
            break;
        }
    }
    return count.Progress();
}

class FactLevelTest : public testing::TestWithParam<LevelCase> {};

TEST_P(FactLevelTest, CountsRightAndFastAnswersOneADay) {
    const LevelCase& c = GetParam();
    const FactProgress progress = Walk(c);
    EXPECT_EQ(progress.level, c.level);
    const auto due = DueDay(progress);
    EXPECT_EQ(due ? std::optional<int>((*due - LocalCalendar().DayOf(kToday)).count())
                  : std::nullopt,
              c.dueIn);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, FactLevelTest,
    testing::Values(
        LevelCase{"NoAnswer", "", 3000, std::nullopt, std::nullopt},
        LevelCase{"NewestWrong", "0 f 1 r900 2 r900", 3000, 0, std::nullopt},
        LevelCase{"NewestTimeOut", "0 z", 3000, 0, std::nullopt},
        LevelCase{"OneRightToday", "0 r1200", 3000, 1, 1},
        LevelCase{"ThreeTheSameDayCountOnce", "0 r900 0 r900 0 r900", 3000, 1, 1},
        LevelCase{"OnlySlowIsLevelZero", "0 r4000 1 r5000 2 r3100", 3000, 0, std::nullopt},
        LevelCase{"ExactlyTheThresholdIsSlow", "0 r3000", 3000, 0, std::nullopt},
        LevelCase{"SlowNewestKeepsTheLevelAndPostpones", "0 r4000 1 r900 3 r900", 3000, 2, 2},
        LevelCase{"SlowBetweenDoesNotStopTheCount", "0 r900 1 r4000 2 r900", 3000, 2, 2},
        LevelCase{"SlowThenWrongStops", "0 r4000 1 z 2 r900", 3000, 0, std::nullopt},
        LevelCase{"WrongStopsTheCount", "0 r900 1 r900 2 f 3 r900", 3000, 2, 2},
        LevelCase{"EmptyStopsTheCount", "0 r900 4 l 5 r900", 3000, 1, 1},
        LevelCase{"GapsOfDaysCount", "0 r900 3 r900 10 r900", 3000, 3, 4},
        LevelCase{"DueCountsFromTheNewestDay", "2 r900 5 r900", 3000, 2, 0},
        LevelCase{"OverdueIsInThePast", "20 r900 21 r900 22 r900 30 r900", 3000, 4, -12},
        LevelCase{"SixIsTheTop", "0 r900 1 r900 2 r900 3 r900 4 r900 5 r900 6 r900 7 r900", 3000, 6,
                  30},
        LevelCase{"SixSecondsForSlowTypists", "0 r5000 1 r5900", 6000, 2, 2},
        LevelCase{"AChildsOwnThreshold", "0 r4300 1 r4500 2 r4399", 4400, 2, 2}),
    [](const testing::TestParamInfo<LevelCase>& param) { return param.param.name; });

} // namespace
