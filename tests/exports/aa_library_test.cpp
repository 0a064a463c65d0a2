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
                  {u">>1", u"<b>&\"'\u00A0\u263A\U0001F600A"}},
        // Not references: left as written; a '<' that no '>' closes is text.
        LinesCase{
            "brokenReferences", u"&#0;&#xD800;&#12&foo;&;a<b", {u"&#0;&#xD800;&#12&foo;&;a<b"}},
        LinesCase{"empty", u"", {}}),
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
