// The Mozaru.ini shipped with the program: CP932 lines with CR LF, a comment
// first, and every key present so that its value can be saved.
#include <gtest/gtest.h>

#include <QFile>

#include "settings/settings_file.h"

namespace mozaru {
namespace {

const QString kResources = QStringLiteral(MOZARU_SOURCE_DIR "/resources");

TEST(ShippedIniTest, ReadsAsDefaults) {
    SettingsValues values{u"x", 5, 5, 5};
    EXPECT_EQ(readSettingsFile(kResources, values), std::nullopt);
    EXPECT_EQ(values.loadFolder, kResources.toStdU16String());
    EXPECT_EQ(values.precisionLevel, 0);
    EXPECT_EQ(values.mergeFlag, 0);
    EXPECT_EQ(values.pictureFlag, 0);
}

TEST(ShippedIniTest, LinesAndKeys) {
    QFile file(settingsFilePath(kResources));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(1).split('\n');
    for (const QByteArray& line : lines) EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
    EXPECT_TRUE(lines.front().startsWith('\''));
    EXPECT_TRUE(lines.contains("LOADPASS=\r"));
    EXPECT_TRUE(lines.contains("SLIDER=0\r"));
    EXPECT_TRUE(lines.contains("CHECK1=0\r"));
    EXPECT_TRUE(lines.contains("CHECK2=0\r"));
    EXPECT_EQ(lines.size(), 6);
}

}  // namespace
}  // namespace mozaru
