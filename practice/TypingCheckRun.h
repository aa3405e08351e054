#pragma once

#include "common/RandomGenerator.h"
#include "facts/RowsInForce.h"
#include "facts/TypingCheck.h"

#include <cstdint>
#include <string>
#include <vector>

// One typing check on the board: kCheckedNumbers numbers of two digits from the products of the
// rows, none the same as the one before where the rows allow it, each asked until it is typed
// right.
class TypingCheckRun {
public:
    TypingCheckRun(const RowSwitches& rows, RandomGenerator& random);

    // The number to type now, and its place, 1 to kCheckedNumbers.
    const std::string& Shown() const { return numbers_.at(typedRight_); }
    int Position() const { return static_cast<int>(typedRight_) + 1; }

    // Takes an Enter with what was typed; a number typed right moves on to the next.
    void Enter(const std::string& typed, std::int64_t responseMilliseconds);
    bool Done() const { return typedRight_ == numbers_.size(); }

    // Every Enter so far, in order.
    const std::vector<TypedNumber>& Enters() const { return enters_; }

private:
    std::vector<std::string> numbers_;
    std::size_t typedRight_ = 0;
    std::vector<TypedNumber> enters_;
};
