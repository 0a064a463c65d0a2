// The document's edit area: plain text, no wrapping, drops handed to the window.
#include "app/rich_text_box.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

namespace mozaru {

RichTextBox::RichTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setAcceptDrops(true);
}

void RichTextBox::dragEnterEvent(QDragEnterEvent* event) {
    event->acceptProposedAction();
}

void RichTextBox::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}

void RichTextBox::dropEvent(QDropEvent* event) {
    // A copy, never a move: a drag that started in this text must not lose
    // its selection when the drop is not inserted.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit dropped(event->mimeData());
}

}  // namespace mozaru
