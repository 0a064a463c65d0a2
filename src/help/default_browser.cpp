// The help command's parts: the manual's path, the default browser and its launch.
#include "help/default_browser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "help/api_func.h"
#include "help/browser_path.h"
#include "help/desktop_entry.h"

namespace mozaru {

namespace {

const QString kFailure = QStringView(kNoBrowser).toString();

#ifndef _WIN32
// A helper program's first output line, or empty when it is missing, fails or
// hangs.
QString firstOutputLine(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(5000)) return {};
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
}

// Desktop-file ids turn "/" into "-"; every "-" may therefore stand for a folder.
void idCandidates(const QString& id, qsizetype from, QStringList& out) {
    out << id;
    for (qsizetype k = id.indexOf(u'-', from); k >= 0; k = id.indexOf(u'-', k + 1)) {
        QString folder = id;
        folder[k] = u'/';
        idCandidates(folder, k + 1, out);
    }
}
#endif

}  // namespace

QString manualPath(const QString& programFolder) {
    return QDir::toNativeSeparators(
        QDir(programFolder).filePath(QStringLiteral("説明書/説明書.html")));
}

QString locateDesktopFile(const QString& desktopId) {
#ifdef _WIN32
    Q_UNUSED(desktopId);
    return {};
#else
    if (desktopId.isEmpty() || desktopId.contains(u'/')) return {};
    QStringList candidates;
    idCandidates(desktopId, 0, candidates);
    // The folders in priority order: a user's entry hides the system's.
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        for (const QString& candidate : candidates) {
            const QString path = QDir(folder).filePath(candidate);
            if (QFileInfo(path).isFile()) return path;
        }
    }
    return {};
#endif
}

QString browserFromDesktopFile(const QString& desktopFilePath) {
    QFile file(desktopFilePath);
    if (!file.open(QIODevice::ReadOnly)) return kFailure;
    const std::optional<std::u16string> exec =
        desktopEntryExec(QString::fromUtf8(file.readAll()).toStdU16String());
    if (!exec) return kFailure;
    const QString program = QStringView(execProgram(*exec)).toString();
    if (program.isEmpty()) return kFailure;
    if (QFileInfo(program).isAbsolute()) return program;
    const QString found = QStandardPaths::findExecutable(program);
    return found.isEmpty() ? kFailure : found;
}

QString findDefaultBrowser() {
#ifdef _WIN32
    return QString::fromStdU16String(APIFunc::DefaultBrowserExePath());
#else
    QString id = firstOutputLine(QStringLiteral("xdg-settings"),
                                 {QStringLiteral("get"), QStringLiteral("default-web-browser")});
    QString path = locateDesktopFile(id);
    if (path.isEmpty()) {
        id = firstOutputLine(QStringLiteral("xdg-mime"),
                             {QStringLiteral("query"), QStringLiteral("default"),
                              QStringLiteral("x-scheme-handler/http")});
        path = locateDesktopFile(id);
    }
    return path.isEmpty() ? kFailure : browserFromDesktopFile(path);
#endif
}

bool launchBrowser(const QString& browser, const QString& manual, QString* error) {
    QProcess process;
    process.setProgram(browser);
    // One argument: a program folder with spaces reaches the browser whole.
    process.setArguments({manual});
    if (process.startDetached()) return true;
    if (error) *error = browser + QStringLiteral(": ") + process.errorString();
    return false;
}

QString browserMissingText() {
    return QStringLiteral(
        "標準ブラウザがレジストリーに登録されていない為この機能は使用できません。\r\n"
        "「説明書」フォルダ内にある「説明書.html」を直接参照してください。");
}

}  // namespace mozaru
