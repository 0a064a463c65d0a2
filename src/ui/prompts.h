// Everything modal that the main window asks of the user, behind one interface,
// so tests can answer it without a screen.
#pragma once

#include <QString>
#include <optional>

class QDialog;
class QWidget;

namespace mozaru {

struct CommonDialog;

class Prompts {
public:
    virtual ~Prompts() = default;
    // A message box with an OK button and no icon.
    virtual void message(QWidget* parent, const QString& text, const QString& title) = 0;
    // A Yes/No box with no icon; true for Yes.
    virtual bool question(QWidget* parent, const QString& text, const QString& title,
                          bool yesIsDefault) = 0;
    // The open and save file dialogs over the shared state. They return the
    // chosen full path (also left in dialog.fileName), or nothing when cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, CommonDialog& dialog) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, CommonDialog& dialog) = 0;
    // Shows a prepared dialog (the precision or the format dialog) modally and
    // returns when it has closed.
    virtual void exec(QDialog& dialog) = 0;
};

}  // namespace mozaru
