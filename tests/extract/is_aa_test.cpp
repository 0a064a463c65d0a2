// Tests of the ASCII-art classifier: line splitting, anchor removal, merge
// keys, character classes and the decision rules with their boundaries.
#include "extract/is_aa.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boards/board_forms.h"

namespace mozaru {
namespace {

std::u16string repeat(std::u16string_view s, int times) {
    std::u16string out;
    for (int i = 0; i < times; ++i) out += s;
    return out;
}

// Lines joined with "<BR>".
std::u16string body(const std::vector<std::u16string>& lines) {
    std::u16string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += u"<BR>";
        out += lines[i];
    }
    return out;
}

std::u16string lines(std::u16string_view line, int count) {
    return body(std::vector<std::u16string>(count, std::u16string(line)));
}

constexpr char16_t kBlock[] = u"\u25A0";  // ■, a symbol

struct VerdictCase {
    const char* name;
    std::u16string body;
    std::int16_t level;
    bool isAA;
    AARule rule;
    std::int32_t lines;
    std::int32_t total;
};

class IsAAVerdictTest : public testing::TestWithParam<VerdictCase> {};

// A body on its own is no page of another format either.
TEST_P(IsAAVerdictTest, IsRecognisedAsNoOtherFormat) {
    EXPECT_EQ(recognizePageFormat(GetParam().body), PageFormat::Classic);
}

TEST_P(IsAAVerdictTest, GivesVerdictRuleAndShape) {
    const VerdictCase& c = GetParam();
    const AAResult r = IsAA(c.body, c.level);
    EXPECT_EQ(r.isAA, c.isAA);
    EXPECT_EQ(ruleName(r.stats.rule), ruleName(c.rule));
    EXPECT_EQ(r.stats.lines, c.lines);
    EXPECT_EQ(r.stats.total, c.total);
}

const std::u16string kFour = repeat(kBlock, 4);

INSTANTIATE_TEST_SUITE_P(
    Shape, IsAAVerdictTest,
    testing::Values(
        VerdictCase{"emptyBody", u"", 0, false, AARule::TooShort, 0, 0},
        VerdictCase{"fiveLines", lines(kFour, 5), 0, false, AARule::TooFewLines, 5, 20},
        VerdictCase{"sixLines", lines(kFour, 6), 0, true, AARule::Symbols, 6, 24},
        VerdictCase{"trailingBrMakesSixth", lines(kFour, 5) + u"<BR>", 0, true, AARule::Symbols, 6,
                    20},
        VerdictCase{"sixEmptyLines", u"<BR><br><Br><bR><BR>", 0, false, AARule::TooShort, 6, 0},
        VerdictCase{"sixEmptyLinesLevelOther", u"<BR><BR><BR><BR><BR>", 7, false, AARule::TooShort,
                    6, 0},
        VerdictCase{"level1Total60", lines(repeat(kBlock, 10), 6), 1, false, AARule::TooShort, 6,
                    60},
        VerdictCase{"level1Total61", lines(repeat(kBlock, 10), 5) + u"<BR>" + repeat(kBlock, 11), 1,
                    true, AARule::Symbols, 6, 61},
        VerdictCase{"level2Total500", lines(repeat(kBlock, 100), 5) + u"<BR>", 2, false,
                    AARule::TooShort, 6, 500},
        VerdictCase{"level2Total501", lines(repeat(kBlock, 100), 5) + u"<BR>" + kBlock, 2, true,
                    AARule::Symbols, 6, 501},
        VerdictCase{"level0Total1", std::u16string(kBlock) + u"<BR><BR><BR><BR><BR>", 0, true,
                    AARule::Symbols, 6, 1},
        VerdictCase{"unknownLevelMeansZero", std::u16string(kBlock) + u"<BR><BR><BR><BR><BR>", -1,
                    true, AARule::Symbols, 6, 1}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Ratios, IsAAVerdictTest,
    testing::Values(
        // 2 symbols of 4 per line: exactly half.
        VerdictCase{"symbolsExactlyHalf", lines(u"\u25A0\u25A0\u3042\u3042", 6), 0, true,
                    AARule::Symbols, 6, 24},
        VerdictCase{"symbolsBelowHalf",
                    lines(u"\u25A0\u25A0\u3042\u3042", 5) + u"<BR>\u25A0\u3042\u3042\u3042", 0,
                    false, AARule::Otherwise, 6, 24},
        // 80 of 100 ideographs, then 79 of 100.
        VerdictCase{"ideographsExactly80",
                    repeat(u"\u6F22", 80) + u"<BR>" + lines(u"\u3042\u3042\u3042\u3042", 5), 0,
                    true, AARule::Ideographs, 6, 100},
        VerdictCase{
            "ideographs79",
            repeat(u"\u6F22", 79) + u"<BR>" + lines(u"\u3042\u3042\u3042\u3042", 5) + u"\u3042", 0,
            false, AARule::Otherwise, 6, 100},
        VerdictCase{"latinExactlyHalf", lines(u"ab\u3042\u3042", 6), 0, true, AARule::Latin, 6, 24},
        VerdictCase{"kanaOnly", lines(u"\u3042\u3044\u3046\u30A2\u30A4\u30A6\uFF71", 20), 0, false,
                    AARule::Otherwise, 20, 140},
        // U+30FB and U+30FC are symbols, so "アー" is half symbols.
        VerdictCase{"katakanaWithLongVowelMark", lines(u"\u30A2\u30FC", 6), 0, true,
                    AARule::Symbols, 6, 12},
        // A token is three symbols and two letters.
        VerdictCase{"tokenCountsFiveUnits", lines(u"<SP0>\u3042\u3042\u3042\u3042", 6), 0, false,
                    AARule::Otherwise, 6, 54},
        // Each half of a surrogate pair is a symbol.
        VerdictCase{"surrogatePairs", lines(u"\U0001F600\u3042\u3042", 6), 0, true, AARule::Symbols,
                    6, 24}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Markup, IsAAVerdictTest,
    testing::Values(
        // The anchor line is empty but still a line.
        VerdictCase{"anchorOnlyLineCounts",
                    u"<A HREF=\"../test/read.cgi/x/1/12\" TARGET=\"_blank\">&gt;&gt;12</A><BR>" +
                        lines(kFour, 5),
                    0, true, AARule::Symbols, 6, 20},
        VerdictCase{"smallLetterAnchor", u"<a href=\"x\">&gt;&gt;1</a><BR>" + lines(kFour, 5), 0,
                    true, AARule::Symbols, 6, 20},
        // Spaces at the ends count toward nothing; inside, they are symbols.
        VerdictCase{"endSpacesNotCounted", lines(u"  \u3042\u3042 \u3042  ", 6), 0, false,
                    AARule::Otherwise, 6, 24},
        VerdictCase{"innerSpacesAreSymbols", lines(u"\u3042  \u3042", 6), 0, true, AARule::Symbols,
                    6, 24}),
    [](const auto& info) { return std::string(info.param.name); });

struct KeyCase {
    const char* name;
    std::u16string body;
    std::u16string key;
    std::int32_t total;
};

class IsAAKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(IsAAKeyTest, BuildsMergeKeyAndCountsCleanedLine) {
    const AAResult r = IsAA(GetParam().body, 0);
    EXPECT_EQ(r.mergeKey, GetParam().key);
    EXPECT_EQ(r.stats.total, GetParam().total);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsAAKeyTest,
    testing::Values(KeyCase{"brRemoved", u"ab<BR>cd<br>e", u"abcde", 5},
                    KeyCase{"brElsewhereSameKey", u"a<bR>bcd<Br>e", u"abcde", 5},
                    KeyCase{"endSpacesKept", u" a <BR>  b", u" a   b", 2},
                    KeyCase{"anchorRemoved", u"x<A HREF=1>&gt;&gt;1</A>y", u"xy", 2},
                    KeyCase{"otherAnchorSameKey", u"x<a href=\"2\">&gt;&gt;2</a>y", u"xy", 2},
                    KeyCase{"twoAnchors", u"<A HREF=1>a</A>-<A HREF=2>b</A>", u"-", 1},
                    KeyCase{"twoSpacesNotAnAnchor", u"<A  HREF=1>a</A>", u"<A  HREF=1>a</A>", 16},
                    KeyCase{"unclosedAnchorStays", u"x<A HREF=1>y", u"x<A HREF=1>y", 12},
                    KeyCase{"anchorClosedOnNextLineStays", u"<A HREF=1>y<BR></A>",
                            u"<A HREF=1>y</A>", 15},
                    KeyCase{"namedAnchorTagOnly", u"<A NAME=\"n\">text</A>", u"text</A>", 8},
                    KeyCase{"smallNamedAnchor", u"<a name=n>t", u"t", 1},
                    KeyCase{"unclosedNamedAnchorStays", u"<A NAME=n", u"<A NAME=n", 9},
                    KeyCase{"namedAnchorAfterLinkLeft", u"<A NAME=n>x<A HREF=1>y</A>", u"x", 1},
                    // A removal can join the halves of a new marker, which goes too.
                    KeyCase{"removalFormsLinkAnchor", u"<A <A HREF=1>x</A>HREF=2>y</A>z", u"z", 1},
                    KeyCase{"linkRemovalFormsNamedAnchor", u"<A <A HREF=1>x</A>NAME=2>z", u"z", 1},
                    // ... but the link anchors are all gone before named anchors go.
                    KeyCase{"namedRemovalFormsLinkThatStays", u"<A <A NAME=1>HREF=2>y</A>",
                            u"<A HREF=2>y</A>", 15},
                    // A named anchor's ">" may be a token's.
                    KeyCase{"namedAnchorEndsAtTokenBracket", u"<A NAME=<SP0>>x", u">x", 2},
                    KeyCase{"emptyBody", u"", u"", 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClassCase {
    const char* name;
    char16_t unit;
    std::int32_t symbols;
    std::int32_t ideographs;
    std::int32_t latin;
};

class IsAAClassTest : public testing::TestWithParam<ClassCase> {};

TEST_P(IsAAClassTest, ClassifiesCodeUnit) {
    // Long enough to take the vector path as well as the scalar tail.
    const std::u16string line(19, GetParam().unit);
    const AAResult r = IsAA(line, 0);
    EXPECT_EQ(r.stats.total, 19);
    EXPECT_EQ(r.stats.symbols, 19 * GetParam().symbols);
    EXPECT_EQ(r.stats.ideographs, 19 * GetParam().ideographs);
    EXPECT_EQ(r.stats.latin, 19 * GetParam().latin);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, IsAAClassTest,
    testing::Values(ClassCase{"at", u'@', 1, 0, 0}, ClassCase{"A", u'A', 0, 0, 1},
                    ClassCase{"Z", u'Z', 0, 0, 1}, ClassCase{"bracket", u'[', 1, 0, 0},
                    ClassCase{"backtick", u'`', 1, 0, 0}, ClassCase{"a", u'a', 0, 0, 1},
                    ClassCase{"z", u'z', 0, 0, 1}, ClassCase{"brace", u'{', 1, 0, 0},
                    ClassCase{"digit", u'7', 1, 0, 0}, ClassCase{"u3040", u'\u3040', 1, 0, 0},
                    ClassCase{"u3041", u'\u3041', 0, 0, 0}, ClassCase{"u3094", u'\u3094', 0, 0, 0},
                    ClassCase{"u3095", u'\u3095', 1, 0, 0}, ClassCase{"u30A0", u'\u30A0', 1, 0, 0},
                    ClassCase{"u30A1", u'\u30A1', 0, 0, 0}, ClassCase{"u30FA", u'\u30FA', 0, 0, 0},
                    ClassCase{"u30FB", u'\u30FB', 1, 0, 0}, ClassCase{"u30FC", u'\u30FC', 1, 0, 0},
                    ClassCase{"u4DFF", u'\u4DFF', 1, 0, 0}, ClassCase{"u4E00", u'\u4E00', 0, 1, 0},
                    ClassCase{"u9FA5", u'\u9FA5', 0, 1, 0}, ClassCase{"u9FA6", u'\u9FA6', 1, 0, 0},
                    ClassCase{"uFA0D", u'\uFA0D', 1, 0, 0}, ClassCase{"uFA0E", u'\uFA0E', 0, 1, 0},
                    ClassCase{"uFA2D", u'\uFA2D', 0, 1, 0}, ClassCase{"uFA2E", u'\uFA2E', 1, 0, 0},
                    ClassCase{"uFF20", u'\uFF20', 1, 0, 0}, ClassCase{"uFF21", u'\uFF21', 0, 0, 0},
                    ClassCase{"uFF3A", u'\uFF3A', 0, 0, 0}, ClassCase{"uFF3B", u'\uFF3B', 1, 0, 0},
                    ClassCase{"uFF40", u'\uFF40', 1, 0, 0}, ClassCase{"uFF41", u'\uFF41', 0, 0, 0},
                    ClassCase{"uFF5A", u'\uFF5A', 0, 0, 0}, ClassCase{"uFF5B", u'\uFF5B', 1, 0, 0},
                    ClassCase{"uFF65", u'\uFF65', 1, 0, 0}, ClassCase{"uFF66", u'\uFF66', 0, 0, 0},
                    ClassCase{"uFF9F", u'\uFF9F', 0, 0, 0}, ClassCase{"uFFA0", u'\uFFA0', 1, 0, 0},
                    ClassCase{"fullWidthSpace", u'\u3000', 1, 0, 0},
                    ClassCase{"cyrillicDe", u'\u0414', 1, 0, 0},
                    ClassCase{"greekAlpha", u'\u03B1', 1, 0, 0},
                    ClassCase{"highSurrogate", u'\xD83D', 1, 0, 0},
                    ClassCase{"lowSurrogate", u'\xDE00', 1, 0, 0},
                    ClassCase{"uFFFF", u'\xFFFF', 1, 0, 0}, ClassCase{"u0000", u'\x0001', 1, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

class LineRecorder : public ExtractObserver {
public:
    int lines = 0;
    int other = 0;
    void lineDone() override { ++lines; }
    void start(std::int32_t) override { ++other; }
    void postDone(std::int32_t) override { ++other; }
    void finished(std::int32_t) override { ++other; }
    void judged(std::int32_t, std::u16string_view, const AAResult&) override { ++other; }
};

TEST(IsAAObserver, YieldsOnceAfterEachLine) {
    const std::pair<std::u16string, int> cases[] = {
        {u"", 0}, {u"a", 1}, {u"<BR>", 2}, {u"a<br>b<BR>c<A HREF=1>x</A>", 3}};
    for (const auto& [text, expected] : cases) {
        LineRecorder recorder;
        IsAA(text, 0, recorder);
        EXPECT_EQ(recorder.lines, expected);
        EXPECT_EQ(recorder.other, 0);
    }
}

TEST(IsAA, SameVerdictWithOrWithoutObserver) {
    const std::u16string b = lines(u"<A HREF=1>x</A>\u25A0 a ", 7);
    LineRecorder recorder;
    const AAResult heard = IsAA(b, 1, recorder);
    const AAResult silent = IsAA(b, 1);
    EXPECT_EQ(heard.isAA, silent.isAA);
    EXPECT_EQ(heard.mergeKey, silent.mergeKey);
    EXPECT_EQ(heard.stats.total, silent.stats.total);
}

TEST(MinimumTotalLength, ByLevel) {
    EXPECT_EQ(minimumTotalLength(0), 0);
    EXPECT_EQ(minimumTotalLength(1), 60);
    EXPECT_EQ(minimumTotalLength(2), 500);
    EXPECT_EQ(minimumTotalLength(3), 0);
    EXPECT_EQ(minimumTotalLength(-1), 0);
}

}  // namespace
}  // namespace mozaru
