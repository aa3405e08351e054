#include "common/ShownText.h"

#include <gtest/gtest.h>

namespace {

const std::string kBox = "□";

std::string Times(std::size_t count, const std::string& text) {
    std::string repeated;
    for (std::size_t i = 0; i < count; ++i) {
        repeated += text;
    }
    return repeated;
}

// Each case as a name from a pupil's journal or a file name from a stick would bring it.
TEST(ShownText, ShowsEveryCharacterThatShowsAndAVisibleBoxForTheOthers) {
    const struct {
        const char* name;
        std::string text;
        std::string shown;
    } cases[] = {
        {"a name", "Ben Özdemir", "Ben Özdemir"},
        {"markup is text", R"(<img src="&#47;dev&#47;zero">)", R"(<img src="&#47;dev&#47;zero">)"},
        {"a formula is text", "=HYPERLINK(\"x\")", "=HYPERLINK(\"x\")"},
        {"newline, tab, carriage return", "Anna\nBen\tCem\r", "Anna□Ben□Cem□"},
        {"NUL and DEL", std::string("a\0b\x7f", 4), "a□b□"},
        {"C1: next line", "a\u0085b", "a□b"},
        {"right-to-left override", "Anna\u202Egpj.exe", "Anna□gpj.exe"},
        {"every embedding and isolate", "\u202A\u202B\u202C\u202D\u2066\u2067\u2068\u2069",
         Times(8, kBox)},
        {"line and paragraph separators", "a\u2028b\u2029c", "a□b□c"},
        {"a right-to-left name stays", "שרה", "שרה"},
        {"a character beyond the basic plane", "Lea 🦊", "Lea 🦊"},
        {"Latin-1 bytes from an old stick", "M\xfcller", "M□ller"},
        {"a sequence cut short at the end", "Zo\xc3", "Zo□"},
        {"an overlong slash",
         "a\xc0\xaf"
         "b",
         "a□□b"},
        {"a surrogate", "a\xed\xa0\x80", "a□□□"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShownText(c.text), c.shown);
    }
}

TEST(ShownText, ALongTextKeepsItsStartOrForAPathItsEnds) {
    const std::string longest = Times(kMostShownCharacters, "ä");
    const std::string folder = "/media/" + Times(200, "o") + "/";
    const struct {
        const char* name;
        std::string shown;
        std::string expected;
    } cases[] = {
        {"as long as allowed", ShownText(longest), longest},
        {"a name of 100 000 characters", ShownText(Times(100'000, "x")),
         Times(kMostShownCharacters - 1, "x") + "…"},
        {"one more", ShownText(longest + "x"), Times(kMostShownCharacters - 1, "ä") + "…"},
        {"a replaced character counts once", ShownText(Times(200, "\n"), 4),
         kBox + kBox + kBox + "…"},
        {"a path", ShownPath(folder + "Anna.sqlite"),
         "/media/" + Times(53, "o") + "…" + Times(47, "o") + "/Anna.sqlite"},
        {"a short path", ShownPath("/media/STICK/Anna.sqlite"), "/media/STICK/Anna.sqlite"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.shown, c.expected);
    }
}

} // namespace
