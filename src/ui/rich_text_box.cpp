// The document's edit area: a Scintilla editor holding the document as UTF-8
// with CR LF lines, its undo history and its drops.
#include "ui/rich_text_box.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QWheelEvent>
#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "ui/editor_text.h"

namespace mozaru {

namespace {

// The editor's own commands that stay on their keys: moving and selecting,
// deleting, the clipboard, typing's own keys. Every other binding goes (the
// line commands, case changes, paragraph and word-part moves, its undo, redo
// and zoom, which the window owns), so that each key the edit area acts on
// is one the manual lists.
constexpr QsciCommand::Command kEditorCommands[] = {
    QsciCommand::LineDown,
    QsciCommand::LineDownExtend,
    QsciCommand::LineDownRectExtend,
    QsciCommand::LineUp,
    QsciCommand::LineUpExtend,
    QsciCommand::LineUpRectExtend,
    QsciCommand::CharLeft,
    QsciCommand::CharLeftExtend,
    QsciCommand::CharLeftRectExtend,
    QsciCommand::CharRight,
    QsciCommand::CharRightExtend,
    QsciCommand::CharRightRectExtend,
    QsciCommand::WordLeft,
    QsciCommand::WordLeftExtend,
    QsciCommand::WordRight,
    QsciCommand::WordRightExtend,
    QsciCommand::VCHome,
    QsciCommand::VCHomeExtend,
    QsciCommand::VCHomeRectExtend,
    QsciCommand::LineEnd,
    QsciCommand::LineEndExtend,
    QsciCommand::LineEndRectExtend,
    QsciCommand::DocumentStart,
    QsciCommand::DocumentStartExtend,
    QsciCommand::DocumentEnd,
    QsciCommand::DocumentEndExtend,
    QsciCommand::PageUp,
    QsciCommand::PageUpExtend,
    QsciCommand::PageUpRectExtend,
    QsciCommand::PageDown,
    QsciCommand::PageDownExtend,
    QsciCommand::PageDownRectExtend,
    QsciCommand::Delete,
    QsciCommand::DeleteBack,
    QsciCommand::DeleteWordLeft,
    QsciCommand::DeleteWordRight,
    QsciCommand::SelectAll,
    QsciCommand::SelectionCut,
    QsciCommand::SelectionCopy,
    QsciCommand::Paste,
    QsciCommand::EditToggleOvertype,
    QsciCommand::Newline,
    QsciCommand::Tab,
    QsciCommand::Backtab,
    QsciCommand::Cancel,
};

void keepEditorKeys(QsciCommandSet& commands) {
    for (QsciCommand* command : commands.commands()) {
        if (std::find(std::begin(kEditorCommands), std::end(kEditorCommands), command->command()) !=
            std::end(kEditorCommands)) {
            continue;
        }
        command->setKey(0);
        command->setAlternateKey(0);
    }
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
    keepEditorKeys(*standardCommands());
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
    if (!m_fillMenu) return;
    QMenu menu(this);
    m_fillMenu(menu);
    menu.exec(event->globalPos());
}

void RichTextBox::keyPressEvent(QKeyEvent* event) {
    // A chord with Ctrl or Alt that no command of the editor takes types
    // nothing (the editor would type Ctrl+1's "1"). Both together are AltGr
    // on Windows keyboards, which types characters.
    const Qt::KeyboardModifiers chord =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (chord == Qt::ControlModifier || chord == Qt::AltModifier) {
        const int key = event->key() | static_cast<int>(event->modifiers() &
                                                        (Qt::ShiftModifier | Qt::ControlModifier |
                                                         Qt::AltModifier | Qt::MetaModifier));
        if (standardCommands()->boundTo(key) == nullptr) {
            event->ignore();
            return;
        }
    }
    QsciScintilla::keyPressEvent(event);
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
