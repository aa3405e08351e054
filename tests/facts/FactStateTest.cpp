#include "facts/FactState.h"

#include "tests/support/Answers.h"

#include <gtest/gtest.h>

namespace {

struct StateCase {
    const char* name;
    // The threshold chosen.
    int seconds;
    // The fact's answers, the newest first.
    std::string answers;
    FactState expected;
};

void PrintTo(const StateCase& c, std::ostream* out) {
    *out << c.name;
}

class FactStateTest : public testing::TestWithParam<StateCase> {};

TEST_P(FactStateTest, LastThreeAnswersDecide) {
    const StateCase& c = GetParam();
    EXPECT_EQ(StateOf(FactAnswers(c.answers), std::chrono::seconds(c.seconds)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    States, FactStateTest,
    testing::Values(
        StateCase{"NoAnswer", 3, "", FactState::New},
        StateCase{"OneFastRight", 3, "r900", FactState::AlmostSure},
        StateCase{"TwoFastRight", 3, "r900 r900", FactState::AlmostSure},
        StateCase{"ThreeFastRight", 3, "r2999 r2999 r2999", FactState::Sure},
        StateCase{"ExactlyAtThresholdIsNotFaster", 3, "r2999 r3000 r2999", FactState::AlmostSure},
        StateCase{"OneSlow", 3, "r1000 r1000 r4500", FactState::AlmostSure},
        StateCase{"NewestWrong", 3, "f r1000 r1000 r1000", FactState::Practise},
        StateCase{"EmptyEnter", 3, "r1000 l r1000", FactState::Practise},
        StateCase{"TimeOut", 3, "r1000 r1000 z", FactState::Practise},
        StateCase{"WrongBeforeTheLastThreeForgotten", 3, "r1000 r1000 r1000 f", FactState::Sure},
        StateCase{"SixSeconds", 6, "r5999 r5999 r5999", FactState::Sure},
        StateCase{"SixSecondsExactly", 6, "r5999 r6000 r5999", FactState::AlmostSure},
        StateCase{"TwelveSeconds", 12, "r11999 r11999 r11999", FactState::Sure}),
    [](const testing::TestParamInfo<StateCase>& param) { return param.param.name; });

} // namespace
