#pragma once

#include "facts/RowsInForce.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What a teacher hands a class or one pupil to practise. Every value is optional: what the
// assignment leaves out stays as the child's own settings have it.
struct Assignment {
    // A short label such as "Vor der Mathearbeit"; empty for none.
    std::string title;
    // The rows to practise; at least one is on when given.
    std::optional<RowSwitches> rows;
    // Problems per round.
    std::optional<int> problemTotal;
    // "Gezielt üben".
    std::optional<bool> targeted;
    // How fast a right answer must be for a fact to sit, one of settings::kThresholdChoices.
    std::optional<int> seconds;

    // Nothing is assigned: the child's own settings hold for everything.
    bool Empty() const;
    bool operator==(const Assignment&) const = default;
};

// The title stands on one line of the main window beside the rows.
inline constexpr std::size_t kMaxTitleCharacters = 30;

// A title fits: valid UTF-8 of at most kMaxTitleCharacters characters, none of them a control
// character, a line or paragraph separator or a character that reorders text, so that it reads
// on the screen as it was typed.
bool IsAssignmentTitle(std::string_view utf8);

// Each value lies in the range its key allows.
bool IsProblemTotal(int total);
bool IsSecondsChoice(int seconds);
