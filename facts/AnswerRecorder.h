#pragma once

#include "facts/Answer.h"

// Told by the practice engine about every answer of a round that is recorded. Implementations
// never throw and never show anything: recording must not disturb the child's round.
class AnswerRecorder {
public:
    virtual ~AnswerRecorder() = default;

    virtual void RoundStarted(const RoundFacts& round) = 0;
    // After the tally moved and before the next problem is shown.
    virtual void Answered(const AnsweredProblem& answer) = 0;
};
