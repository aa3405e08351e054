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

// The first top-level window mapped, or with a title, the first one whose title holds it.
std::optional<ShownWindow> WaitForShownWindow(XServer& server, Clock::time_point deadline,
                                              const std::string& titled = {});
