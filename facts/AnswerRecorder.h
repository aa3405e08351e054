#pragma once

#include "facts/Answer.h"
#include "facts/TypingCheck.h"

#include <vector>

// Told by the practice engine about every answer of a round that is recorded, and about every
// typing check that ran to its end. Implementations never throw and never show anything:
// recording must not disturb the child's round.
class AnswerRecorder {
public:
    virtual ~AnswerRecorder() = default;

    virtual void RoundStarted(const RoundFacts& round) = 0;
    // After the tally moved and before the next problem is shown.
    virtual void Answered(const AnsweredProblem& answer) = 0;
    // Every Enter of a check, in order; before the round that follows it starts.
    virtual void TypingChecked(const std::vector<TypedNumber>& numbers) = 0;
};
