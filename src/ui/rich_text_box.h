// The document's edit area: plain text drawn in the AA face, no wrapping,
// drops handed to the window, one undo history for typing and whole-document
// commands, and the document's boundary (UTF-16 with CR LF lines outside,
// the editor's UTF-8 inside).
#pragma once

#include <Qsci/qsciscintilla.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ui/document_history.h"

class QMenu;
class QMimeData;

namespace mozaru {

// A document made ready for the edit area, on any thread: the editor's bytes,
// and the text documentView returns once they are in.
struct PreparedText {
    std::string bytes;
    std::u16string document;
};

// A whole-document step made ready on any thread: the document it replaces,
// packed for the history, and the new one.
struct PreparedStep {
    DocumentHistory::Packed before;
    PreparedText after;
};

// An undo or redo of a whole-document step made ready on any thread: the
// document it brings (none when the step was dropped for the budget) and,
// for an undo, the document it leaves, packed for a redo.
struct PreparedMove {
    bool gone = false;
    PreparedText text;
    DocumentHistory::Packed leaving;
};

// Called between the slices in which a long text goes into the edit area,
// with how far it has come (0 to 1): the window answers its events there.
using SliceHook = std::function<void(double fraction)>;

// The document as another thread reads it while the window is busy and
// nothing changes the edit area: the text kept, or else the editor's bytes,
// converted on that thread.
class DocumentSource {
public:
    std::u16string_view text();
    // Whether text() returns at once (else it converts the editor's bytes).
    bool ready() const { return m_known != nullptr || m_isConverted; }

private:
    friend class RichTextBox;
    const std::u16string* m_known = nullptr;
    std::string_view m_bytes;
    std::u16string m_converted;
    bool m_isConverted = false;
};

// A Scintilla editor: it takes a document of tens of megabytes and hundreds
// of thousands of lines in a fraction of a second, draws proportional fonts,
// and keeps every character as it is (U+2029 and the noncharacters too).
//
// Dropped data is never inserted into the text: every drop is passed on
// through dropped(), after the drop itself has ended, which the window
// answers by loading the first file.
class RichTextBox : public QsciScintilla {
    Q_OBJECT
public:
    // minSteps and budgetBytes: what the undo history keeps (DocumentHistory).
    explicit RichTextBox(QWidget* parent = nullptr,
                         std::size_t minSteps = DocumentHistory::kMinSteps,
                         std::size_t budgetBytes = DocumentHistory::kBudgetBytes);

    // The text's preparation, on any thread: any line break (CR LF, CR, LF)
    // becomes a CR LF line break.
    static PreparedText prepareText(std::u16string&& text);
    static PreparedStep prepareStep(std::u16string_view before, std::u16string&& after);

    // The document: the whole text with CR LF line breaks. The view stays
    // valid until the text changes.
    std::u16string_view documentView() const;
    // For work on another thread while nothing changes the edit area; what
    // it converted is kept afterwards (keepConverted), so that it is not
    // converted again.
    DocumentSource documentSource() const;
    void keepConverted(DocumentSource&& source);
    // One assignment of the whole text (raises one change event); any line
    // break (CR LF, CR, LF) becomes a CR LF line break. The undo history
    // starts afresh.
    void setDocumentText(std::u16string_view text);
    // The same for a prepared text, put in slice by slice with between
    // called after each but the last.
    void setDocumentText(PreparedText&& text, const SliceHook& between);
    // Replaces the document as one step of the undo history: undo() brings
    // back the document as it is now, typing before it included.
    void replaceDocument(std::u16string&& text);
    void replaceDocument(PreparedStep&& step, const SliceHook& between);
    // Whether the document is empty; known without building the text.
    bool isEmptyDocument() const;
    // Whether the text differs from what it was at the last save point (a
    // load, a save, setDocumentText); undo back to it counts as unchanged.
    bool isChanged() const;
    void setSavePoint();
    // The editor's bytes (UTF-8, CR LF lines; a lone surrogate in three
    // bytes), valid until the text changes: what editorToDocument reads back.
    std::string_view editorBytes() const;

    bool canUndo() const;
    bool canRedo() const;
    const DocumentHistory& history() const { return m_history; }

    // Undo and redo in halves, for the window to run a long whole-document
    // step beside its busy display: the editor's own step, which undoes
    // typing at once and returns the token of a whole-document step it
    // passed (0 when none); that step's document, made ready on any thread
    // while nothing else touches the edit area; and its end.
    int undoInEditor();
    int redoInEditor();
    PreparedMove prepareUndo(int token, DocumentSource& current) const;
    PreparedMove prepareRedo(int token) const;
    void finishUndo(int token, PreparedMove&& move, const SliceHook& between);
    void finishRedo(int token, PreparedMove&& move, const SliceHook& between);
    // Ends the history when a step could not be made (out of memory): the
    // document stays as it is.
    void endHistory();

    // The context menu is the window's: fill is called with an empty menu at
    // every right click.
    void setContextMenu(std::function<void(QMenu&)> fill) { m_fillMenu = std::move(fill); }

    // The AA face, for the text and for the widget.
    void setFont(const QFont& font);

public slots:
    // Typing and whole-document steps, newest first, all at once.
    void undo() override;
    void redo() override;
    void zoomReset() { zoomTo(0); }

signals:
    // The text changed: typing, every assignment, undo and redo.
    void changed();
    void dropped(const QMimeData* data);
    // The context menu is about to open for a line (the one under the
    // pointer, or the caret's): the window adds its own commands to it.
    void contextMenuOpening(QMenu* menu, int line);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // A document of the editor's own, not yet shown: released unless shown.
    struct DocumentRelease {
        RichTextBox* box = nullptr;
        void operator()(void* document) const;
    };
    using FilledDocument = std::unique_ptr<void, DocumentRelease>;

    // Shows a prepared text in the present document, slice by slice, as one change.
    void assign(PreparedText&& text, const SliceHook& between);
    // Fills a new document with the editor's bytes, on a second thread while
    // the window answers when between is given; throws std::bad_alloc when
    // memory runs out (nothing has changed then).
    FilledDocument fillDocument(std::string_view bytes, const SliceHook& between);
    // Shows it in place of the present document (as one change), with the
    // present one's settings; its undo history is empty.
    void showDocument(FilledDocument document, PreparedText&& text);
    // The end of either: the caret at the start, the text kept, the change told.
    void shown(PreparedText&& text);
    void modified(int type, int token);

    DocumentHistory m_history;
    std::function<void(QMenu&)> m_fillMenu;
    // Reading a large document back from the editor costs more than
    // extracting it, so the last written text is kept until the user edits.
    mutable std::u16string m_document;
    mutable bool m_documentKnown = true;
    bool m_assigning = false;
    int m_undoneStep = 0;  // set while undo() runs, by the editor's notice
    int m_redoneStep = 0;
};

}  // namespace mozaru
