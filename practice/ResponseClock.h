#pragma once

#include <cstdint>
#include <functional>

// Milliseconds on a clock that never jumps, for response times; tests hand in a fake one.
using ResponseClock = std::function<std::int64_t()>;

std::int64_t SteadyMilliseconds();
