#pragma once

#include <cstdint>
#include <functional>

// The classic linear congruential generator, so a seed replays the same problems exactly.
class RandomGenerator {
public:
    void SetSeed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t Seed() const { return seed_; }

    // A number in 0..range-1; advances the seed once.
    std::uint32_t Next(std::uint32_t range);

private:
    std::uint32_t seed_ = 0;
};

// Source of the round start's seed: milliseconds since midnight, UTC.
using SeedClock = std::function<std::uint32_t()>;

std::uint32_t MillisecondsSinceMidnightUtc();
