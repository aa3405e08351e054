#include "settings/StoredText.h"

#include <array>

namespace {

// Windows-1252 0x80..0x9F; the five bytes it leaves undefined keep their C1 control code points,
// as Windows maps them.
constexpr std::array<char16_t, 32> kC1Range = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178'};

void AppendUtf8(std::string& out, char16_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        AppendUtf8(out, code >= 0x80 && code < 0xA0 ? kC1Range[code - 0x80u] : char16_t{code});
    }
    return out;
}

// Bytes in a UTF-8 character that starts with lead; 0 when lead starts none.
std::size_t CharacterLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

bool IsContinuation(unsigned char byte) {
    return byte >= 0x80 && byte <= 0xBF;
}

// The second byte's range also shuts out overlong forms, surrogates and code points past U+10FFFF.
bool FollowsLead(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0:
        return second >= 0xA0 && second <= 0xBF;
    case 0xED:
        return second >= 0x80 && second <= 0x9F;
    case 0xF0:
        return second >= 0x90 && second <= 0xBF;
    case 0xF4:
        return second >= 0x80 && second <= 0x8F;
    default:
        return IsContinuation(second);
    }
}

struct Utf8Check {
    // Bytes from the start that are whole, valid UTF-8 characters.
    std::size_t validBytes;
    // The first fault is only a character that the end of the text cuts short.
    bool cutShort;
};

Utf8Check CheckUtf8(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = CharacterLength(lead);
        if (length == 0) {
            return {at, false};
        }
        for (std::size_t i = 1; i < length; ++i) {
            if (at + i == text.size()) {
                return {at, true};
            }
            const auto next = static_cast<unsigned char>(text[at + i]);
            if (i == 1 ? !FollowsLead(lead, next) : !IsContinuation(next)) {
                return {at, false};
            }
        }
        at += length;
    }
    return {at, false};
}

} // namespace

std::string StoredTextToUtf8(std::string_view bytes, bool cut) {
    const Utf8Check check = CheckUtf8(bytes);
    if (check.validBytes == bytes.size() || (cut && check.cutShort)) {
        return std::string(bytes.substr(0, check.validBytes));
    }
    return Windows1252ToUtf8(bytes);
}
