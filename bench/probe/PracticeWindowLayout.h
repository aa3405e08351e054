#pragma once

#include "bench/probe/Box.h"

// Spots of the practice window, relative to its origin, that only one control ever draws on.
namespace practice_window {

// The right end of the right-aligned problem line, always covered by its last characters.
inline constexpr Box kProblemLine{290, 92, 20, 16};
// The whole problem line, "10 · 9 = " at its longest, without the answer field beside it.
inline constexpr Box kProblemText{0, 76, 316, 48};
// The start of the wrong tally, "1 Falsch" and longer.
inline constexpr Box kWrongTally{72, 268, 20, 16};
inline constexpr int kSegmentCount = 20;

// The inside of time-bar segment n (1 to 20); neighbours share only their outlines.
constexpr Box Segment(int n) {
    return {112 + 16 * (n - 1) + 4, 172, 8, 24};
}

// The "Ende" button.
inline constexpr Box kEndButton{456, 264, 88, 32};
// The "Noch mal..." button, shown with a round's summary.
inline constexpr Box kAgainButton{376, 264, 75, 33};

} // namespace practice_window
