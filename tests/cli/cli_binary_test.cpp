// The built mozaru-cli binary end to end: standard streams, exit statuses, batch files.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "cli_test_support.h"

namespace mozaru {
namespace {

using namespace test;

struct Ran {
    int status = -1;
    std::string out;
    std::string err;
};

// The environment with LC_ALL set: the messages' language follows it.
QProcessEnvironment inLocale(const QString& locale) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), locale);
    return environment;
}

// In the C locale (English), unless told another.
Ran runBinary(const QStringList& args, const std::string& input = {},
              const QProcessEnvironment& environment = inLocale(QStringLiteral("C"))) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MOZARU_CLI_PATH), args);
    Ran ran;
    if (!process.waitForStarted()) return ran;
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    process.waitForFinished(60000);
    ran.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    const QByteArray out = process.readAllStandardOutput();
    const QByteArray err = process.readAllStandardError();
    ran.out.assign(out.constData(), out.size());
    ran.err.assign(err.constData(), err.size());
    return ran;
}

// The binary's messages end their lines as the system's text files do.
#ifdef _WIN32
const std::string kLineEnd = "\r\n";
#else
const std::string kLineEnd = "\n";
#endif

const std::u16string kBody = u"（●　●）<BR>　∪<BR>／＼<BR>￣￣<BR>＿＿<BR>｜｜<BR>";
const std::u16string kPage = u"<DL><DT>1<DD>" + kBody + u"<DT>2<DD>本文です<BR></DL>";

TEST(Binary, PipesStandardInputToStandardOutput) {
    const Ran ran = runBinary({"extract"}, cp932(kPage));
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out, cp932(u"\r\n<HR>\r\n" + kBody + u"<HR>"));
    EXPECT_EQ(ran.err, "");
}

#ifdef _WIN32
// Devices are written into, not replaced by a new file (nor refused by name).
class DeviceOutput : public ::testing::TestWithParam<const char*> {};

INSTANTIATE_TEST_SUITE_P(Binary, DeviceOutput, ::testing::Values("NUL", "nul"));

TEST_P(DeviceOutput, IsWrittenInto) {
    const Ran ran = runBinary({"extract", "-o", GetParam()}, cp932(kPage));
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out, "");
    EXPECT_EQ(ran.err, "");
}
#else
// /dev/stdout, here a pipe, is written into, not replaced by a new file.
TEST(Binary, OutputNamedDevStdoutGoesThroughThePipe) {
    const Ran ran = runBinary({"extract", "-o", "/dev/stdout"}, cp932(kPage));
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out, cp932(u"\r\n<HR>\r\n" + kBody + u"<HR>"));
    EXPECT_EQ(ran.err, "");
}
#endif

#ifdef MOZARU_EXPORT_IMAGES
// A machine without any of the AA faces (fontconfig given no fonts at all).
TEST(Binary, ImagesWithoutAFaceNameTheFacesTried) {
    QTemporaryDir dir;
    QFile config(dir.filePath("fonts.conf"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("<?xml version=\"1.0\"?><fontconfig></fontconfig>");
    config.close();
    QProcessEnvironment environment = inLocale(QStringLiteral("C"));
    environment.insert("FONTCONFIG_FILE", config.fileName());
    const Ran ran =
        runBinary({"extract", "--to", "png", "-d", dir.filePath("out")}, {}, environment);
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.err,
              "mozaru-cli: no AA face is installed (tried ＭＳ Ｐゴシック, MS PGothic, Monapo, "
              "IPAMonaPGothic, Mona, IPAPGothic, VL PGothic, Noto Sans CJK JP); --font names a "
              "font file or family\n");
    EXPECT_FALSE(QDir(dir.filePath("out")).exists());
}
#endif

TEST(Binary, LargeInputThroughPipes) {
    // More than any pipe buffer in both directions.
    std::u16string text;
    for (int i = 0; i < 40000; ++i) text += u"一行<BR>";
    const Ran ran = runBinary({"add-breaks", "--output-encoding", "utf-8"}, cp932(text));
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.out.size(), 40000u * std::string("一行<br>\r\n").size());
}

// The messages follow the locale: Japanese under ja_JP.UTF-8.
TEST(Binary, JapaneseUnderAJapaneseLocale) {
    const Ran ran =
        runBinary({"extract", "a.html", "b.html"}, {}, inLocale(QStringLiteral("ja_JP.UTF-8")));
    EXPECT_EQ(ran.status, 2);
    EXPECT_EQ(ran.err.substr(0, ran.err.find(kLineEnd)),
              "mozaru-cli: 入力が複数のときは --output-dir (-d) を指定してください（-o "
              "は入力 1 つだけです）");
    EXPECT_NE(ran.err.find("使い方:" + kLineEnd), std::string::npos);
}

TEST(Binary, UsageErrorExitsTwo) {
    const Ran ran = runBinary({"extract", "--level", "5"});
    EXPECT_EQ(ran.status, 2);
    EXPECT_EQ(ran.out, "");
    EXPECT_EQ(ran.err.substr(0, ran.err.find(kLineEnd)), "mozaru-cli: --level: 5 not in {0,1,2}");
}

TEST(Binary, BatchWritesEveryReadableInput) {
    QTemporaryDir dir;
    QStringList args{"extract", "-j", "2", "-d", dir.filePath("out")};
    for (const char* name : {"a.html", "b.html", "c.html"}) {
        putFile(dir.filePath(name), cp932(kPage));
        args << dir.filePath(name);
    }
    args << dir.filePath("missing.html");
    const Ran ran = runBinary(args);
    EXPECT_EQ(ran.status, 1);
    const std::string missing = path(dir.filePath("missing.html"));
    EXPECT_EQ(ran.err,
              "mozaru-cli: cannot read " + missing + ": " + readFailure(missing) + kLineEnd);
    EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files),
              (QStringList{"a.html", "b.html", "c.html"}));
    EXPECT_EQ(fileBytes(dir.filePath("out/b.html")), cp932(u"\r\n<HR>\r\n" + kBody + u"<HR>"));
}

}  // namespace
}  // namespace mozaru
