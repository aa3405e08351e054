#include "practice/RowsInForce.h"

#include <algorithm>

std::array<bool, settings::kRowCount> RowsInForce(const SettingsSource& source) {
    std::array<bool, settings::kRowCount> on{};
    for (int row = 1; row <= settings::kRowCount; ++row) {
        const std::string stored = source.Read(settings::kRowsSection, settings::RowKey(row));
        on.at(static_cast<std::size_t>(row - 1)) =
            (stored.empty() ? settings::round_defaults::kRow : stored) == settings::kOn;
    }
    // Only a hand-edited file can switch every row off; row 1 alone is what the settings dialog
    // would have stored, and it keeps the round's drawing loop finite.
    if (std::none_of(on.begin(), on.end(), [](bool rowOn) { return rowOn; })) {
        on.front() = true;
    }
    return on;
}
