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
        EXPECT_NE(format.write, nullptr);
        if (!format.cliName.empty()) {
            EXPECT_TRUE(cliNames.insert(format.cliName).second);
        }
    }
    EXPECT_EQ(cliNames, (std::set<std::string_view>{"html", "mlt", "ast"}));
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
