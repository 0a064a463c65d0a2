// LOAD: the open dialog, and LoadDocument, which the drop and the command
// line share.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "app/form1.h"
#include "files/paths.h"
#include "files/text_file.h"
#include "text/messages.h"
#include "ui/background_work.h"
#include "ui/rich_text_box.h"

namespace mozaru {

namespace {

// The default entry shows the .dat logs the extraction reads too.
const QString kLoadFilter =
    QStringLiteral("ﾃｷｽﾄ(*.txt;*.htm;*.html;*.dat)|*.txt;*.htm;*.html;*.dat|すべて|*.*");

constexpr std::u16string_view kLoadFailed = u"ファイルの読み込みに失敗しました";

// Where the bar stands when the file is read and its text goes into the edit
// area (about the share of the time reading and decoding take).
constexpr double kReadShare = 0.6;

QString failureText(const QString& reason) {
    return QStringView(errorMessage(kLoadFailed, reason.toStdU16String())).toString();
}

}  // namespace

void Form1::Command4_Click() {
    EnableCommands(kFalse);
    CommonDialog1.filter = kLoadFilter;
    CommonDialog1.filterIndex = 1;
    CommonDialog1.initDir = LoadFolder;
    CommonDialog1.flags = kDialogFlagLongNames;
    // A cancelled dialog ends the command silently.
    if (const std::optional<QString> path = m_prompts.openFile(this, CommonDialog1)) {
        LoadDocument(*path);
    }
    EnableCommands(kTrue);
}

void Form1::LoadDocument(const QString& given) {
    // The system's own separators: a drop names the file with '/', and on
    // Windows the folder and the name are cut at '\\'.
    const QString path = QDir::toNativeSeparators(given);
    if (!RichTextBox1->isEmptyDocument() &&
        !m_prompts.question(
            this,
            QStringLiteral(
                "ファイルの読み込みを行うと現在編集中の内容は破棄されますがよろしいですか？"),
            QStringView(kTitleConfirm).toString(), true)) {
        return;
    }
    if (path.isEmpty()) {
        confirm(QStringLiteral("ファイルは読み込めませんでした"));
        return;
    }
    // The whole file is read and decoded before anything changes, so a file
    // that cannot be read leaves the document, caption and folder as they were.
    const std::u16string path16 = path.toStdU16String();
    QString folder;
    QString name;
    try {
        folder = QStringView(GetFolderPart(path16)).toString();
        // A file in the root ("/a.html", "\\a.html") has the root as its
        // folder: "" would mean no folder to the open dialog and the settings.
        if (folder.isEmpty() && path.startsWith(QChar(kPathSeparator))) {
            folder = QChar(kPathSeparator);
        }
        name = QStringView(GetNamePart(path16)).toString();
    } catch (const PathOverflow& overflow) {
        confirm(failureText(QString::fromUtf8(overflow.what())));
        return;
    }
    // The file's size is the amount of work: read and decoded on a second
    // thread, then put into the edit area slice by slice.
    setBarRange(static_cast<float>(std::max<qint64>(0, QFileInfo(path).size())));
    showBusyDisplay();
    // Out of memory the file is not loaded, and the document stays as it was.
    TextFileRead read;
    try {
        std::optional<PreparedStep> step;
        DocumentSource source = RichTextBox1->documentSource();
        runWhileBusy(
            [&](WorkProgress& progress) {
                ReadOptions options;
                const auto size = static_cast<double>(std::max<qint64>(1, QFileInfo(path).size()));
                options.progress = [&](std::uint64_t bytes) { progress.set(bytes / size); };
                read = readTextFile(path, options);
                if (read.ok)
                    step = RichTextBox::prepareStep(source.text(), std::move(read.decoded.text));
            },
            0.0, kReadShare);
        if (read.ok) replaceInSlices(std::move(*step), kReadShare, 1.0);
        setBarFraction(1.0);
    } catch (const std::exception&) {
        endBusyDisplay();
        reportFailure(kLoadFailed, std::current_exception());
        return;
    }
    if (!read.ok) {
        endBusyDisplay();
        confirm(failureText(read.reason));
        return;
    }
    documentSaved();

    setWindowTitle(BaseCaption + QStringLiteral("　　【") + path + QStringLiteral("】"));
    LoadFolder = folder;
    endBusyDisplay();
    CommonDialog1.fileName = name;
    QCoreApplication::processEvents();

    // Bytes that stand for no character are never replaced without a word.
    if (read.decoded.undecodable > 0) {
        const std::string_view encoding = encodingName(read.decoded.encoding);
        confirm(
            QStringLiteral("%1 として読み込みましたが、文字にならない %2 "
                           "バイトを「\uFFFD」に置き換えました")
                .arg(QString::fromUtf8(encoding.data(), static_cast<qsizetype>(encoding.size())))
                .arg(read.decoded.undecodable));
    }
}

}  // namespace mozaru
