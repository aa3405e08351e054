#include "plan/PracticePlan.h"

#include <algorithm>
#include <utility>

namespace {

struct Candidate {
    Fact fact;
    FactProgress progress;
    // For facts waiting for review: the day since which they are due.
    std::chrono::sys_days dueSince{};
};

template <typename Iterator> void Shuffle(Iterator first, Iterator last, RandomGenerator& random) {
    for (auto i = last - first; i > 1; --i) {
        std::swap(first[i - 1], first[random.Next(static_cast<std::uint32_t>(i))]);
    }
}

template <typename T> void Shuffle(std::vector<T>& items, RandomGenerator& random) {
    Shuffle(items.begin(), items.end(), random);
}

// The table's order stays among equals, so a seed always gives the same round.
void SortByLastAnswer(std::vector<Candidate>& facts) {
    std::stable_sort(facts.begin(), facts.end(), [](const Candidate& a, const Candidate& b) {
        return a.progress.lastAnswer < b.progress.lastAnswer;
    });
}

struct Sorted {
    std::vector<Candidate> learning;
    std::vector<Candidate> due;
    std::vector<Candidate> fresh;
    std::vector<Candidate> fill;
};

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
            sorted.fresh.push_back({fact, p});
            break;
        case FactNeed::Learning:
            sorted.learning.push_back({fact, p, standing.since});
            break;
        case FactNeed::Due:
            sorted.due.push_back({fact, p, standing.since});
            break;
        case FactNeed::Resting:
            sorted.fill.push_back({fact, p});
            break;
        }
    });
    SortByLastAnswer(sorted.learning);
    SortByLastAnswer(sorted.fill);
    return sorted;
}

// The facts shown once each, in the order they are wanted, as many as the round has room for;
// only when the rows hold too few facts does the list start again.
std::vector<PlannedProblem> Singles(Sorted& sorted, std::size_t wanted, RandomGenerator& random) {
    std::stable_sort(
        sorted.due.begin(), sorted.due.end(), [](const Candidate& a, const Candidate& b) {
            return a.dueSince != b.dueSince ? a.dueSince < b.dueSince
                                            : a.progress.lastAnswer < b.progress.lastAnswer;
        });
    Shuffle(sorted.fresh, random);
    std::vector<PlannedProblem> order;
    for (const auto& [list, kind] :
         {std::pair{&sorted.due, PlannedKind::Due}, std::pair{&sorted.fresh, PlannedKind::New},
          std::pair{&sorted.fill, PlannedKind::Fill}}) {
        for (const Candidate& candidate : *list) {
            order.push_back({candidate.fact, kind});
        }
    }
    std::vector<PlannedProblem> singles;
    for (std::size_t i = 0; i < wanted && !order.empty(); ++i) {
        singles.push_back(order[i % order.size()]);
    }
    // What needs practice is asked first, so a round cut short has asked it, and the round ends on
    // facts that sit.
    const auto fill = std::stable_partition(singles.begin(), singles.end(), [](const auto& single) {
        return single.kind != PlannedKind::Fill;
    });
    Shuffle(singles.begin(), fill, random);
    Shuffle(fill, singles.end(), random);
    return singles;
}

// Each pass shows every learning fact once; a pass never starts with the fact the one before ended
// with, so with a problem after each showing two showings of a fact keep two others between them.
std::vector<PlannedProblem> LearningShowingsInOrder(const std::vector<Candidate>& facts,
                                                    int showings, RandomGenerator& random) {
    std::vector<Fact> pass;
    for (const Candidate& candidate : facts) {
        pass.push_back(candidate.fact);
    }
    std::vector<PlannedProblem> sequence;
    for (int shown = 0; shown < showings; ++shown) {
        Shuffle(pass, random);
        if (!sequence.empty() && pass.size() > 1 && pass.front() == sequence.back().fact) {
            std::swap(pass.front(),
                      pass[1 + random.Next(static_cast<std::uint32_t>(pass.size() - 1))]);
        }
        for (const Fact fact : pass) {
            sequence.push_back({fact, PlannedKind::Learning});
        }
    }
    return sequence;
}

bool FitsAt(const std::vector<PlannedProblem>& plan, std::size_t at, Fact fact) {
    return (at == 0 || plan[at - 1].fact != fact) &&
           (at + 1 == plan.size() || plan[at + 1].fact != fact);
}

// Only a round longer than its rows have facts can put one fact twice in a row; another single
// takes one of the two places.
void KeepNeighboursApart(std::vector<PlannedProblem>& plan) {
    for (std::size_t i = 1; i < plan.size(); ++i) {
        if (plan[i].fact != plan[i - 1].fact || plan[i].kind == PlannedKind::Learning) {
            continue;
        }
        for (std::size_t j = 0; j < plan.size(); ++j) {
            if (j == i || plan[j].kind == PlannedKind::Learning) {
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

int LearningShowings(std::int32_t problemTotal) {
    return problemTotal >= 12 ? 3 : problemTotal >= 6 ? 2 : 1;
}

std::vector<PlannedProblem> PlanRound(const FactProgressTable& progress, const RowSwitches& rows,
                                      std::int32_t problemTotal, std::chrono::sys_days today,
                                      RandomGenerator& random) {
    if (problemTotal <= 0) {
        return {};
    }
    const auto total = static_cast<std::size_t>(problemTotal);
    Sorted sorted = SortFacts(progress, rows, today);
    const int showings = LearningShowings(problemTotal);
    // With less room, fewer facts are learned, not each one shown less often.
    const std::size_t learned = std::min({kMostLearningFacts, sorted.learning.size(),
                                          total / 2 / static_cast<std::size_t>(showings)});
    // Facts being learned beyond those need practice as much as the facts due.
    sorted.due.insert(sorted.due.end(),
                      sorted.learning.begin() + static_cast<std::ptrdiff_t>(learned),
                      sorted.learning.end());
    sorted.learning.resize(learned);

    const std::vector<PlannedProblem> learning =
        LearningShowingsInOrder(sorted.learning, showings, random);
    std::vector<PlannedProblem> singles = Singles(sorted, total - learning.size(), random);
    if (learning.empty()) {
        KeepNeighboursApart(singles);
        return singles;
    }

    // The singles go into the gaps before, between and after the learning showings at random, with
    // the least between two showings that keeps a fact's showings two problems apart.
    const std::size_t between = showings == 1 ? 0 : learned == 1 ? 2 : 1;
    std::vector<std::size_t> gaps(learning.size() + 1, 0);
    for (std::size_t gap = 1; gap < learning.size(); ++gap) {
        gaps[gap] = between;
    }
    const std::size_t free = singles.size() - between * (learning.size() - 1);
    for (std::size_t single = 0; single < free; ++single) {
        ++gaps[random.Next(static_cast<std::uint32_t>(gaps.size()))];
    }
    std::vector<PlannedProblem> plan;
    auto next = singles.begin();
    for (std::size_t gap = 0; gap < gaps.size(); ++gap) {
        plan.insert(plan.end(), next, next + static_cast<std::ptrdiff_t>(gaps[gap]));
        next += static_cast<std::ptrdiff_t>(gaps[gap]);
        if (gap < learning.size()) {
            plan.push_back(learning[gap]);
        }
    }
    KeepNeighboursApart(plan);
    return plan;
}

void PlaceCorrection(std::vector<PlannedProblem>& plan, std::size_t answered,
                     RandomGenerator& random) {
    const Fact fact = plan.at(answered).fact;
    const std::size_t end = std::min(plan.size(), answered + 4);
    std::vector<std::size_t> places;
    for (std::size_t at = answered + 1; at < end; ++at) {
        if (plan[at].fact == fact) {
            return;
        }
        // Right after the mistake it would be the problem before once more.
        const bool replaceable =
            plan[at].kind != PlannedKind::Learning && plan[at].kind != PlannedKind::Correction;
        if (at > answered + 1 && replaceable && FitsAt(plan, at, fact)) {
            places.push_back(at);
        }
    }
    if (!places.empty()) {
        plan[places[random.Next(static_cast<std::uint32_t>(places.size()))]] = {
            fact, PlannedKind::Correction};
    }
}
