// The manual shipped beside the program: UTF-8 as it declares, it names
// every button in the order the window shows them, and every key README lists.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringDecoder>

namespace {

QString readUtf8(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(file.readAll());
    return decoder.hasError() ? QString() : text;
}

QString readManual() {
    return readUtf8(QStringLiteral(MOZARU_SOURCE_DIR "/resources/説明書/説明書.html"));
}

// The keys in the first column of README's table of keys ("| Keys | |"),
// split at " / ".
QStringList readmeKeys() {
    const QString readme = readUtf8(QStringLiteral(MOZARU_SOURCE_DIR "/README.md"));
    QStringList keys;
    bool inTable = false;
    for (const QString& line : readme.split(u'\n')) {
        if (line.startsWith(QStringLiteral("| Keys |"))) {
            inTable = true;
            continue;
        }
        if (!inTable || line.startsWith(QStringLiteral("|---"))) continue;
        if (!line.startsWith(u'|')) break;
        keys += line.section(u'|', 1, 1).trimmed().split(QStringLiteral(" / "));
    }
    return keys;
}

TEST(ManualTest, Utf8AsDeclared) {
    const QString manual = readManual();
    ASSERT_FALSE(manual.isEmpty());
    EXPECT_TRUE(manual.startsWith(QStringLiteral("<!DOCTYPE html>")));
    EXPECT_TRUE(manual.contains(QStringLiteral("<meta charset=\"UTF-8\">")));
    EXPECT_FALSE(manual.contains(QStringLiteral("http://")));
    EXPECT_FALSE(manual.contains(QStringLiteral("https://")));
}

TEST(ManualTest, ButtonsInWindowOrder) {
    const QString manual = readManual();
    const QString table = manual.section(QStringLiteral("id=\"buttons\""), 1)
                              .section(QStringLiteral("</table>"), 0, 0);
    qsizetype at = 0;
    for (const char* caption : {"LOAD", "SAVE", "AAの抽出", "改行付加", "改行除去", "ヘルプ参照"}) {
        const qsizetype found =
            table.indexOf(QStringLiteral("<td>") + QString::fromUtf8(caption) + u'<', at);
        EXPECT_GE(found, at) << caption;
        at = found;
    }
}

TEST(ManualTest, ListsEveryKeyOfTheReadme) {
    const QString manual = readManual();
    const QStringList keys = readmeKeys();
    ASSERT_GT(keys.size(), 20);
    for (const QString& key : keys) {
        EXPECT_TRUE(manual.contains(QStringLiteral("<kbd>") + key + QStringLiteral("</kbd>")))
            << key.toStdString();
    }
}

}  // namespace
