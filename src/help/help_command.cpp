// ヘルプ参照: opens the manual in the default browser, or says where it is.
#include "app/form1.h"
#include "help/default_browser.h"

namespace mozaru {

void Form1::Command6_Click() {
    const QString title = QString::fromUtf16(kBrowserMissingTitle);
    const QString browser = findDefaultBrowser();
    if (browser == QStringLiteral("-1")) {
        m_prompts.message(this, browserMissingText(), title);
        return;
    }
    QString error;
    if (!launchBrowser(browser, manualPath(m_programFolder), &error)) {
        m_prompts.message(
            this, QStringLiteral("ブラウザを起動できませんでした\r\n【エラー内容】\r\n") + error,
            title);
    }
}

}  // namespace mozaru
