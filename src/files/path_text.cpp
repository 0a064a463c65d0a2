// Paths between the command line's bytes and Qt's names.
#include "files/path_text.h"

#include <QFile>

namespace mozaru {

// Windows hands main UTF-8 arguments (cli/win32_console.h); QFile's names
// there are in the ANSI code page, which would lose characters.
QString toQPath(const std::string& path) {
#ifdef _WIN32
    return QString::fromStdString(path);
#else
    return QFile::decodeName(path.c_str());
#endif
}

std::string fromQPath(const QString& path) {
#ifdef _WIN32
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

}  // namespace mozaru
