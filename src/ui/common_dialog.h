// The one file dialog state that loading and saving share: every property set
// on it stays until it is set again.
#pragma once

#include <QString>
#include <QStringList>

namespace mozaru {

// Flag values as the load and save commands set them.
inline constexpr int kDialogFlagOverwritePrompt = 2;   // ask before replacing a file
inline constexpr int kDialogFlagLongNames = 0x200000;  // long file names

struct CommonDialog {
    QString filter;       // "description|patterns|description|patterns..."
    int filterIndex = 1;  // 1-based entry of filter
    QString initDir;      // folder the dialog starts in; empty: the platform's default
    QString fileName;     // proposed name; after a confirmed dialog, the chosen full path
    int flags = 0;
};

// "ﾃｷｽﾄ(*.txt;*.htm;*.html)|*.txt;*.htm;*.html|すべて|*.*" becomes the Qt name
// filters "ﾃｷｽﾄ(*.txt;*.htm;*.html) (*.txt *.htm *.html)" and "すべて (*)": the
// descriptions as they stand, the patterns as Qt matches them.
QStringList nameFilters(const QString& filter);

}  // namespace mozaru
