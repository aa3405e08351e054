#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// How a text from outside the program is shown, on screen and on paper alike: a child's name, a
// file or folder name, a reason SQLite gives. Such a text may hold anything, so:
// - a character that would steer the layout instead of showing (see SteersLayout) and a byte that
//   is no part of valid UTF-8 each show as kReplacementGlyph;
// - a text of more than `most` characters keeps most - 1 of them and ends in, or for a path has
//   in its middle, "…";
// - only a bounded part of the text is read, so a text of any length costs the same.
// The text itself is kept as it is wherever it is stored or exported (the journal, the CSV files).

// Far more than a line of any window or page holds, which shortens further to its width.
inline constexpr std::size_t kMostShownCharacters = 120;

// "□" (U+25A1 WHITE SQUARE): every Liberation face has it, unlike U+FFFD or the control pictures.
inline constexpr std::string_view kReplacementGlyph = "\u25A1";

// C0 and C1 control characters (newline and tab among them) and DEL; the bidirectional embeddings,
// overrides and isolates (U+202A to U+202E, U+2066 to U+2069), which reorder what follows them;
// the line and paragraph separators (U+2028, U+2029), which break a line like a newline.
bool SteersLayout(char32_t character);

enum class Shortened { AtTheEnd, InTheMiddle };

std::string ShownText(std::string_view text, std::size_t most = kMostShownCharacters,
                      Shortened where = Shortened::AtTheEnd);

// A path keeps its start and its file name: it is shortened in the middle.
std::string ShownPath(const std::filesystem::path& path);

// text is valid UTF-8 of at most `most` characters, none of which SteersLayout: it shows as it is
// on one line, just as it was typed.
bool ShowsAsItIs(std::string_view text, std::size_t most);

// The first `most` characters of text, each that SteersLayout and each byte that is no part of
// valid UTF-8 replaced by `replacement`: for a file name made of a name, which is cut short
// without a mark.
std::string FirstCharacters(std::string_view text, std::size_t most, std::string_view replacement);
