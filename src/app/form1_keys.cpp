// The window's keys: undo and redo of typing and of the whole-document
// commands alike.
#include <QKeySequence>
#include <QShortcut>

#include "app/form1.h"
#include "ui/rich_text_box.h"

namespace mozaru {

void Form1::createShortcuts() {
    // Never while a command runs: it holds the document.
    const auto key = [this](QKeySequence keys, void (RichTextBox::*step)()) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, step] {
            if (BusyFlag == kFalse) (RichTextBox1->*step)();
        });
    };
    key(QKeySequence::Undo, &RichTextBox::undo);
    key(Qt::CTRL | Qt::Key_Y, &RichTextBox::redo);
    key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, &RichTextBox::redo);
}

}  // namespace mozaru
