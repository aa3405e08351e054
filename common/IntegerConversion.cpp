#include "common/IntegerConversion.h"

#include <limits>

namespace {

constexpr std::int64_t kDecimalLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
constexpr std::uint64_t kHexLimit = std::numeric_limits<std::uint32_t>::max();

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Leading zeros are harmless, so the running value is checked against the limit after every
// digit instead of limiting the number of digits.
bool ParseHex(std::string_view digits, std::int32_t& result) {
    if (digits.empty()) {
        return false;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return false;
        }
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > kHexLimit) {
            return false;
        }
    }
    result = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return true;
}

bool ParseDecimal(std::string_view digits, bool negative, std::int32_t& result) {
    if (digits.empty()) {
        return false;
    }
    std::int64_t magnitude = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kDecimalLimit) {
            return false;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    result = static_cast<std::int32_t>(value);
    return true;
}

// Built by appending: GCC 12 at -O3 reports a false -Wrestrict for "'" + std::string(text).
std::string ConversionMessage(std::string_view text) {
    std::string message = "'";
    message.append(text).append("' is not a valid integer value");
    return message;
}

} // namespace

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error(ConversionMessage(text)) {}

std::int32_t StrToInt(std::string_view text) {
    std::string_view rest = text;
    while (!rest.empty() && rest.front() == ' ') {
        rest.remove_prefix(1);
    }

    std::int32_t result = 0;
    bool ok = false;
    if (!rest.empty() && rest.front() == '$') {
        ok = ParseHex(rest.substr(1), result);
    } else {
        const bool negative = !rest.empty() && rest.front() == '-';
        if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
            rest.remove_prefix(1);
        }
        ok = ParseDecimal(rest, negative, result);
    }
    if (!ok) {
        throw ConversionError(text);
    }
    return result;
}
