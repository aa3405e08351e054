#pragma once

#include "common/RandomGenerator.h"
#include "facts/Fact.h"
#include "facts/FactLevel.h"
#include "facts/RowsInForce.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

// Why a problem is in the round.
enum class PlannedKind {
    Learning,   // a fact being learned: shown several times, spaced
    Due,        // due for review, or another fact still being learned
    New,        // never answered
    Fill,       // not due yet, the longest unanswered first
    Correction, // answered wrongly a moment ago
};

struct PlannedProblem {
    Fact fact;
    PlannedKind kind = PlannedKind::Fill;
    bool operator==(const PlannedProblem&) const = default;
};

// Learning facts taken into one round at the most.
inline constexpr std::size_t kMostLearningFacts = 4;
// Rounds longer than a settings file can hold are drawn as usual.
inline constexpr std::int32_t kMostPlanned = 1000;

// How often each learning fact is shown in a round of that many problems.
int LearningShowings(std::int32_t problemTotal);

// The round's problems, in order, from the facts of the rows in force: the facts being learned,
// those waiting longest first, each shown LearningShowings times with at least two other problems
// between two showings and together at most half the round; then the facts due, most overdue
// first; then the facts never answered; then the others, the longest unanswered first. The facts
// due and never answered come before the others, each part in an order of its own. No problem
// equals the one before, and no fact comes twice unless it is being learned or the rows hold too
// few facts; only then may a fact of the others come earlier. The order comes from the
// generator, so a seed replays the same round.
std::vector<PlannedProblem> PlanRound(const FactProgressTable& progress, const RowSwitches& rows,
                                      std::int32_t problemTotal, std::chrono::sys_days today,
                                      RandomGenerator& random);

// After the problem at answered was answered wrongly: puts its fact once more within the next
// three problems, in place of one that is neither being learned nor a correction, and never right
// after itself. Nothing changes when the fact comes again there anyway or there is no room.
void PlaceCorrection(std::vector<PlannedProblem>& plan, std::size_t answered,
                     RandomGenerator& random);
