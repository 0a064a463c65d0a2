// Paths as command-line arguments hold them (UTF-8 on Windows, the bytes of
// the names elsewhere), as Qt names them, as std::filesystem does, and back.
#pragma once

#include <QString>
#include <filesystem>
#include <string>

namespace mozaru {

// A name that is not UTF-8 (a Shift_JIS name from a Windows archive) has no
// QString of its own: each byte that is not UTF-8 becomes one unit
// U+DC80..U+DCFF (as Python's surrogateescape), and fromQPath gives the bytes
// back. Such a QString must not reach Qt's file classes, which would name
// another file: the files room opens it by its bytes.
QString toQPath(const std::string& path);
std::string fromQPath(const QString& path);
// Whether path holds such escaped bytes.
bool needsNativeName(const QString& path);

// A relative path that starts with ':' is a Qt resource to Qt's file classes:
// "./" before it names the file.
QString fileSystemName(const QString& path);

std::filesystem::path fsPath(const std::string& path);
std::string nativeOf(const std::filesystem::path& path);

}  // namespace mozaru
