#pragma once

#include "journal/UtcTime.h"
#include "practice/AnswerRecorder.h"

#include <cstdint>
#include <string>

// What the Lernstand keeps of one recorded answer to a fact.
struct FactAnswer {
    WallTime answeredAt;
    AnswerOutcome outcome = AnswerOutcome::Wrong;
    // The text evaluated; empty for an empty Enter and for a time-out.
    std::string answer;
    std::int64_t responseMilliseconds = 0;
};
