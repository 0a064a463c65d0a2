// Paths as command-line arguments hold them (UTF-8 on Windows, the locale's
// bytes elsewhere), as Qt names them, and back.
#pragma once

#include <QString>
#include <string>

namespace mozaru {

QString toQPath(const std::string& path);
std::string fromQPath(const QString& path);

}  // namespace mozaru
