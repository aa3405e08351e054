#pragma once

#include "facts/Answer.h"
#include "facts/Fact.h"
#include "facts/FactState.h"

#include <array>
#include <chrono>
#include <vector>

// The latest answers to every fact "multiplier · row" of the twenty rows.
class FactTable {
public:
    // Enough for a fact's state and the tooltip's short history.
    static constexpr std::size_t kRemembered = 5;

    FactTable() = default;
    // answers in the order they were recorded, the oldest first.
    explicit FactTable(const std::vector<RecordedAnswer>& answers);

    // The fact's latest answers, the newest first; at most kRemembered.
    const std::vector<FactAnswer>& Latest(int row, int multiplier) const;
    FactState State(int row, int multiplier, std::chrono::milliseconds threshold) const;

private:
    static std::size_t Index(int row, int multiplier);

    std::array<std::vector<FactAnswer>, kFacts> facts_;
};
