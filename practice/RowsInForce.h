#pragma once

#include "settings/SettingsSchema.h"
#include "settings/SettingsSource.h"

#include <array>

// Which rows a round practises: a row without an entry counts as on, and with every row off
// row 1 stands in.
std::array<bool, settings::kRowCount> RowsInForce(const SettingsSource& source);
