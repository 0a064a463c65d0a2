// The real message boxes and file dialogs behind the Prompts interface.
#include "ui/qt_prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "ui/common_dialog.h"

namespace mozaru {

namespace {

// 1-based entry of the filter the dialog reports as selected; it reports the
// description alone when the patterns are hidden. 0 when none matches.
int filterIndexOf(const QStringList& filters, const QString& selected) {
    for (qsizetype k = 0; k < filters.size(); ++k) {
        if (filters[k] == selected || filters[k].startsWith(selected + QStringLiteral(" ("))) {
            return static_cast<int>(k) + 1;
        }
    }
    return 0;
}

std::optional<QString> runFileDialog(QWidget* parent, CommonDialog& dialog,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog fileDialog(parent);
    fileDialog.setAcceptMode(mode);
    // A typed name of a file that does not exist is accepted; the caller reports it.
    fileDialog.setFileMode(QFileDialog::AnyFile);
    // The descriptions carry their own patterns and are shown exactly as given.
    fileDialog.setOption(QFileDialog::HideNameFilterDetails);
    if ((dialog.flags & kDialogFlagOverwritePrompt) == 0) {
        fileDialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    const QStringList filters = nameFilters(dialog.filter);
    fileDialog.setNameFilters(filters);
    if (dialog.filterIndex >= 1 && dialog.filterIndex <= filters.size()) {
        fileDialog.selectNameFilter(filters.at(dialog.filterIndex - 1));
    }
    if (!dialog.initDir.isEmpty()) fileDialog.setDirectory(dialog.initDir);
    if (!dialog.fileName.isEmpty()) fileDialog.selectFile(dialog.fileName);

    if (fileDialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = fileDialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    dialog.fileName = QDir::toNativeSeparators(chosen.first());
    const int filter = filterIndexOf(filters, fileDialog.selectedNameFilter());
    if (filter > 0) dialog.filterIndex = filter;
    return dialog.fileName;
}

}  // namespace

void QtPrompts::message(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtPrompts::question(QWidget* parent, const QString& text, const QString& title,
                         bool yesIsDefault) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompts::openFile(QWidget* parent, CommonDialog& dialog) {
    return runFileDialog(parent, dialog, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompts::saveFile(QWidget* parent, CommonDialog& dialog) {
    return runFileDialog(parent, dialog, QFileDialog::AcceptSave);
}

void QtPrompts::exec(QDialog& dialog) {
    dialog.exec();
}

}  // namespace mozaru
