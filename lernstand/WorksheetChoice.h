#pragma once

#include "facts/Fact.h"
#include "facts/FactState.h"
#include "facts/FactTable.h"
#include "facts/RowsInForce.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// One problem of a worksheet: "multiplier · row = ____".
using WorksheetProblem = Fact;

inline constexpr std::size_t kWorksheetProblems = 30;

// The state of the fact multiplier · row.
using FactStates = std::function<FactState(int row, int multiplier)>;

// The worksheet's problems: every fact to practise, then every fact almost sure, then the facts of
// the rows switched on, new ones before sure ones, until there are kWorksheetProblems. A fact
// comes twice only when fewer facts exist; then the whole list repeats in the same order. Facts of
// one kind that do not all fit are picked at random. The order keeps neighbours in different rows
// wherever the rows allow it. The same seed gives the same worksheet.
std::vector<WorksheetProblem>
ChooseWorksheetProblems(const FactStates& states, const RowSwitches& rowsOn, std::uint32_t seed);

// The same for the facts as the table holds them, judged with the threshold.
std::vector<WorksheetProblem> ChooseWorksheetProblems(const FactTable& facts,
                                                      std::chrono::milliseconds threshold,
                                                      const RowSwitches& rowsOn,
                                                      std::uint32_t seed);
