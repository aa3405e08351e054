#pragma once

#include "common/WallTime.h"
#include "facts/RowsInForce.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Now and then a round of "Gezielt üben" begins with a short typing check, so that the time a
// child needs to type an answer is not taken for slow recall.

// A check asks this many numbers, each until it is typed right.
inline constexpr int kCheckedNumbers = 5;
// A check this many days old is made again.
inline constexpr int kTypingCheckDays = 30;

// One Enter during a check: the number shown, what the child typed, and the time from the number
// being shown to Enter.
struct TypedNumber {
    std::string shown;
    std::string typed;
    std::int64_t responseMilliseconds = 0;
    bool operator==(const TypedNumber&) const = default;
};

// A check as it was kept: every Enter, in order.
struct TypingCheck {
    WallTime checkedAt;
    std::vector<TypedNumber> numbers;
};

// The child's typing time: the median time of the numbers typed right (of an even count the upper
// of the two middle ones); none when no number was typed right.
std::optional<std::chrono::milliseconds> TypingTime(std::span<const TypedNumber> numbers);

// How fast a right answer must be for this child to count as fast: the grown-up's choice plus
// the typing time beyond one second, at most six seconds more. Without a typing time, the choice.
std::chrono::milliseconds ChildThreshold(std::chrono::milliseconds chosen,
                                         std::optional<std::chrono::milliseconds> typingTime);
// The same with the typing time of the newest check, if there is one.
std::chrono::milliseconds ChildThreshold(std::chrono::milliseconds chosen,
                                         const std::optional<TypingCheck>& newest);

// Whether a round begins with a check: none was made yet, or the newest one on a local day 30 or
// more days before today.
bool TypingCheckDue(std::optional<std::chrono::sys_days> newestCheckDay,
                    std::chrono::sys_days today);

// The numbers a check may ask: the products of the rows in force that have two digits, ascending,
// each once. Every row has at least one.
std::vector<int> CheckNumbers(const RowSwitches& rows);
