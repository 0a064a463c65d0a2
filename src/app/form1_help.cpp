// ヘルプ参照: opens the manual in the default browser, or says where it is.
// The browser is looked for and started on a thread of its own (the desktop's
// helpers take seconds): the window never waits for it.
#include "app/form1.h"
#include "help/default_browser.h"
#include "text/messages.h"
#include "ui/background_work.h"
#include "ui/rich_text_box.h"

namespace mozaru {

void Form1::Command6_Click() {
    // One look at a time; a second press while it runs adds nothing.
    if (m_helpPending) return;
    m_helpPending = true;
    m_help = std::make_unique<BackgroundWork>();
    auto outcome = std::make_shared<QString>();  // empty: started
    const QString manual = manualPath(m_programFolder);
    m_help->start(
        [outcome, manual] {
            const QString browser = findDefaultBrowser();
            if (browser == QStringLiteral("-1")) {
                *outcome = browserMissingText();
                return;
            }
            QString error;
            if (!launchBrowser(browser, manual, &error)) {
                *outcome = QStringView(errorMessage(u"ブラウザを起動できませんでした",
                                                    error.toStdU16String()))
                               .toString();
            }
        },
        [this, outcome] {
            m_helpPending = false;
            if (!outcome->isEmpty()) {
                m_prompts.message(this, *outcome, QStringView(kTitleHelpError).toString());
            }
        });
    if (BusyFlag == kFalse && RichTextBox1->isVisible())
        RichTextBox1->setFocus(Qt::OtherFocusReason);
}

}  // namespace mozaru
