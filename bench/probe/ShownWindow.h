#pragma once

#include "bench/probe/XServer.h"

#include <optional>

// A top-level window from its mapping until every pixel of it has been drawn once.
struct ShownWindow {
    unsigned long window = 0;
    Box box;
    Clock::time_point mapped;
    Clock::time_point painted;
};

std::optional<ShownWindow> WaitForShownWindow(XServer& server, Clock::time_point deadline);
