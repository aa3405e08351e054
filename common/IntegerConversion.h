#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Raised when a text is not a number; what() reads "'<text>' is not a valid integer value".
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string_view text);
};

// Text to signed 32-bit integer: leading blanks (character 32 only) are skipped, then either an
// optional sign and decimal digits, or "$" and hexadecimal digits whose 32-bit pattern is taken as
// signed ("$FFFFFFFF" is -1). Anything else, out-of-range values included, throws ConversionError.
std::int32_t StrToInt(std::string_view text);
