// SAVE: the format dialog Form2, the save dialog, and writing the document
// on a second thread.
#include <QCoreApplication>
#include <QFileInfo>
#include <chrono>
#include <functional>

#include "app/form1.h"
#include "exports/exports.h"
#include "exports/form2.h"
#include "files/paths.h"
#include "files/text_file.h"
#include "text/messages.h"
#include "text/utf.h"
#include "ui/background_work.h"
#include "ui/rich_text_box.h"

namespace mozaru {

namespace {

constexpr std::u16string_view kSaveFailed = u"ファイルの保存に失敗しました";

// A small document is written before the window would have to repaint: only
// a longer write hides the edit area over the busy label.
constexpr std::chrono::milliseconds kQuickWrite{50};

// The writer's text handed on in slices of at most this many units (a pair
// of surrogates never cut), so that the bar can follow the encoding.
constexpr std::size_t kSlice = std::size_t{1} << 20;

void inSlices(std::u16string_view text, const TextSink& sink) {
    while (text.size() > kSlice) {
        std::size_t cut = kSlice;
        if (isHighSurrogate(text[cut - 1])) --cut;
        sink(text.substr(0, cut));
        text.remove_prefix(cut);
    }
    if (!text.empty()) sink(text);
}

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
    bool proposed = false;
    try {
        CommonDialog1.fileName =
            QStringView(GetNamePart(ReplaceExtension(CommonDialog1.fileName.toStdU16String(),
                                                     row.extension)))
                .toString();
        proposed = true;
    } catch (const PathOverflow&) {
        // Before the save dialog has answered, every failure ends the command silently.
    }
    // The dialog asks nothing itself: the name it returns is not always the
    // file written (the format's extension replaces the typed one), and only
    // that file is asked about.
    CommonDialog1.flags = 0;
    if (proposed) {
        if (const std::optional<QString> target = chooseSaveTarget(form2.F_Ret())) {
            saveDocumentAs(*target, form2.F_Ret());
        }
    }
    EnableCommands(kTrue);
    RichTextBox1->setFocus(Qt::OtherFocusReason);
}

std::optional<QString> Form1::chooseSaveTarget(std::int16_t saveFormat) {
    for (;;) {
        const std::optional<QString> chosen = m_prompts.saveFile(this, CommonDialog1);
        if (!chosen) return std::nullopt;
        QString target;
        try {
            target = QStringView(ReplaceExtension(chosen->toStdU16String(),
                                                  saveFormatRow(saveFormat).extension))
                         .toString();
        } catch (const PathOverflow& overflow) {
            confirm(QStringView(errorMessage(kSaveFailed,
                                             QString::fromUtf8(overflow.what()).toStdU16String()))
                        .toString());
            return std::nullopt;
        }
        if (target.isEmpty()) {
            confirm(QStringLiteral("ファイルは保存できませんでした"));
            return std::nullopt;
        }
        // A folder or a device is not asked about: writing reports it.
        if (!QFileInfo(target).isFile() ||
            m_prompts.question(this,
                               target + QStringLiteral("\r\nは既に存在します。上書きしますか？"),
                               QStringView(kTitleConfirm).toString(), false)) {
            return target;
        }
        // Not that file: the save dialog again, as the dialog's own question would.
    }
}

void Form1::saveDocumentAs(const QString& target, std::int16_t saveFormat) {
    DocumentSource source = RichTextBox1->documentSource();
    // The document's length, when known before it is read (else a range of one).
    setBarRange(static_cast<float>(source.ready() ? source.text().size() : 1));
    TextFileWrite written;
    WorkProgress progress;
    BackgroundWork work;
    work.start([&] {
        // Encoded and written as it goes: the document is never copied.
        const std::u16string_view text = source.text();
        const ExportInput input{text, {}};
        std::size_t done = 0;
        const double total = static_cast<double>(std::max<std::size_t>(1, text.size()));
        written = writeTextFile(
            target,
            [&](const TextSink& piece) {
                saveFormatRow(saveFormat).write(input, [&](std::u16string_view slice) {
                    inSlices(slice, [&](std::u16string_view part) {
                        piece(part);
                        done += part.size();
                        progress.set(static_cast<double>(done) / total);
                    });
                });
                return true;
            },
            OutputEncoding::Cp932);
    });
    // The edit area holds the text being written: hidden while the window
    // answers, so that nothing changes it.
    const bool quick = work.wait(kQuickWrite);
    if (!quick) {
        showBusyDisplay();
        const Working working(*this);
        work.answer([&] { setBarFraction(progress.fraction()); });
    }
    try {
        work.rethrow();
    } catch (const std::exception&) {
        // Out of memory nothing is written: the old file and the document stay.
        if (!quick) endBusyDisplay();
        reportFailure(kSaveFailed, std::current_exception());
        return;
    }
    setBarFraction(1.0);
    if (!quick) endBusyDisplay();
    RichTextBox1->keepConverted(std::move(source));
    if (!written.ok) {
        confirm(QStringView(errorMessage(kSaveFailed, written.reason.toStdU16String())).toString());
        return;
    }
    documentSaved();
    confirm(QStringLiteral("ファイルを保存しました"));
    QCoreApplication::processEvents();
}

}  // namespace mozaru
