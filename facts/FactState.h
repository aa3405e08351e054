#pragma once

#include "facts/Answer.h"

#include <chrono>
#include <span>
#include <string_view>

// How well a fact sits, judged by its last three answers.
enum class FactState {
    New,        // no answer yet
    Practise,   // one of the last three was not right
    AlmostSure, // right lately, but fewer than three answers or not fast enough
    Sure,       // three right answers, each faster than the threshold
};

// How many of a fact's latest answers decide its state.
inline constexpr std::size_t kDecidingAnswers = 3;

// Right, and faster than the threshold: an answer that takes exactly the threshold is not.
bool RightAndFast(AnswerOutcome outcome, std::int64_t responseMilliseconds,
                  std::chrono::milliseconds threshold);

// newestFirst holds the fact's answers, the latest first; only the first three count.
FactState StateOf(std::span<const FactAnswer> newestFirst, std::chrono::milliseconds threshold);

// "neu", "üben", "fast sicher", "sicher".
std::string_view StateName(FactState state);
