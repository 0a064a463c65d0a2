// The document's edit area: plain text, no wrapping, drops handed to the
// window, and the document's boundary (CR LF lines outside, the edit area's
// own line breaks inside).
#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>

class QMimeData;

namespace mozaru {

// Dropped data is never inserted into the text: every drop is passed on
// through dropped(), after the drop itself has ended, which the window
// answers by loading the first file.
class RichTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // The document: the whole text with CR LF line breaks. The view stays
    // valid until the text changes.
    std::u16string_view documentView() const;
    std::u16string documentText() const { return std::u16string(documentView()); }
    // One assignment of the whole text (raises one change event); any line
    // break (CR LF, CR, LF) becomes a line of the edit area.
    void setDocumentText(std::u16string_view text);
    // The same for a text the caller no longer needs: kept without a copy.
    void takeDocumentText(std::u16string&& text);
    // Whether the document is empty; known without building the text.
    bool isEmptyDocument() const;

signals:
    void dropped(const QMimeData* data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Shows text; owned, when given, is the string text views.
    void showDocumentText(std::u16string_view text, std::u16string* owned);

    // Reading an 8 MB document back from the edit area costs more than
    // extracting it, so the last written text is kept until the user edits.
    mutable std::u16string m_document;
    mutable bool m_documentKnown = true;
};

}  // namespace mozaru
