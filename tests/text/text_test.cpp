// Tests of the shared text helpers: case-insensitive search, replace-all,
// protected letters, line-break normalisation, trimming and the fast scans.
#include "text/text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "text/scan.h"

namespace mozaru {
namespace {

struct FindCase {
    const char* name;
    std::u16string text;
    std::u16string needle;
    std::size_t from;
    std::size_t expected;
};

class FindNoCaseTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindNoCaseTest, FindsFirstMatchAtOrAfterFrom) {
    const FindCase& c = GetParam();
    EXPECT_EQ(findNoCase(c.text, c.needle, c.from), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindNoCaseTest,
    testing::Values(FindCase{"upper", u"x<BR>y", u"<br>", 0, 1},
                    FindCase{"mixed", u"x<bR>y", u"<BR>", 0, 1},
                    FindCase{"letterFirst", u"xxHrefy", u"HREF", 0, 2},
                    FindCase{"fromSkipsEarlier", u"<br><BR>", u"<BR>", 1, 4},
                    FindCase{"fromAtMatch", u"<br><BR>", u"<BR>", 4, 4},
                    FindCase{"absent", u"<b r>", u"<BR>", 0, npos},
                    FindCase{"truncatedAtEnd", u"ab<BR", u"<BR>", 0, npos},
                    FindCase{"fromPastEnd", u"ab", u"a", 3, npos},
                    FindCase{"emptyNeedle", u"ab", u"", 1, 1},
                    // Only ASCII letters fold: full-width and Cyrillic stay apart.
                    FindCase{"fullWidthNotFolded", u"\uFF41", u"\uFF21", 0, npos},
                    FindCase{"cyrillicNotFolded", u"\u0451", u"\u0401", 0, npos},
                    FindCase{"longText", std::u16string(100, u'x') + u"<dD", u"<DD", 0, 100}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReplaceCase {
    const char* name;
    std::u16string text;
    std::u16string from;
    std::u16string to;
    std::u16string exact;
    std::u16string noCase;
};

class ReplaceAllTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, ReplacesLeftToRightWithoutRescan) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(replaceAll(c.text, c.from, c.to), c.exact);
    EXPECT_EQ(replaceAllNoCase(c.text, c.from, c.to), c.noCase);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllTest,
    testing::Values(ReplaceCase{"plain", u"a<BR>b<br>c", u"<BR>", u"|", u"a|b<br>c", u"a|b|c"},
                    // "aaa" holds "aa" once when taken left to right without overlap.
                    ReplaceCase{"noOverlap", u"aaa", u"aa", u"b", u"ba", u"ba"},
                    // Inserted text that forms the pattern again is not replaced again.
                    ReplaceCase{"noRescan", u"xAx", u"A", u"AA", u"xAAx", u"xAAx"},
                    ReplaceCase{"insertedCompletesMatch", u"<<BR>BR>", u"<BR>", u"", u"<BR>",
                                u"<BR>"},
                    ReplaceCase{"absent", u"abc", u"<BR>", u"x", u"abc", u"abc"},
                    ReplaceCase{"emptyPattern", u"abc", u"", u"x", u"abc", u"abc"},
                    ReplaceCase{"emptyText", u"", u"a", u"b", u"", u""}),
    [](const auto& info) { return std::string(info.param.name); });

struct ProtectCase {
    const char* name;
    std::u16string text;
    std::u16string protectedText;
    std::u16string restored;  // RestoreChars(text)
};

class ProtectTest : public testing::TestWithParam<ProtectCase> {};

TEST_P(ProtectTest, ProtectsAndRestores) {
    const ProtectCase& c = GetParam();
    EXPECT_EQ(ProtectChars(c.text), c.protectedText);
    EXPECT_EQ(RestoreChars(c.text), c.restored);
    std::u16string inPlace = c.text;
    RestoreCharsInPlace(inPlace);
    EXPECT_EQ(inPlace, c.restored);
    EXPECT_EQ(RestoreChars(ProtectChars(c.text)), RestoreChars(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProtectTest,
    testing::Values(
        ProtectCase{"allFour", u"\u0451\u0401\u0439\u0419", u"<SP0><SP1><SP2><SP3>",
                    u"\u0451\u0401\u0439\u0419"},
        // Other Cyrillic letters (here Д and д) are left alone.
        ProtectCase{"otherCyrillic", u"(\u00B4\u0414`)\u0434", u"(\u00B4\u0414`)\u0434",
                    u"(\u00B4\u0414`)\u0434"},
        ProtectCase{"tokenTextInDocument", u"a<SP1>b", u"a<SP1>b", u"a\u0401b"},
        ProtectCase{"tokenCaseMatters", u"<sp0><SP4><SP0", u"<sp0><SP4><SP0", u"<sp0><SP4><SP0"},
        ProtectCase{"tokenAfterBrokenToken", u"<SP<SP2>>", u"<SP<SP2>>", u"<SP\u0439>"},
        ProtectCase{"letterInsideTokenText", u"<SP\u04510>", u"<SP<SP0>0>", u"<SP\u04510>"},
        ProtectCase{"longRun", std::u16string(40, u'x') + u"\u0419" + std::u16string(9, u'y'),
                    std::u16string(40, u'x') + u"<SP3>" + std::u16string(9, u'y'),
                    std::u16string(40, u'x') + u"\u0419" + std::u16string(9, u'y')},
        ProtectCase{"empty", u"", u"", u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppendWithoutLineBreaksProtected, DropsEveryCrAndLfAndProtects) {
    std::u16string out = u">";
    appendWithoutLineBreaksProtected(out, u"a\r\nb\rc\nd\r\r\n\u0451");
    EXPECT_EQ(out, u">abcd<SP0>");
    out.clear();
    appendWithoutLineBreaksProtected(out, u"<D\r\nD>");
    EXPECT_EQ(out, u"<DD>");
    out.clear();
    appendWithoutLineBreaksProtected(out, u"");
    EXPECT_EQ(out, u"");
}

struct NormalizeCase {
    const char* name;
    std::u16string text;
    std::u16string expected;
};

class NormalizeLineBreaksTest : public testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeLineBreaksTest, EveryBreakBecomesCrLf) {
    EXPECT_EQ(NormalizeLineBreaks(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NormalizeLineBreaksTest,
                         testing::Values(NormalizeCase{"crLf", u"a\r\nb", u"a\r\nb"},
                                         NormalizeCase{"loneCr", u"a\rb", u"a\r\nb"},
                                         NormalizeCase{"loneLf", u"a\nb", u"a\r\nb"},
                                         NormalizeCase{"crCrLf", u"a\r\r\nb", u"a\r\n\r\nb"},
                                         NormalizeCase{"lfCr", u"a\n\rb", u"a\r\n\r\nb"},
                                         NormalizeCase{"trailingCr", u"a\r", u"a\r\n"},
                                         NormalizeCase{"empty", u"", u""}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TrimCase {
    const char* name;
    std::u16string text;
    std::u16string expected;
};

class TrimSpacesTest : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimSpacesTest, TrimsOnlyU0020) {
    EXPECT_EQ(std::u16string(trimSpaces(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrimSpacesTest,
    testing::Values(TrimCase{"bothEnds", u"  a b  ", u"a b"}, TrimCase{"onlySpaces", u"   ", u""},
                    TrimCase{"fullWidthSpaceKept", u"\u3000a\u3000", u"\u3000a\u3000"},
                    TrimCase{"tabKept", u"\ta ", u"\ta"}, TrimCase{"empty", u"", u""}),
    [](const auto& info) { return std::string(info.param.name); });

// The vector paths handle 8 or 16 units at a time: every position up to well
// past two blocks, and every text length, must find the same as a plain loop.
TEST(Scan, MatchesPlainSearchAtEveryPositionAndLength) {
    for (std::size_t length = 0; length < 40; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            std::u16string text(length, u'x');
            text[at] = u'>';
            EXPECT_EQ(scan::findUnit(text, u'>'), at) << length << " " << at;
            EXPECT_EQ(scan::findUnit(text, u'>', at + 1), scan::npos);
            static constexpr std::array<char16_t, 2> kWanted{u'\r', u'>'};
            EXPECT_EQ(scan::findAny(text, kWanted), at);
            text[at] = u'<';
            const std::size_t tag = at + 1 < length ? at : scan::npos;
            if (at + 1 < length) text[at + 1] = u'D';
            EXPECT_EQ(scan::findTag(text, u'd', u'/'), tag) << length << " " << at;
            EXPECT_EQ(scan::findTag(text, u'b', u'a'), scan::npos);
        }
    }
}

TEST(Scan, FindTagNeedsTheSecondUnit) {
    EXPECT_EQ(scan::findTag(u"<x</A><b", u'a', u'a'), scan::npos);
    EXPECT_EQ(scan::findTag(u"<x</A><b", u'x', u'a'), 0u);
    EXPECT_EQ(scan::findTag(u"<x</A><b", u'/', u'/'), 2u);
    EXPECT_EQ(scan::findTag(u"<x</A><b", u'b', u'b'), 6u);
    EXPECT_EQ(scan::findTag(u"<x</A><b", u'b', u'b', 7), scan::npos);
}

TEST(Tokens, FoundOnlyWhenComplete) {
    EXPECT_EQ(tokenAt(u"<SP3>", 0), u'\u0419');
    EXPECT_EQ(tokenAt(u"<SP3", 0), 0);
    EXPECT_EQ(tokenAt(u"x<SP2>", 1), u'\u0439');
    EXPECT_EQ(tokenAt(u"x", 5), 0);
    EXPECT_EQ(findToken(u"<sp0><S<SP0>"), 7u);
    EXPECT_EQ(findToken(u"<SP9>"), npos);
}

}  // namespace
}  // namespace mozaru
