#include "plan/PracticePlan.h"

#include <algorithm>
#include <utility>

namespace {

struct Candidate {
    Fact fact;
    PlannedKind kind;
    FactProgress progress;
    FactStanding standing;
};

template <typename Iterator> void Shuffle(Iterator first, Iterator last, RandomGenerator& random) {
    for (auto i = last - first; i > 1; --i) {
        std::swap(first[i - 1], first[random.Next(static_cast<std::uint32_t>(i))]);
    }
}

struct Sorted {
    std::vector<Candidate> fresh;
    std::vector<Candidate> needed;
    std::vector<Candidate> fill;
};

// The table's order stays among equals, so a seed always gives the same round.
Sorted SortFacts(const FactProgressTable& progress, const RowSwitches& rows,
                 std::chrono::sys_days today) {
    Sorted sorted;
    ForEachFact([&](Fact fact) {
        if (!RowOn(rows, fact.row)) {
            return;
        }
        const FactProgress& p = progress.at(FactIndex(fact));
        const FactStanding standing = StandingOf(p, today);
        switch (standing.need) {
        case FactNeed::New:
            sorted.fresh.push_back({fact, PlannedKind::New, p, standing});
            break;
        case FactNeed::Learning:
            sorted.needed.push_back({fact, PlannedKind::Learning, p, standing});
            break;
        case FactNeed::Due:
            sorted.needed.push_back({fact, PlannedKind::Due, p, standing});
            break;
        case FactNeed::Resting:
            sorted.fill.push_back({fact, PlannedKind::Fill, p, standing});
            break;
        }
    });
    std::stable_sort(sorted.needed.begin(), sorted.needed.end(),
                     [](const Candidate& a, const Candidate& b) {
                         return a.standing.since != b.standing.since
                                    ? a.standing.since < b.standing.since
                                    : a.progress.lastAnswer < b.progress.lastAnswer;
                     });
    std::stable_sort(sorted.fill.begin(), sorted.fill.end(),
                     [](const Candidate& a, const Candidate& b) {
                         return a.progress.lastAnswer < b.progress.lastAnswer;
                     });
    return sorted;
}

bool FitsAt(const std::vector<PlannedProblem>& plan, std::size_t at, Fact fact) {
    return (at == 0 || plan[at - 1].fact != fact) &&
           (at + 1 == plan.size() || plan[at + 1].fact != fact);
}

// Only a round longer than its rows have facts can put one fact twice in a row; another problem
// takes one of the two places.
void KeepNeighboursApart(std::vector<PlannedProblem>& plan) {
    for (std::size_t i = 1; i < plan.size(); ++i) {
        if (plan[i].fact != plan[i - 1].fact) {
            continue;
        }
        for (std::size_t j = 0; j < plan.size(); ++j) {
            if (j == i) {
                continue;
            }
            std::swap(plan[i], plan[j]);
            if (FitsAt(plan, i, plan[i].fact) && FitsAt(plan, j, plan[j].fact)) {
                break;
            }
            std::swap(plan[i], plan[j]);
        }
    }
}

} // namespace

std::size_t PlacesForNewFacts(std::int32_t problemTotal) {
    return problemTotal <= 0 ? 0 : (static_cast<std::size_t>(problemTotal) + 4) / 5;
}

std::vector<PlannedProblem> PlanRound(const FactProgressTable& progress, const RowSwitches& rows,
                                      std::int32_t problemTotal, std::chrono::sys_days today,
                                      RandomGenerator& random) {
    if (problemTotal <= 0) {
        return {};
    }
    Sorted sorted = SortFacts(progress, rows, today);
    Shuffle(sorted.fresh.begin(), sorted.fresh.end(), random);
    const auto kept =
        static_cast<std::ptrdiff_t>(std::min(PlacesForNewFacts(problemTotal), sorted.fresh.size()));
    std::vector<Candidate> order(sorted.fresh.begin(), sorted.fresh.begin() + kept);
    order.insert(order.end(), sorted.needed.begin(), sorted.needed.end());
    order.insert(order.end(), sorted.fresh.begin() + kept, sorted.fresh.end());
    order.insert(order.end(), sorted.fill.begin(), sorted.fill.end());

    std::vector<PlannedProblem> plan;
    for (std::size_t i = 0; i < static_cast<std::size_t>(problemTotal) && !order.empty(); ++i) {
        const Candidate& candidate = order[i % order.size()];
        plan.push_back({candidate.fact, candidate.kind});
    }
    // What needs practice is asked first, so a round cut short has asked it, and the round ends on
    // facts that sit.
    const auto fill = std::stable_partition(plan.begin(), plan.end(), [](const auto& problem) {
        return problem.kind != PlannedKind::Fill;
    });
    Shuffle(plan.begin(), fill, random);
    Shuffle(fill, plan.end(), random);
    KeepNeighboursApart(plan);
    return plan;
}

void PlaceCorrection(std::vector<PlannedProblem>& plan, std::size_t answered) {
    const Fact fact = plan.at(answered).fact;
    for (std::size_t at = answered + 2; at < plan.size(); ++at) {
        if (plan[at].kind == PlannedKind::Fill && FitsAt(plan, at, fact)) {
            plan[at] = {fact, PlannedKind::Correction};
            return;
        }
    }
}
