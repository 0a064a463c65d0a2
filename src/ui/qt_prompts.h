// The real message boxes and file dialogs behind the Prompts interface.
#pragma once

#include "ui/prompts.h"

namespace mozaru {

class QtPrompts : public Prompts {
public:
    void message(QWidget* parent, const QString& text, const QString& title) override;
    bool question(QWidget* parent, const QString& text, const QString& title,
                  bool yesIsDefault) override;
    std::optional<QString> openFile(QWidget* parent, CommonDialog& dialog) override;
    std::optional<QString> saveFile(QWidget* parent, CommonDialog& dialog) override;
    void exec(QDialog& dialog) override;
};

}  // namespace mozaru
