// Writes a whole file atomically: a failed write leaves the old file whole and
// no temporary file behind.
#pragma once

#include <QByteArray>
#include <QString>

namespace mozaru {

// Returns true on success; on failure *error (when given) holds the reason.
bool saveFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace mozaru
