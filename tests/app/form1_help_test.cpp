// ヘルプ参照 in the window: the manual handed to the default browser as one
// argument, and the messages when there is no browser or it cannot start.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/window_fixture.h"

using namespace mozaru;

namespace {

// Points PATH and the XDG data folders at empty temporary folders for one
// test, and puts them back afterwards.
class IsolatedDesktop {
public:
    IsolatedDesktop() {
        for (const char* name : kNames) m_saved.append(qgetenv(name));
        for (const char* folder : {"bin", "data", "dirs"}) QDir(m_root.path()).mkpath(folder);
        qputenv("PATH", bin().toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_root.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", m_root.filePath(QStringLiteral("dirs")).toLocal8Bit());
    }
    ~IsolatedDesktop() {
        for (int i = 0; i < 3; ++i) qputenv(kNames[i], m_saved[i]);
    }

    QString bin() const { return m_root.filePath(QStringLiteral("bin")); }
    QString path(const QString& name) const { return m_root.filePath(name); }

    // An executable shell script in the PATH folder.
    void script(const QString& name, const QByteArray& body) const {
        QFile file(QDir(bin()).filePath(name));
        if (!file.open(QIODevice::WriteOnly)) return;
        file.write("#!/bin/sh\n" + body);
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // xdg-settings names the entry, which starts exec.
    void defaultBrowser(const QString& exec) const {
        script(QStringLiteral("xdg-settings"), "echo mozarutest.desktop\n");
        QDir().mkpath(path(QStringLiteral("data/applications")));
        QFile entry(path(QStringLiteral("data/applications/mozarutest.desktop")));
        if (!entry.open(QIODevice::WriteOnly)) return;
        entry.write("[Desktop Entry]\nType=Application\nName=Test\nExec=" + exec.toUtf8() +
                    " --new-window %u\n");
    }

private:
    static constexpr const char* kNames[3] = {"PATH", "XDG_DATA_HOME", "XDG_DATA_DIRS"};
    QTemporaryDir m_root;
    QList<QByteArray> m_saved;
};

#ifndef _WIN32
QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}
#endif

}  // namespace

class Form1HelpTest : public QObject {
    Q_OBJECT
private slots:
    void noBrowserShowsWhereTheManualIs();
    void manualIsOneArgument_data();
    void manualIsOneArgument();
    void browserThatCannotStart();
    void windowNeverWaitsForTheLookup();
};

void Form1HelpTest::noBrowserShowsWhereTheManualIs() {
#ifdef _WIN32
    QSKIP("the registry is read on Windows");
#else
    IsolatedDesktop desktop;
    WindowFixture f(QStringList{}, desktop.path(QStringLiteral("program")));
    f.w().Command6_Click();
    QTRY_COMPARE(f.prompts.messages.size(), std::size_t(1));
    QCOMPARE(f.prompts.messages[0].text,
             QStringLiteral(
                 "標準ブラウザがレジストリーに登録されていない為この機能は使用できません。\r\n"
                 "「説明書」フォルダ内にある「説明書.html」を直接参照してください。"));
    QCOMPARE(f.prompts.messages[0].title, QStringLiteral("エラー警告"));
    // F1 is the same click, busy or not: help is never disabled.
    f.w().show();
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    f.w().EnableCommands(kFalse);
    QTest::keyClick(&f.w(), Qt::Key_F1);
    QTRY_COMPARE(f.prompts.messages.size(), std::size_t(2));
    QCOMPARE(f.prompts.messages[1].text, f.prompts.messages[0].text);
#endif
}

void Form1HelpTest::manualIsOneArgument_data() {
    QTest::addColumn<QString>("folder");  // the program folder's name
    QTest::newRow("plain") << "Mozaru";
    QTest::newRow("spaces") << "Program Files/Mozaru 1";
    QTest::newRow("Japanese and spaces") << "ツール 置き場/もざる";
}

void Form1HelpTest::manualIsOneArgument() {
#ifdef _WIN32
    QSKIP("the registry is read on Windows");
#else
    QFETCH(QString, folder);
    IsolatedDesktop desktop;
    const QString out = desktop.path(QStringLiteral("argv.txt"));
    // Records its arguments, one a line, after their count.
    desktop.script(QStringLiteral("recorder"), "printf '%s\\n' \"$#\" \"$@\" > '" + out.toUtf8() +
                                                   ".part' && /bin/mv '" + out.toUtf8() +
                                                   ".part' '" + out.toUtf8() + "'\n");
    desktop.defaultBrowser(QStringLiteral("recorder"));
    const QString program = desktop.path(folder);
    WindowFixture f(QStringList{}, program);
    f.w().Command6_Click();
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 10000);
    QCOMPARE(readLines(out),
             (QStringList{QStringLiteral("1"), program + QStringLiteral("/説明書/説明書.html")}));
#endif
}

void Form1HelpTest::browserThatCannotStart() {
#ifdef _WIN32
    QSKIP("the registry is read on Windows");
#else
    IsolatedDesktop desktop;
    const QString missing = desktop.path(QStringLiteral("gone/browser"));
    desktop.defaultBrowser(missing);
    WindowFixture f(QStringList{}, desktop.path(QStringLiteral("program")));
    f.w().Command6_Click();
    QTRY_COMPARE(f.prompts.messages.size(), std::size_t(1));
    const QString prefix = QStringLiteral("ブラウザを起動できませんでした\r\n【エラー内容】\r\n") +
                           missing + QStringLiteral(": ");
    QVERIFY2(f.prompts.messages[0].text.startsWith(prefix), qPrintable(f.prompts.messages[0].text));
    QCOMPARE(f.prompts.messages[0].title, QStringLiteral("エラー警告"));
#endif
}

// The desktop's helpers take seconds: the click returns while they still run.
void Form1HelpTest::windowNeverWaitsForTheLookup() {
#ifdef _WIN32
    QSKIP("the registry is read on Windows");
#else
    IsolatedDesktop desktop;
    const QString out = desktop.path(QStringLiteral("argv.txt"));
    const QString go = desktop.path(QStringLiteral("go"));
    desktop.script(QStringLiteral("recorder"), "echo started > '" + out.toUtf8() + "'\n");
    desktop.defaultBrowser(QStringLiteral("recorder"));
    // xdg-settings answers once the test has seen the click return.
    desktop.script(QStringLiteral("xdg-settings"), "while [ ! -e '" + go.toUtf8() +
                                                       "' ]; do /bin/sleep 0.05; done\n"
                                                       "echo mozarutest.desktop\n");
    WindowFixture f(QStringList{}, desktop.path(QStringLiteral("program")));
    f.w().Command6_Click();
    QVERIFY(f.w().helpPending());
    f.w().Command6_Click();  // a second press while it looks adds nothing
    QFile(go).open(QIODevice::WriteOnly);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 10000);
    QTRY_VERIFY(!f.w().helpPending());
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));
#endif
}

QTEST_MAIN(Form1HelpTest)
#include "form1_help_test.moc"
