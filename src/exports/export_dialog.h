// The エクスポート dialog: which output the document's kept pictures go to,
// whose posts, and with headers or headings.
#pragma once

#include <QDialog>

#include "exports/exports.h"
#include "extract/post_author.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace mozaru {

// What the dialog chooses; the window keeps it for the next time.
struct ExportChoices {
    ExportId to = ExportId::Page;
    AuthorChoice author;
    bool withHeader = false;
    bool headings = false;
};

// A query object: setChoices fills the controls, the caller shows the dialog,
// and accepted() and choices() tell what was confirmed once it has closed.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExportDialog(QWidget* parent = nullptr);

    void setChoices(const ExportChoices& choices);
    // The controls' choice; an author by ID, trip or name with nothing typed is off.
    ExportChoices choices() const;
    bool accepted() const { return result() == QDialog::Accepted; }

private:
    // Headings only for the libraries; a value only for a key that takes one.
    void follow();

    QComboBox* m_output = nullptr;
    QComboBox* m_author = nullptr;
    QLineEdit* m_value = nullptr;
    QCheckBox* m_withHeader = nullptr;
    QCheckBox* m_headings = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace mozaru
