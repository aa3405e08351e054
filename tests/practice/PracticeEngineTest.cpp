#include "practice/PracticeEngine.h"

#include "common/IntegerConversion.h"
#include "tests/support/FakePracticeView.h"
#include "tests/support/FakeRecorder.h"
#include "tests/support/FixedPlan.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/UiTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Calls = std::vector<std::string>;
using C = PracticeControl;
using Texts = std::tuple<std::string, std::string, std::string>;
using namespace std::string_literals;

constexpr std::int64_t kOneDay = 24 * 60 * 60 * 1000;

const std::set<int> kAllRows = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                11, 12, 13, 14, 15, 16, 17, 18, 19, 20};

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
    EXPECT_EQ(problemLine,
              std::to_string(drawn.multiplier) + " · " + std::to_string(drawn.row) + " = ");
    return drawn;
}

Calls HiddenBar() {
    Calls calls;
    for (int tag = 1; tag <= 20; ++tag) {
        calls.push_back("hide Shape" + std::to_string(tag));
    }
    return calls;
}

class PracticeEngineTest : public ::testing::Test {
protected:
    PracticeEngineTest() { view.Attach(engine); }

    void Start(const std::string& ini) {
        settings.ini = ini;
        engine.FormShow();
    }

    // Worked out from the problem line, so a wrong expected product shows as a wrong tally.
    int Product() const {
        const Drawn drawn = Parse(view.Text(C::Label1));
        return drawn.multiplier * drawn.row;
    }
    void AnswerRight() { view.Type(std::to_string(Product()) + "\r"); }
    void AnswerWrong() { view.Type(std::to_string(Product() + 1) + "\r"); }

    // What the board shows for a control: its text, or that it is hidden.
    std::string Shown(PracticeControl control) const {
        return view.Visible(control) ? view.Text(control) : "(hidden)";
    }

    InMemorySettings settings;
    FakePracticeView view;
    std::uint32_t seed = 0;
    PracticeEngine engine{view, settings, [this] { return seed; }};
};

template <typename Case> std::string CaseName(const testing::TestParamInfo<Case>& test) {
    return test.param.name;
}

// --- Drawing problems ---

struct DrawCase {
    std::string name;
    std::uint32_t seed;
    std::string rowsIni;
    std::set<int> rows;  // the rows the round draws from
    Calls firstProblems; // worked out by hand
};

class DrawTest : public PracticeEngineTest, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(DrawTest, ProblemsFollowTheRuleAndUseOnlyEnabledRows) {
    const DrawCase& draw = GetParam();
    seed = draw.seed;
    Start(draw.rowsIni + Vorgaben("5", "100000", "off"));
    Drawn previous;
    std::set<int> rowsSeen;
    for (int problem = 0; problem < 3000; ++problem) {
        if (problem < static_cast<int>(draw.firstProblems.size())) {
            ASSERT_EQ(view.Text(C::Label1), draw.firstProblems[static_cast<std::size_t>(problem)]);
        }
        const Drawn drawn = Parse(view.Text(C::Label1));
        ASSERT_EQ(draw.rows.count(drawn.row), 1u) << "problem " << problem + 1;
        ASSERT_GE(drawn.multiplier, 1);
        ASSERT_LE(drawn.multiplier, 10);
        ASSERT_FALSE(drawn == previous) << "problem " << problem + 1;
        previous = drawn;
        rowsSeen.insert(drawn.row);
        view.TakeCalls();
        engine.Aufgabe();
    }
    EXPECT_EQ(rowsSeen, draw.rows);
}

// The first problems are worked out by hand from the generator. Rows 4 and 7: the first problem
// is the fourth pair drawn, rows 1, 18 and 6 being off. Seed 3,
// row 4 alone: a second 9 · 4 is drawn right after the first and refused. With no row "on" (only
// a hand-edited file can say so) the round uses row 1 alone.
INSTANTIATE_TEST_SUITE_P(
    Seeds, DrawTest,
    ::testing::Values(
        DrawCase{"NoRowsStored",
                 0,
                 "",
                 kAllRows,
                 {"1 · 1 = ", "3 · 18 = ", "7 · 6 = ", "2 · 7 = ", "5 · 8 = "}},
        DrawCase{
            "Rows4And7", 0, Rows({4, 7}), {4, 7}, {"2 · 7 = ", "4 · 4 = ", "1 · 7 = ", "2 · 4 = "}},
        DrawCase{"Row4", 3, Rows({4}), {4}, {"9 · 4 = ", "4 · 4 = ", "7 · 4 = ", "10 · 4 = "}},
        DrawCase{"LargestSeed",
                 0xFFFFFFFFu,
                 Rows({1, 20}),
                 {1, 20},
                 {"3 · 20 = ", "2 · 20 = ", "5 · 20 = ", "10 · 1 = "}},
        DrawCase{"Primes",
                 86'399'999,
                 Rows({2, 3, 5, 7, 11, 13, 17, 19}),
                 {2, 3, 5, 7, 11, 13, 17, 19},
                 {"3 · 7 = ", "9 · 13 = ", "4 · 7 = ", "1 · 11 = "}},
        DrawCase{"AllOff", 0, Rows({}), {1}, {"1 · 1 = ", "4 · 1 = ", "2 · 1 = ", "4 · 1 = "}},
        DrawCase{"AllCapitalOn",
                 5,
                 Rows(kAllRows, "On"),
                 {1},
                 {"5 · 1 = ", "9 · 1 = ", "2 · 1 = ", "3 · 1 = "}},
        DrawCase{"AllOne",
                 7,
                 Rows(kAllRows, "1"),
                 {1},
                 {"9 · 1 = ", "5 · 1 = ", "1 · 1 = ", "5 · 1 = "}}),
    CaseName<DrawCase>);

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
    EXPECT_EQ(view.VisibleSegments(), 20);
    view.Advance(1);
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 3 von 10");
    EXPECT_EQ(Shown(C::Label3), "2 Falsch");
}

INSTANTIATE_TEST_SUITE_P(Zeit, TimeOutTest, ::testing::Values(1, 2, 5, 10, 20));

TEST_F(PracticeEngineTest, AfterEnterTheRunningPeriodCarriesOver) {
    Start(Vorgaben("5"));
    view.Advance(1300);
    AnswerRight();
    EXPECT_EQ(view.VisibleSegments(), 0);
    // The period begun at 1000 ms ends at 1500 ms: the first step comes 200 ms after the answer.
    view.Advance(199);
    EXPECT_EQ(view.VisibleSegments(), 0);
    view.Advance(1);
    EXPECT_TRUE(view.SegmentVisible(1));
    view.Advance(9999);
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 2 von 10");
    view.Advance(1);
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 3 von 10");
}

class NoCountdownTest
    : public PracticeEngineTest,
      public ::testing::WithParamInterface<std::tuple<std::string, std::string, int>> {};

TEST_P(NoCountdownTest, NeverTimesOut) {
    const auto& [zeit, timer, interval] = GetParam();
    Start(Vorgaben(zeit, "10", timer));
    EXPECT_EQ(view.TimerInterval(), interval);
    view.Advance(kOneDay);
    EXPECT_EQ(view.VisibleSegments(), 0);
    AnswerRight();
    EXPECT_EQ(Shown(C::Label2), "1 Richtig");
    EXPECT_EQ(Shown(C::Label3), "(hidden)");
}

// A time setting outside the usable range, and a Timer other than exactly "on".
INSTANTIATE_TEST_SUITE_P(Settings, NoCountdownTest,
                         ::testing::Values(std::tuple{"0"s, "on"s, 0}, std::tuple{"-5"s, "on"s, 0},
                                           std::tuple{"-2147483648"s, "on"s, 0},
                                           std::tuple{"21474837"s, "on"s, 0},
                                           std::tuple{"2147483647"s, "on"s, 0},
                                           std::tuple{"21474836"s, "on"s, 2147483600},
                                           std::tuple{"5"s, "On"s, 0}, std::tuple{"5"s, "ON"s, 0},
                                           std::tuple{"5"s, "off"s, 0}, std::tuple{"5"s, "1"s, 0}));

// --- Answers ---

class AnswerTest : public PracticeEngineTest, public ::testing::WithParamInterface<Texts> {};

TEST_P(AnswerTest, EnterCountsTheAnswerAndAsksTheNextProblem) {
    const auto& [keys, right, wrong] = GetParam();
    Start(Vorgaben());
    ASSERT_EQ(view.Text(C::Label1), "1 · 1 = ");
    view.Type(keys);
    const auto answered = std::count(keys.begin(), keys.end(), '\r');
    EXPECT_EQ(Shown(C::Label2), right);
    EXPECT_EQ(Shown(C::Label3), wrong);
    EXPECT_EQ(view.Text(C::Userin), "");
    EXPECT_EQ(Shown(C::Label4), "Aufgabe " + std::to_string(answered + 1) + " von 10");
}

// Keys typed, "\r" for Enter and "\b" for Backspace; seed 0 asks 1 · 1, 3 · 18, 7 · 6. A refused
// key becomes a backspace.
INSTANTIATE_TEST_SUITE_P(Keys, AnswerTest,
                         ::testing::Values(Texts{"1\r", "1 Richtig", "(hidden)"},
                                           Texts{"0\r1000\r2147483647\r", "(hidden)", "3 Falsch"},
                                           Texts{"\r", "(hidden)", "1 Falsch"},
                                           Texts{"1\r54\r0\r", "2 Richtig", "1 Falsch"},
                                           Texts{"12\b\r", "1 Richtig", "(hidden)"},
                                           Texts{"11x\r", "1 Richtig", "(hidden)"}));

TEST_F(PracticeEngineTest, RefusedKeyShowsTheMessageAndBecomesABackspace) {
    Start(Vorgaben());
    // Letters, blanks, signs, "$", the control characters of Ctrl+C/V/X/Z, Escape, line feed,
    // umlaut.
    for (const char32_t key : {U'a', U' ', U'-', U'+', U'$', char32_t{3}, char32_t{22},
                               char32_t{24}, char32_t{26}, char32_t{27}, char32_t{10}, U'\u00E4'}) {
        view.SetText(C::Userin, "12");
        view.TakeCalls();
        EXPECT_EQ(view.Press(key), PracticeEngine::kBackspace) << static_cast<std::uint32_t>(key);
        EXPECT_EQ(view.TakeCalls(), Calls{"message " + ui_texts::kNotANumber});
        EXPECT_EQ(view.Text(C::Userin), "1");
    }
    EXPECT_EQ(engine.WrongCount(), 0);
}

class EndOfRoundTest : public PracticeEngineTest,
                       public ::testing::WithParamInterface<std::tuple<int, int, int>> {};

TEST_P(EndOfRoundTest, BoardShowsResultTalliesAndRewardOnlyForAPerfectRound) {
    const auto [total, right, wrong] = GetParam();
    Start(Vorgaben("5", std::to_string(total)));
    for (int i = 0; i < wrong; ++i) {
        AnswerWrong();
    }
    for (int i = 0; i < right; ++i) {
        AnswerRight();
    }
    EXPECT_EQ(Shown(C::Label5), ui_texts::ResultLine(total));
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
                         ::testing::Values(std::tuple{10, 8, 2}, std::tuple{10, 0, 10},
                                           std::tuple{10, 10, 0}, std::tuple{5, 5, 0},
                                           std::tuple{1, 0, 1}, std::tuple{1, 1, 0}));

TEST_F(PracticeEngineTest, TotalOfZeroEndsTheRoundAtOnce) {
    Start(Vorgaben("5", "0"));
    for (const auto control : {C::Label1, C::Label2, C::Label3, C::Label4, C::Label5, C::Userin,
                               C::Image2, C::Button2}) {
        EXPECT_FALSE(view.Visible(control)) << FakePracticeView::Name(control);
    }
    view.Advance(kOneDay);
    EXPECT_EQ(engine.WrongCount(), 0);
}

TEST_F(PracticeEngineTest, NochMalStartsAFreshRound) {
    Start(Vorgaben("5", "2"));
    AnswerRight();
    AnswerRight();
    ASSERT_TRUE(view.Visible(C::Image2));
    engine.FormShow();
    EXPECT_EQ(Shown(C::Label4), "Aufgabe 1 von 2");
    for (const auto control : {C::Label2, C::Label3, C::Label5, C::Image2, C::Button2}) {
        EXPECT_FALSE(view.Visible(control)) << FakePracticeView::Name(control);
    }
    EXPECT_TRUE(view.TimerRunning());
    AnswerRight();
    EXPECT_EQ(Shown(C::Label2), "1 Richtig");
}

// --- Round start ---

class BadNumberTest : public PracticeEngineTest,
                      public ::testing::WithParamInterface<std::string> {};

TEST_P(BadNumberTest, RoundStartStopsWithTheBoardCleared) {
    Start(Vorgaben("5", "1"));
    AnswerWrong();
    settings.ini = GetParam();
    view.TakeCalls();
    EXPECT_THROW(engine.FormShow(), ConversionError);
    for (const auto control :
         {C::Label1, C::Label2, C::Label3, C::Label4, C::Label5, C::Image2, C::Button2}) {
        EXPECT_FALSE(view.Visible(control)) << FakePracticeView::Name(control);
    }
    for (const auto& call : view.TakeCalls()) {
        EXPECT_EQ(call.rfind("text Label1", 0), std::string::npos);
    }
    EXPECT_FALSE(view.TimerRunning());
}

INSTANTIATE_TEST_SUITE_P(Settings, BadNumberTest,
                         ::testing::Values(Vorgaben("abc"), Vorgaben("5", "abc"), Vorgaben("12a"),
                                           Vorgaben("5", "99999999999")));

// --- What each operation leaves on the board, and the orders later steps rely on ---

struct BoardCase {
    std::string name;
    std::string ini;
    std::string typed; // before the action
    std::function<void(PracticeEngine&, FakePracticeView&)> action;
    std::string board;
};

class BoardTest : public PracticeEngineTest, public ::testing::WithParamInterface<BoardCase> {};

TEST_P(BoardTest, OperationLeavesTheBoardAsDesigned) {
    Start(GetParam().ini);
    view.Type(GetParam().typed);
    GetParam().action(engine, view);
    EXPECT_EQ(view.Board(), GetParam().board);
}

// Seed 0 asks 1 · 1, then 3 · 18. An empty file means every setting's default.
INSTANTIATE_TEST_SUITE_P(
    Operations, BoardTest,
    ::testing::Values(
        BoardCase{"FormShowWithDefaults", "", "12", [](auto& engine, auto&) { engine.FormShow(); },
                  "Label1 '1 · 1 = ' | Label4 'Aufgabe 1 von 10' | Userin '12' | bar 0 | "
                  "countdown 500"},
        BoardCase{"UntimedAufgabe", Vorgaben("5", "10", "off"), "",
                  [](auto& engine, auto&) { engine.Aufgabe(); },
                  "Label1 '3 · 18 = ' | Label4 'Aufgabe 2 von 10' | Userin '' | bar 0 | "
                  "no countdown"},
        BoardCase{"AufgabePastTheTotal", Vorgaben("5", "1", "off"), "",
                  [](auto& engine, auto&) { engine.Aufgabe(); }, "bar 0 | no countdown"},
        BoardCase{"RechneWithinTheRound", Vorgaben(), "1",
                  [](auto& engine, auto&) { engine.Rechne(); },
                  "Label1 '3 · 18 = ' | Label2 '1 Richtig' | Label4 'Aufgabe 2 von 10' | "
                  "Userin '' | bar 0 | countdown 500"},
        BoardCase{"RechneWrongLast", Vorgaben("5", "1"), "2",
                  [](auto& engine, auto&) { engine.Rechne(); },
                  "Label3 '1 Falsch' | Label5 'Von 1 Augaben hast Du' | Button2 | bar 0 | "
                  "no countdown"},
        BoardCase{"RechnePerfectRound", Vorgaben("5", "1"), "1",
                  [](auto& engine, auto&) { engine.Rechne(); },
                  "Label2 '1 Richtig' | Label5 'Von 1 Augaben hast Du' | Image2 | Button2 | "
                  "bar 0 | no countdown"},
        BoardCase{"TimerStep", Vorgaben("5", "1"), "",
                  [](auto& engine, auto&) { engine.Timer1Timer(); },
                  "Label1 '1 · 1 = ' | Label4 'Aufgabe 1 von 1' | Userin '' | bar 1 | "
                  "countdown 500"},
        BoardCase{"FormCloseQuery", Vorgaben(), "",
                  [](auto& engine, auto& view) {
                      view.Advance(1000);
                      EXPECT_TRUE(engine.FormCloseQuery());
                  },
                  "Label1 '1 · 1 = ' | Label4 'Aufgabe 1 von 10' | bar 0 | no countdown"}),
    CaseName<BoardCase>);

// The calls with each hiding of the whole bar written as one "hide bar".
Calls WithBarCollapsed(const Calls& calls) {
    const Calls bar = HiddenBar();
    Calls collapsed;
    for (auto call = calls.begin(); call != calls.end();) {
        if (calls.end() - call >= 20 && std::equal(bar.begin(), bar.end(), call)) {
            collapsed.push_back("hide bar");
            call += 20;
        } else {
            collapsed.push_back(*call++);
        }
    }
    return collapsed;
}

struct OrderCase {
    std::string name;
    std::string ini;
    std::function<void(PracticeEngine&, FakePracticeView&)> action;
    Calls expected;
};

class OrderTest : public PracticeEngineTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(OrderTest, LaterStepsSeeWhatEarlierOnesSet) {
    Start(GetParam().ini);
    view.TakeCalls();
    GetParam().action(engine, view);
    EXPECT_EQ(WithBarCollapsed(view.TakeCalls()), GetParam().expected);
}

// An empty Enter and a time-out put "1000" into the field before it is evaluated; the countdown
// is stopped before the evaluation may start the next problem's; the timer's interval is set
// before it is enabled, so a problem's first period has the new length.
INSTANTIATE_TEST_SUITE_P(
    Operations, OrderTest,
    ::testing::Values(OrderCase{"EmptyEnter",
                                Vorgaben("5", "1"),
                                [](auto&, auto& view) { view.Press(PracticeEngine::kEnter); },
                                {"focus", "text Userin 1000", "hide bar", "show Label3",
                                 "text Label3 1 Falsch", "text Userin ", "show Button2",
                                 "hide Userin", "hide Label1", "hide Label4",
                                 "text Label5 Von 1 Augaben hast Du", "interval 0", "enabled 0",
                                 "show Label5", "hide bar"}},
                      OrderCase{"TimeOut",
                                Vorgaben("5", "2"),
                                [](auto& engine, auto& view) {
                                    for (int tick = 1; tick <= 20; ++tick) {
                                        engine.Timer1Timer();
                                    }
                                    view.TakeCalls();
                                    engine.Timer1Timer();
                                },
                                {"hide bar", "enabled 0", "text Userin 1000", "show Label3",
                                 "text Label3 1 Falsch", "text Userin ", "hide Image2",
                                 "interval 500", "enabled 1", "show Userin", "show Label1",
                                 "show Label4", "text Label4 Aufgabe 2 von 2", "show Label1",
                                 "text Label1 3 · 18 = ", "focus", "hide bar"}}),
    CaseName<OrderCase>);

// --- Recording answers ---

struct RecordCase {
    std::string name;
    std::string ini;
    // Each step: milliseconds to wait, then the keys typed ("" only waits).
    std::vector<std::pair<int, std::string>> steps;
    Calls told;
};

class RecordTest : public ::testing::TestWithParam<RecordCase> {
protected:
    RecordTest() { view.Attach(engine); }

    InMemorySettings settings;
    FakePracticeView view;
    FakeRecorder recorder;
    std::int64_t now = 0;
    PracticeEngine engine{view, settings, [] { return 0u; }, &recorder, [this] { return now; }};
};

TEST_P(RecordTest, EveryAnswerThatMovesATallyIsTold) {
    settings.ini = GetParam().ini;
    engine.FormShow();
    for (const auto& [wait, keys] : GetParam().steps) {
        now += wait;
        view.Advance(wait);
        try {
            view.Type(keys);
        } catch (const ConversionError&) {
            // What the window's error handler would show; the problem stays.
        }
    }
    EXPECT_EQ(recorder.told, GetParam().told);
}

const std::string kRecording = "[Lernstand]\nAufzeichnen=on\n";

// Seed 0 asks 1 · 1, 3 · 18, 7 · 6. A time-out comes 21 steps of 500 ms after the problem.
INSTANTIATE_TEST_SUITE_P(
    Answers, RecordTest,
    ::testing::Values(
        RecordCase{"RightWrongTypedThousandEmpty",
                   kRecording + Vorgaben("5", "10", "off"),
                   {{1200, "1\r"}, {800, "1000\r"}, {300, "\r"}},
                   {"round 10 untimed 5 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20",
                    "1x1 '1' right 1200", "3x18 '1000' wrong 800", "7x6 '' empty 300"}},
        RecordCase{"TimeOut",
                   kRecording + Rows({4, 7}) + Vorgaben("5", "2"),
                   {{10'500, ""}},
                   {"round 2 timed 5 4,7", "2x7 '' timeout 10500"}},
        RecordCase{"RefusedConversionRecordsNothingAndTheClockRunsOn",
                   kRecording + Vorgaben("5", "3", "off"),
                   {{400, "99999999999\r"}, {600, "\b\b\b\b\b\b\b\b\b\b\b2\r"}},
                   {"round 3 untimed 5 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20",
                    "1x1 '2' wrong 1000"}},
        RecordCase{"ZeroTimeIsUntimed",
                   kRecording + Rows({3}) + Vorgaben("0", "1"),
                   {{50, "6\r"}},
                   {"round 1 untimed 0 3", "2x3 '6' right 50"}},
        // Nothing can be typed on the empty board; a key that got there all the same answers no
        // problem.
        RecordCase{"TotalOfZeroTellsOnlyTheRound",
                   kRecording + Rows({3}) + Vorgaben("5", "0"),
                   {{50, "3\r"}},
                   {"round 0 timed 5 3"}},
        RecordCase{"Off", "[Lernstand]\nAufzeichnen=off\n", {{50, "1\r"}}, {}},
        RecordCase{"NotExactlyOn", "[Lernstand]\nAufzeichnen=On\n", {{50, "1\r"}}, {}},
        RecordCase{"Absent", Vorgaben(), {{50, "1\r"}}, {}}),
    CaseName<RecordCase>);

// --- Gezielt üben ---

const std::string kTargeted = "[Lernstand]\nAufzeichnen=on\nGezielt=on\n";

// The engine on a fake board, its rounds planned by a FixedPlan unless told otherwise.
struct PlannedDrill {
    explicit PlannedDrill(const std::string& ini, bool checkDue = false, bool planned = true,
                          bool recorded = true, RoundObserver* rounds = nullptr)
        : engine(
              view, settings, [] { return 0u; }, recorded ? &recorder : nullptr,
              [this] { return now; }, planned ? &plan : nullptr, rounds) {
        settings.ini = ini;
        plan.checkDue = checkDue;
        view.Attach(engine);
    }

    InMemorySettings settings;
    FakePracticeView view;
    FakeRecorder recorder;
    FixedPlan plan;
    std::int64_t now = 0;
    PracticeEngine engine;
};

// The mode off in any way: the round runs call for call as without it, with no typing check.
TEST(TargetedRound, OffLeavesTheRoundAsItWas) {
    const struct {
        const char* name;
        std::string lernstand;
        bool declines;
        int asked;
    } cases[] = {
        {"not recording", "[Lernstand]\nAufzeichnen=off\nGezielt=on\n", false, 0},
        {"not exactly on", "[Lernstand]\nAufzeichnen=on\nGezielt=On\n", false, 0},
        {"absent", "[Lernstand]\nAufzeichnen=on\n", false, 0},
        {"journal unreadable", kTargeted, true, 1},
    };
    for (const auto& c : cases) {
        Calls withMode;
        Calls without;
        int asked = 0;
        for (const bool planned : {true, false}) {
            // An unreadable journal tells no check due either.
            PlannedDrill drill(Vorgaben("5", "4") + c.lernstand, !c.declines, planned);
            drill.plan.declines = c.declines;
            drill.engine.FormShow();
            drill.view.Type("1\r\r");
            drill.view.Advance(11'000);
            (planned ? withMode : without) = drill.view.TakeCalls();
            asked += drill.plan.asked;
        }
        EXPECT_EQ(withMode, without) << c.name;
        EXPECT_EQ(asked, c.asked) << c.name;
    }
}

// A round of three planned problems, 7 · 8, 6 · 8 and 5 · 8, with the countdown.
class TargetedRoundTest : public ::testing::Test {
protected:
    TargetedRoundTest() { engine.FormShow(); }

    PlannedDrill drill{Vorgaben("5", "3") + kTargeted};
    FakePracticeView& view = drill.view;
    PracticeEngine& engine = drill.engine;
};

TEST_F(TargetedRoundTest, AfterAMistakeTheRightProductStandsTwoSeconds) {
    EXPECT_EQ(view.Text(C::Label1), "7 · 8 = ");

    view.Type("54\r");
    EXPECT_TRUE(engine.Correcting());
    EXPECT_EQ(view.Text(C::Label3), "1 Falsch");
    EXPECT_EQ(view.Text(C::Userin), "56");
    EXPECT_FALSE(view.TimerRunning());
    EXPECT_EQ(view.Press(U'5'), 0U);
    EXPECT_EQ(view.Press(PracticeEngine::kEnter), 0U);
    EXPECT_EQ(view.Text(C::Userin), "56");
    view.Advance(1999);
    EXPECT_EQ(view.Text(C::Label4), "Aufgabe 1 von 3");

    view.TakeCalls();
    view.Advance(1);
    EXPECT_FALSE(engine.Correcting());
    EXPECT_EQ(view.Text(C::Label4), "Aufgabe 2 von 3");
    EXPECT_EQ(view.Text(C::Userin), "");
    // The correction went in place of the third problem, so 7 · 8 comes once more.
    EXPECT_EQ(engine.Plan().at(2).kind, PlannedKind::Correction);
    EXPECT_TRUE(view.TimerRunning());
    const Calls calls = view.TakeCalls();
    EXPECT_EQ(calls.front(), "correction timer 0");
    EXPECT_NE(std::find(calls.begin(), calls.end(), "enabled 1"), calls.end());

    // A time-out is a mistake too: the countdown stops at once and starts afresh after it.
    view.Advance(10'500);
    EXPECT_TRUE(engine.Correcting());
    EXPECT_EQ(view.Text(C::Userin), "48");
    view.Advance(2000);
    EXPECT_EQ(view.Text(C::Label1), "7 · 8 = ");
    view.Type("1\r");
    EXPECT_EQ(view.Text(C::Label5), "");
    view.Advance(2000);
    EXPECT_EQ(view.Text(C::Label5), ui_texts::ResultLine(3));
    EXPECT_EQ(view.Text(C::Label3), "3 Falsch");
}

TEST_F(TargetedRoundTest, ClosingEndsTheCorrection) {
    view.Type("\r");
    ASSERT_TRUE(engine.Correcting());
    engine.FormCloseQuery();
    EXPECT_FALSE(engine.Correcting());
    EXPECT_EQ(view.Text(C::Userin), "");
    view.Advance(5000);
    EXPECT_EQ(view.Text(C::Label4), "Aufgabe 1 von 3");
}

// --- The typing check before a round of Gezielt üben ---

struct CheckCase {
    std::string name;
    // Each step: r types the number asked right after 700 ms, w a wrong one after 500 ms, e an
    // empty Enter after 300 ms; x is Escape, c closes the window.
    std::string steps;
};

class TypingCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(TypingCheckTest, EveryNumberIsAskedUntilTypedRightAndOnlyAFinishedCheckIsKept) {
    const std::string& steps = GetParam().steps;
    PlannedDrill drill(Rows({7}) + Vorgaben("5", "3") + kTargeted, true);
    drill.engine.FormShow();
    std::string told = "typing";
    std::string lastNumber;
    int typedRight = 0;
    for (const char step : steps) {
        ASSERT_TRUE(drill.engine.TypingChecking());
        const std::string asked = drill.view.Text(C::Label1);
        ASSERT_EQ(asked.substr(0, 7), "Tippe: ");
        const std::string number = asked.substr(7);
        EXPECT_EQ(std::stoi(number) % 7, 0) << number;
        EXPECT_TRUE(number.size() == 2 && number != lastNumber) << number;
        EXPECT_EQ(drill.view.Board(), "Label1 '" + asked + "' | Label4 'Zahl " +
                                          std::to_string(typedRight + 1) +
                                          " von 5' | Userin '' | bar 0 | no countdown");
        const auto enter = [&](int milliseconds, const std::string& typed) {
            drill.now += milliseconds;
            drill.view.Type(typed + "\r");
            told += (told.size() > 6 ? ", " : " ") + number + ":'" + typed + "' " +
                    std::to_string(milliseconds);
        };
        if (step == 'r') {
            enter(700, number);
            lastNumber = number;
            ++typedRight;
        } else if (step == 'w') {
            enter(500, std::to_string(std::stoi(number) + 1));
        } else if (step == 'e') {
            enter(300, "");
        } else if (step == 'x') {
            EXPECT_EQ(drill.view.Press(PracticeEngine::kEscape), 0U);
        } else {
            drill.engine.FormCloseQuery();
        }
    }
    EXPECT_FALSE(drill.engine.TypingChecking());
    Calls expected;
    if (typedRight == 5) {
        expected.push_back(told);
    }
    if (steps.back() != 'c') {
        expected.push_back("round 3 timed 5 7");
        EXPECT_EQ(drill.view.Board(), "Label1 '7 · 8 = ' | Label4 'Aufgabe 1 von 3' | Userin '' | "
                                      "bar 0 | countdown 500");
    }
    EXPECT_EQ(drill.recorder.told, expected);
    EXPECT_EQ(drill.engine.RightCount() + drill.engine.WrongCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Checks, TypingCheckTest,
                         ::testing::Values(CheckCase{"FiveTypedRight", "rrrrr"},
                                           CheckCase{"SlipsAreAskedAgain", "rwrerrwr"},
                                           CheckCase{"EscapeEndsItAndTheRoundStarts", "rrx"},
                                           CheckCase{"EscapeAtOnce", "x"},
                                           CheckCase{"ClosingEndsItWithoutARound", "rwc"}),
                         CaseName<CheckCase>);

// The mode's switches are OffLeavesTheRoundAsItWas's cases.
TEST(TypingCheck, OnlyARoundThatWouldBePlannedBeginsWithIt) {
    const struct {
        const char* name;
        std::string total;
        bool due;
        bool recorded;
        bool checks;
    } cases[] = {
        {"due", "3", true, true, true},
        {"not due", "3", false, true, false},
        {"no recorder", "3", true, false, false},
        {"nothing to ask", "0", true, true, false},
        {"too long to plan", std::to_string(kMostPlanned + 1), true, true, false},
    };
    for (const auto& c : cases) {
        PlannedDrill drill(Vorgaben("5", c.total) + kTargeted, c.due, true, c.recorded);
        drill.engine.FormShow();
        EXPECT_EQ(drill.engine.TypingChecking(), c.checks) << c.name;
        EXPECT_EQ(drill.view.Text(C::Label1).starts_with("Tippe: "), c.checks) << c.name;
    }
}

// --- What the round observer is told ---

class RoundLog final : public RoundObserver {
public:
    void RoundStarting() override { told += "starting "; }
    void RoundEnded() override { told += "ended "; }
    std::string told;
};

// The class folder reads the assignment at every start and hands the journal in at every end.
TEST(RoundObserver, EveryRoundStartIsToldAndItsEndOnce) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // s starts a round, r answers right, c closes the board, x is Escape.
        {"", "srrsrr", "starting ended starting ended "},
        {"", "srrcc", "starting ended "},
        {"", "srcc", "starting ended "},
        {"", "srs", "starting ended starting "},
        {kTargeted, "sc", "starting "},
        {kTargeted, "sxc", "starting ended "},
    };
    for (const auto& [lernstand, steps, told] : cases) {
        RoundLog rounds;
        PlannedDrill drill(lernstand + Vorgaben("5", "2", "off"), true, true, true, &rounds);
        for (const char step : steps) {
            if (step == 's') {
                drill.engine.FormShow();
            } else if (step == 'r') {
                drill.view.Type(std::to_string(drill.engine.ExpectedProduct()) + "\r");
            } else if (step == 'c') {
                drill.engine.FormCloseQuery();
            } else {
                drill.view.Press(PracticeEngine::kEscape);
            }
        }
        EXPECT_EQ(rounds.told, told) << lernstand << steps;
    }
}

} // namespace
