// Tests of the collection's readers: every separator, names, empty items,
// line breaks, and the table's extensions.
#include <gtest/gtest.h>

#include "library/library_forms.h"

namespace mozaru {
namespace {

struct ReadCase {
    const char* name;
    std::vector<LibraryItem> (*read)(std::u16string_view, const LibraryReading&);
    std::u16string text;
    // number, header, text of each item
    std::vector<std::tuple<std::uint64_t, std::u16string, std::u16string>> items;
};

class Readers : public testing::TestWithParam<ReadCase> {};

TEST_P(Readers, ItemsAsWritten) {
    const std::vector<LibraryItem> items = GetParam().read(GetParam().text, {});
    std::vector<std::tuple<std::uint64_t, std::u16string, std::u16string>> got;
    for (const LibraryItem& item : items) got.emplace_back(item.number, item.header, item.text);
    EXPECT_EQ(got, GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Readers,
    testing::Values(
        // [SPLIT] in any case, the rest of its line ignored; CR LF, LF and CR;
        // empty items and trailing empty lines dropped; references kept as written.
        ReadCase{
            "mlt",
            readMlt,
            u"a\r\n b \r\n\r\n[SPLIT]\r\n[split] x\n\n  \n[Split]ignored\rc&#9829\rd\r\n[SPLIT]",
            {{1, u"", u"a\n b "}, {2, u"", u"c&#9829\nd"}}},
        // Not at a line start: part of the picture.
        ReadCase{"mltSplitInside", readMlt, u" [SPLIT]\n", {{1, u"", u" [SPLIT]"}}},
        ReadCase{"mltEmpty", readMlt, u"", {}},
        // [AA][name]: the name up to the line's last ']'; text before the first
        // item is an item without a name.
        ReadCase{"ast",
                 readAst,
                 u"lead\r\n[AA][猫 [1]]\r\n　∧∧\r\n[aa][]\r\n\r\n[AA][x\r\nb\r\n",
                 {{1, u"", u"lead"}, {2, u"猫 [1]", u"　∧∧"}, {3, u"x", u"b"}}},
        ReadCase{
            "plainText", readPlainText, u"\r\n /\\\r\n(  )\r\n\r\n", {{1, u"", u"\n /\\\n(  )"}}},
        // A saved thread read as a text file: its kept posts.
        ReadCase{"plainTextThread",
                 readPlainText,
                 u"<DL><DT>7 ：名無し<DD> ∧＿∧ <BR> （´・ω・） <BR> （　つ旦O <BR> と＿)＿) "
                 u"<BR><BR></DL>",
                 {{7, u"<DT>7 ：名無し",
                   u" ∧＿∧ <BR> （´・ω・） <BR> （　つ旦O <BR> と＿)＿) <BR><BR>"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LibraryForms, ChosenByExtension) {
    const auto name = [](std::u16string_view file) {
        const LibraryForm* form = libraryFormFor(file);
        return form == nullptr ? std::string("-") : std::string(form->name);
    };
    EXPECT_EQ(name(u"a/b.MLT"), "mlt");
    EXPECT_EQ(name(u"b.ast"), "ast");
    EXPECT_EQ(name(u"b.txt"), "txt");
    EXPECT_EQ(name(u"1234.dat"), "thread");
    EXPECT_EQ(name(u"x.HTM"), "thread");
    EXPECT_EQ(name(u"x.ht"), "-");
    EXPECT_EQ(name(u"x.mltx"), "-");
    EXPECT_EQ(name(u"a.mlt/b"), "-");
    EXPECT_EQ(name(u"mlt"), "-");
}

}  // namespace
}  // namespace mozaru
