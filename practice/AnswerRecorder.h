#pragma once

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
};

// Told by the practice engine about every answer of a round that is recorded. Implementations
// never throw and never show anything: recording must not disturb the child's round.
class AnswerRecorder {
public:
    virtual ~AnswerRecorder() = default;

    virtual void RoundStarted(const RoundFacts& round) = 0;
    // After the tally moved and before the next problem is shown.
    virtual void Answered(const AnsweredProblem& answer) = 0;
};
