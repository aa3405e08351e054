#include "facts/TypingCheck.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using namespace std::chrono;

TEST(TypingCheck, TheThresholdGrowsWithTheTypingTimeBeyondASecond) {
    const struct {
        int chosen;
        std::optional<int> typing;
        int threshold;
    } cases[] = {
        {3000, std::nullopt, 3000}, {3000, 700, 3000},   {3000, 1000, 3000},
        {3000, 2400, 4400},         {6000, 2400, 7400},  {12000, 1500, 12500},
        {3000, 7000, 9000},         {3000, 25000, 9000}, {12000, 40000, 18000},
    };
    for (const auto& c : cases) {
        const auto typing =
            c.typing ? std::optional<milliseconds>(milliseconds(*c.typing)) : std::nullopt;
        EXPECT_EQ(ChildThreshold(milliseconds(c.chosen), typing), milliseconds(c.threshold))
            << c.chosen << " " << c.typing.value_or(-1);
    }
}

TEST(TypingCheck, TheTypingTimeIsTheMedianOfTheNumbersTypedRight) {
    const struct {
        const char* name;
        std::vector<TypedNumber> numbers;
        std::optional<int> typing;
    } cases[] = {
        {"five right",
         {{"47", "47", 2100},
          {"12", "12", 900},
          {"63", "63", 5000},
          {"20", "20", 1400},
          {"35", "35", 1600}},
         1600},
        {"mistyped and empty Enters do not count",
         {{"47", "74", 300},
          {"47", "47", 2000},
          {"12", "", 100},
          {"12", "12", 2500},
          {"63", "63", 2600}},
         2500},
        {"an even count takes the upper middle",
         {{"47", "47", 1000}, {"12", "12", 3000}, {"63", "63", 2000}, {"20", "20", 4000}},
         3000},
        {"nothing typed right", {{"47", "4", 800}}, std::nullopt},
        {"no number", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto typing = TypingTime(c.numbers);
        EXPECT_EQ(typing ? std::optional<int>(static_cast<int>(typing->count())) : std::nullopt,
                  c.typing)
            << c.name;
    }
}

TEST(TypingCheck, NumbersAreTheTwoDigitProductsOfTheRows) {
    const auto rows = [](std::initializer_list<int> on) {
        RowSwitches switches{};
        for (const int row : on) {
            switches.at(static_cast<std::size_t>(row - 1)) = true;
        }
        return switches;
    };
    EXPECT_EQ(CheckNumbers(rows({1})), std::vector<int>{10});
    EXPECT_EQ(CheckNumbers(rows({20})), (std::vector<int>{20, 40, 60, 80}));
    EXPECT_EQ(CheckNumbers(rows({2, 3})),
              (std::vector<int>{10, 12, 14, 15, 16, 18, 20, 21, 24, 27, 30}));
}

} // namespace
