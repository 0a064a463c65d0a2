// Tests for finding the default browser through the XDG desktop entries and
// starting it with the manual (on Windows: starting it).
#include "help/default_browser.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "text/messages.h"

namespace mozaru {
namespace {

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    file.close();
    if (executable) file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

// Points the XDG data folders and PATH at a temporary tree for one test.
class DefaultBrowserTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "PATH"}) {
            m_saved.append({name, qgetenv(name)});
        }
        qputenv("XDG_DATA_HOME", home().toUtf8());
        qputenv("XDG_DATA_DIRS", system().toUtf8());
        qputenv("PATH",
                (bin() + QDir::listSeparator() + QString::fromUtf8(m_saved[2].second)).toUtf8());
    }
    void TearDown() override {
        for (const auto& [name, value] : m_saved) qputenv(name, value);
    }

    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    QString system() const { return m_dir.filePath(QStringLiteral("system")); }
    QString bin() const { return m_dir.filePath(QStringLiteral("bin")); }

    void entry(const QString& root, const QString& relative, const QByteArray& exec) {
        writeFile(root + QStringLiteral("/applications/") + relative,
                  "[Desktop Entry]\nType=Application\nName=Web\nExec=" + exec + "\n");
    }
    void tool(const char* name, const QByteArray& script) {
        writeFile(bin() + u'/' + QString::fromLatin1(name), "#!/bin/sh\n" + script + "\n", true);
    }

    QTemporaryDir m_dir;
    QList<std::pair<const char*, QByteArray>> m_saved;
};

#ifndef _WIN32
// The XDG lookup; Windows asks the registry (api_func_test).
TEST_F(DefaultBrowserTest, LocatesDesktopFiles) {
    entry(home(), QStringLiteral("my-web.desktop"), "sh %u");
    entry(system(), QStringLiteral("my-web.desktop"), "other %u");
    entry(system(), QStringLiteral("kde/web.desktop"), "sh %u");
    EXPECT_EQ(locateDesktopFile(QStringLiteral("my-web.desktop")),
              home() + QStringLiteral("/applications/my-web.desktop"));
    EXPECT_EQ(locateDesktopFile(QStringLiteral("kde-web.desktop")),
              system() + QStringLiteral("/applications/kde/web.desktop"));
    EXPECT_EQ(locateDesktopFile(QStringLiteral("none.desktop")), QString());
    EXPECT_EQ(locateDesktopFile(QString()), QString());
    EXPECT_EQ(locateDesktopFile(QStringLiteral("../x.desktop")), QString());
}

TEST_F(DefaultBrowserTest, ProgramFromExecLine) {
    const QString sh = QStandardPaths::findExecutable(QStringLiteral("sh"));
    ASSERT_FALSE(sh.isEmpty());
    const QString apps = home() + QStringLiteral("/applications/");
    entry(home(), QStringLiteral("a.desktop"), "sh %u");
    entry(home(), QStringLiteral("b.desktop"), "\"/opt/Web Thing/web\" --new %U");
    entry(home(), QStringLiteral("c.desktop"), "no-such-browser-here %u");
    entry(home(), QStringLiteral("d.desktop"), "env GDK_BACKEND=x11 sh %u");
    writeFile(apps + QStringLiteral("e.desktop"), "[Desktop Entry]\nName=No exec\n");
    EXPECT_EQ(browserFromDesktopFile(apps + QStringLiteral("a.desktop")), sh);
    EXPECT_EQ(browserFromDesktopFile(apps + QStringLiteral("b.desktop")),
              QStringLiteral("/opt/Web Thing/web"));
    EXPECT_EQ(browserFromDesktopFile(apps + QStringLiteral("c.desktop")), QStringLiteral("-1"));
    EXPECT_EQ(browserFromDesktopFile(apps + QStringLiteral("d.desktop")), sh);
    EXPECT_EQ(browserFromDesktopFile(apps + QStringLiteral("e.desktop")), QStringLiteral("-1"));
    EXPECT_EQ(browserFromDesktopFile(apps + QStringLiteral("missing.desktop")),
              QStringLiteral("-1"));
}

TEST_F(DefaultBrowserTest, AsksXdgSettingsFirst) {
    entry(home(), QStringLiteral("first.desktop"), "/opt/first/web %u");
    entry(home(), QStringLiteral("second.desktop"), "/opt/second/web %u");
    tool("xdg-settings", "echo first.desktop");
    tool("xdg-mime", "echo second.desktop");
    EXPECT_EQ(findDefaultBrowser(), QStringLiteral("/opt/first/web"));
}

TEST_F(DefaultBrowserTest, FallsBackToXdgMime) {
    entry(home(), QStringLiteral("second.desktop"), "/opt/second/web %u");
    tool("xdg-settings", "exit 1");
    tool("xdg-mime", "echo second.desktop");
    EXPECT_EQ(findDefaultBrowser(), QStringLiteral("/opt/second/web"));
}

TEST_F(DefaultBrowserTest, NothingFound) {
    tool("xdg-settings", "echo gone.desktop");
    tool("xdg-mime", "exit 3");
    EXPECT_EQ(findDefaultBrowser(), QStringLiteral("-1"));
}
#endif

TEST(ManualTest, PathBesideProgram) {
    EXPECT_EQ(manualPath(QStringLiteral("/opt/My Apps/Mozaru")),
              QDir::toNativeSeparators(QStringLiteral("/opt/My Apps/Mozaru/説明書/説明書.html")));
}

TEST(ManualTest, MissingBrowserMessage) {
    EXPECT_EQ(
        browserMissingText(),
        QStringLiteral("標準ブラウザがレジストリーに登録されていない為この機能は使用できません。"
                       "\r\n「説明書」フォルダ内にある「説明書.html」を直接参照してください。"));
    EXPECT_EQ(kTitleHelpError, u"エラー警告");
}

// The manual's path reaches the browser as one argument, spaces and all.
#ifdef _WIN32
// The browser is the probe program, copied into a folder with a space.
TEST_F(DefaultBrowserTest, LaunchPassesManualAsOneArgument) {
    const QString out = m_dir.filePath(QStringLiteral("args.txt"));
    const QString browser = m_dir.filePath(QStringLiteral("My Browser/web.exe"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(browser).path()));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MOZARU_PROBE_PATH), browser));
    qputenv("MOZARU_PROBE", "arguments-to-file");
    qputenv("MOZARU_PROBE_FILE", QDir::toNativeSeparators(out).toLocal8Bit());
    const QString manual = manualPath(m_dir.filePath(QStringLiteral("Program Folder")));
    QString error;
    const bool launched = launchBrowser(browser, manual, &error);
    qunsetenv("MOZARU_PROBE");
    qunsetenv("MOZARU_PROBE_FILE");
    ASSERT_TRUE(launched) << error.toStdString();
    QDeadlineTimer deadline(30000);
    while (!QFile::exists(out) && !deadline.hasExpired()) QThread::msleep(20);
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), manual + u'\n');
}
#else
TEST_F(DefaultBrowserTest, LaunchPassesManualAsOneArgument) {
    const QString out = m_dir.filePath(QStringLiteral("args.txt"));
    const QString browser = m_dir.filePath(QStringLiteral("My Browser/web"));
    writeFile(browser,
              "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"" + out.toUtf8() + ".tmp\" && mv \"" +
                  out.toUtf8() + ".tmp\" \"" + out.toUtf8() + "\"\n",
              true);
    const QString manual = manualPath(m_dir.filePath(QStringLiteral("Program Folder")));
    QString error;
    ASSERT_TRUE(launchBrowser(browser, manual, &error)) << error.toStdString();
    QDeadlineTimer deadline(30000);
    while (!QFile::exists(out) && !deadline.hasExpired()) QThread::msleep(20);
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), QStringLiteral("1|") + manual);
}
#endif

TEST(LaunchTest, MissingProgramIsReported) {
    QString error;
    EXPECT_FALSE(
        launchBrowser(QStringLiteral("/no/such/browser"), QStringLiteral("/x.html"), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("/no/such/browser: "))) << error.toStdString();
}

}  // namespace
}  // namespace mozaru

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
