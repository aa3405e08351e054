#pragma once

#include <cstddef>
#include <string>

// The multiplication table the program drills: each of the rows 1 to 20 times the multipliers
// 1 to 10. Every range of a fact is declared here and nowhere else.
inline constexpr int kMultipliers = 10;
inline constexpr int kRows = 20;
inline constexpr int kFacts = kRows * kMultipliers;

constexpr bool IsMultiplier(int multiplier) {
    return multiplier >= 1 && multiplier <= kMultipliers;
}

constexpr bool IsRow(int row) {
    return row >= 1 && row <= kRows;
}

// One problem of the table, "multiplier · row"; the multiplier is always written first.
struct Fact {
    int multiplier = 0;
    int row = 0;

    constexpr int Product() const { return multiplier * row; }
    constexpr bool operator==(const Fact&) const = default;
};

constexpr bool IsFact(Fact fact) {
    return IsMultiplier(fact.multiplier) && IsRow(fact.row);
}

// "7 · 8": the multiplier first, a middle dot between, as every screen and page writes a fact.
std::string FactText(Fact fact);

// 0 to kFacts - 1, row by row; for a fact of the table only.
constexpr std::size_t FactIndex(Fact fact) {
    return static_cast<std::size_t>((fact.row - 1) * kMultipliers + fact.multiplier - 1);
}

// Calls visit for every fact of the table, row by row, multipliers ascending.
template <typename Visit> constexpr void ForEachFact(Visit&& visit) {
    for (int row = 1; row <= kRows; ++row) {
        for (int multiplier = 1; multiplier <= kMultipliers; ++multiplier) {
            visit(Fact{multiplier, row});
        }
    }
}
