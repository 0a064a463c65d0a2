// The document's edit area: a Scintilla editor holding the document as UTF-8
// with CR LF lines, its undo history and its drops.
#include "ui/rich_text_box.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

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
#include <new>
#include <optional>
#include <utility>

#include "ui/editor_text.h"

namespace mozaru {

namespace {

// Keys the window takes for its own shortcuts (undo and redo included, which
// must pass through the window's history); the editor gives them up.
constexpr QKeyCombination kWindowKeys[] = {
    Qt::CTRL | Qt::Key_Z,
    Qt::CTRL | Qt::Key_Y,
    Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
    Qt::ALT | Qt::Key_Backspace,
    Qt::CTRL | Qt::Key_O,
    Qt::CTRL | Qt::Key_S,
    Qt::CTRL | Qt::SHIFT | Qt::Key_S,
    Qt::CTRL | Qt::Key_E,
    Qt::CTRL | Qt::Key_Return,
    Qt::CTRL | Qt::Key_Enter,
    Qt::CTRL | Qt::SHIFT | Qt::Key_Return,
    Qt::CTRL | Qt::SHIFT | Qt::Key_Enter,
    QKeyCombination(Qt::Key_F1),
    Qt::CTRL | Qt::Key_Plus,
    Qt::CTRL | Qt::Key_Minus,
    Qt::CTRL | Qt::Key_Equal,
};

void releaseKeys(QsciCommandSet& commands) {
    for (const QKeyCombination combination : kWindowKeys) {
        const int key = combination.toCombined();
        while (QsciCommand* command = commands.boundTo(key)) {
            if (command->key() == key) command->setKey(0);
            if (command->alternateKey() == key) command->setAlternateKey(0);
        }
    }
}

// The texts Qt's own edit areas show in their menu, in the language Qt's
// translation was loaded for.
QString editText(const char* source) {
    return QCoreApplication::translate("QWidgetTextControl", source);
}

}  // namespace

RichTextBox::RichTextBox(QWidget* parent, std::size_t minSteps, std::size_t budgetBytes)
    : QsciScintilla(parent), m_history(minSteps, budgetBytes) {
    setUtf8(true);
    setEolMode(EolWindows);
    setWrapMode(WrapNone);
    for (int margin = 0; margin < 5; ++margin) setMarginWidth(margin, 0);
    // A line runs on to its line break and the area scrolls sideways as far
    // as the longest line seen.
    SendScintilla(SCI_SETSCROLLWIDTH, 1UL);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1UL);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1UL);
    releaseKeys(*standardCommands());
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int, int type, const char*, int, int, int, int, int, int token, int) {
                modified(type, token);
            });
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
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    m_history.clear();
}

void RichTextBox::replaceDocument(std::u16string&& text) {
    // The step is stored before anything changes: if that fails, the
    // document stays as it was.
    const int token = m_history.push(documentView());
    assign(text, &text);
    SendScintilla(SCI_ADDUNDOACTION, static_cast<unsigned long>(token), 0L);
}

bool RichTextBox::isEmptyDocument() const {
    return const_cast<RichTextBox*>(this)->SendScintilla(SCI_GETLENGTH) == 0;
}

bool RichTextBox::canUndo() const {
    return const_cast<RichTextBox*>(this)->SendScintilla(SCI_CANUNDO) != 0;
}

bool RichTextBox::canRedo() const {
    return const_cast<RichTextBox*>(this)->SendScintilla(SCI_CANREDO) != 0;
}

void RichTextBox::assign(std::u16string_view text, std::u16string* owned) {
    bool lineBreaksKept = false;
    const std::string bytes = documentToEditor(text, &lineBreaksKept);
    // The replacement itself is never recorded: typing is, and a whole-document
    // step is a marker of its own (replaceDocument).
    // The editor's room first: without it the editor would be left empty.
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(bytes.size()));
    if (SendScintilla(SCI_GETSTATUS) != SC_STATUS_OK) {
        SendScintilla(SCI_SETSTATUS, static_cast<unsigned long>(SC_STATUS_OK));
        throw std::bad_alloc();
    }
    m_assigning = true;
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_ADDTEXT, static_cast<unsigned long>(bytes.size()), bytes.data());
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
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

void RichTextBox::modified(int type, int token) {
    if ((type & SC_MOD_CONTAINER) != 0) {
        // A whole-document step passed by; undo() and redo() act on it once
        // the editor has finished its own step.
        if ((type & SC_PERFORMED_UNDO) != 0) m_undoneStep = token;
        if ((type & SC_PERFORMED_REDO) != 0) m_redoneStep = token;
        return;
    }
    if ((type & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) == 0 || m_assigning) return;
    m_documentKnown = false;
    // Typing ends what could be redone, in the editor and here.
    if ((type & SC_PERFORMED_USER) != 0) m_history.dropUndone();
    emit changed();
}

void RichTextBox::undo() {
    m_undoneStep = 0;
    QsciScintilla::undo();
    if (m_undoneStep != 0) stepBack(std::exchange(m_undoneStep, 0));
}

void RichTextBox::redo() {
    m_redoneStep = 0;
    QsciScintilla::redo();
    if (m_redoneStep != 0) stepForward(std::exchange(m_redoneStep, 0));
}

void RichTextBox::stepBack(int token) {
    std::optional<std::u16string> before = m_history.undo(token, documentView());
    if (!before) {
        // Dropped for the budget: the history ends here, and what the editor
        // holds stays as it is.
        SendScintilla(SCI_EMPTYUNDOBUFFER);
        m_history.clear();
        return;
    }
    assign(*before, &*before);
}

void RichTextBox::stepForward(int token) {
    std::optional<std::u16string> after = m_history.redo(token);
    if (!after) {
        SendScintilla(SCI_EMPTYUNDOBUFFER);
        m_history.clear();
        return;
    }
    assign(*after, &*after);
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
    add("&Undo", QKeySequence::Undo, editable && canUndo(), &RichTextBox::undo);
    add("&Redo", QKeySequence::Redo, editable && canRedo(), &RichTextBox::redo);
    menu.addSeparator();
    add("Cu&t", QKeySequence::Cut, editable && selected, &RichTextBox::cut);
    add("&Copy", QKeySequence::Copy, selected, &RichTextBox::copy);
    add("&Paste", QKeySequence::Paste, editable, &RichTextBox::paste);
    add("Delete", QKeySequence(), editable && selected, &RichTextBox::removeSelectedText);
    menu.addSeparator();
    add("Select All", QKeySequence::SelectAll, !isEmptyDocument(), [this] { selectAll(); });
    int line = event->reason() == QContextMenuEvent::Mouse ? lineAt(event->pos()) : -1;
    if (line < 0) {
        int index = 0;
        getCursorPosition(&line, &index);
    }
    emit contextMenuOpening(&menu, line);
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
