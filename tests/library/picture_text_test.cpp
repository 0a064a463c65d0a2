// Tests of the normalised picture: every reference form a library holds,
// trailing spaces, the board's padding, and the round trip through the MLT
// and AST writers.
#include "library/picture_text.h"

#include <gtest/gtest.h>

#include "exports/exports.h"

namespace mozaru {
namespace {

struct NormalCase {
    const char* name;
    std::u16string text;
    ItemText kind;
    std::u16string normalised;
};

class Normalised : public testing::TestWithParam<NormalCase> {};

TEST_P(Normalised, AsCompared) {
    EXPECT_EQ(normalisedText(GetParam().text, GetParam().kind), GetParam().normalised);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Normalised,
    testing::Values(
        // Decimal and hex, with and without ';', names of HTML 4; &nbsp; a space.
        NormalCase{"references",
                   u"&#9829;&#9829&#x2665;&#X2665&#x41z&hearts;&Omega;&nbsp;|&amp;&lt;&#91;SPLIT]",
                   ItemText::Lines, u"♥♥♥♥Az♥Ω |&<[SPLIT]"},
        // Not references, left as text: no digits, out of range, unknown names,
        // names without ';', line breaks (a line cannot hold one).
        NormalCase{"notReferences", u"&#;&#x;&#0;&#1114112;&bogus;&hearts &#10;&#13&",
                   ItemText::Lines, u"&#;&#x;&#0;&#1114112;&bogus;&hearts &#10;&#13&"},
        // Trailing half-width and full-width spaces and tabs go; leading ones stay;
        // empty lines at the ends go, inside they stay.
        NormalCase{"spaces", u"\n 　\n　a 　\t\n\n b\u00A0\n \n", ItemText::Lines, u"　a\n\n b"},
        // A post body: the board's padding, tags and its references (HTML's only).
        NormalCase{"markup", u" <BR>  /\\ <br> <b>(x)</b>&gt;&#9829 <BR><BR>", ItemText::Markup,
                   u" /\\\n(x)>&#9829"}),
    [](const auto& info) { return std::string(info.param.name); });

// Bodies written as MLT and AST and read back give the same pictures.
TEST(PictureText, RoundTripThroughTheWriters) {
    const std::vector<KeptPost> posts{
        {3, u"", u" 　∧＿∧ <BR> （ ´∀｀）&lt;&amp; <BR>  &#9829;&nbsp;x <BR><BR>"},
        {12, u"", u"&#x1F600;　<br>x[AA][1]"},
        {15, u"", u" <BR>  | | <br>"}};
    for (const ExportId id : {ExportId::Mlt, ExportId::Ast}) {
        const std::u16string library = exportText(id, {{}, posts});
        const std::vector<LibraryItem> items =
            id == ExportId::Mlt ? readMlt(library) : readAst(library);
        std::vector<std::u16string> read;
        std::vector<std::u16string> written;
        for (const LibraryItem& item : items) read.push_back(normalisedText(item.text, item.kind));
        for (const KeptPost& post : posts)
            written.push_back(normalisedText(post.body, ItemText::Markup));
        EXPECT_EQ(read, written) << (id == ExportId::Mlt ? "mlt" : "ast");
    }
}

// What the library outputs are written from: a body whose lines are the picture's.
TEST(PictureText, BodyOfLinesGivesTheLinesBack) {
    for (const std::u16string normalised : {u" a &amp; <b>\n\n  c", u"x", u"&#9829;\n |"}) {
        EXPECT_EQ(normalisedText(bodyOfLines(normalised), ItemText::Markup), normalised);
    }
}

TEST(PictureText, SearchKeyFoldsSpaceRuns) {
    EXPECT_EQ(searchKeyOf(u"　 ∧＿∧\n（　´∀｀）  　x"), u" ∧＿∧\n（ ´∀｀） x");
}

}  // namespace
}  // namespace mozaru
