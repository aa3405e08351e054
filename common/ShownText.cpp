#include "common/ShownText.h"

#include <algorithm>
#include <deque>

namespace {

constexpr std::string_view kEllipsis = "…";

// How long the UTF-8 sequence at the start of text is; 0 when it is no valid one: a stray or
// missing continuation byte, an overlong form, a surrogate, beyond U+10FFFF.
std::size_t SequenceLength(std::string_view text, char32_t& character) {
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        character = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        least = 0x80;
        character = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        least = 0x800;
        character = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        least = 0x10000;
        character = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        character = (character << 6) | (next & 0x3F);
    }
    const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
    return character < least || character > 0x10FFFF || surrogate ? 0 : length;
}

// Walks text character by character, each as it shows: itself, or the replacement.
class Characters {
public:
    Characters(std::string_view text, std::string_view replacement)
        : text_(text)
        , replacement_(replacement) {}

    // The next character as it shows; false at the end of the text.
    bool Next(std::string_view& piece) {
        if (text_.empty()) {
            return false;
        }
        char32_t character = 0;
        const std::size_t length = SequenceLength(text_, character);
        piece = length == 0 || SteersLayout(character) ? replacement_ : text_.substr(0, length);
        text_.remove_prefix(std::max<std::size_t>(length, 1));
        return true;
    }

private:
    std::string_view text_;
    std::string_view replacement_;
};

} // namespace

bool SteersLayout(char32_t character) {
    return character < 0x20 || (character >= 0x7F && character <= 0x9F) ||
           (character >= 0x202A && character <= 0x202E) ||
           (character >= 0x2066 && character <= 0x2069) || character == 0x2028 ||
           character == 0x2029;
}

std::string ShownText(std::string_view text, std::size_t most, Shortened where) {
    most = std::max<std::size_t>(most, 1);
    const std::size_t tailCharacters = where == Shortened::InTheMiddle ? (most - 1) / 2 : 0;
    const std::size_t headCharacters = most - 1 - tailCharacters;
    std::string shown;
    std::size_t headBytes = 0;
    // The last characters seen, each as it shows, for a text shortened in the middle.
    std::deque<std::string_view> tail;
    std::size_t characters = 0;
    Characters walk(text, kReplacementGlyph);
    std::string_view piece;
    while (walk.Next(piece)) {
        if (++characters <= most) {
            shown += piece;
            headBytes = characters == headCharacters ? shown.size() : headBytes;
        } else if (where == Shortened::AtTheEnd) {
            break;
        }
        if (tailCharacters > 0) {
            tail.push_back(piece);
            if (tail.size() > tailCharacters) {
                tail.pop_front();
            }
        }
    }
    if (characters <= most) {
        return shown;
    }
    shown.resize(headBytes);
    shown += kEllipsis;
    for (const std::string_view last : tail) {
        shown += last;
    }
    return shown;
}

std::string ShownPath(const std::filesystem::path& path) {
    return ShownText(path.native(), kMostShownCharacters, Shortened::InTheMiddle);
}

bool ShowsAsItIs(std::string_view text, std::size_t most) {
    for (std::size_t characters = 0; !text.empty(); ++characters) {
        char32_t character = 0;
        const std::size_t length = SequenceLength(text, character);
        if (length == 0 || SteersLayout(character) || characters == most) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

std::string FirstCharacters(std::string_view text, std::size_t most, std::string_view replacement) {
    std::string first;
    Characters walk(text, replacement);
    std::string_view piece;
    for (std::size_t characters = 0; characters < most && walk.Next(piece); ++characters) {
        first += piece;
    }
    return first;
}
