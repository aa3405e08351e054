#include "common/RandomGenerator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <ctime>

namespace {

struct Step {
    std::uint32_t range;
    std::uint32_t value;
    std::uint32_t seedAfter;
};

// Worked out by hand: seed := seed * 134775813 + 1 mod 2^32, value := seed * range / 2^32.
TEST(RandomGeneratorTest, SequenceFromSeedZero) {
    RandomGenerator random;
    random.SetSeed(0);
    for (const Step step : {Step{20, 0, 1}, Step{10, 0, 134775814}, Step{100, 86, 3698175007},
                            Step{0xFFFFFFFF, 870078619, 870078620}, Step{1, 0, 1172187917}}) {
        EXPECT_EQ(random.Next(step.range), step.value);
        EXPECT_EQ(random.Seed(), step.seedAfter);
    }
}

TEST(RandomGeneratorTest, SeedWrapsAroundModuloTwoToTheThirtyTwo) {
    RandomGenerator random;
    random.SetSeed(0xFFFFFFFF);
    EXPECT_EQ(random.Next(20), 19u);
    EXPECT_EQ(random.Seed(), 4160191484u);
}

// Milliseconds since midnight UTC from the broken-down time, to compare the clock against.
std::uint32_t TimeOfDayMilliseconds() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    const auto millisecond =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    return static_cast<std::uint32_t>(((utc.tm_hour * 60 + utc.tm_min) * 60 + utc.tm_sec) * 1000 +
                                      millisecond);
}

TEST(RandomGeneratorTest, SeedClockIsTheUtcTimeOfDay) {
    const std::uint32_t before = TimeOfDayMilliseconds();
    const std::uint32_t seed = MillisecondsSinceMidnightUtc();
    const std::uint32_t after = TimeOfDayMilliseconds();
    EXPECT_LT(seed, 86'400'000u);
    if (before <= after) {
        EXPECT_GE(seed, before);
        EXPECT_LE(seed, after);
    }
}

} // namespace
