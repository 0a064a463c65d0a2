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

TEST(AALibrary, MltSplitsItemsAstNamesThem) {
    const std::vector<KeptPost> items{{3, u"", u" a <br> b <BR><BR>"}, {12, u"", u"c"}};
    EXPECT_EQ(exportText(ExportId::Mlt, {{}, items}), u"a\r\nb\r\n[SPLIT]\r\nc\r\n");
    EXPECT_EQ(exportText(ExportId::Ast, {{}, items}), u"[AA][3]\r\na\r\nb\r\n[AA][12]\r\nc\r\n");
    EXPECT_EQ(exportText(ExportId::Mlt, {}), u"");
}

}  // namespace
}  // namespace mozaru
