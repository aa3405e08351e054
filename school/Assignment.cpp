#include "school/Assignment.h"

#include "settings/SettingsSchema.h"

#include <algorithm>
#include <iterator>

namespace {

// The code point starting at text[at], and how many bytes it takes; nullopt for bytes that are no
// valid UTF-8.
struct CodePoint {
    char32_t value;
    std::size_t length;
};

std::optional<CodePoint> DecodeAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        return CodePoint{lead, 1};
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        lowest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (at + length > text.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0u) != 0x80u) {
            return std::nullopt;
        }
        value = (value << 6) | (next & 0x3Fu);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value < lowest || value > 0x10FFFF || surrogate) {
        return std::nullopt;
    }
    return CodePoint{value, length};
}

// Control characters, the line and paragraph separators and the marks that embed, override or
// isolate a direction, with which a title could hide or reorder the text beside it.
bool BreaksTheLine(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

bool Assignment::Empty() const {
    return title.empty() && !rows && !problemTotal && !targeted && !seconds;
}

bool IsAssignmentTitle(std::string_view utf8) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < utf8.size(); ++characters) {
        const std::optional<CodePoint> next = DecodeAt(utf8, at);
        if (!next || BreaksTheLine(next->value) || characters == kMaxTitleCharacters) {
            return false;
        }
        at += next->length;
    }
    return true;
}

bool IsProblemTotal(int total) {
    return total >= settings::kTotalRange.lowest && total <= settings::kTotalRange.highest;
}

bool IsSecondsChoice(int seconds) {
    return std::find(std::begin(settings::kThresholdChoices), std::end(settings::kThresholdChoices),
                     seconds) != std::end(settings::kThresholdChoices);
}
