// Tests of the AA libraries: bodies as plain lines, the MLT and AST layouts.
#include "exports/aa_library.h"

#include <gtest/gtest.h>

#include "exports/exports.h"

namespace mozaru {
namespace {

struct LinesCase {
    const char* name;
    std::u16string body;
    std::vector<std::u16string> lines;
};

class PlainLines : public testing::TestWithParam<LinesCase> {};

TEST_P(PlainLines, SplitsStripsAndDecodes) {
    EXPECT_EQ(plainLines(GetParam().body), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, PlainLines,
    testing::Values(
        // The board's padding goes, the picture's own spaces stay; read.cgi's
        // <BR><BR> leaves only empty lines, which are dropped.
        LinesCase{"padded", u"   /\\ <br>  <BR> | | <Br><BR><BR>", {u"  /\\", u"", u"| |"}},
        // Not padded throughout: every space is the picture's.
        LinesCase{"unpadded", u" /\\<br> | |", {u" /\\", u" | |"}},
        LinesCase{"tagsAndReferences",
                  u" <a href=\"/1\">&gt;&gt;1</a> <br> &lt;b&gt;&amp;&quot;&apos;&nbsp;&#9786;"
                  u"&#x1F600;&#X41; ",
                  {u">>1", u"<b>&\"' \u263A\U0001F600A"}},
        // Not references: left as written; a '<' that no '>' closes is text.
        LinesCase{
            "brokenReferences", u"&#0;&#xD800;&#12&foo;&;a<b", {u"&#0;&#xD800;&#12&foo;&;a<b"}},
        LinesCase{"empty", u"", {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ItemCase {
    const char* name;
    std::u16string body;
    std::u16string mlt;  // the body's item, written after a first item "a"
};

class LibraryItems : public testing::TestWithParam<ItemCase> {};

// No post ends an item or makes one: a decoded line break is written as its
// reference, and the '[' of a separator as &#91;, wherever it stands.
TEST_P(LibraryItems, PostsCannotForgeSeparators) {
    const std::vector<KeptPost> items{{1, u"", u"a"}, {7, u"", GetParam().body}};
    EXPECT_EQ(exportText(ExportId::Mlt, {{}, items}), u"a\r\n[SPLIT]\r\n" + GetParam().mlt);
    EXPECT_EQ(exportText(ExportId::Ast, {{}, items}),
              u"[AA][1]\r\na\r\n[AA][7]\r\n" + GetParam().mlt);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, LibraryItems,
    testing::Values(ItemCase{"lineBreakReferences", u"x&#10;[AA][999]&#13;&#xA;y",
                             u"x&#10;&#91;AA][999]&#13;&#10;y\r\n"},
                    ItemCase{"separatorLines", u" [SPLIT] <br> [AA][2] ",
                             u"&#91;SPLIT]\r\n&#91;AA][2]\r\n"},
                    ItemCase{"anywhereAnyCase", u"x[split]y[Aa]z&#91;SPLIT]",
                             u"x&#91;split]y&#91;Aa]z&#91;SPLIT]\r\n"},
                    ItemCase{"otherBrackets", u"[SPLIT [A] [AAA] [", u"[SPLIT [A] [AAA] [\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AALibrary, MltSplitsItemsAstNamesThem) {
    const std::vector<KeptPost> items{{3, u"", u" a <br> b <BR><BR>"}, {12, u"", u"c"}};
    EXPECT_EQ(exportText(ExportId::Mlt, {{}, items}), u"a\r\nb\r\n[SPLIT]\r\nc\r\n");
    EXPECT_EQ(exportText(ExportId::Ast, {{}, items}), u"[AA][3]\r\na\r\nb\r\n[AA][12]\r\nc\r\n");
    EXPECT_EQ(exportText(ExportId::Mlt, {}), u"");
}

// Two posts, the first with a header of the classic page, the second without.
const std::vector<KeptPost> kHeaded{{12, u"<DT>12 ：<B>名無し</B>：d ID:Ab3", u" a <br> b "},
                                    {15, u"", u"c"}};

struct HeadedCase {
    const char* name;
    ExportId id;
    bool withHeader, headings;
    std::u16string_view text;
};

class HeadersAndHeadings : public testing::TestWithParam<HeadedCase> {};

TEST_P(HeadersAndHeadings, AreWrittenWherePicturesStart) {
    const HeadedCase& c = GetParam();
    const ExportInput input{u"", kHeaded, {true, c.withHeader, c.headings, u"スレ"}};
    EXPECT_EQ(exportText(c.id, input), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, HeadersAndHeadings,
    testing::Values(
        HeadedCase{"mltHeader", ExportId::Mlt, true, false,
                   u"12 ：名無し：d ID:Ab3\r\na\r\nb\r\n[SPLIT]\r\nc\r\n"},
        HeadedCase{"mltHeadings", ExportId::Mlt, false, true,
                   u"【スレ】\r\n[SPLIT]\r\n【>>12 名無し】\r\n[SPLIT]\r\na\r\nb\r\n"
                   u"[SPLIT]\r\n【>>15】\r\n[SPLIT]\r\nc\r\n"},
        HeadedCase{"astHeader", ExportId::Ast, true, false,
                   u"[AA][12 名無し ID:Ab3]\r\na\r\nb\r\n[AA][15]\r\nc\r\n"},
        HeadedCase{"astBoth", ExportId::Ast, true, true,
                   u"[AA][【スレ】]\r\n【スレ】\r\n[AA][【>>12 名無し ID:Ab3】]\r\na\r\nb\r\n"
                   u"[AA][【>>15】]\r\nc\r\n"},
        // The extraction's layout rebuilt from the posts picked.
        HeadedCase{"keptBodies", ExportId::KeptBodies, true, false,
                   u"\r\n<HR>\r\n12 ：名無し：d ID:Ab3<BR> a <br> b \r\n<HR>\r\nc<HR>"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mozaru
