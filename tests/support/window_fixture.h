// Builds a main window over FakePrompts for the window tests.
#pragma once

#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>
#include <string>

#include "app/form1.h"
#include "support/fake_prompts.h"
#include "ui/rich_text_box.h"

namespace mozaru {

struct WindowFixture {
    FakePrompts prompts;
    std::unique_ptr<Form1> window;

    explicit WindowFixture(QStringList arguments = {}, QString folder = {})
        : window(std::make_unique<Form1>(prompts, std::move(arguments), std::move(folder))) {}

    Form1& w() { return *window; }

    // The document as a QString, so that a failed comparison shows it.
    QString document() const {
        return QStringView(window->RichTextBox1->documentView()).toString();
    }

    // Enabled state of the six command buttons, in the order LOAD, SAVE,
    // AAの抽出, 改行付加, 改行除去, <BR>タグ付加, followed by ヘルプ参照, as a
    // string of 1 and 0 that a failed comparison shows at a glance.
    QString enabledButtons() const {
        QString s;
        for (QPushButton* b :
             {window->Command4, window->Command5, window->Command2, window->Command1,
              window->Command7, window->Command3, window->Command6}) {
            s += b->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        }
        return s;
    }
};

}  // namespace mozaru
