// A document dropped onto the edit area, or named on the command line:
// both end in LoadDocument.
#include <QDir>
#include <QMimeData>
#include <QUrl>

#include "app/form1.h"
#ifdef _WIN32
#include "files/argument_text.h"
#endif
#include "files/expand_long_path.h"
#include "files/paths.h"
#include "text/messages.h"
#include "ui/event_yield.h"
#include "ui/rich_text_box.h"

namespace mozaru {

void Form1::RichTextBox1_OLEDragDrop(const QMimeData* data) {
    // A drop while a command lets events through would replace its document
    // and end its busy state under it.
    if (BusyFlag != kFalse || m_working) return;
    EnableCommands(kFalse);
    // Text dragged from elsewhere carries no file name: nothing to load.
    const QList<QUrl> urls = data != nullptr ? data->urls() : QList<QUrl>();
    if (!urls.isEmpty() && urls.first().isLocalFile()) {
        const QString path = QDir::toNativeSeparators(urls.first().toLocalFile());
        bool hasDot = false;
        try {
            hasDot = droppedPathHasDot(path.toStdU16String());
        } catch (const PathOverflow&) {
            // So long a path cannot be a file's; LoadDocument reports it.
            hasDot = true;
        }
        if (hasDot) {
            LoadDocument(path);
        } else {
            m_prompts.message(this, QStringLiteral("不正なファイルな為読み込みに失敗しました"),
                              QStringView(kTitleWarning).toString());
        }
    }
    EnableCommands(kTrue);
    RichTextBox1->setFocus(Qt::OtherFocusReason);
}

void Form1::showWhileLoading() {
    // A large page takes seconds: the window shows its busy label meanwhile,
    // and a question or a failure comes over it.
    show();
    EventYield().now();
}

void Form1::OpenCommandLineFile() {
#ifdef _WIN32
    // The raw text, not the arguments Qt split: quotes and spaces as typed.
    const std::u16string text = programArgumentText();
    if (text.empty()) return;
    EnableCommands(kFalse);
    showWhileLoading();
    if (const std::optional<std::u16string> path = commandLinePath(text)) {
        LoadDocument(QStringView(ExpandLongPath(*path)).toString());
    }
    EnableCommands(kTrue);
#else
    // No drive letters here: the first argument is the document, relative to
    // the current folder when it is not absolute.
    if (m_arguments.isEmpty() || m_arguments.first().isEmpty()) return;
    EnableCommands(kFalse);
    showWhileLoading();
    LoadDocument(QStringView(ExpandLongPath(m_arguments.first().toStdU16String())).toString());
    EnableCommands(kTrue);
#endif
}

}  // namespace mozaru
