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
    Learning,   // a fact being learned (level 0)
    Due,        // due for review
    New,        // never answered
    Fill,       // none of these: not due yet, the longest unanswered first
    Correction, // answered wrongly a moment ago
};

struct PlannedProblem {
    Fact fact;
    PlannedKind kind = PlannedKind::Fill;
    bool operator==(const PlannedProblem&) const = default;
};

// Rounds longer than a settings file can hold are drawn as usual.
inline constexpr std::int32_t kMostPlanned = 1000;

// The places of a round kept for facts never answered, as long as there are such facts: a fifth,
// rounded up, so that a child who needs much practice still meets new facts every round.
std::size_t PlacesForNewFacts(std::int32_t problemTotal);

// The round's problems, in order, from the facts of the rows in force. The places go to, in this
// order: as many facts never answered as PlacesForNewFacts keeps, drawn at random; the facts
// that need practice, those being learned and those due, the longest waiting first (by the day
// since which they need it, then by their newest answer); more facts never answered; then the
// others, the longest unanswered first. Each fact comes once; only when the rows hold too few
// facts does the list start again. The chosen new and needed facts come first, shuffled together,
// then the others, shuffled, and no problem equals the one before. The order comes from the
// generator, so a seed replays the same round.
std::vector<PlannedProblem> PlanRound(const FactProgressTable& progress, const RowSwitches& rows,
                                      std::int32_t problemTotal, std::chrono::sys_days today,
                                      RandomGenerator& random);

// After the problem at answered was answered wrongly: its fact comes once more in place of the
// first problem of the others (Fill) at least two problems on where it does not stand beside
// itself. It never takes the place of a fact that is new, needed or a correction; with no such
// place left, the plan stays as it is.
void PlaceCorrection(std::vector<PlannedProblem>& plan, std::size_t answered);
