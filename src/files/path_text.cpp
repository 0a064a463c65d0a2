// Paths between the command line's bytes, Qt's names and std::filesystem.
#include "files/path_text.h"

#include <QFile>

#include "text/utf.h"

namespace mozaru {

namespace {

constexpr char16_t kEscapedByte = 0xDC00;

bool isEscapedByte(const QString& path, qsizetype i) {
    const char16_t c = path[i].unicode();
    return c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !isHighSurrogate(path[i - 1].unicode()));
}

[[maybe_unused]] QString escapedName(const std::string& bytes) {
    QString name;
    char16_t units[2];
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        const std::size_t n = utf8SequenceAt(bytes, i, c);
        if (n == 0) {
            name.append(QChar(kEscapedByte + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        const char16_t* end = writeUtf16(c, units);
        name.append(reinterpret_cast<const QChar*>(units), end - units);
        i += n;
    }
    return name;
}

[[maybe_unused]] std::string unescapedName(const QString& path) {
    std::string bytes;
    char buffer[4];
    const std::u16string_view units(reinterpret_cast<const char16_t*>(path.utf16()),
                                    static_cast<std::size_t>(path.size()));
    for (std::size_t i = 0; i < units.size();) {
        const CodePoint cp = codePointAt(units, i);
        if (isEscapedByte(path, static_cast<qsizetype>(i))) {
            bytes.push_back(static_cast<char>(units[i] - kEscapedByte));
        } else {
            bytes.append(buffer, writeUtf8(cp.value, buffer));
        }
        i += cp.units;
    }
    return bytes;
}

}  // namespace

bool needsNativeName(const QString& path) {
#ifdef _WIN32
    static_cast<void>(path);
    return false;
#else
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (isEscapedByte(path, i)) return true;
    }
    return false;
#endif
}

// Windows hands main UTF-8 arguments (cli/win32_console.h); QFile's names
// there are in the ANSI code page, which would lose characters.
QString toQPath(const std::string& path) {
#ifdef _WIN32
    return QString::fromStdString(path);
#else
    QString name = QFile::decodeName(QByteArray::fromStdString(path));
    if (QFile::encodeName(name).toStdString() == path) return name;
    return escapedName(path);
#endif
}

std::string fromQPath(const QString& path) {
#ifdef _WIN32
    return path.toStdString();
#else
    if (needsNativeName(path)) return unescapedName(path);
    return QFile::encodeName(path).toStdString();
#endif
}

QString fileSystemName(const QString& path) {
    return path.startsWith(u':') ? QStringLiteral("./") + path : path;
}

std::filesystem::path fsPath(const std::string& path) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
#else
    return std::filesystem::path(path);
#endif
}

std::string nativeOf(const std::filesystem::path& path) {
#ifdef _WIN32
    // '/' between names, as every other path the program shows.
    const std::u8string utf8 = path.generic_u8string();
    return std::string(utf8.begin(), utf8.end());
#else
    return path.native();
#endif
}

}  // namespace mozaru
