#pragma once

#include <chrono>

// A moment on the computer's clock, as answers and rounds are stamped with it.
using WallTime = std::chrono::system_clock::time_point;
