#pragma once

#include "common/WallTime.h"
#include "facts/Fact.h"

#include <cstdint>
#include <string>
#include <vector>

// What a round was set up with, told when it starts.
struct RoundFacts {
    std::int32_t problemTotal = 0;
    // The countdown runs: timed mode "on" and a positive interval.
    bool timed = false;
    // The time setting in force, in tenths of a second per time-bar step.
    std::int32_t stepTenths = 0;
    // The enabled rows, ascending.
    std::vector<int> rows;
};

enum class AnswerOutcome {
    Right,   // equal to the product
    Wrong,   // any other number, "1000" typed by the child included
    Empty,   // Enter on an empty field
    TimeOut, // the 21st countdown step
};

// One evaluation that moved a tally.
struct AnsweredProblem {
    std::int32_t multiplier = 0;
    std::int32_t row = 0;
    // The text evaluated; empty for an empty Enter and for a time-out.
    std::string answer;
    AnswerOutcome outcome = AnswerOutcome::Wrong;
    // From the problem being shown to its evaluation, on a monotonic clock.
    std::int64_t responseMilliseconds = 0;

    Fact Problem() const { return {multiplier, row}; }
};

// One answer as it was recorded, without its round.
struct RecordedAnswer {
    WallTime answeredAt;
    AnsweredProblem problem;
};

// What is kept of one recorded answer to a fact that is known already.
struct FactAnswer {
    WallTime answeredAt;
    AnswerOutcome outcome = AnswerOutcome::Wrong;
    // The text evaluated; empty for an empty Enter and for a time-out.
    std::string answer;
    std::int64_t responseMilliseconds = 0;
};
