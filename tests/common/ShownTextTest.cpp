#include "common/ShownText.h"

#include <gtest/gtest.h>

namespace {

std::string Times(std::size_t count, const std::string& text) {
    std::string repeated;
    for (std::size_t i = 0; i < count; ++i) {
        repeated += text;
    }
    return repeated;
}

// As a child's name or a file name from a stick may come: what shows, what shows as a box, and
// where a long one is shortened.
TEST(ShownText, ShowsWhatShowsAsItIsTheRestAsABoxAndALongOneShortened) {
    const std::string folder = "/media/" + Times(200, "o");
    const struct {
        std::string shown;
        std::string expected;
    } cases[] = {
        {ShownText(R"(<img src="&#47;dev&#47;zero"> Ben Özdemir שרה 🦊)"),
         R"(<img src="&#47;dev&#47;zero"> Ben Özdemir שרה 🦊)"},
        {ShownText(std::string("a\nb\tc\rd") + '\0' + "e\x7f|\u0085"), "a□b□c□d□e□|□"},
        {ShownText("A\u202Egpj.exe\u202A\u202B\u202C\u202D\u2066\u2067\u2068\u2069"),
         "A□gpj.exe" + Times(8, "□")},
        {ShownText("a\u2028b\u2029c"), "a□b□c"},
        // Latin-1 from an old stick, a sequence cut short, an overlong slash, a surrogate.
        {ShownText("M\xfc|Zo\xc3"), "M□|Zo□"},
        {ShownText("a\xc0\xaf|\xed\xa0\x80"), "a□□|□□□"},
        {ShownText(Times(kMostShownCharacters, "ä")), Times(kMostShownCharacters, "ä")},
        {ShownText(Times(100'000, "W")), Times(kMostShownCharacters - 1, "W") + "…"},
        {ShownText(Times(200, "\n"), 4), "□□□…"},
        {ShownPath(folder + "/Anna.sqlite"),
         "/media/" + Times(53, "o") + "…" + Times(47, "o") + "/Anna.sqlite"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.shown, c.expected);
    }
}

} // namespace
