#pragma once

#include "lernstand/core/FactAnswer.h"

#include <chrono>
#include <span>
#include <string>
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

// The threshold a right answer must beat: the stored "Sekunden" when it is one of the offered
// choices, else the default.
std::chrono::milliseconds FluencyThreshold(const std::string& storedSeconds);

// newestFirst holds the fact's answers, the latest first; only the first three count.
FactState StateOf(std::span<const FactAnswer> newestFirst, std::chrono::milliseconds threshold);

// "neu", "üben", "fast sicher", "sicher".
std::string_view StateName(FactState state);
