// The document's edit area: plain text drawn in the AA face, no wrapping,
// drops handed to the window, one undo history for typing and whole-document
// commands, and the document's boundary (UTF-16 with CR LF lines outside,
// the editor's UTF-8 inside).
#pragma once

#include <Qsci/qsciscintilla.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/document_history.h"

class QMenu;
class QMimeData;

namespace mozaru {

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

    // The document: the whole text with CR LF line breaks. The view stays
    // valid until the text changes.
    std::u16string_view documentView() const;
    // One assignment of the whole text (raises one change event); any line
    // break (CR LF, CR, LF) becomes a CR LF line break. The undo history
    // starts afresh.
    void setDocumentText(std::u16string_view text);
    // Replaces the document as one step of the undo history: undo() brings
    // back the document as it is now, typing before it included.
    void replaceDocument(std::u16string&& text);
    // Whether the document is empty; known without building the text.
    bool isEmptyDocument() const;

    bool canUndo() const;
    bool canRedo() const;
    const DocumentHistory& history() const { return m_history; }

    // The context menu is the window's: fill is called with an empty menu at
    // every right click.
    void setContextMenu(std::function<void(QMenu&)> fill) { m_fillMenu = std::move(fill); }

    // The AA face, for the text and for the widget.
    void setFont(const QFont& font);

public slots:
    // Typing and whole-document steps, newest first.
    void undo() override;
    void redo() override;
    void zoomReset() { zoomTo(0); }

signals:
    // The text changed: typing, every assignment, undo and redo.
    void changed();
    void dropped(const QMimeData* data);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Shows text; owned, when given, is the string text views.
    void assign(std::u16string_view text, std::u16string* owned);
    void modified(int type, int token);
    // Undo and redo leave the document for the window to see as one change.
    void stepBack(int token);
    void stepForward(int token);

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
