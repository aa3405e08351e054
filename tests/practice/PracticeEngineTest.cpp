#include "practice/PracticeEngine.h"

#include "FakePracticeView.h"
#include "common/IntegerConversion.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Calls = std::vector<std::string>;
using C = PracticeControl;

constexpr std::int64_t kOneDay = 24 * 60 * 60 * 1000;

// [Aufgaben] with the given rows set to onText and every other row "off".
std::string Rows(const std::set<int>& rows, const std::string& onText = "on") {
    std::string ini = "[Aufgaben]\n";
    for (int row = 1; row <= 20; ++row) {
        ini += std::to_string(row) + "=" + (rows.count(row) != 0 ? onText : "off") + "\n";
    }
    return ini;
}

std::string Vorgaben(const std::string& zeit = "5", const std::string& menge = "10",
                     const std::string& timer = "on") {
    return "[Vorgaben]\nZeit=" + zeit + "\nMenge=" + menge + "\nTimer=" + timer + "\n";
}

std::string Problem(int multiplier, int row) {
    return std::to_string(multiplier) + " · " + std::to_string(row) + " = ";
}

struct Drawn {
    int multiplier = 0;
    int row = 0;
    bool operator==(const Drawn&) const = default;
};

// Reads the problem line back and checks it is written exactly as a problem should be.
Drawn Parse(const std::string& problemLine) {
    Drawn drawn;
    std::string dot;
    std::istringstream(problemLine) >> drawn.multiplier >> dot >> drawn.row;
    EXPECT_EQ(problemLine, Problem(drawn.multiplier, drawn.row));
    return drawn;
}

// The drawing rule worked out afresh: row first, then multiplier, drawn again while the row is
// off or the pair repeats the previous problem.
std::vector<Drawn> ReferenceDraws(std::uint32_t seed, const std::set<int>& rows, int count) {
    const auto random = [&seed](std::uint64_t range) {
        seed = seed * 134775813u + 1u;
        return static_cast<int>((seed * range) >> 32);
    };
    std::vector<Drawn> draws;
    Drawn last;
    while (static_cast<int>(draws.size()) < count) {
        Drawn next;
        next.row = random(20) + 1;
        next.multiplier = random(10) + 1;
        if (rows.count(next.row) != 0 && !(next == last)) {
            draws.push_back(next);
            last = next;
        }
    }
    return draws;
}

Calls HiddenBar() {
    Calls calls;
    for (int tag = 1; tag <= 20; ++tag) {
        calls.push_back("hide Shape" + std::to_string(tag));
    }
    return calls;
}

Calls Join(std::initializer_list<Calls> parts) {
    Calls joined;
    for (const auto& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

// The what() of the ConversionError the action throws, or a note that it threw none.
std::string ConversionMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const ConversionError& error) {
        return error.what();
    }
    return "no ConversionError";
}

class PracticeEngineTest : public ::testing::Test {
protected:
    PracticeEngineTest() { view.Attach(engine); }

    void Start(const std::string& ini) {
        config.WriteIni(ini);
        engine.FormShow();
    }

    void AnswerRight() { view.Type(std::to_string(engine.ExpectedProduct()) + "\r"); }
    void AnswerWrong() { view.Type(std::to_string(engine.ExpectedProduct() + 1) + "\r"); }

    // What the board shows for a control: its text, or that it is hidden.
    std::string Shown(PracticeControl control) const {
        return view.Visible(control) ? view.Text(control) : "(hidden)";
    }

    TempConfigDir config;
    FakePracticeView view;
    std::uint32_t seed = 0;
    PracticeEngine engine{view, [this] { return seed; }};
};

// --- Drawing problems ---

TEST_F(PracticeEngineTest, FirstProblemsOfSeedZeroAreTheHandWorkedOnes) {
    Start(Vorgaben());
    for (const char* expected : {"1 · 1 = ", "3 · 18 = ", "7 · 6 = ", "2 · 7 = ", "5 · 8 = "}) {
        EXPECT_EQ(Shown(C::Label1), expected);
        AnswerRight();
    }
}

TEST_F(PracticeEngineTest, DisabledRowsAndRepeatsAreDrawnAgain) {
    // Rows 4 and 7: the first problem is the fourth pair drawn; rows 1, 18 and 6 are off.
    Start(Rows({4, 7}) + Vorgaben());
    for (const char* expected : {"2 · 7 = ", "4 · 4 = ", "1 · 7 = ", "2 · 4 = "}) {
        EXPECT_EQ(Shown(C::Label1), expected);
        AnswerRight();
    }
    // Seed 3, row 4 alone: a second 9 · 4 is drawn right after the first and refused.
    seed = 3;
    Start(Rows({4}) + Vorgaben());
    for (const char* expected : {"9 · 4 = ", "4 · 4 = ", "7 · 4 = ", "10 · 4 = "}) {
        EXPECT_EQ(Shown(C::Label1), expected);
        AnswerRight();
    }
}

struct DrawCase {
    std::uint32_t seed;
    std::set<int> rows;
};

void PrintTo(const DrawCase& draw, std::ostream* out) {
    *out << "seed " << draw.seed << ", " << draw.rows.size() << " rows";
}

class DrawTest : public PracticeEngineTest, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(DrawTest, ThousandsOfProblemsFollowTheRuleAndUseOnlyEnabledRows) {
    seed = GetParam().seed;
    const std::set<int>& rows = GetParam().rows;
    Start(Rows(rows) + Vorgaben("5", "100000", "off"));
    const int count = 3000;
    const std::vector<Drawn> expected = ReferenceDraws(GetParam().seed, rows, count);
    std::set<int> rowsSeen;
    std::set<int> multipliersSeen;
    Drawn previous;
    for (int i = 0; i < count; ++i) {
        const Drawn drawn = Parse(view.Text(C::Label1));
        ASSERT_EQ(drawn, expected[static_cast<std::size_t>(i)]) << "problem " << i + 1;
        ASSERT_EQ(rows.count(drawn.row), 1u);
        ASSERT_FALSE(drawn == previous);
        ASSERT_EQ(engine.ExpectedProduct(), drawn.multiplier * drawn.row);
        rowsSeen.insert(drawn.row);
        multipliersSeen.insert(drawn.multiplier);
        previous = drawn;
        view.TakeCalls();
        engine.Aufgabe();
    }
    EXPECT_EQ(rowsSeen, rows);
    EXPECT_EQ(multipliersSeen.size(), 10u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, DrawTest,
                         ::testing::Values(DrawCase{0, {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                                        11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
                                           DrawCase{3, {4}}, DrawCase{0xFFFFFFFFu, {1, 20}},
                                           DrawCase{86'399'999, {2, 3, 5, 7, 11, 13, 17, 19}}));

class NoRowEnabledTest : public PracticeEngineTest,
                         public ::testing::WithParamInterface<std::string> {};

TEST_P(NoRowEnabledTest, RoundUsesRowOneAlone) {
    Start(
        Rows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}, GetParam()) +
        Vorgaben("5", "100", "on"));
    Drawn previous;
    for (int i = 0; i < 100; ++i) {
        const Drawn drawn = Parse(view.Text(C::Label1));
        ASSERT_EQ(drawn.row, 1);
        ASSERT_FALSE(drawn == previous);
        previous = drawn;
        AnswerRight();
    }
    EXPECT_EQ(Shown(C::Label2), "100 Richtig");
}

INSTANTIATE_TEST_SUITE_P(HandEdited, NoRowEnabledTest, ::testing::Values("off", "On", "1"));

// --- Countdown ---

class TimeOutTest : public PracticeEngineTest, public ::testing::WithParamInterface<int> {};

TEST_P(TimeOutTest, SegmentsFillStepByStepAndStepTwentyOneCountsWrong) {
    const int step = GetParam() * 100;
    Start(Vorgaben(std::to_string(GetParam())));
    EXPECT_EQ(view.VisibleSegments(), 0);
    for (int tick = 1; tick <= 20; ++tick) {
        view.Advance(step - 1);
        ASSERT_EQ(view.VisibleSegments(), tick - 1);
        view.Advance(1);
        ASSERT_TRUE(view.SegmentVisible(tick));
        ASSERT_EQ(view.VisibleSegments(), tick);
    }
    view.Advance(step - 1);
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 1 von 10");

    view.Advance(1);
    EXPECT_EQ(Shown(C::Label3), "1 Falsch");
    EXPECT_EQ(Shown(C::Label2), "(hidden)");
    EXPECT_EQ(view.Text(C::Userin), "");
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 2 von 10");
    EXPECT_EQ(view.VisibleSegments(), 0);

    // The time-out stopped the timer, so the next problem gets a fresh 21 steps.
    view.Advance(21 * step - 1);
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 2 von 10");
    EXPECT_EQ(view.VisibleSegments(), 20);
    view.Advance(1);
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 3 von 10");
    EXPECT_EQ(Shown(C::Label3), "2 Falsch");
}

INSTANTIATE_TEST_SUITE_P(Zeit, TimeOutTest, ::testing::Values(1, 2, 5, 10, 20));

TEST_F(PracticeEngineTest, AfterEnterTheRunningPeriodCarriesOver) {
    Start(Vorgaben("5"));
    view.Advance(1300);
    EXPECT_EQ(view.VisibleSegments(), 2);
    AnswerRight();
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 2 von 10");
    EXPECT_EQ(view.VisibleSegments(), 0);
    EXPECT_EQ(engine.TickCount(), 0);

    // The period begun at 1000 ms ends at 1500 ms: the first step comes 200 ms after the answer.
    view.Advance(199);
    EXPECT_EQ(view.VisibleSegments(), 0);
    view.Advance(1);
    EXPECT_TRUE(view.SegmentVisible(1));
    view.Advance(9999);
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 2 von 10");
    view.Advance(1);
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 3 von 10");
    EXPECT_EQ(Shown(C::Label3), "1 Falsch");
}

struct NoCountdownCase {
    std::string zeit;
    int interval;
};

void PrintTo(const NoCountdownCase& zeit, std::ostream* out) {
    *out << "Zeit=" << zeit.zeit;
}

class NoCountdownTest : public PracticeEngineTest,
                        public ::testing::WithParamInterface<NoCountdownCase> {};

TEST_P(NoCountdownTest, TimeSettingOutsideTheUsableRangeNeverTimesOut) {
    Start(Vorgaben(GetParam().zeit));
    EXPECT_EQ(view.TimerInterval(), GetParam().interval);
    view.Advance(kOneDay);
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 1 von 10");
    EXPECT_EQ(view.VisibleSegments(), 0);
    EXPECT_EQ(engine.WrongCount(), 0);
    AnswerRight();
    EXPECT_EQ(Shown(C::Label2), "1 Richtig");
}

INSTANTIATE_TEST_SUITE_P(Zeit, NoCountdownTest,
                         ::testing::Values(NoCountdownCase{"0", 0}, NoCountdownCase{"-5", 0},
                                           NoCountdownCase{"-2147483648", 0},
                                           NoCountdownCase{"21474837", 0},
                                           NoCountdownCase{"2147483647", 0},
                                           NoCountdownCase{"21474836", 2147483600}));

class UntimedTest : public PracticeEngineTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(UntimedTest, TimerOtherThanExactlyOnRunsWithoutCountdown) {
    Start(Vorgaben("5", "10", GetParam()));
    EXPECT_FALSE(engine.TimedMode());
    for (const auto& call : view.TakeCalls()) {
        EXPECT_EQ(call.rfind("interval", 0), std::string::npos) << call;
        EXPECT_EQ(call.rfind("enabled", 0), std::string::npos) << call;
    }
    view.Advance(kOneDay);
    EXPECT_EQ(view.VisibleSegments(), 0);
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 1 von 10");
}

INSTANTIATE_TEST_SUITE_P(Timer, UntimedTest, ::testing::Values("On", "off", "ON", "1"));

// --- Answers ---

TEST_F(PracticeEngineTest, RightAnswerCountsRightAndSwallowsEnter) {
    Start(Vorgaben());
    view.Type(std::to_string(engine.ExpectedProduct()));
    EXPECT_EQ(view.Press(PracticeEngine::kEnter), 0u);
    EXPECT_EQ(Shown(C::Label2), "1 Richtig");
    EXPECT_EQ(Shown(C::Label3), "(hidden)");
    EXPECT_EQ(view.Text(C::Userin), "");
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 2 von 10");
}

TEST_F(PracticeEngineTest, WrongAnswersCountWrong) {
    Start(Vorgaben());
    for (const std::string answer : {"0", "1000", "2147483647"}) {
        view.Type(answer + "\r");
    }
    AnswerWrong();
    EXPECT_EQ(Shown(C::Label3), "4 Falsch");
    EXPECT_EQ(Shown(C::Label2), "(hidden)");
    EXPECT_EQ(view.Text(C::Userin), "");
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 5 von 10");
}

TEST_F(PracticeEngineTest, EmptyEnterCountsWrongWithoutLeavingTheStandIn) {
    Start(Vorgaben());
    view.TakeCalls();
    view.Type("\r");
    EXPECT_EQ(Shown(C::Label3), "1 Falsch");
    EXPECT_EQ(view.Text(C::Userin), "");
    Calls userinTexts;
    for (const auto& call : view.Calls()) {
        if (call.rfind("text Userin", 0) == 0) {
            userinTexts.push_back(call);
        }
    }
    EXPECT_EQ(userinTexts, (Calls{"text Userin 1000", "text Userin "}));
}

class RefusedKeyTest : public PracticeEngineTest, public ::testing::WithParamInterface<char32_t> {};

TEST_P(RefusedKeyTest, ShowsTheMessageAndBecomesABackspace) {
    Start(Vorgaben());
    view.Type("12");
    view.TakeCalls();
    EXPECT_EQ(view.Press(GetParam()), PracticeEngine::kBackspace);
    EXPECT_EQ(view.TakeCalls(), Calls{"message Bitte eine Zahl eingeben!"});
    EXPECT_EQ(view.Text(C::Userin), "1");
    EXPECT_EQ(engine.WrongCount(), 0);
}

// Letters, blanks, signs, "$", the control characters of Ctrl+C/V/X/Z, Escape, line feed, umlaut.
INSTANTIATE_TEST_SUITE_P(Keys, RefusedKeyTest,
                         ::testing::Values(U'a', U' ', U'-', U'+', U'$', char32_t{3}, char32_t{22},
                                           char32_t{24}, char32_t{26}, char32_t{27}, char32_t{10},
                                           U'\u00E4'));

TEST_F(PracticeEngineTest, DigitsAndBackspacePassUnchanged) {
    Start(Vorgaben());
    view.TakeCalls();
    for (char32_t key = U'0'; key <= U'9'; ++key) {
        EXPECT_EQ(view.Press(key), key);
    }
    EXPECT_EQ(view.Press(PracticeEngine::kBackspace), PracticeEngine::kBackspace);
    EXPECT_EQ(view.Text(C::Userin), "012345678");
    EXPECT_EQ(view.TakeCalls(), Calls{});
}

TEST_F(PracticeEngineTest, TimeOutWhileTheMessageIsOpenEvaluatesTheStandIn) {
    Start(Vorgaben("5"));
    view.Advance(10000);
    view.Type(std::to_string(engine.ExpectedProduct()));
    view.whileMessageOpen = [this] { view.Advance(500); };
    EXPECT_EQ(view.Press(U'x'), PracticeEngine::kBackspace);
    EXPECT_EQ(Shown(C::Label3), "1 Falsch");
    EXPECT_EQ(Shown(C::Label2), "(hidden)");
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 2 von 10");
    EXPECT_EQ(view.Text(C::Userin), "");
}

TEST_F(PracticeEngineTest, AnswerBeyondTheIntegerRangeChangesNothingAndTheProblemStays) {
    Start(Vorgaben("5"));
    view.Advance(2000);
    const std::string problem = view.Text(C::Label1);
    view.Type("2147483648");
    EXPECT_EQ(ConversionMessage([this] { view.Press(PracticeEngine::kEnter); }),
              "'2147483648' is not a valid integer value");
    EXPECT_EQ(engine.RightCount() + engine.WrongCount(), 0);
    EXPECT_EQ(Shown(C::Label2), "(hidden)");
    EXPECT_EQ(Shown(C::Label3), "(hidden)");
    EXPECT_EQ(Shown(C::Label1), problem);
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 1 von 10");
    EXPECT_EQ(view.Text(C::Userin), "2147483648");

    // The bar was emptied but the steps run on, each showing only its own segment.
    EXPECT_EQ(view.VisibleSegments(), 0);
    view.Advance(500);
    EXPECT_TRUE(view.SegmentVisible(5));
    EXPECT_EQ(view.VisibleSegments(), 1);
    view.Advance(8000);
    EXPECT_EQ(Shown(C::Label3), "1 Falsch");
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 2 von 10");
    EXPECT_EQ(view.Text(C::Userin), "");
}

struct BoardCase {
    int total;
    int right;
    int wrong;
};

void PrintTo(const BoardCase& board, std::ostream* out) {
    *out << board.right << " right, " << board.wrong << " wrong";
}

class EndOfRoundTest : public PracticeEngineTest,
                       public ::testing::WithParamInterface<BoardCase> {};

TEST_P(EndOfRoundTest, BoardShowsResultTalliesAndRewardOnlyForAPerfectRound) {
    const auto [total, right, wrong] = GetParam();
    Start(Vorgaben("5", std::to_string(total)));
    for (int i = 0; i < wrong; ++i) {
        AnswerWrong();
    }
    for (int i = 0; i < right; ++i) {
        AnswerRight();
    }
    EXPECT_EQ(Shown(C::Label5), "Von " + std::to_string(total) + " Augaben hast Du");
    EXPECT_EQ(Shown(C::Label2), right > 0 ? std::to_string(right) + " Richtig" : "(hidden)");
    EXPECT_EQ(Shown(C::Label3), wrong > 0 ? std::to_string(wrong) + " Falsch" : "(hidden)");
    EXPECT_EQ(view.Visible(C::Image2), wrong == 0);
    EXPECT_TRUE(view.Visible(C::Button2));
    for (const auto control : {C::Userin, C::Label1, C::Label4}) {
        EXPECT_FALSE(view.Visible(control)) << FakePracticeView::Name(control);
    }
    EXPECT_FALSE(view.TimerRunning());
    EXPECT_EQ(view.VisibleSegments(), 0);
}

INSTANTIATE_TEST_SUITE_P(Tallies, EndOfRoundTest,
                         ::testing::Values(BoardCase{10, 8, 2}, BoardCase{10, 0, 10},
                                           BoardCase{10, 10, 0}, BoardCase{5, 5, 0},
                                           BoardCase{1, 0, 1}, BoardCase{1, 1, 0}));

TEST_F(PracticeEngineTest, TotalOfZeroEndsTheRoundAtOnce) {
    Start(Vorgaben("5", "0"));
    for (const auto control : {C::Label1, C::Label2, C::Label3, C::Label4, C::Label5, C::Userin,
                               C::Image2, C::Button2}) {
        EXPECT_FALSE(view.Visible(control)) << FakePracticeView::Name(control);
    }
    EXPECT_FALSE(view.TimerRunning());
    view.Advance(kOneDay);
    EXPECT_EQ(engine.WrongCount(), 0);
}

TEST_F(PracticeEngineTest, NochMalStartsAFreshRound) {
    Start(Vorgaben("5", "10"));
    for (int i = 0; i < 10; ++i) {
        AnswerRight();
    }
    ASSERT_TRUE(view.Visible(C::Image2));
    engine.FormShow();
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 1 von 10");
    for (const auto control : {C::Label2, C::Label3, C::Label5, C::Image2, C::Button2}) {
        EXPECT_FALSE(view.Visible(control)) << FakePracticeView::Name(control);
    }
    EXPECT_TRUE(view.Visible(C::Userin));
    EXPECT_TRUE(view.TimerRunning());
    AnswerRight();
    EXPECT_EQ(Shown(C::Label2), "1 Richtig");
}

// --- Round start ---

TEST_F(PracticeEngineTest, WithoutSettingsFileEveryRowFiveTenthsTenProblemsTimed) {
    engine.FormShow();
    for (int row = 1; row <= 20; ++row) {
        EXPECT_TRUE(engine.RowEnabled(row)) << row;
    }
    EXPECT_EQ(view.TimerInterval(), 500);
    EXPECT_TRUE(engine.TimedMode());
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 1 von 10");
}

class BadNumberTest : public PracticeEngineTest,
                      public ::testing::WithParamInterface<std::pair<std::string, std::string>> {};

TEST_P(BadNumberTest, RoundStartStopsWithTheBoardCleared) {
    Start(Vorgaben("5", "1"));
    AnswerWrong();
    config.WriteIni(GetParam().first);
    view.TakeCalls();
    EXPECT_EQ(ConversionMessage([this] { engine.FormShow(); }), GetParam().second);
    for (const auto control :
         {C::Label1, C::Label2, C::Label3, C::Label4, C::Label5, C::Image2, C::Button2}) {
        EXPECT_FALSE(view.Visible(control)) << FakePracticeView::Name(control);
    }
    for (const auto& call : view.Calls()) {
        EXPECT_EQ(call.rfind("text Label1", 0), std::string::npos);
    }
    EXPECT_FALSE(view.TimerRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Settings, BadNumberTest,
    ::testing::Values(std::pair{Vorgaben("abc"), "'abc' is not a valid integer value"},
                      std::pair{Vorgaben("5", "abc"), "'abc' is not a valid integer value"},
                      std::pair{Vorgaben("12a"), "'12a' is not a valid integer value"},
                      std::pair{Vorgaben("5", "99999999999"),
                                "'99999999999' is not a valid integer value"}));

TEST_F(PracticeEngineTest, HalfTypedAnswerSurvivesClosingIntoTheNextRound) {
    Start(Vorgaben());
    view.Type("12");
    engine.FormCloseQuery();
    engine.FormShow();
    EXPECT_EQ(view.Text(C::Userin), "12");
}

// --- Recorded call orders ---

TEST_F(PracticeEngineTest, FormShowOrder) {
    Start(Vorgaben("5", "10"));
    EXPECT_EQ(view.TakeCalls(),
              Join({{"hide Button2", "hide Image2"},
                    HiddenBar(),
                    {"hide Label5", "hide Label1", "hide Label2", "hide Label3", "hide Label4",
                     "hide Image2", "interval 500", "enabled 1", "show Userin", "show Label1",
                     "show Label4", "text Label4 Aufgabe 1 von 10", "show Label1",
                     "text Label1 1 · 1 = ", "focus"},
                    HiddenBar()}));
}

TEST_F(PracticeEngineTest, UntimedAufgabeOrder) {
    Start(Vorgaben("5", "10", "off"));
    view.TakeCalls();
    engine.Aufgabe();
    EXPECT_EQ(view.TakeCalls(),
              Join({{"hide Image2"},
                    HiddenBar(),
                    {"show Userin", "show Label1", "show Label4", "text Label4 Aufgabe 2 von 10",
                     "show Label1", "text Label1 3 · 18 = ", "focus"},
                    HiddenBar()}));
}

TEST_F(PracticeEngineTest, AufgabePastTheTotalOrder) {
    Start(Vorgaben("5", "1", "off"));
    view.TakeCalls();
    engine.Aufgabe();
    EXPECT_EQ(view.TakeCalls(),
              Join({{"hide Image2"},
                    HiddenBar(),
                    {"show Userin", "show Label1", "show Label4", "text Label4 Aufgabe 2 von 1",
                     "hide Userin", "hide Label1", "hide Label4"},
                    HiddenBar(),
                    {"enabled 0"}}));
}

TEST_F(PracticeEngineTest, RechneOrderWithinTheRound) {
    Start(Vorgaben("5", "10"));
    view.Type("1");
    view.TakeCalls();
    engine.Rechne();
    EXPECT_EQ(view.TakeCalls(), Join({{"show Label2", "text Label2 1 Richtig", "text Userin ",
                                       "hide Image2", "interval 500", "enabled 1", "show Userin",
                                       "show Label1", "show Label4", "text Label4 Aufgabe 2 von 10",
                                       "show Label1", "text Label1 3 · 18 = ", "focus"},
                                      HiddenBar()}));
}

TEST_F(PracticeEngineTest, EndRoundOrderAfterAWrongLastAnswer) {
    Start(Vorgaben("5", "1"));
    view.Type("2");
    view.TakeCalls();
    engine.Rechne();
    EXPECT_EQ(view.TakeCalls(),
              Join({{"show Label3", "text Label3 1 Falsch", "text Userin ", "show Button2",
                     "hide Userin", "hide Label1", "hide Label4",
                     "text Label5 Von 1 Augaben hast Du", "interval 0", "enabled 0", "show Label5"},
                    HiddenBar()}));
}

TEST_F(PracticeEngineTest, EndRoundOrderAfterAPerfectRound) {
    Start(Vorgaben("5", "1"));
    view.Type("1");
    view.TakeCalls();
    engine.Rechne();
    EXPECT_EQ(view.TakeCalls(),
              Join({{"show Label2", "text Label2 1 Richtig", "text Userin ", "show Button2",
                     "hide Userin", "hide Label1", "hide Label4",
                     "text Label5 Von 1 Augaben hast Du", "interval 0", "enabled 0", "show Label5"},
                    HiddenBar(),
                    {"show Image2"}}));
}

TEST_F(PracticeEngineTest, EmptyEnterOrder) {
    Start(Vorgaben("5", "1"));
    view.TakeCalls();
    view.Press(PracticeEngine::kEnter);
    EXPECT_EQ(view.TakeCalls(),
              Join({{"focus", "text Userin 1000"},
                    HiddenBar(),
                    {"show Label3", "text Label3 1 Falsch", "text Userin ", "show Button2",
                     "hide Userin", "hide Label1", "hide Label4",
                     "text Label5 Von 1 Augaben hast Du", "interval 0", "enabled 0", "show Label5"},
                    HiddenBar()}));
}

TEST_F(PracticeEngineTest, TimerStepAndTimeOutOrder) {
    Start(Vorgaben("5", "1"));
    view.TakeCalls();
    engine.Timer1Timer();
    EXPECT_EQ(view.TakeCalls(), Calls{"show Shape1"});
    for (int tick = 2; tick <= 20; ++tick) {
        engine.Timer1Timer();
    }
    view.TakeCalls();
    engine.Timer1Timer();
    EXPECT_EQ(view.TakeCalls(),
              Join({HiddenBar(),
                    {"enabled 0", "text Userin 1000", "show Label3", "text Label3 1 Falsch",
                     "text Userin ", "show Button2", "hide Userin", "hide Label1", "hide Label4",
                     "text Label5 Von 1 Augaben hast Du", "interval 0", "enabled 0", "show Label5"},
                    HiddenBar()}));
}

TEST_F(PracticeEngineTest, FormCloseQueryOrder) {
    Start(Vorgaben("5", "10"));
    view.Advance(1000);
    view.TakeCalls();
    EXPECT_TRUE(engine.FormCloseQuery());
    EXPECT_EQ(view.TakeCalls(),
              Join({{"interval 0", "enabled 0", "hide Userin"}, HiddenBar(), {"hide Image2"}}));
    EXPECT_FALSE(view.TimerRunning());
    EXPECT_EQ(view.VisibleSegments(), 0);
}

// --- A whole round ---

TEST_F(PracticeEngineTest, WholeRoundFromStartToReward) {
    Start(Rows({3, 7}) + Vorgaben("2", "5"));
    for (int problem = 1; problem <= 5; ++problem) {
        EXPECT_EQ(Shown(C::Label4), "Aufgabe " + std::to_string(problem) + " von 5");
        const Drawn drawn = Parse(Shown(C::Label1));
        EXPECT_TRUE(drawn.row == 3 || drawn.row == 7) << drawn.row;
        view.Advance(1000);
        EXPECT_EQ(view.VisibleSegments(), 5);
        view.Type("x");
        AnswerRight();
        EXPECT_EQ(Shown(C::Label2), std::to_string(problem) + " Richtig");
    }
    EXPECT_EQ(Shown(C::Label5), "Von 5 Augaben hast Du");
    EXPECT_EQ(Shown(C::Label3), "(hidden)");
    EXPECT_TRUE(view.Visible(C::Image2));
    EXPECT_TRUE(view.Visible(C::Button2));
    view.Advance(kOneDay);
    EXPECT_EQ(engine.WrongCount(), 0);

    EXPECT_TRUE(engine.FormCloseQuery());
    EXPECT_FALSE(view.Visible(C::Image2));
    EXPECT_FALSE(view.Visible(C::Userin));
}

} // namespace
