#pragma once

#include "common/RandomGenerator.h"
#include "facts/RowsInForce.h"
#include "plan/PracticePlan.h"

#include <cstdint>
#include <optional>
#include <vector>

// Where a round of "Gezielt üben" gets its problems from.
class ProblemSource {
public:
    virtual ~ProblemSource() = default;

    // Whether the round begins with a typing check. A check that ran to its end reaches the
    // recorder before the round is planned, and the plans after it count with its threshold.
    virtual bool TypingCheckDue() = 0;

    // The round's problems in order, planned with the round's generator; none when the round is
    // to be drawn as usual.
    virtual std::optional<std::vector<PlannedProblem>>
    PlanRound(const RowSwitches& rows, std::int32_t problemTotal, RandomGenerator& random) = 0;
};
