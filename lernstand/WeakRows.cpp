#include "lernstand/WeakRows.h"

std::vector<int> WeakRows(const FactTable& table, std::chrono::milliseconds threshold) {
    std::vector<int> rows;
    for (int row = 1; row <= kRows; ++row) {
        for (int multiplier = 1; multiplier <= kMultipliers; ++multiplier) {
            const FactState state = table.State(row, multiplier, threshold);
            if (state == FactState::Practise || state == FactState::AlmostSure) {
                rows.push_back(row);
                break;
            }
        }
    }
    return rows;
}

std::string WeakRowsText(const std::vector<int>& rows) {
    if (rows.empty()) {
        return "Alle geübten Aufgaben sitzen – prima!";
    }
    std::string list = std::to_string(rows.front());
    for (std::size_t i = 1; i < rows.size(); ++i) {
        list += (i + 1 == rows.size() ? " und " : ", ") + std::to_string(rows[i]);
    }
    return std::string("Ab der nächsten Runde: ") + (rows.size() == 1 ? "Reihe " : "Reihen ") +
           list + ".";
}

WeakRowsChoice PractiseWeakRows(const FactTable& table, std::chrono::milliseconds threshold,
                                settings::SettingsWriter& settings) {
    const std::vector<int> rows = WeakRows(table, threshold);
    RowSwitches switched{};
    for (const int row : rows) {
        switched.at(static_cast<std::size_t>(row - 1)) = true;
    }
    return {rows.empty() || settings.SwitchRows(switched), WeakRowsText(rows)};
}
