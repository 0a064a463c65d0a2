// The document's edit area: plain text, no wrapping, drops handed to the
// window, and the document's boundary.
#include "ui/rich_text_box.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTextDocument>
#include <algorithm>
#include <memory>

#include "ui/editor_text.h"

namespace mozaru {

RichTextBox::RichTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setAcceptDrops(true);
    connect(document(), &QTextDocument::contentsChange, this, [this] { m_documentKnown = false; });
}

std::u16string_view RichTextBox::documentView() const {
    if (!m_documentKnown) {
        // The raw text keeps no-break spaces, which toPlainText would turn into spaces.
        const QString raw = document()->toRawText();
        m_document = editorToDocument(std::u16string_view(
            reinterpret_cast<const char16_t*>(raw.utf16()), static_cast<std::size_t>(raw.size())));
        m_documentKnown = true;
    }
    return m_document;
}

void RichTextBox::setDocumentText(std::u16string_view text) {
    showDocumentText(text, nullptr);
}

void RichTextBox::takeDocumentText(std::u16string&& text) {
    showDocumentText(text, &text);
}

bool RichTextBox::isEmptyDocument() const {
    return document()->isEmpty();
}

void RichTextBox::showDocumentText(std::u16string_view text, std::u16string* owned) {
    // Converted straight into the string the edit area takes: a 50 MB page
    // is 100 MB of UTF-16, and every copy of it shows.
    QString editor(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    const std::size_t length = documentToEditor(text, reinterpret_cast<char16_t*>(editor.data()));
    editor.truncate(static_cast<qsizetype>(length));
    setPlainText(editor);
    // What the edit area now holds, as documentView would read it back: the
    // text itself when every line break in it was already a CR LF.
    const auto lines = static_cast<std::size_t>(std::count(editor.cbegin(), editor.cend(), u'\n'));
    if (length + lines == text.size()) {
        if (owned != nullptr) {
            m_document = std::move(*owned);
        } else {
            m_document.assign(text);
        }
    } else {
        m_document = editorToDocument(
            std::u16string_view(reinterpret_cast<const char16_t*>(editor.utf16()), length));
    }
    m_documentKnown = true;
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
    // Handled once the drop has returned: loading asks questions in modal
    // boxes, which must not run while the source still waits for the drop.
    // The drag's data goes with the drag, so the handler gets a copy.
    auto copy = std::make_shared<QMimeData>();
    const QMimeData* data = event->mimeData();
    for (const QString& format : data->formats()) copy->setData(format, data->data(format));
    QMetaObject::invokeMethod(
        this, [this, copy] { emit dropped(copy.get()); }, Qt::QueuedConnection);
}

}  // namespace mozaru
