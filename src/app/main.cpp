// Starts Mozaru: the Japanese Qt texts, the main window, its load handler.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/form1.h"
#include "ui/app_icon.h"
#include "ui/japanese_qt.h"
#include "ui/qt_prompts.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    mozaru::installQtJapanese(app);
    // Message boxes and file dialogs show it too.
    QApplication::setWindowIcon(mozaru::appIcon());

    mozaru::QtPrompts prompts;
    // Native separators: an empty LOADPASS gives this folder as users write it.
    mozaru::Form1 window(prompts, QApplication::arguments().mid(1),
                         QDir::toNativeSeparators(QApplication::applicationDirPath()));
    // The user's own files: the settings when the program folder cannot take
    // them (an installed copy), and a document closed unsaved.
    const auto userFolder = [](QStandardPaths::StandardLocation location) {
        return QDir(QStandardPaths::writableLocation(location)).filePath(QStringLiteral("mozaru"));
    };
    window.setUserFolders(userFolder(QStandardPaths::GenericConfigLocation),
                          userFolder(QStandardPaths::GenericDataLocation));
    // The load handler runs before the window is shown, so its messages come first.
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
