#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

// Names each case of a table after its name field.
template <typename Case> std::string CaseName(const testing::TestParamInfo<Case>& test) {
    return test.param.name;
}

struct ReadCase {
    std::string name;
    std::string content;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
    friend void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }
};

class IniRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsTheValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(IniFile::ReadValue(c.content, c.section, c.key), c.expected);
}

const std::string kLong(2000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Rules, IniRead,
    testing::Values(
        ReadCase{"Plain", "[A]\nk=v\n", "A", "k", "v"},
        ReadCase{"SectionCaseIgnored", "[aufGABEN]\n7=on\n", "Aufgaben", "7", "on"},
        ReadCase{"KeyCaseIgnored", "[Vorgaben]\nZEIT=5\n", "Vorgaben", "zeit", "5"},
        ReadCase{"OnlyAsciiCaseFolded", "[\xC4]\nk=1\n", "\xE4", "k", std::nullopt},
        ReadCase{"BytesPassThrough", "[\xC4]\n\xB7=\xE4\xFF\n", "\xC4", "\xB7", "\xE4\xFF"},
        ReadCase{"BlanksAndTabsIgnored", " \t[ A\t]\t\n \t my key \t= \t v  v \t\n", "A", "my key",
                 "v  v"},
        ReadCase{"DoubleQuotesRemoved", "[A]\nk = \" v \" \n", "A", "k", " v "},
        ReadCase{"SingleQuotesRemoved", "[A]\nk='v'\n", "A", "k", "v"},
        ReadCase{"OnlyOnePairRemoved", "[A]\nk=\"\"v\"\"\n", "A", "k", "\"v\""},
        ReadCase{"UnmatchedQuotesKept", "[A]\nk=\"v'\n", "A", "k", "\"v'"},
        ReadCase{"LoneQuoteKept", "[A]\nk=\"\n", "A", "k", "\""},
        ReadCase{"EmptyValueIsPresent", "[A]\nk=\n", "A", "k", ""},
        ReadCase{"ValueMayHoldEqualsAndSemicolon", "[A]\nk=a=b ;c\n", "A", "k", "a=b ;c"},
        ReadCase{"CommentSkipped", "[A]\n ;k=1\nk=2\n", "A", "k", "2"},
        ReadCase{"CommentIsNoEntry", "[A]\n;k=1\n", "A", "k", std::nullopt},
        ReadCase{"LineWithoutEqualsIsNoEntry", "[A]\nk\n", "A", "k", std::nullopt},
        ReadCase{"LineWithoutEqualsSkipped", "[A]\nk\nk=3\n", "A", "k", "3"},
        ReadCase{"FirstOfEqualKeysWins", "[A]\nk=1\nK=2\n", "A", "k", "1"},
        ReadCase{"FirstOfEqualSectionsWins", "[A]\nj=1\n[a]\nk=2\n", "A", "j", "1"},
        ReadCase{"RepeatedSectionNotRead", "[A]\nj=1\n[a]\nk=2\n", "A", "k", std::nullopt},
        ReadCase{"EntriesBeforeFirstSectionNotRead", "k=1\n[A]\n", "A", "k", std::nullopt},
        ReadCase{"KeyOfAnotherSectionNotRead", "[A]\n[B]\nk=1\n", "A", "k", std::nullopt},
        ReadCase{"MissingSection", "[Aufgaben]\n7=on\n", "Vorgaben", "Zeit", std::nullopt},
        ReadCase{"EmptyContent", "", "A", "k", std::nullopt},
        ReadCase{"TextAfterHeaderIgnored", "[A] ; rows\nk=1\n", "A", "k", "1"},
        ReadCase{"OpenBracketIsNoHeader", "[A]\n[B\nk=1\n", "A", "k", "1"},
        ReadCase{"CrLfEndings", "[A]\r\nj=1\r\nk=v\r\n", "A", "k", "v"},
        ReadCase{"CrEndings", "[A]\rj=1\rk=v\r", "A", "k", "v"},
        ReadCase{"MixedEndings", "[A]\r\nj=1\rk=v\n", "A", "k", "v"},
        ReadCase{"NoFinalLineEnding", "[A]\nk=v", "A", "k", "v"},
        ReadCase{"ValueCut", "[A]\nk=" + kLong + "\n", "A", "k", kLong.substr(0, 1023)},
        ReadCase{"ValueOfLimitKept", "[A]\nk=" + kLong.substr(0, 1023) + "\n", "A", "k",
                 kLong.substr(0, 1023)},
        ReadCase{"ValueCutAfterQuotesRemoved", "[A]\nk=\"" + kLong + "\"\n", "A", "k",
                 kLong.substr(0, 1023)}),
    CaseName<ReadCase>);

struct WriteCase {
    std::string name;
    std::string content;
    std::string section;
    std::string key;
    std::string value;
    std::string expected;
    friend void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }
};

class IniWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, ChangesOnlyWhatItMust) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(IniFile::WriteValue(c.content, c.section, c.key, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniWrite,
    testing::Values(
        WriteCase{"NewFile", "", "Aufgaben", "7", "off", "[Aufgaben]\n7=off\n"},
        WriteCase{"ReplacedInPlace", "[A]\nj=1\nk=1\nl=1\n", "A", "k", "9", "[A]\nj=1\nk=9\nl=1\n"},
        WriteCase{"KeySpellingKept", "[vorgaben]\n  ZEIT \t= 5 \nx=1\n", "Vorgaben", "Zeit", "7",
                  "[vorgaben]\nZEIT=7\nx=1\n"},
        WriteCase{"FirstOfEqualKeysReplaced", "[A]\nk=1\nk=2\n", "A", "k", "9", "[A]\nk=9\nk=2\n"},
        WriteCase{"FirstOfEqualSectionsUsed", "[A]\nj=1\n[A]\nk=2\n", "A", "k", "9",
                  "[A]\nj=1\nk=9\n[A]\nk=2\n"},
        WriteCase{"CommentedKeyNotReplaced", "[A]\n;k=1\n", "A", "k", "2", "[A]\nk=2\n;k=1\n"},
        WriteCase{"NewKeyAfterLastEntry", "[A]\nj=1\n\n; B follows\n[B]\nx=1\n", "A", "k", "2",
                  "[A]\nj=1\nk=2\n\n; B follows\n[B]\nx=1\n"},
        WriteCase{"NewKeyBeforeOddLines", "[A]\nj=1\nodd line\n[B]\n", "A", "k", "2",
                  "[A]\nj=1\nk=2\nodd line\n[B]\n"},
        WriteCase{"NewKeyAfterHeaderOfEmptySection", "[A]\n; note\n[B]\nk=1\n", "A", "k", "2",
                  "[A]\nk=2\n; note\n[B]\nk=1\n"},
        WriteCase{"NewKeyAfterLastLineWithoutEnding", "[A]\nj=1", "A", "k", "2", "[A]\nj=1\nk=2\n"},
        WriteCase{"NewKeyAfterHeaderWithoutEnding", "[A]", "A", "k", "2", "[A]\nk=2\n"},
        WriteCase{"LastLineReplacedWithoutAddingEnding", "[A]\nk=1", "A", "k", "9", "[A]\nk=9"},
        WriteCase{"NewSectionAppended", "[A]\nj=1\n\n", "B", "k", "2", "[A]\nj=1\n\n[B]\nk=2\n"},
        WriteCase{"NewSectionAfterMissingEnding", "[A]\nj=1", "B", "k", "2",
                  "[A]\nj=1\n[B]\nk=2\n"},
        WriteCase{"NewSectionAfterStrayEntry", "k=1", "A", "k", "2", "k=1\n[A]\nk=2\n"},
        WriteCase{"CrLfFileGetsCrLfLines", "[A]\r\nj=1\r\n", "A", "k", "2",
                  "[A]\r\nj=1\r\nk=2\r\n"},
        WriteCase{"CrLfFileGetsCrLfSection", "[A]\r\nj=1", "B", "k", "2",
                  "[A]\r\nj=1\r\n[B]\r\nk=2\r\n"},
        WriteCase{"CrFileGetsCrLines", "[A]\rj=1\r", "B", "k", "2", "[A]\rj=1\r[B]\rk=2\r"},
        WriteCase{"FirstLineEndingUsed", "[A]\r\nj=1\n", "B", "k", "2",
                  "[A]\r\nj=1\n[B]\r\nk=2\r\n"},
        WriteCase{"OtherBytesKept",
                  "; Kalkuno\r\nstray=1\r\n[Aufgaben]\r\n  1 = on \t\r\nodd\r\n\r\n"
                  "[Fremd]\r\n\xE4=\"\xB7\"\r\n",
                  "Aufgaben", "1", "off",
                  "; Kalkuno\r\nstray=1\r\n[Aufgaben]\r\n1=off\r\nodd\r\n\r\n"
                  "[Fremd]\r\n\xE4=\"\xB7\"\r\n"},
        WriteCase{"EmptyValue", "", "A", "k", "", "[A]\nk=\n"},
        WriteCase{"LeadingBlankQuoted", "", "A", "k", " v", "[A]\nk=\" v\"\n"},
        WriteCase{"TrailingTabQuoted", "", "A", "k", "v\t", "[A]\nk=\"v\t\"\n"},
        WriteCase{"QuotePairQuoted", "", "A", "k", "'v'", "[A]\nk=\"'v'\"\n"},
        WriteCase{"LoneQuoteNotQuoted", "", "A", "k", "\"v", "[A]\nk=\"v\n"},
        WriteCase{"InnerBlanksNotQuoted", "", "A", "k", "a b", "[A]\nk=a b\n"}),
    CaseName<WriteCase>);

class IniRoundTrip : public testing::TestWithParam<std::string> {};

TEST_P(IniRoundTrip, ReadsBackWhatWasWritten) {
    const std::string& value = GetParam();
    for (const std::string content : {"", "[A]\r\nk=old\r\n", "[a]\nj=1\n[B]\nk=2"}) {
        const std::optional<std::string> written = IniFile::WriteValue(content, "A", "k", value);
        ASSERT_TRUE(written) << "content " << content;
        EXPECT_EQ(IniFile::ReadValue(*written, "a", "K"), value) << "content " << content;
    }
}

INSTANTIATE_TEST_SUITE_P(Values, IniRoundTrip,
                         testing::Values("", "on", " ", "\t", " a", "a ", "a b", "\"", "\"\"",
                                         "'a'", "\"a'", "\" a \"", "a=b", ";a", "[a]", "\xB7\xE4",
                                         std::string(1023, 'x')));

struct RejectedWrite {
    std::string name;
    std::string section;
    std::string key;
    std::string value;
    friend void PrintTo(const RejectedWrite& c, std::ostream* out) { *out << c.name; }
};

class IniWriteRejects : public testing::TestWithParam<RejectedWrite> {};

TEST_P(IniWriteRejects, WhatCannotBeReadBack) {
    const RejectedWrite& c = GetParam();
    EXPECT_EQ(IniFile::WriteValue("[A]\nk=1\n", c.section, c.key, c.value), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Names, IniWriteRejects,
                         testing::Values(RejectedWrite{"EmptySection", "", "k", "v"},
                                         RejectedWrite{"EmptyKey", "A", "", "v"},
                                         RejectedWrite{"SectionWithBlank", " A", "k", "v"},
                                         RejectedWrite{"KeyWithBlank", "A", "k ", "v"},
                                         RejectedWrite{"KeyWithTab", "A", "\tk", "v"},
                                         RejectedWrite{"SectionWithEquals", "A=B", "k", "v"},
                                         RejectedWrite{"KeyWithEquals", "A", "k=j", "v"},
                                         RejectedWrite{"SectionWithBracket", "A]", "k", "v"},
                                         RejectedWrite{"KeyWithBracket", "A", "k]", "v"},
                                         RejectedWrite{"SectionWithLineFeed", "A\nB", "k", "v"},
                                         RejectedWrite{"KeyWithCarriageReturn", "A", "k\r", "v"},
                                         RejectedWrite{"SectionAsComment", ";A", "k", "v"},
                                         RejectedWrite{"KeyAsComment", "A", ";k", "v"},
                                         RejectedWrite{"SectionStartingWithBracket", "[A", "k",
                                                       "v"},
                                         RejectedWrite{"KeyStartingWithBracket", "A", "[k", "v"}),
                         CaseName<RejectedWrite>);

INSTANTIATE_TEST_SUITE_P(Values, IniWriteRejects,
                         testing::Values(RejectedWrite{"LineFeed", "A", "k", "a\nb"},
                                         RejectedWrite{"CarriageReturn", "A", "k", "a\r"},
                                         RejectedWrite{"CrLf", "A", "k", "\r\n"}),
                         CaseName<RejectedWrite>);

} // namespace
