// Qt's own texts (standard buttons, file dialogs) in Japanese.
#pragma once

class QCoreApplication;

namespace mozaru {

// Installs Qt's Japanese translation so standard buttons read はい / いいえ /
// キャンセル whatever the system's language, and makes Japanese the default
// locale (dates, sizes, file types); false when the translation is not installed.
bool installQtJapanese(QCoreApplication& app);

}  // namespace mozaru
