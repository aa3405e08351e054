#pragma once

#include "facts/Fact.h"

#include <array>
#include <vector>

// One switch per row, row 1 first: true where the row is practised.
using RowSwitches = std::array<bool, kRows>;

// Which rows a round practises: the rows switched on, or row 1 alone when none is.
RowSwitches RowsInForce(const RowSwitches& switchedOn);

// The rows switched on, ascending.
std::vector<int> RowList(const RowSwitches& rows);

// Whether the row is switched on; row is 1 to 20.
bool RowOn(const RowSwitches& rows, int row);
