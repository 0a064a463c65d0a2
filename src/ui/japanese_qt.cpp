// Qt's own texts (standard buttons, file dialogs) in Japanese.
#include "ui/japanese_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace mozaru {

bool installQtJapanese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);  // the application owns it
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace mozaru
