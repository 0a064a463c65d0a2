// ヘルプ参照: opens the manual in the default browser, or says where it is.
#include "app/form1.h"
#include "help/default_browser.h"
#include "text/messages.h"

namespace mozaru {

void Form1::Command6_Click() {
    const QString title = QStringView(kTitleHelpError).toString();
    const QString browser = findDefaultBrowser();
    if (browser == QStringLiteral("-1")) {
        m_prompts.message(this, browserMissingText(), title);
        return;
    }
    QString error;
    if (!launchBrowser(browser, manualPath(m_programFolder), &error)) {
        m_prompts.message(
            this,
            QStringView(errorMessage(u"ブラウザを起動できませんでした", error.toStdU16String()))
                .toString(),
            title);
    }
}

}  // namespace mozaru
