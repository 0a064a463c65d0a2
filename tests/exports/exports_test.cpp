// Tests of the table of outputs: every row reachable by its id, names and
// extensions as the CLI and the save dialog need them, SAVE's two rows.
#include "exports/exports.h"

#include <gtest/gtest.h>

#include <set>

namespace mozaru {
namespace {

TEST(Exports, EveryRowReachableWithUniqueNames) {
    std::set<std::string_view> cliNames;
    for (const ExportFormat& format : exportFormats()) {
        EXPECT_EQ(&exportFormat(format.id), &format);
        EXPECT_FALSE(format.extension.empty());
        // A row is written one way: as one text, or picture by picture.
        EXPECT_EQ(format.write != nullptr, format.kind == ExportKind::OneFile);
        EXPECT_EQ(format.writePictures != nullptr, format.kind == ExportKind::OneFilePerPicture);
        if (!format.cliName.empty()) {
            EXPECT_TRUE(cliNames.insert(format.cliName).second);
        }
    }
#ifdef MOZARU_EXPORT_IMAGES
    EXPECT_EQ(cliNames, (std::set<std::string_view>{"html", "mlt", "ast", "page", "png", "svg"}));
#else
    EXPECT_EQ(cliNames, (std::set<std::string_view>{"html", "mlt", "ast", "page"}));
#endif
}

TEST(Exports, PageDeclaresItsCharsetAndTheAAStyle) {
    const std::vector<KeptPost> posts{{3, u"", u" &lt;a&gt; <a href=\"x\">&gt;&gt;1</a> "}};
    const std::u16string page =
        exportText(ExportId::Page, {u"", posts, {true, false, false, u"", u"Shift_JIS"}});
    EXPECT_EQ(page.substr(0, 86),
              u"<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n<meta charset=\"Shift_JIS\">\r\n"
              u"<title></title>");
    EXPECT_NE(
        page.find(u".aa { font-family: Mona, \"IPAMonaPGothic\", \"IPA モナー Pゴシック\", Monapo, "
                  u"\"MS PGothic\", \"ＭＳ Ｐゴシック\", Textar, Saitamaar, sans-serif; "
                  u"font-size: 16px; line-height: 18px; white-space: pre; overflow-x: auto;"),
        std::u16string::npos);
    // No title, no heading; the anchor's text kept, escaped again.
    EXPECT_EQ(page.find(u"<h1>"), std::u16string::npos);
    EXPECT_NE(page.find(u"<div class=\"aa\" id=\"p3\">&lt;a&gt; &gt;&gt;1</div>"),
              std::u16string::npos);
}

TEST(Exports, SaveOffersHtmlThenText) {
    EXPECT_EQ(saveDialogFilter(),
              u"HTML形式(*.htm;*.html)|*.htm;*.html|ﾃｷｽﾄ形式(*.txt)|*.txt|すべて|*.*");
    EXPECT_EQ(saveFormatRow(0).extension, u"html");
    EXPECT_EQ(saveFormatRow(1).extension, u"txt");
    EXPECT_EQ(saveFormatRow(7).extension, u"html");
    EXPECT_EQ(saveFilterIndex(0), 1);
    EXPECT_EQ(saveFilterIndex(1), 2);
    const ExportInput input{u"a\r\nb", {}};
    EXPECT_EQ(exportText(saveFormatRow(0).id, input), u"<HTML><BODY>a\r\nb</BODY></HTML>\r\n");
    EXPECT_EQ(exportText(saveFormatRow(1).id, input), u"a\r\nb\r\n");
    EXPECT_EQ(exportText(ExportId::KeptBodies, input), u"a\r\nb");
}

}  // namespace
}  // namespace mozaru
