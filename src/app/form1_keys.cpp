// The window's keys: one per command, undo and redo of typing and of the
// whole-document commands alike, and the edit area's zoom.
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

#include "app/form1.h"
#include "ui/rich_text_box.h"

namespace mozaru {

void Form1::createShortcuts() {
    // A command's key is its button's click: nothing while the button is
    // disabled (busy, or the enabling rule), the captions unchanged.
    const auto command = [this](QKeySequence keys, QPushButton* button) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled()) button->click();
        });
    };
    command(QKeySequence::Open, Command4);                     // LOAD
    command(QKeySequence::Save, Command5);                     // SAVE
    command(Qt::CTRL | Qt::Key_E, Command2);                   // AAの抽出
    command(Qt::CTRL | Qt::Key_Return, Command1);              // 改行付加
    command(Qt::CTRL | Qt::Key_Enter, Command1);               //   (keypad)
    command(Qt::CTRL | Qt::SHIFT | Qt::Key_Return, Command7);  // 改行除去
    command(Qt::CTRL | Qt::SHIFT | Qt::Key_Enter, Command7);
    command(QKeySequence(Qt::Key_F1), Command6);  // ヘルプ参照
    // エクスポート: as SAVE, never while busy or with nothing to write.
    connect(new QShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S, this), &QShortcut::activated, this,
            [this] {
                if (Command5->isEnabled()) exportPictures();
            });

    // Never while a command runs: it holds the document.
    const auto edit = [this](QKeySequence keys, auto step) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, step] {
            if (BusyFlag == kFalse) (RichTextBox1->*step)();
        });
    };
    edit(QKeySequence::Undo, &RichTextBox::undo);
    edit(Qt::CTRL | Qt::Key_Y, &RichTextBox::redo);
    edit(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, &RichTextBox::redo);
    // The face grows and shrinks for reading; nothing of it is saved. "=" and
    // ";" carry "+" on US and Japanese keyboards.
    using Zoom = void (RichTextBox::*)();
    for (const QKeySequence& keys :
         {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal),
          QKeySequence(Qt::CTRL | Qt::Key_Semicolon)}) {
        edit(keys, static_cast<Zoom>(&RichTextBox::zoomIn));
    }
    edit(QKeySequence::ZoomOut, static_cast<Zoom>(&RichTextBox::zoomOut));
}

}  // namespace mozaru
