#pragma once

#include "journal/JournalEntry.h"
#include "lernstand/core/FactAnswer.h"
#include "lernstand/core/FactState.h"
#include "settings/SettingsSchema.h"

#include <array>
#include <chrono>
#include <vector>

// The latest answers to every fact "multiplier · row" of the twenty rows.
class FactTable {
public:
    static constexpr int kRows = settings::kRowCount;
    static constexpr int kMultipliers = 10;
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

    std::array<std::vector<FactAnswer>, std::size_t{kRows} * kMultipliers> facts_;
};
