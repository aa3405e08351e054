#include "common/RandomGenerator.h"

#include <chrono>

std::uint32_t RandomGenerator::Next(std::uint32_t range) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<std::uint32_t>((std::uint64_t{seed_} * range) >> 32);
}

std::uint32_t MillisecondsSinceMidnightUtc() {
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(sinceEpoch.count() % milliseconds(days(1)).count());
}
