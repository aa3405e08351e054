#include "facts/FactTable.h"

#include <stdexcept>
#include <string>

FactTable::FactTable(const std::vector<RecordedAnswer>& answers) {
    for (auto it = answers.rbegin(); it != answers.rend(); ++it) {
        std::vector<FactAnswer>& latest = facts_.at(Index(it->problem.row, it->problem.multiplier));
        if (latest.size() < kRemembered) {
            latest.push_back({it->answeredAt, it->problem.outcome, it->problem.answer,
                              it->problem.responseMilliseconds});
        }
    }
}

const std::vector<FactAnswer>& FactTable::Latest(int row, int multiplier) const {
    return facts_.at(Index(row, multiplier));
}

FactState FactTable::State(int row, int multiplier, std::chrono::milliseconds threshold) const {
    return StateOf(Latest(row, multiplier), threshold);
}

std::size_t FactTable::Index(int row, int multiplier) {
    if (!IsFact({multiplier, row})) {
        throw std::out_of_range("no fact " + FactText({multiplier, row}));
    }
    return FactIndex({multiplier, row});
}
