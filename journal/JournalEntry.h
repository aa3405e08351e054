#pragma once

#include "facts/Answer.h"

#include <cstdint>

struct JournalRound {
    std::int64_t id = 0;
    WallTime startedAt;
    RoundFacts facts;
};

// One recorded answer with the round it belongs to.
struct JournalAnswer {
    std::int64_t id = 0;
    JournalRound round;
    WallTime answeredAt;
    AnsweredProblem problem;
};
