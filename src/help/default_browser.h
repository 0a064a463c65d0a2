// The help command's parts: the manual's path, the default browser and its launch.
#pragma once

#include <QString>

namespace mozaru {

// "<programFolder>/説明書/説明書.html" in the platform's separators.
QString manualPath(const QString& programFolder);

// The default browser's executable, or "-1". Windows: the user's choice for
// http, else the machine's command (APIFunc::DefaultBrowserExePath).
// Elsewhere: the desktop entry named by xdg-settings (or xdg-mime), its Exec=
// program found on PATH.
QString findDefaultBrowser();

// The desktop entry's file for a desktop-file id ("firefox.desktop", or
// "kde-foo.desktop" stored as kde/foo.desktop) in the XDG data folders; empty
// when there is none.
QString locateDesktopFile(const QString& desktopId);

// The executable a desktop entry starts, or "-1".
QString browserFromDesktopFile(const QString& desktopFilePath);

// Starts browser with manual as its one argument (spaces and all) and does not
// wait for it. False with *error set when it cannot be started.
bool launchBrowser(const QString& browser, const QString& manual, QString* error = nullptr);

// The message shown when no browser is found (title kTitleHelpError).
QString browserMissingText();

}  // namespace mozaru
