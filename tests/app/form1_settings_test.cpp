// The window's settings: Mozaru.ini read by Form_Load, rewritten when the
// window closes, and the values reaching the precision dialog.
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include "extract/form3.h"
#include "support/before_rename_probe.h"
#ifndef _WIN32
#include "support/file_size_limit.h"
#endif
#include "support/form3_controls.h"
#include "support/window_fixture.h"

using namespace mozaru;
using namespace mozaru::test;

namespace {

// The file a descriptor is open on, with '/' between the names.
QString pathOfDescriptor(int descriptor) {
#ifdef _WIN32
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    wchar_t buffer[4096];
    const DWORD length = GetFinalPathNameByHandleW(handle, buffer, 4096, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= 4096) return {};
    QString path = QString::fromWCharArray(buffer, static_cast<int>(length));
    if (path.startsWith(QStringLiteral("\\\\?\\"))) path = path.mid(4);
    return QDir::fromNativeSeparators(path);
#else
    return QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(descriptor));
#endif
}

const QString kMessagePrefix = QStringLiteral(
    "INI読み込み時にエラーが発生しました。\r\nエラー内容は以下のとおりです。\r\n\r\n【エラー内容】"
    "\r\n");
// A failed write is told as one.
const QString kWritePrefix = QStringLiteral(
    "INI書き込み時にエラーが発生しました。\r\nエラー内容は以下のとおりです。\r\n\r\n【エラー内容】"
    "\r\n");

struct SettingsFixture {
    // The program folder has a space, as under Program Files.
    QTemporaryDir root;
    QString program = root.filePath(QStringLiteral("Mozaru 1"));
    std::unique_ptr<WindowFixture> f;

    SettingsFixture() { QDir().mkpath(program); }

    QString config = root.filePath(QStringLiteral("config/mozaru"));

    QString ini() const { return program + QStringLiteral("/Mozaru.ini"); }
    QString userIni() const { return config + QStringLiteral("/Mozaru.ini"); }
    void put(const QByteArray& bytes) const {
        QFile file(ini());
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }
    QByteArray get() const {
        QFile file(ini());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    Form1& load() {
        f = std::make_unique<WindowFixture>(QStringList{}, program);
        f->w().setUserFolders(config, {});
        f->w().Form_Load();
        return f->w();
    }
};

}  // namespace

class Form1SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void formLoadReads_data();
    void formLoadReads();
    void closingWritesBack();
    void roundTrip();
    void missingFileWarnsAtLoadAndAtClose();
    void failedWriteLeavesTheOldFileWhole();
    void programFolderThatTakesNothing();
    void precisionDialogOpensWithTheValuesRead_data();
    void precisionDialogOpensWithTheValuesRead();
};

void Form1SettingsTest::formLoadReads_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("folder");  // "<program>" for the program folder
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("merge");
    QTest::addColumn<int>("picture");
    QTest::newRow("values") << QByteArray(
                                   "LOADPASS= /logs \r\nSLIDER=2\r\nCHECK1=1\r\nCHECK2=1\r\n")
                            << "/logs" << 2 << 1 << 1;
    QTest::newRow("empty LOADPASS is the program folder")
        << QByteArray("'comment=1\r\nLOADPASS=\r\nslider=1\r\nCHECK1=0\r\n") << "<program>" << 1
        << 0 << 0;
}

void Form1SettingsTest::formLoadReads() {
    QFETCH(QByteArray, file);
    QFETCH(QString, folder);
    QFETCH(int, level);
    QFETCH(int, merge);
    QFETCH(int, picture);
    SettingsFixture s;
    s.put(file);
    Form1& w = s.load();
    QCOMPARE(w.LoadFolder, folder == QStringLiteral("<program>") ? s.program : folder);
    QCOMPARE(w.PrecisionLevel, std::int16_t(level));
    QCOMPARE(w.MergeFlag, std::int16_t(merge));
    QCOMPARE(w.PictureFlag, std::int16_t(picture));
    QCOMPARE(s.f->prompts.messages.size(), std::size_t(0));
    QCOMPARE(w.windowTitle(), w.BaseCaption);
}

void Form1SettingsTest::closingWritesBack() {
    SettingsFixture s;
    s.put("' Mozaru\r\n  LOADPASS=\r\nslider=0\r\nCHECK1=0\r\nOTHER=x\r\n");
    Form1& w = s.load();
    w.LoadFolder = QStringLiteral("/ログ 1");
    w.PrecisionLevel = 2;
    w.MergeFlag = -1;
    w.PictureFlag = 1;
    w.close();
    // ログ in CP932 is 83 8D 83 4F. A file without CHECK2 gets it once it is chosen.
    QCOMPARE(s.get(), QByteArray("' Mozaru\r\nLOADPASS=/\x83\x8D\x83\x4F 1\r\nslider=2\r\n"
                                 "CHECK1=-1\r\nOTHER=x\r\nCHECK2=1\r\n"));
    QCOMPARE(s.f->prompts.messages.size(), std::size_t(0));
}

// Read, change, close, read again: the values come back as they were left.
void Form1SettingsTest::roundTrip() {
    SettingsFixture s;
    s.put("LOADPASS=\r\nSLIDER=1\r\nCHECK1=1\r\n");
    Form1& first = s.load();
    QCOMPARE(first.LoadFolder, s.program);
    first.PrecisionLevel = 0;
    first.close();
    QCOMPARE(s.get(), QByteArray("LOADPASS=") + s.program.toUtf8() +
                          QByteArray("\r\nSLIDER=0\r\nCHECK1=1\r\n"));
    Form1& second = s.load();
    QCOMPARE(second.LoadFolder, s.program);
    QCOMPARE(second.PrecisionLevel, std::int16_t(0));
    QCOMPARE(second.MergeFlag, std::int16_t(1));
    QCOMPARE(s.f->prompts.messages.size(), std::size_t(0));
}

void Form1SettingsTest::missingFileWarnsAtLoadAndAtClose() {
    SettingsFixture s;
    Form1& w = s.load();
    QCOMPARE(w.LoadFolder, QString());
    QCOMPARE(w.PrecisionLevel, std::int16_t(0));
    QCOMPARE(w.MergeFlag, std::int16_t(0));
    QCOMPARE(s.f->prompts.messages.size(), std::size_t(1));
    const FakePrompts::Shown shown = s.f->prompts.messages[0];
    QVERIFY2(shown.text.startsWith(kMessagePrefix), qPrintable(shown.text));
    QCOMPARE(shown.text.count(QStringLiteral("\r\n")), 4);
    QVERIFY(shown.text.size() > kMessagePrefix.size());
    QCOMPARE(shown.title, QStringLiteral("警告"));
    w.close();
    QCOMPARE(s.f->prompts.messages.size(), std::size_t(2));
    QCOMPARE(s.f->prompts.messages[1].title, QStringLiteral("警告"));
    QVERIFY(s.f->prompts.messages[1].text.startsWith(kWritePrefix));
    QVERIFY(!QFile::exists(s.ini()));
    QVERIFY(!QFile::exists(s.userIni()));
}

// The final write fails (a file-size limit stops it; on Windows, which has no
// such limit, the last step fails): the old file stays whole.
void Form1SettingsTest::failedWriteLeavesTheOldFileWhole() {
    SettingsFixture s;
    const QByteArray old = "LOADPASS=\r\nSLIDER=0\r\nCHECK1=0\r\n";
    s.put(old);
    Form1& w = s.load();
    w.LoadFolder = QString(200, u'f');
#ifdef _WIN32
    const BeforeRenameProbe probe(BeforeRenameProbe::Fail);
    w.close();
    QCOMPARE(probe.calls(), 2);  // in the program folder, then in the user's
#else
    const BeforeRenameProbe probe(BeforeRenameProbe::Watch);
    {
        const FileSizeLimit limit(40);
        QVERIFY(limit.ok());
        w.close();
    }
    QCOMPARE(probe.calls(), 0);  // stopped at the write itself, before the rename
#endif
    QCOMPARE(s.get(), old);
    QCOMPARE(s.f->prompts.messages.size(), std::size_t(1));
    QVERIFY(s.f->prompts.messages[0].text.startsWith(kWritePrefix));
    QCOMPARE(s.f->prompts.messages[0].title, QStringLiteral("警告"));
}

// An installed copy: the program folder takes no file, so the settings are
// written to the user's configuration folder, and read from there next time.
void Form1SettingsTest::programFolderThatTakesNothing() {
    SettingsFixture s;
    const QByteArray shipped = "'comment\r\nLOADPASS=\r\nSLIDER=0\r\nCHECK1=0\r\n";
    s.put(shipped);
    Form1& w = s.load();
    w.LoadFolder = QStringLiteral("/logs");
    w.PrecisionLevel = 2;
    const QString program = s.program;
    setBeforeRenameHook([program](int descriptor) {
        const QString file = pathOfDescriptor(descriptor);
        return file.startsWith(program + u'/') ? QStringLiteral("Permission denied") : QString();
    });
    w.close();
    setBeforeRenameHook({});
    QCOMPARE(s.f->prompts.messages.size(), std::size_t(0));
    QCOMPARE(s.get(), shipped);
    QFile user(s.userIni());
    QVERIFY(user.open(QIODevice::ReadOnly));
    QCOMPARE(user.readAll(), QByteArray("'comment\r\nLOADPASS=/logs\r\nSLIDER=2\r\nCHECK1=0\r\n"));
    SettingsFixture again;
    again.program = s.program;
    again.config = s.config;
    Form1& next = again.load();
    QCOMPARE(next.LoadFolder, QStringLiteral("/logs"));
    QCOMPARE(next.PrecisionLevel, std::int16_t(2));
}

void Form1SettingsTest::precisionDialogOpensWithTheValuesRead_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("slider");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("picture");
    QTest::newRow("2, merged") << QByteArray("SLIDER=2\r\nCHECK1=1\r\n") << 2 << true << false;
    QTest::newRow("1, kept") << QByteArray("SLIDER=1\r\nCHECK1=0\r\n") << 1 << false << false;
    QTest::newRow("0, True is not 1")
        << QByteArray("SLIDER=0\r\nCHECK1=-1\r\n") << 0 << false << false;
    QTest::newRow("picture detector")
        << QByteArray("SLIDER=0\r\nCHECK1=0\r\nCHECK2=1\r\n") << 0 << false << true;
}

void Form1SettingsTest::precisionDialogOpensWithTheValuesRead() {
    QFETCH(QByteArray, file);
    QFETCH(int, slider);
    QFETCH(bool, checked);
    QFETCH(bool, picture);
    SettingsFixture s;
    s.put(file);
    Form1& w = s.load();
    w.RichTextBox1->setDocumentText(u"<DD>x");
    int seenSlider = -1;
    bool seenChecked = !checked;
    bool seenPicture = !picture;
    s.f->prompts.dialogs = {[&](QDialog& dialog) {
        auto* form3 = qobject_cast<Form3*>(&dialog);
        QVERIFY(form3 != nullptr);
        seenSlider = test::controlsOf(*form3).Slider1->value();
        seenChecked = test::controlsOf(*form3).Check1->isChecked();
        seenPicture = test::controlsOf(*form3).Check2->isChecked();
    }};
    w.Command2_Click();
    QCOMPARE(seenSlider, slider);
    QCOMPARE(seenChecked, checked);
    QCOMPARE(seenPicture, picture);
}

QTEST_MAIN(Form1SettingsTest)
#include "form1_settings_test.moc"
