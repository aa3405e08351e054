#pragma once

#include "plan/ProblemSource.h"

#include <cstdint>
#include <optional>
#include <vector>

// Plans every round as 7 · 8, 6 · 8, 5 · 8 and again, each problem one a correction may take the
// place of, or declines as for a journal it cannot read; counts how often it was asked, and asks
// for a typing check only when told to.
class FixedPlan final : public ProblemSource {
public:
    bool TypingCheckDue() override { return checkDue; }
    std::optional<std::vector<PlannedProblem>> PlanRound(const RowSwitches&, std::int32_t total,
                                                         RandomGenerator&) override {
        ++asked;
        if (declines) {
            return std::nullopt;
        }
        std::vector<PlannedProblem> plan;
        for (std::int32_t i = 0; i < total; ++i) {
            plan.push_back({{7 - i % 3, 8}, PlannedKind::Fill});
        }
        return plan;
    }

    int asked = 0;
    bool declines = false;
    bool checkDue = false;
};
