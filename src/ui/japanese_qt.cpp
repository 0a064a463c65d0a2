// Qt's own texts (standard buttons, file dialogs), dates and sizes in Japanese.
#include "ui/japanese_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace mozaru {

bool installQtJapanese(QCoreApplication& app) {
    // Dates, sizes and file types (the MIME database's comments) follow the
    // default locale: Japanese, whatever the system's.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(&app);  // the application owns it
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace mozaru
