#pragma once

#include "journal/UtcTime.h"
#include "practice/AnswerRecorder.h"

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

// One recorded answer without its round: all that a look at the facts needs.
struct RecordedAnswer {
    WallTime answeredAt;
    AnsweredProblem problem;
};
