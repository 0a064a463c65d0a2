// The window's keys and the edit area's context menu, from one table: one
// key per command, undo and redo of typing and of the whole-document commands
// alike, the clipboard, and the edit area's zoom.
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <array>

#include "app/form1.h"
#include "ui/rich_text_box.h"

namespace mozaru {

namespace {

// A command's key is its button's click: nothing while the button is
// disabled (busy, or the enabling rule), the captions unchanged.
void click(QPushButton* button) {
    if (button->isEnabled()) button->click();
}

// The edit area's own steps never run while a command holds the document.
bool idle(const Form1& form) {
    return form.BusyFlag == kFalse;
}

bool selected(const Form1& form) {
    return idle(form) && form.RichTextBox1->hasSelectedText();
}

void zoom(Form1& form, void (RichTextBox::*step)()) {
    if (idle(form)) (form.RichTextBox1->*step)();
}

constexpr QKeyCombination kNone{};

struct WindowKey {
    // The first is the one the context menu shows; the rest are other ways
    // to the same (the keypad, other keyboards).
    std::array<QKeyCombination, 3> keys{kNone, kNone, kNone};
    void (*run)(Form1&) = nullptr;
    // The entry in the edit area's context menu; nullptr: none.
    const char* menu = nullptr;
    // Whether the menu entry can be chosen now; nullptr: always.
    bool (*enabled)(const Form1&) = nullptr;
    bool separatorBefore = false;
    // The editor takes these keys itself; the row only shows them in the menu.
    bool editorKeys = false;
};

// README's and the manual's tables of keys follow this one.
const WindowKey kWindowKeys[] = {
    // LOAD, SAVE, AAの抽出, 改行付加, 改行除去, ヘルプ参照
    {.keys = {Qt::CTRL | Qt::Key_O}, .run = [](Form1& f) { click(f.Command4); }},
    {.keys = {Qt::CTRL | Qt::Key_S}, .run = [](Form1& f) { click(f.Command5); }},
    {.keys = {Qt::CTRL | Qt::Key_E}, .run = [](Form1& f) { click(f.Command2); }},
    {.keys = {Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter},
     .run = [](Form1& f) { click(f.Command1); }},
    {.keys = {Qt::CTRL | Qt::SHIFT | Qt::Key_Return, Qt::CTRL | Qt::SHIFT | Qt::Key_Enter},
     .run = [](Form1& f) { click(f.Command7); }},
    {.keys = {QKeyCombination(Qt::Key_F1)}, .run = [](Form1& f) { click(f.Command6); }},
    // エクスポート: as SAVE, never while busy or with nothing to write; its menu
    // entry is the picture commands' (form1_export.cpp).
    {.keys = {Qt::CTRL | Qt::SHIFT | Qt::Key_S},
     .run =
         [](Form1& f) {
             if (f.Command5->isEnabled()) f.exportPictures();
         }},
    // Undo and redo, of typing and of the whole-document commands alike.
    {.keys = {Qt::CTRL | Qt::Key_Z},
     .run = [](Form1& f) { f.undoStep(); },
     .menu = "元に戻す(&U)",
     .enabled = [](const Form1& f) { return idle(f) && f.RichTextBox1->canUndo(); }},
    {.keys = {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
     .run = [](Form1& f) { f.redoStep(); },
     .menu = "やり直し(&R)",
     .enabled = [](const Form1& f) { return idle(f) && f.RichTextBox1->canRedo(); }},
    // The clipboard and the selection, on the editor's own keys.
    {.keys = {Qt::CTRL | Qt::Key_X},
     .run = [](Form1& f) { f.RichTextBox1->cut(); },
     .menu = "切り取り(&T)",
     .enabled = selected,
     .separatorBefore = true,
     .editorKeys = true},
    {.keys = {Qt::CTRL | Qt::Key_C},
     .run = [](Form1& f) { f.RichTextBox1->copy(); },
     .menu = "コピー(&C)",
     .enabled = selected,
     .editorKeys = true},
    {.keys = {Qt::CTRL | Qt::Key_V},
     .run = [](Form1& f) { f.RichTextBox1->paste(); },
     .menu = "貼り付け(&P)",
     .enabled = idle,
     .editorKeys = true},
    {.run = [](Form1& f) { f.RichTextBox1->removeSelectedText(); },
     .menu = "削除(&D)",
     .enabled = selected,
     .editorKeys = true},
    {.keys = {Qt::CTRL | Qt::Key_A},
     .run = [](Form1& f) { f.RichTextBox1->selectAll(); },
     .menu = "すべて選択(&A)",
     .enabled = [](const Form1& f) { return !f.RichTextBox1->isEmptyDocument(); },
     .separatorBefore = true,
     .editorKeys = true},
    // The face grows, shrinks and comes back for reading; nothing of it is
    // saved. "=" and ";" carry "+" on US and Japanese keyboards.
    {.keys = {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::Key_Semicolon},
     .run = [](Form1& f) { zoom(f, &RichTextBox::zoomIn); }},
    {.keys = {Qt::CTRL | Qt::Key_Minus}, .run = [](Form1& f) { zoom(f, &RichTextBox::zoomOut); }},
    {.keys = {Qt::CTRL | Qt::Key_0}, .run = [](Form1& f) { zoom(f, &RichTextBox::zoomReset); }},
};

}  // namespace

void Form1::createShortcuts() {
    for (const WindowKey& row : kWindowKeys) {
        if (row.editorKeys) continue;
        for (const QKeyCombination keys : row.keys) {
            if (keys == kNone) continue;
            auto* shortcut = new QShortcut(QKeySequence(keys), this);
            connect(shortcut, &QShortcut::activated, this, [this, run = row.run] { run(*this); });
        }
    }
    RichTextBox1->setContextMenu([this](QMenu& menu) {
        for (const WindowKey& row : kWindowKeys) {
            if (row.menu == nullptr) continue;
            if (row.separatorBefore) menu.addSeparator();
            QAction* action = menu.addAction(QString::fromUtf8(row.menu), this,
                                             [this, run = row.run] { run(*this); });
            if (row.keys[0] != kNone) action->setShortcut(QKeySequence(row.keys[0]));
            action->setEnabled(row.enabled == nullptr || row.enabled(*this));
        }
    });
}

}  // namespace mozaru
