// The document's edit area: plain text, no wrapping, drops handed to the window.
#pragma once

#include <QPlainTextEdit>

class QMimeData;

namespace mozaru {

// Dropped data is never inserted into the text: every drop is passed on
// through dropped(), after the drop itself has ended, which the window
// answers by loading the first file.
class RichTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);

signals:
    void dropped(const QMimeData* data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace mozaru
