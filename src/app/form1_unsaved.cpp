// Closing is never refused, and nothing typed is lost by it: a document
// changed since its last load or save is kept in the user's data folder on
// close and offered back at the next start.
#include <QDir>
#include <QFile>

#include "app/form1.h"
#include "files/save_file.h"
#include "files/text_file.h"
#include "text/messages.h"
#include "ui/editor_text.h"
#include "ui/rich_text_box.h"

namespace mozaru {

namespace {

// As the editor holds it (UTF-8, CR LF lines, a lone surrogate in three
// bytes), so that it is written without a conversion and reads back whole.
const QString kUnsavedName = QStringLiteral("未保存の文書.txt");

}  // namespace

QString Form1::unsavedDocumentPath() const {
    if (m_dataFolder.isEmpty()) return {};
    return QDir(m_dataFolder).filePath(kUnsavedName);
}

void Form1::documentSaved() {
    RichTextBox1->setSavePoint();
    m_unsavedRestored = false;
}

void Form1::keepUnsavedDocument() {
    const QString path = unsavedDocumentPath();
    if (path.isEmpty()) return;
    const bool changed = RichTextBox1->isChanged() || m_unsavedRestored;
    if (!changed || RichTextBox1->isEmptyDocument()) {
        QFile::remove(path);
        return;
    }
    const std::string_view bytes = RichTextBox1->editorBytes();
    QString reason;
    if (!QDir().mkpath(m_dataFolder) ||
        !saveFileAtomically(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
                            &reason)) {
        // Nothing else can keep it now: the user is told where it failed.
        m_prompts.message(
            this,
            QStringView(
                errorMessage(u"保存していない編集内容を残せませんでした",
                             fileMessage(QDir::toNativeSeparators(path), reason).toStdU16String()))
                .toString(),
            QStringView(kTitleConfirm).toString());
    }
}

void Form1::offerUnsavedDocument() {
    const QString path = unsavedDocumentPath();
    if (path.isEmpty() || !QFile::exists(path)) return;
    if (!m_prompts.question(this,
                            QStringLiteral("前回の終了時に保存されていなかった編集内容があります。"
                                           "復元しますか？"),
                            QStringView(kTitleConfirm).toString(), true)) {
        QFile::remove(path);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString where = fileMessage(QDir::toNativeSeparators(path), file.errorString());
        confirm(
            QStringView(errorMessage(u"ファイルの読み込みに失敗しました", where.toStdU16String()))
                .toString());
        return;
    }
    const QByteArray bytes = file.readAll();
    // A fresh history: there is nothing to undo from before this start.
    RichTextBox1->setDocumentText(editorToDocument(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    // It is in no file until it is saved: kept again on the next close.
    m_unsavedRestored = true;
}

}  // namespace mozaru
