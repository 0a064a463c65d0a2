// SAVE: the format dialog Form2, the save dialog, and writing the document.
#include <QCoreApplication>
#include <QFileInfo>
#include <functional>

#include "app/form1.h"
#include "exports/exports.h"
#include "exports/form2.h"
#include "files/paths.h"
#include "files/text_file.h"
#include "text/messages.h"
#include "ui/rich_text_box.h"

namespace mozaru {

namespace {

constexpr std::u16string_view kSaveFailed = u"ファイルの保存に失敗しました";

}  // namespace

void Form1::Command5_Click() {
    if (RichTextBox1->isEmptyDocument()) {
        confirm(QStringLiteral("保存するものがありません"));
        return;
    }
    EnableCommands(kFalse);

    Form2 form2(this);
    m_prompts.exec(form2);
    CommonDialog1.filter = QStringView(saveDialogFilter()).toString();
    const ExportFormat& row = saveFormatRow(form2.F_Ret());
    CommonDialog1.filterIndex = saveFilterIndex(form2.F_Ret());
    std::optional<QString> chosen;
    try {
        CommonDialog1.fileName =
            QStringView(GetNamePart(ReplaceExtension(CommonDialog1.fileName.toStdU16String(),
                                                     row.extension)))
                .toString();
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
        confirm(QStringView(errorMessage(kSaveFailed, reason.toStdU16String())).toString());
    };
    QString target;
    try {
        target = QStringView(
                     ReplaceExtension(chosen.toStdU16String(), saveFormatRow(saveFormat).extension))
                     .toString();
    } catch (const PathOverflow& overflow) {
        failed(QString::fromUtf8(overflow.what()));
        return;
    }
    if (target.isEmpty()) {
        confirm(QStringLiteral("ファイルは保存できませんでした"));
        return;
    }
    // The dialog asked before replacing the name it returned; a file that only
    // the forced extension hits gets the same question.
    if (target != chosen && QFileInfo::exists(target) &&
        !m_prompts.question(this, target + QStringLiteral("\r\nは既に存在します。上書きしますか？"),
                            QStringView(kTitleConfirm).toString(), false)) {
        return;
    }
    TextFileWrite written;
    try {
        // Encoded and written as it goes: the document is never copied.
        const ExportInput input{RichTextBox1->documentView(), {}};
        written = writeTextFile(
            target,
            [&input, saveFormat](const TextSink& piece) {
                saveFormatRow(saveFormat).write(input, piece);
                return true;
            },
            OutputEncoding::Cp932);
    } catch (const std::exception&) {
        // Out of memory nothing is written: the old file and the document stay.
        reportFailure(kSaveFailed, std::current_exception());
        return;
    }
    if (!written.ok) {
        failed(written.reason);
        return;
    }
    confirm(QStringLiteral("ファイルを保存しました"));
    QCoreApplication::processEvents();
}

}  // namespace mozaru
