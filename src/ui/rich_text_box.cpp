// The document's edit area: a Scintilla editor holding the document as UTF-8
// with CR LF lines, its undo history and its drops.
#include "ui/rich_text_box.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFontInfo>
#include <QMenu>
#include <QMimeData>
#include <QWheelEvent>
#include <memory>

#include "ui/editor_text.h"

namespace mozaru {

namespace {

// The texts Qt's own edit areas show in their menu, in the language Qt's
// translation was loaded for.
QString editText(const char* source) {
    return QCoreApplication::translate("QWidgetTextControl", source);
}

}  // namespace

RichTextBox::RichTextBox(QWidget* parent) : QsciScintilla(parent) {
    setUtf8(true);
    setEolMode(EolWindows);
    setWrapMode(WrapNone);
    for (int margin = 0; margin < 5; ++margin) setMarginWidth(margin, 0);
    // A line runs on to its line break and the area scrolls sideways as far
    // as the longest line seen.
    SendScintilla(SCI_SETSCROLLWIDTH, 1UL);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1UL);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1UL);
    connect(
        this, &QsciScintillaBase::SCN_MODIFIED, this,
        [this](int, int type, const char*, int, int, int, int, int, int, int) { modified(type); });
}

void RichTextBox::setFont(const QFont& font) {
    // The editor draws with one family name: the one the list resolves to
    // here (ＭＳ Ｐゴシック on Windows, Monapo or IPA's faces elsewhere). The
    // widget keeps the whole list.
    QFont face = font;
    face.setFamily(QFontInfo(font).family());
    QsciScintilla::setFont(face);
    QWidget::setFont(font);
}

std::u16string_view RichTextBox::documentView() const {
    if (!m_documentKnown) {
        auto* self = const_cast<RichTextBox*>(this);
        const auto length = static_cast<std::size_t>(self->SendScintilla(SCI_GETLENGTH));
        const auto* bytes =
            reinterpret_cast<const char*>(self->SendScintilla(SCI_GETCHARACTERPOINTER));
        m_document = editorToDocument(std::string_view(bytes, length));
        m_documentKnown = true;
    }
    return m_document;
}

void RichTextBox::setDocumentText(std::u16string_view text) {
    assign(text, nullptr);
}

void RichTextBox::takeDocumentText(std::u16string&& text) {
    assign(text, &text);
}

bool RichTextBox::isEmptyDocument() const {
    return const_cast<RichTextBox*>(this)->SendScintilla(SCI_GETLENGTH) == 0;
}

void RichTextBox::assign(std::u16string_view text, std::u16string* owned) {
    bool lineBreaksKept = false;
    const std::string bytes = documentToEditor(text, &lineBreaksKept);
    // An assignment starts the typing history afresh, as it always has.
    m_assigning = true;
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_ADDTEXT, static_cast<unsigned long>(bytes.size()), bytes.data());
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_GOTOPOS, 0UL);
    m_assigning = false;
    // What the editor now holds, as documentView would read it back: the text
    // itself when every line break in it was already a CR LF.
    if (!lineBreaksKept) {
        m_document = editorToDocument(bytes);
    } else if (owned != nullptr) {
        m_document = std::move(*owned);
    } else {
        m_document.assign(text);
    }
    m_documentKnown = true;
    emit changed();
}

void RichTextBox::modified(int type) {
    if ((type & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) == 0 || m_assigning) return;
    m_documentKnown = false;
    emit changed();
}

void RichTextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    const bool editable = !isReadOnly();
    const bool selected = hasSelectedText();
    const auto add = [&](const char* text, const QKeySequence& keys, bool enabled, auto slot) {
        QAction* action = menu.addAction(editText(text), this, slot);
        action->setShortcut(keys);
        action->setEnabled(enabled);
    };
    add("&Undo", QKeySequence::Undo, editable && isUndoAvailable(), &RichTextBox::undo);
    add("&Redo", QKeySequence::Redo, editable && isRedoAvailable(), &RichTextBox::redo);
    menu.addSeparator();
    add("Cu&t", QKeySequence::Cut, editable && selected, &RichTextBox::cut);
    add("&Copy", QKeySequence::Copy, selected, &RichTextBox::copy);
    add("&Paste", QKeySequence::Paste, editable, &RichTextBox::paste);
    add("Delete", QKeySequence(), editable && selected, &RichTextBox::removeSelectedText);
    menu.addSeparator();
    add("Select All", QKeySequence::SelectAll, !isEmptyDocument(), [this] { selectAll(); });
    menu.exec(event->globalPos());
}

void RichTextBox::wheelEvent(QWheelEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) != 0) {
        // The face grows and shrinks for reading; nothing of it is saved.
        if (event->angleDelta().y() > 0) zoomIn();
        if (event->angleDelta().y() < 0) zoomOut();
        event->accept();
        return;
    }
    QsciScintilla::wheelEvent(event);
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
