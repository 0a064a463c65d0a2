// Tests for the settings file on disk: CP932 bytes, CR LF lines, failures that
// leave the file as it was.
#include "settings/settings_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "support/before_rename_probe.h"
#include "text/messages.h"

namespace mozaru {
namespace {

// "'Mozaruの設定" and "ログ" in CP932.
const QByteArray kComment = QByteArray("'Mozaru\x82\xcc\x90\xdd\x92\xe8");
const QByteArray kLog = QByteArray("\x83\x8d\x83\x4f");

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString folder() const { return m_dir.path(); }

    void put(const QByteArray& bytes) {
        QFile file(settingsFilePath(folder()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray get() const {
        QFile file(settingsFilePath(folder()));
        if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
        return file.readAll();
    }

    QTemporaryDir m_dir;
};

TEST_F(SettingsFileTest, PathIsMozaruIniInTheFolder) {
    EXPECT_EQ(settingsFilePath(QStringLiteral("/opt/Mozaru")),
              QStringLiteral("/opt/Mozaru/Mozaru.ini"));
}

TEST_F(SettingsFileTest, ReadsCp932Lines) {
    put(kComment + "\r\nLOADPASS=C:\\" + kLog + "\r\nSLIDER=2\r\nCHECK1=1\r\n");
    SettingsValues values;
    EXPECT_EQ(readSettingsFile(folder(), values), std::nullopt);
    EXPECT_EQ(values.loadFolder, u"C:\\ログ");
    EXPECT_EQ(values.precisionLevel, 2);
    EXPECT_EQ(values.mergeFlag, 1);
}

TEST_F(SettingsFileTest, EmptyLoadPassGivesProgramFolder) {
    put("LOADPASS=\r\nSLIDER=1\r\nCHECK1=1\r\n");
    SettingsValues values;
    EXPECT_EQ(readSettingsFile(folder(), values), std::nullopt);
    EXPECT_EQ(values.loadFolder, folder().toStdU16String());
    // Written back unchanged, the program folder now stands in the file.
    EXPECT_EQ(writeSettingsFile(folder(), values), std::nullopt);
    EXPECT_EQ(get(), "LOADPASS=" + folder().toUtf8() + "\r\nSLIDER=1\r\nCHECK1=1\r\n");
}

struct LineEndCase {
    const char* name;
    QByteArray bytes;
    std::int16_t level;
    bool fails;
};

class LineEndTest : public SettingsFileTest, public testing::WithParamInterface<LineEndCase> {};

TEST_P(LineEndTest, SplitsLines) {
    put(GetParam().bytes);
    SettingsValues values;
    EXPECT_EQ(readSettingsFile(folder(), values).has_value(), GetParam().fails);
    EXPECT_EQ(values.precisionLevel, GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineEndTest,
    testing::Values(LineEndCase{"last_break_makes_no_line", "SLIDER=2\r\n", 2, false},
                    LineEndCase{"no_last_break", "CHECK1=0\r\nSLIDER=2", 2, false},
                    LineEndCase{"lf_only", "CHECK1=0\nSLIDER=2\n", 2, false},
                    LineEndCase{"empty_file", "", 0, false},
                    LineEndCase{"two_breaks_make_an_empty_line", "SLIDER=2\r\n\r\n", 2, true},
                    LineEndCase{"empty_first_line", "\r\nSLIDER=2\r\n", 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, RoundTripKeepsEveryLine) {
    put(kComment + "\r\n  LOADPASS=C:\\old\r\nslider=0\r\nSLIDER =1\r\n'CHECK1=5\r\nCHECK1=0\r\n");
    SettingsValues values;
    EXPECT_EQ(readSettingsFile(folder(), values), std::nullopt);
    EXPECT_EQ(values.precisionLevel, 0);
    values.loadFolder = u"D:\\ログ";
    values.precisionLevel = 2;
    values.mergeFlag = 1;
    EXPECT_EQ(writeSettingsFile(folder(), values), std::nullopt);
    EXPECT_EQ(get(), kComment + "\r\nLOADPASS=D:\\" + kLog +
                         "\r\nslider=2\r\nSLIDER =1\r\n'CHECK1=5\r\nCHECK1=1\r\n");
    SettingsValues again;
    EXPECT_EQ(readSettingsFile(folder(), again), std::nullopt);
    EXPECT_EQ(again.loadFolder, u"D:\\ログ");
    EXPECT_EQ(again.precisionLevel, 2);
    EXPECT_EQ(again.mergeFlag, 1);
}

// The file keeps the encoding it was read in; a folder CP932 cannot hold
// makes it UTF-8 with a BOM, so that the folder reads back.
struct EncodingCase {
    const char* name;
    QByteArray before;
    std::u16string folder;
    QByteArray after;
};

class EncodingTest : public SettingsFileTest, public testing::WithParamInterface<EncodingCase> {};

TEST_P(EncodingTest, IsKeptAndTheFolderReadsBack) {
    put(GetParam().before);
    EXPECT_EQ(writeSettingsFile(folder(), SettingsValues{GetParam().folder, 1, 0}), std::nullopt);
    EXPECT_EQ(get(), GetParam().after);
    SettingsValues again;
    EXPECT_EQ(readSettingsFile(folder(), again), std::nullopt);
    EXPECT_EQ(again.loadFolder, GetParam().folder);
}

// "'設定（UTF-8）" in UTF-8 and in CP932, and "ログ" in UTF-8.
const QByteArray kUtf8Comment = "'\xE8\xA8\xAD\xE5\xAE\x9A\xEF\xBC\x88UTF-8\xEF\xBC\x89";
const QByteArray kCp932Comment = "'\x90\xdd\x92\xe8\x81\x69UTF-8\x81\x6a";
const QByteArray kUtf8Log = "\xE3\x83\xAD\xE3\x82\xB0";
const QByteArray kBom = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    Files, EncodingTest,
    testing::Values(
        EncodingCase{"utf8_stays_utf8", kUtf8Comment + "\r\nLOADPASS=/a\r\nSLIDER=0\r\n", u"/ログ",
                     kUtf8Comment + "\r\nLOADPASS=/" + kUtf8Log + "\r\nSLIDER=1\r\n"},
        EncodingCase{"bom_stays", kBom + "'x\r\nLOADPASS=/a\r\n", u"/caf\u00E9",
                     kBom + "'x\r\nLOADPASS=/caf\xC3\xA9\r\n"},
        EncodingCase{"outside_cp932_makes_utf8", kCp932Comment + "\r\nLOADPASS=x\r\n",
                     u"C:\\caf\u00E9\U0001F600",
                     kBom + kUtf8Comment + "\r\nLOADPASS=C:\\caf\xC3\xA9\xF0\x9F\x98\x80\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, EmptyFileStaysEmpty) {
    put("");
    EXPECT_EQ(writeSettingsFile(folder(), SettingsValues{u"C:\\x", 1, 1}), std::nullopt);
    EXPECT_EQ(get(), QByteArray());
}

TEST_F(SettingsFileTest, MissingFileIsAnErrorAndNeverCreated) {
    SettingsValues values{u"keep", 1, 1};
    const std::optional<QString> read = readSettingsFile(folder(), values);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->contains(QStringLiteral("Mozaru.ini"))) << read->toStdString();
    EXPECT_EQ(values.loadFolder, u"keep");
    EXPECT_TRUE(writeSettingsFile(folder(), values).has_value());
    EXPECT_FALSE(QFile::exists(settingsFilePath(folder())));
}

TEST_F(SettingsFileTest, OversizedFileIsRefusedAndLeftAlone) {
    const QByteArray old = "SLIDER=1\r\n'" + QByteArray(1 << 20, 'x') + "\r\n";
    put(old);
    SettingsValues values{u"keep", 0, 0};
    const std::optional<QString> read = readSettingsFile(folder(), values);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->endsWith(QStringLiteral("設定ファイルが 1 MB を超えています")))
        << read->toStdString();
    EXPECT_EQ(values.precisionLevel, 0);
    EXPECT_TRUE(writeSettingsFile(folder(), values).has_value());
    EXPECT_EQ(get(), old);
}

TEST_F(SettingsFileTest, MalformedLineLeavesFileUntouched) {
    const QByteArray old = "  SLIDER=0\r\n\r\nCHECK1=0\r\n";
    put(old);
    EXPECT_TRUE(writeSettingsFile(folder(), SettingsValues{u"", 2, 1}).has_value());
    EXPECT_EQ(get(), old);
}

// The write itself fails (a file-size limit makes every longer write fail),
// or the save fails at its last step, before the rename: the old file stays
// whole and the temporary file is released.
TEST_F(SettingsFileTest, FailedWriteLeavesOldFileWhole) {
    const QByteArray old = "LOADPASS=\r\nSLIDER=0\r\n";
    put(old);
#ifndef _WIN32  // Windows has no file-size limit to fail the write with.
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 24;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::optional<QString> error = writeSettingsFile(
        folder(),
        SettingsValues{QStringLiteral("/a/long/folder/name/here").toStdU16String(), 1, 1});
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(error.has_value());
    EXPECT_EQ(get(), old);
#endif

    const test::BeforeRenameProbe probe(test::BeforeRenameProbe::Fail);
    EXPECT_EQ(writeSettingsFile(folder(), SettingsValues{u"/b", 2, 0}),
              QDir::toNativeSeparators(settingsFilePath(folder())) + ": " + test::kInjectedFailure);
    EXPECT_EQ(get(), old);
#ifndef _WIN32
    EXPECT_FALSE(probe.temporaryStillOpen());
#endif
    // The temporary file (named beside the target on Windows) is gone.
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"Mozaru.ini"});
}

TEST(SettingsMessageTest, ExactText) {
    EXPECT_EQ(
        settingsErrorText(QStringLiteral("理由")),
        QStringLiteral("INI読み込み時にエラーが発生しました。\r\nエラー内容は以下のとおりです。"
                       "\r\n\r\n【エラー内容】\r\n理由"));
    EXPECT_EQ(
        settingsErrorText(QStringLiteral("理由"), true),
        QStringLiteral("INI書き込み時にエラーが発生しました。\r\nエラー内容は以下のとおりです。"
                       "\r\n\r\n【エラー内容】\r\n理由"));
    EXPECT_EQ(kTitleWarning, u"警告");
}

}  // namespace
}  // namespace mozaru
