#include "facts/RowsInForce.h"

#include <algorithm>

RowSwitches RowsInForce(const RowSwitches& switchedOn) {
    RowSwitches on = switchedOn;
    // Only a hand-edited file can switch every row off; row 1 alone is what the settings dialog
    // would have stored, and it keeps the round's drawing loop finite.
    if (std::none_of(on.begin(), on.end(), [](bool rowOn) { return rowOn; })) {
        on.front() = true;
    }
    return on;
}

std::vector<int> RowList(const RowSwitches& rows) {
    std::vector<int> list;
    for (int row = 1; row <= kRows; ++row) {
        if (RowOn(rows, row)) {
            list.push_back(row);
        }
    }
    return list;
}

bool RowOn(const RowSwitches& rows, int row) {
    return rows.at(static_cast<std::size_t>(row - 1));
}
