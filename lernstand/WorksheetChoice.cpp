#include "lernstand/WorksheetChoice.h"

#include "common/RandomGenerator.h"

#include <algorithm>
#include <deque>
#include <utility>

namespace {

using Problems = std::vector<WorksheetProblem>;
using RowCounts = std::array<int, kRows>;

// Which facts fill the worksheet first.
struct Priority {
    FactState state;
    // Only facts of the rows switched on, else facts of every row.
    bool rowsOnOnly;
};
constexpr std::array kPriorities{
    Priority{FactState::Practise, false},
    Priority{FactState::AlmostSure, false},
    Priority{FactState::New, true},
    Priority{FactState::Sure, true},
};

std::size_t RowIndex(int row) {
    return static_cast<std::size_t>(row - 1);
}

void Shuffle(Problems& problems, RandomGenerator& random) {
    for (std::size_t i = problems.size(); i > 1; --i) {
        std::swap(problems[i - 1], problems[random.Next(static_cast<std::uint32_t>(i))]);
    }
}

// Every fact of the priority, in random order.
Problems FactsOf(const Priority& priority, const FactStates& states, const RowSwitches& rowsOn,
                 RandomGenerator& random) {
    Problems facts;
    for (int row = 1; row <= kRows; ++row) {
        if (priority.rowsOnOnly && !RowOn(rowsOn, row)) {
            continue;
        }
        for (int multiplier = 1; multiplier <= kMultipliers; ++multiplier) {
            if (states(row, multiplier) == priority.state) {
                facts.push_back({multiplier, row});
            }
        }
    }
    Shuffle(facts, random);
    return facts;
}

// Whether `left` problems can still be lined up with no two neighbours of one row: no row may
// fill more than every other place. Kept after every step, this also keeps the row just taken
// from having to come again first.
bool Arrangeable(const RowCounts& counts, int left) {
    return std::all_of(counts.begin(), counts.end(),
                       [half = (left + 1) / 2](int count) { return count <= half; });
}

// The row whose problem comes next: at random among those that keep the rest arrangeable; when the
// rows allow no such order, the fullest row other than the previous one, so that as few
// neighbours as possible share a row.
int NextRow(RowCounts& counts, int left, int previous, RandomGenerator& random) {
    std::vector<int> keepApart;
    int fullest = 0;
    for (int row = 1; row <= kRows; ++row) {
        int& count = counts.at(RowIndex(row));
        if (count == 0 || row == previous) {
            continue;
        }
        if (fullest == 0 || count > counts.at(RowIndex(fullest))) {
            fullest = row;
        }
        --count;
        if (Arrangeable(counts, left - 1)) {
            keepApart.push_back(row);
        }
        ++count;
    }
    if (!keepApart.empty()) {
        return keepApart[random.Next(static_cast<std::uint32_t>(keepApart.size()))];
    }
    return fullest != 0 ? fullest : previous;
}

// The problems in an order that keeps neighbours in different rows where possible; problems of
// one row keep their order, so repeats of a fact stay apart.
Problems Arrange(const Problems& chosen, RandomGenerator& random) {
    std::array<std::deque<WorksheetProblem>, kRows> byRow;
    RowCounts counts{};
    for (const WorksheetProblem& problem : chosen) {
        byRow.at(RowIndex(problem.row)).push_back(problem);
        ++counts.at(RowIndex(problem.row));
    }
    Problems arranged;
    int previous = 0;
    for (int left = static_cast<int>(chosen.size()); left > 0; --left) {
        const int row = NextRow(counts, left, previous, random);
        std::deque<WorksheetProblem>& queue = byRow.at(RowIndex(row));
        arranged.push_back(queue.front());
        queue.pop_front();
        --counts.at(RowIndex(row));
        previous = row;
    }
    return arranged;
}

} // namespace

std::vector<WorksheetProblem>
ChooseWorksheetProblems(const FactStates& states, const RowSwitches& rowsOn, std::uint32_t seed) {
    RandomGenerator random;
    random.SetSeed(seed);
    Problems byPriority;
    for (const Priority& priority : kPriorities) {
        const Problems facts = FactsOf(priority, states, rowsOn, random);
        byPriority.insert(byPriority.end(), facts.begin(), facts.end());
    }
    if (byPriority.empty()) {
        return {};
    }
    Problems chosen;
    while (chosen.size() < kWorksheetProblems) {
        const std::size_t wanted = std::min(kWorksheetProblems - chosen.size(), byPriority.size());
        chosen.insert(chosen.end(), byPriority.begin(),
                      byPriority.begin() + static_cast<std::ptrdiff_t>(wanted));
    }
    return Arrange(chosen, random);
}

std::vector<WorksheetProblem> ChooseWorksheetProblems(const FactTable& facts,
                                                      std::chrono::milliseconds threshold,
                                                      const RowSwitches& rowsOn,
                                                      std::uint32_t seed) {
    return ChooseWorksheetProblems(
        [&facts, threshold](int row, int multiplier) {
            return facts.State(row, multiplier, threshold);
        },
        rowsOn, seed);
}
