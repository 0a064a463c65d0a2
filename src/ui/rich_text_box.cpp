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
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "ui/background_work.h"
#include "ui/editor_text.h"

// The loader Scintilla hands out for SCI_CREATELOADER: a document of its own,
// filled on any thread. QScintilla does not install Scintilla's header for
// it; this is its interface, under its own name (the sanitizer checks calls
// by the name, and in an anonymous namespace the compiler would take it for a
// class nothing derives from).
class ILoader {
public:
    virtual int Release() = 0;
    // A status of SC_STATUS_*; the text goes on at the end.
    virtual int AddData(const char* data, std::ptrdiff_t length) = 0;
    virtual void* ConvertToDocument() = 0;

protected:
    ~ILoader() = default;
};

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

// A long text goes into the editor in slices of about this many bytes, cut
// after a line break: the window answers its events between two.
constexpr std::size_t kSliceBytes = std::size_t{2} << 20;

// What Scintilla keeps per document rather than per view, carried over when
// the editor is given a document of its own.
constexpr unsigned int kDocumentSettings[][2] = {
    {QsciScintillaBase::SCI_GETCODEPAGE, QsciScintillaBase::SCI_SETCODEPAGE},
    {QsciScintillaBase::SCI_GETEOLMODE, QsciScintillaBase::SCI_SETEOLMODE},
    {QsciScintillaBase::SCI_GETTABWIDTH, QsciScintillaBase::SCI_SETTABWIDTH},
    {QsciScintillaBase::SCI_GETINDENT, QsciScintillaBase::SCI_SETINDENT},
    {QsciScintillaBase::SCI_GETUSETABS, QsciScintillaBase::SCI_SETUSETABS},
    {QsciScintillaBase::SCI_GETTABINDENTS, QsciScintillaBase::SCI_SETTABINDENTS},
    {QsciScintillaBase::SCI_GETBACKSPACEUNINDENTS, QsciScintillaBase::SCI_SETBACKSPACEUNINDENTS},
    {QsciScintillaBase::SCI_GETLINEENDTYPESALLOWED, QsciScintillaBase::SCI_SETLINEENDTYPESALLOWED},
};
// The character classes, in the order they are set: setting the word
// characters resets the other classes.
constexpr unsigned int kCharacterClasses[][2] = {
    {QsciScintillaBase::SCI_GETWORDCHARS, QsciScintillaBase::SCI_SETWORDCHARS},
    {QsciScintillaBase::SCI_GETWHITESPACECHARS, QsciScintillaBase::SCI_SETWHITESPACECHARS},
    {QsciScintillaBase::SCI_GETPUNCTUATIONCHARS, QsciScintillaBase::SCI_SETPUNCTUATIONCHARS},
};

// Where a text is cut after the line break nearest past at (its end when none).
std::size_t cutAfterLine(std::string_view bytes, std::size_t at) {
    if (at >= bytes.size()) return bytes.size();
    const std::size_t lineEnd = bytes.find('\n', at);
    return lineEnd == std::string_view::npos ? bytes.size() : lineEnd + 1;
}

}  // namespace

void RichTextBox::DocumentRelease::operator()(void* document) const {
    box->SendScintilla(SCI_RELEASEDOCUMENT, 0UL, document);
}

PreparedText RichTextBox::prepareText(std::u16string&& text) {
    PreparedText prepared;
    bool lineBreaksKept = false;
    prepared.bytes = documentToEditor(text, &lineBreaksKept);
    // What the editor then holds, as documentView would read it back: the
    // text itself when every line break in it was already a CR LF.
    prepared.document = lineBreaksKept ? std::move(text) : editorToDocument(prepared.bytes);
    return prepared;
}

PreparedStep RichTextBox::prepareStep(std::u16string_view before, std::u16string&& after) {
    // Packed first: if memory runs out there, nothing has changed.
    PreparedStep step;
    step.before = DocumentHistory::pack(before);
    step.after = prepareText(std::move(after));
    return step;
}

std::u16string_view DocumentSource::text() {
    if (m_known != nullptr) return *m_known;
    if (!m_isConverted) {
        m_converted = editorToDocument(m_bytes);
        m_isConverted = true;
    }
    return m_converted;
}

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
        m_document = editorToDocument(editorBytes());
        m_documentKnown = true;
    }
    return m_document;
}

std::string_view RichTextBox::editorBytes() const {
    auto* self = const_cast<RichTextBox*>(this);
    const auto length = static_cast<std::size_t>(self->SendScintilla(SCI_GETLENGTH));
    // As a pointer: SendScintilla answers a long, 32 bits on 64-bit Windows.
    const auto* bytes =
        static_cast<const char*>(self->SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    return {bytes, length};
}

DocumentSource RichTextBox::documentSource() const {
    DocumentSource source;
    if (m_documentKnown) {
        source.m_known = &m_document;
    } else {
        source.m_bytes = editorBytes();
    }
    return source;
}

void RichTextBox::keepConverted(DocumentSource&& source) {
    if (m_documentKnown || !source.m_isConverted) return;
    m_document = std::move(source.m_converted);
    m_documentKnown = true;
}

void RichTextBox::setDocumentText(std::u16string_view text) {
    setDocumentText(prepareText(std::u16string(text)), {});
}

void RichTextBox::setDocumentText(PreparedText&& text, const SliceHook& between) {
    FilledDocument document = fillDocument(text.bytes, between);
    m_history.clear();
    showDocument(std::move(document), std::move(text));
}

void RichTextBox::replaceDocument(std::u16string&& text) {
    replaceDocument(prepareStep(documentView(), std::move(text)), {});
}

void RichTextBox::replaceDocument(PreparedStep&& step, const SliceHook& between) {
    // With nothing to undo or redo, the editor's undo history holds nothing
    // that refers to the present document: a new one, filled beside the
    // window, takes its place. Else the text goes into the present one.
    FilledDocument document;
    if (!canUndo() && !canRedo()) document = fillDocument(step.after.bytes, between);
    // The step is stored before anything changes.
    const int token = m_history.push(std::move(step.before));
    if (document) {
        showDocument(std::move(document), std::move(step.after));
    } else {
        assign(std::move(step.after), between);
    }
    SendScintilla(SCI_ADDUNDOACTION, static_cast<unsigned long>(token), 0L);
}

bool RichTextBox::isEmptyDocument() const {
    return const_cast<RichTextBox*>(this)->SendScintilla(SCI_GETLENGTH) == 0;
}

bool RichTextBox::isChanged() const {
    return const_cast<RichTextBox*>(this)->SendScintilla(SCI_GETMODIFY) != 0;
}

void RichTextBox::setSavePoint() {
    SendScintilla(SCI_SETSAVEPOINT);
}

bool RichTextBox::canUndo() const {
    return const_cast<RichTextBox*>(this)->SendScintilla(SCI_CANUNDO) != 0;
}

bool RichTextBox::canRedo() const {
    return const_cast<RichTextBox*>(this)->SendScintilla(SCI_CANREDO) != 0;
}

void RichTextBox::assign(PreparedText&& text, const SliceHook& between) {
    const std::string_view bytes = text.bytes;
    const auto length = static_cast<std::size_t>(SendScintilla(SCI_GETLENGTH));
    // The editor's room first: without it the editor would be left empty.
    // Room that is there already is kept (a no-op).
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(bytes.size() + 2));
    if (SendScintilla(SCI_GETSTATUS) != SC_STATUS_OK) {
        SendScintilla(SCI_SETSTATUS, static_cast<unsigned long>(SC_STATUS_OK));
        throw std::bad_alloc();
    }
    // The replacement itself is never recorded: typing is, and a
    // whole-document step is a marker of its own (replaceDocument).
    m_assigning = true;
    m_documentKnown = false;
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    // Every change near the start: QScintilla tells its accessibility layer
    // where each change is in characters, counting them from the start of
    // the text, so a change at the end of a long text costs all of it. The
    // first byte of the old text stays until the end, so that the editor
    // keeps its room (it lets it go when the whole text is deleted at once).
    for (std::size_t left = length > 0 ? length - 1 : 0; left > 0;) {
        const std::size_t piece = std::min(left, kSliceBytes);
        SendScintilla(SCI_DELETERANGE, 1UL, static_cast<long>(piece));
        left -= piece;
        if (between) between(0.0);
    }
    const unsigned long at = length > 0 ? 1 : 0;
    std::vector<std::size_t> cuts{0};
    while (cuts.back() < bytes.size()) {
        cuts.push_back(cutAfterLine(bytes, cuts.back() + kSliceBytes));
    }
    // The slices go in last first, each before the one put in before it.
    for (std::size_t i = cuts.size() - 1; i > 0; --i) {
        SendScintilla(SCI_SETTARGETRANGE, at, static_cast<long>(at));
        SendScintilla(SCI_REPLACETARGET, static_cast<std::uintptr_t>(cuts[i] - cuts[i - 1]),
                      bytes.data() + cuts[i - 1]);
        if (between && i > 1) {
            between(static_cast<double>(bytes.size() - cuts[i - 1]) / bytes.size());
        }
    }
    if (length > 0) SendScintilla(SCI_DELETERANGE, 0UL, 1L);
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    m_assigning = false;
    shown(std::move(text));
}

RichTextBox::FilledDocument RichTextBox::fillDocument(std::string_view bytes,
                                                      const SliceHook& between) {
    auto* loader = static_cast<ILoader*>(SendScintillaPtrResult(SCI_CREATELOADER));
    if (loader == nullptr) throw std::bad_alloc();
    // In two pieces: making room for the second, the editor grows it by a
    // sixth or more, so that a step that lengthens the text (改行付加) finds
    // room there and makes none while the window waits.
    const std::size_t half = cutAfterLine(bytes, bytes.size() / 2);
    const auto fill = [loader, bytes, half](WorkProgress* progress) {
        int status = loader->AddData(bytes.data(), static_cast<std::ptrdiff_t>(half));
        if (progress != nullptr) progress->set(0.5);
        if (status == SC_STATUS_OK && half < bytes.size()) {
            status = loader->AddData(bytes.data() + half,
                                     static_cast<std::ptrdiff_t>(bytes.size() - half));
        }
        if (progress != nullptr) progress->set(1.0);
        return status;
    };
    int status = SC_STATUS_FAILURE;
    try {
        if (between) {
            WorkProgress progress;
            status = runWhileAnswering([&] { return fill(&progress); },
                                       [&] { between(progress.fraction()); });
        } else {
            status = fill(nullptr);
        }
    } catch (...) {
        loader->Release();
        throw;
    }
    if (status != SC_STATUS_OK) {
        loader->Release();
        throw std::bad_alloc();
    }
    return FilledDocument(loader->ConvertToDocument(), DocumentRelease{this});
}

void RichTextBox::showDocument(FilledDocument document, PreparedText&& text) {
    long settings[std::size(kDocumentSettings)] = {};
    for (std::size_t i = 0; i < std::size(kDocumentSettings); ++i) {
        settings[i] = SendScintilla(kDocumentSettings[i][0]);
    }
    std::string classes[std::size(kCharacterClasses)];
    for (std::size_t i = 0; i < std::size(kCharacterClasses); ++i) {
        classes[i].resize(static_cast<std::size_t>(SendScintilla(kCharacterClasses[i][0])));
        SendScintilla(kCharacterClasses[i][0], std::uintptr_t{0}, classes[i].data());
        // Set as a C string: NUL, in no class that can be set, stays a space.
        std::erase(classes[i], '\0');
    }
    // The editor takes its own reference and lets the old document go.
    SendScintilla(SCI_SETDOCPOINTER, 0UL, document.get());
    document.reset();
    for (std::size_t i = 0; i < std::size(kDocumentSettings); ++i) {
        SendScintilla(kDocumentSettings[i][1], static_cast<unsigned long>(settings[i]));
    }
    for (std::size_t i = 0; i < std::size(kCharacterClasses); ++i) {
        SendScintilla(kCharacterClasses[i][1], std::uintptr_t{0}, classes[i].c_str());
    }
    // Loaded without undo collection, and with none to empty.
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    shown(std::move(text));
}

void RichTextBox::shown(PreparedText&& text) {
    SendScintilla(SCI_GOTOPOS, 0UL);
    std::string().swap(text.bytes);
    m_document = std::move(text.document);
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

int RichTextBox::undoInEditor() {
    m_undoneStep = 0;
    QsciScintilla::undo();
    return std::exchange(m_undoneStep, 0);
}

int RichTextBox::redoInEditor() {
    m_redoneStep = 0;
    QsciScintilla::redo();
    return std::exchange(m_redoneStep, 0);
}

PreparedMove RichTextBox::prepareUndo(int token, DocumentSource& current) const {
    PreparedMove move;
    const DocumentHistory::Packed* before = m_history.before(token);
    move.gone = before == nullptr;
    if (move.gone) return move;
    move.leaving = DocumentHistory::pack(current.text());
    move.text = prepareText(DocumentHistory::unpack(*before));
    return move;
}

PreparedMove RichTextBox::prepareRedo(int token) const {
    PreparedMove move;
    const DocumentHistory::Packed* after = m_history.after(token);
    move.gone = after == nullptr;
    if (!move.gone) move.text = prepareText(DocumentHistory::unpack(*after));
    return move;
}

void RichTextBox::finishUndo(int token, PreparedMove&& move, const SliceHook& between) {
    if (move.gone) {
        // Dropped for the budget: the history ends here, and what the
        // editor holds stays as it is.
        endHistory();
        return;
    }
    m_history.undone(token, std::move(move.leaving));
    assign(std::move(move.text), between);
}

void RichTextBox::finishRedo(int token, PreparedMove&& move, const SliceHook& between) {
    if (move.gone) {
        endHistory();
        return;
    }
    m_history.redone(token);
    assign(std::move(move.text), between);
}

void RichTextBox::endHistory() {
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    m_history.clear();
}

void RichTextBox::undo() {
    if (const int token = undoInEditor()) {
        DocumentSource current = documentSource();
        finishUndo(token, prepareUndo(token, current), {});
    }
}

void RichTextBox::redo() {
    if (const int token = redoInEditor()) finishRedo(token, prepareRedo(token), {});
}

void RichTextBox::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_fillMenu) return;
    QMenu menu(this);
    m_fillMenu(menu);
    int line = event->reason() == QContextMenuEvent::Mouse ? lineAt(event->pos()) : -1;
    if (line < 0) {
        int index = 0;
        getCursorPosition(&line, &index);
    }
    emit contextMenuOpening(&menu, line);
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
