// Starts Mozaru: the Japanese Qt texts, the main window, its load handler.
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/form1.h"
#include "app/qt_prompts.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Standard buttons read はい / いいえ / キャンセル whatever the system's language.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

    mozaru::QtPrompts prompts;
    mozaru::Form1 window(prompts, QApplication::arguments().mid(1),
                         QDir::toNativeSeparators(QApplication::applicationDirPath()));
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
