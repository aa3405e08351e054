#pragma once

#include "plan/PracticePlan.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

// Rows first to last switched on, the others off.
inline RowSwitches Rows(int first, int last) {
    RowSwitches rows{};
    for (int row = first; row <= last; ++row) {
        rows.at(static_cast<std::size_t>(row - 1)) = true;
    }
    return rows;
}

// Kinds by letter: N new, L learning, D due, F fill, C correction.
inline const std::map<char, PlannedKind> kKindOfLetter = {{'N', PlannedKind::New},
                                                          {'L', PlannedKind::Learning},
                                                          {'D', PlannedKind::Due},
                                                          {'F', PlannedKind::Fill},
                                                          {'C', PlannedKind::Correction}};

// How many problems of each kind a round holds, in the order its places are filled: "N4 L1 D15".
inline std::string Kinds(const std::vector<PlannedProblem>& plan) {
    std::string kinds;
    for (const char letter : std::string("NLDFC")) {
        const auto count = std::count_if(plan.begin(), plan.end(), [letter](const auto& problem) {
            return problem.kind == kKindOfLetter.at(letter);
        });
        if (count > 0) {
            kinds += (kinds.empty() ? "" : " ") + (letter + std::to_string(count));
        }
    }
    return kinds;
}
