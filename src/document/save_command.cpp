// SAVE: the format dialog, the save dialog, and writing the document.
#include <QCoreApplication>
#include <QFileInfo>

#include "app/form1.h"
#include "app/rich_text_box.h"
#include "document/form2.h"
#include "document/paths.h"
#include "document/qt_strings.h"
#include "document/save_format.h"
#include "document/text_file.h"

namespace mozaru {

namespace {

const QString kSaveFilter =
    QStringLiteral("HTML形式(*.htm;*.html)|*.htm;*.html|ﾃｷｽﾄ形式(*.txt)|*.txt|すべて|*.*");
const QString kTitle = QStringLiteral("確認");

}  // namespace

void Form1::Command5_Click() {
    if (RichTextBox1->document()->isEmpty()) {
        m_prompts.message(this, QStringLiteral("保存するものがありません"), kTitle);
        return;
    }
    EnableCommands(kFalse);

    Form2 form2(this);
    m_prompts.exec(form2);
    CommonDialog1.filter = kSaveFilter;
    const SaveFormatRow row = saveFormatRow(form2.F_Ret());
    CommonDialog1.filterIndex = row.filterIndex;
    std::optional<QString> chosen;
    try {
        CommonDialog1.fileName = toQString(
            GetNamePart(ReplaceExtension(CommonDialog1.fileName.toStdU16String(), row.extension)));
        CommonDialog1.flags = kDialogFlagOverwritePrompt;
        chosen = m_prompts.saveFile(this, CommonDialog1);
    } catch (const PathOverflow&) {
        // Before the save dialog has answered, every failure ends the command silently.
    }
    if (chosen) saveDocumentAs(*chosen, form2.F_Ret());
    EnableCommands(kTrue);
}

void Form1::saveDocumentAs(const QString& chosen, std::int16_t saveFormat) {
    const auto failed = [this](const QString& reason) {
        m_prompts.message(
            this, QStringLiteral("ファイルの保存に失敗しました\r\n【エラー内容】\r\n") + reason,
            kTitle);
    };
    QString target;
    try {
        target = toQString(
            ReplaceExtension(chosen.toStdU16String(), saveFormatRow(saveFormat).extension));
    } catch (const PathOverflow& overflow) {
        failed(QString::fromUtf8(overflow.what()));
        return;
    }
    if (target.isEmpty()) {
        m_prompts.message(this, QStringLiteral("ファイルは保存できませんでした"), kTitle);
        return;
    }
    // The dialog asked before replacing the name it returned; a file that only
    // the forced extension hits gets the same question.
    if (target != chosen && QFileInfo::exists(target) &&
        !m_prompts.question(this, target + QStringLiteral("\r\nは既に存在します。上書きしますか？"),
                            kTitle, false)) {
        return;
    }
    const TextFileWrite written =
        writeTextFile(target, saveContent(saveFormat, documentView()), OutputEncoding::Cp932);
    if (!written.ok) {
        failed(written.reason);
        return;
    }
    m_prompts.message(this, QStringLiteral("ファイルを保存しました"), kTitle);
    QCoreApplication::processEvents();
}

}  // namespace mozaru
