#include "common/IntegerConversion.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

// Compares the integer conversion with a plain reference worked out in 64 bits.
namespace {

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::optional<std::int32_t> Reference(std::string_view text) {
    std::string_view rest = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    const bool hex = rest.starts_with('$');
    const bool negative = rest.starts_with('-');
    if (hex || negative || rest.starts_with('+')) {
        rest.remove_prefix(1);
    }
    if (rest.empty() || !std::all_of(rest.begin(), rest.end(), hex ? IsHexDigit : IsDecimalDigit)) {
        return std::nullopt;
    }
    // Leading zeros change nothing; what remains must fit 64 bits to be parsed at all.
    rest.remove_prefix(std::min(rest.find_first_not_of('0'), rest.size() - 1));
    if (rest.size() > 15) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, hex ? 16 : 10);
    if (hex) {
        return magnitude <= 0xFFFFFFFF
                   ? std::optional(static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude)))
                   : std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> expected = Reference(text);
    try {
        const std::int32_t converted = StrToInt(text);
        Require(expected == converted, "converted a text the reference rejects or differs from");
    } catch (const ConversionError& error) {
        Require(!expected, "rejected a text the reference converts");
        // what() ends at a NUL byte in the text.
        const std::string message = "'" + text + "' is not a valid integer value";
        Require(error.what() == message.substr(0, message.find('\0')),
                "the message does not quote the text");
    }
    return 0;
}
