// The real message boxes and file dialogs behind the Prompts interface.
#include "ui/qt_prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "ui/common_dialog.h"

namespace mozaru {

namespace {

#ifndef _WIN32
// Qt's file model writes sizes in KiB, dates in the system's locale and a
// folder's type in English; the columns are shown here as a Japanese desktop
// shows them ("2 バイト", "20.0 KB", "2026/12/09 12:49", "フォルダ").
class JapaneseFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr || index.column() == 0) {
            return QIdentityProxyModel::data(index, role);
        }
        const QFileInfo info = files->fileInfo(mapToSource(index));
        const QLocale japanese(QLocale::Japanese, QLocale::Japan);
        switch (index.column()) {
            case 1:
                if (info.isDir()) return QString();
                return japanese.formattedDataSize(info.size(), 1,
                                                  QLocale::DataSizeTraditionalFormat);
            case 2:
                if (info.isDir()) return QFileDialog::tr("Folder");
                break;
            case 3:
                return japanese.toString(info.lastModified(), QLocale::ShortFormat);
            default:
                break;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// Room for what the side bar and the columns hold, so that nothing is cut:
// "コンピュータ", "HTML ドキュメント", a whole date.
void fitToTheTexts(QFileDialog& dialog) {
    const QFontMetrics metrics = dialog.fontMetrics();
    const int pad = 3 * metrics.averageCharWidth();
    int sidebarWidth = 0;
    if (auto* sidebar = dialog.findChild<QListView*>(QStringLiteral("sidebar"))) {
        sidebarWidth = sidebar->sizeHintForColumn(0) + 2 * sidebar->frameWidth() + pad;
    }
    int columnsWidth = 40 * metrics.averageCharWidth();  // the names
    if (auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = tree->header();
        const QString widest[] = {QStringLiteral("999.9 KB"),
                                  QStringLiteral("プレーンテキストドキュメント"),
                                  QStringLiteral("0000/00/00 00:00")};
        for (int column = 1; column <= 3; ++column) {
            const int width = metrics.horizontalAdvance(widest[column - 1]) + pad;
            header->resizeSection(column, width);
            columnsWidth += width;
        }
    }
    const int wanted = sidebarWidth + columnsWidth + 6 * pad;
    if (dialog.width() < wanted)
        dialog.resize(wanted, std::max(dialog.height(), 30 * metrics.height()));
    if (auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"))) {
        const QList<int> sizes = splitter->sizes();
        const int total = sizes.value(0) + sizes.value(1);
        if (sizes.value(0) < sidebarWidth && total > sidebarWidth) {
            splitter->setSizes({sidebarWidth, total - sidebarWidth});
        }
    }
}
#endif

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
#ifndef _WIN32
    // Qt's own dialog, in Japanese whatever the desktop's language; Windows'
    // dialog is the system's own and speaks the system's language.
    fileDialog.setOption(QFileDialog::DontUseNativeDialog);
    fileDialog.setProxyModel(new JapaneseFileColumns(&fileDialog));
#endif
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
#ifndef _WIN32
    // Once shown: the dialog sets its splitter up when it appears.
    QTimer::singleShot(0, &fileDialog, [&fileDialog] { fitToTheTexts(fileDialog); });
#endif

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
