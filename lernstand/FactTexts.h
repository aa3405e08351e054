#pragma once

#include "facts/Answer.h"
#include "facts/FactLevel.h"
#include "facts/FactState.h"
#include "facts/RowsInForce.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// "7 · 8: üben": the fact and its state, for screen readers and the tooltip's first line.
std::string FactStateText(int multiplier, int row, FactState state);

// "richtig", "falsch", "leer" or "Zeit abgelaufen", as the grown-ups' texts name an outcome.
std::string_view OutcomeName(AnswerOutcome outcome);

// "2,4": tenths of a second, rounded, with a decimal comma.
std::string DecimalSeconds(std::int64_t milliseconds);

// "Tippzeit 2,4 s: „sicher“ heißt hier schneller als 4,4 s": the child's typing time from the
// newest typing check, and how fast a right answer must be for this child.
std::string TypingTimeText(std::chrono::milliseconds typing, std::chrono::milliseconds fastBelow);

// "08.12.2026: 56, richtig, 2,4 s", with the local date.
std::string AnswerLine(const FactAnswer& answer);

// One AnswerLine per answer, the newest first.
std::string AnswerLines(std::span<const FactAnswer> newestFirst);

// The fact, its state, its level if given, and then one line per answer, the newest first.
std::string FactToolTip(int multiplier, int row, FactState state,
                        std::span<const FactAnswer> newestFirst, const std::string& level = {});

// "Stufe 2 · wieder dran am Do 10.12.": how far "Gezielt üben" has brought the fact and when it
// comes again; empty for a fact without answers.
std::string LevelText(const FactProgress& progress, std::chrono::sys_days today);

// "Gezielt üben: heute 5 fällig, 3 in Arbeit": over the facts of the rows in force.
std::string TargetedSummaryText(const FactProgressTable& progress, const RowSwitches& rows,
                                std::chrono::sys_days today);
