#include "common/IntegerConversion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Accepted {
    std::string text;
    std::int32_t value;
};

// Texts are built by appending: GCC 12 at -O3 reports a false -Wrestrict for "-" + std::string.
class StrToIntAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(StrToIntAccepts, GivesTheValue) {
    EXPECT_EQ(StrToInt(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, StrToIntAccepts,
    testing::Values(Accepted{"0", 0}, Accepted{"91", 91}, Accepted{"+7", 7}, Accepted{"-12", -12},
                    Accepted{"-0", 0}, Accepted{"2147483647", 2147483647},
                    Accepted{"-2147483648", -2147483647 - 1}, Accepted{" 12", 12},
                    Accepted{"   -12", -12}, Accepted{std::string(300, '0') + "42", 42},
                    Accepted{std::string("-").append(300, '0').append("2147483648"),
                             -2147483647 - 1}));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, StrToIntAccepts,
    testing::Values(Accepted{"$0", 0}, Accepted{"$1A", 26}, Accepted{"$1a", 26},
                    Accepted{"$7FFFFFFF", 2147483647}, Accepted{"$80000000", -2147483647 - 1},
                    Accepted{"$FFFFFFFF", -1}, Accepted{"$ffffffff", -1},
                    Accepted{"$00000000FFFFFFFF", -1}, Accepted{"  $10", 16},
                    Accepted{std::string("$").append(300, '0').append("1"), 1}));

class StrToIntRejects : public testing::TestWithParam<std::string> {};

TEST_P(StrToIntRejects, WithTheOffendingTextInTheMessage) {
    try {
        StrToInt(GetParam());
        FAIL() << "accepted '" << GetParam() << "'";
    } catch (const ConversionError& error) {
        const std::string expected = "'" + GetParam() + "' is not a valid integer value";
        EXPECT_STREQ(error.what(), expected.c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(OutOfRange, StrToIntRejects,
                         testing::Values("2147483648", "-2147483649", "99999999999", "$100000000",
                                         std::string("$").append(300, 'F')));

INSTANTIATE_TEST_SUITE_P(Malformed, StrToIntRejects,
                         testing::Values("", " ", "+", "-", "$", "-$1", "+$1", "12 ", "\t12",
                                         "0x1A", "1e3", "1.5", "12a", "--1", "+-1", "$G", "$ 1",
                                         "- 1",
                                         std::string("1\0"
                                                     "2",
                                                     3),
                                         "\xC2\xB7"));

} // namespace
