// A Prompts that records what the window shows and answers from queues, so
// window tests run without anyone at the screen.
#pragma once

#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/common_dialog.h"
#include "ui/prompts.h"

namespace mozaru {

class FakePrompts : public Prompts {
public:
    struct Shown {
        QString text;
        QString title;
        bool yesIsDefault = false;  // questions only
    };

    // What was shown, in order.
    std::vector<Shown> messages;
    std::vector<Shown> questions;
    // The file dialog state at the moment each dialog opened.
    std::vector<CommonDialog> openDialogs;
    std::vector<CommonDialog> saveDialogs;
    int execCount = 0;

    // Answers, taken from the front. An empty queue answers a question with
    // its default button, cancels a file dialog and closes a dialog with its
    // close box (nothing done to it).
    std::deque<bool> answers;
    std::deque<std::optional<QString>> files;
    // Each runs on the dialog passed to exec, which is then closed if the
    // handler left it open.
    std::deque<std::function<void(QDialog&)>> dialogs;

    void message(QWidget* /*parent*/, const QString& text, const QString& title) override {
        messages.push_back({text, title, false});
    }

    bool question(QWidget* /*parent*/, const QString& text, const QString& title,
                  bool yesIsDefault) override {
        questions.push_back({text, title, yesIsDefault});
        if (answers.empty()) return yesIsDefault;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<QString> openFile(QWidget* /*parent*/, CommonDialog& dialog) override {
        openDialogs.push_back(dialog);
        return answerFile(dialog);
    }

    std::optional<QString> saveFile(QWidget* /*parent*/, CommonDialog& dialog) override {
        saveDialogs.push_back(dialog);
        return answerFile(dialog);
    }

    void exec(QDialog& dialog) override {
        ++execCount;
        // done() sets the result: a result still at the mark means nothing
        // closed the dialog, which the close box then does.
        constexpr int kNotClosed = -0x4D5A;
        dialog.setResult(kNotClosed);
        if (!dialogs.empty()) {
            const auto handler = std::move(dialogs.front());
            dialogs.pop_front();
            handler(dialog);
        }
        if (dialog.result() == kNotClosed) dialog.reject();
    }

private:
    std::optional<QString> answerFile(CommonDialog& dialog) {
        if (files.empty()) return std::nullopt;
        std::optional<QString> answer = files.front();
        files.pop_front();
        if (answer) dialog.fileName = *answer;
        return answer;
    }
};

}  // namespace mozaru
