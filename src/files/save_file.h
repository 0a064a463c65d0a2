// Writes a whole file atomically: a failed write leaves the old file whole and
// no temporary file behind; a finished one is on disk, data and folder entry,
// before the save returns.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <string_view>

namespace mozaru {

// Returns true on success; on failure *error (when given) holds the reason.
// The new file keeps the old one's permissions, and its owner and group as
// far as the system allows. A directory fails; a device or a FIFO
// (/dev/stdout) is written into in place, as it cannot be replaced.
bool saveFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Writes bytes to the file being saved; false once a write has failed.
using ByteWriter = std::function<bool(std::string_view bytes)>;
// The same for bytes made while they are written, so that they are never
// held whole: produce hands them to the writer, in order, and returns
// whether all went well. When it returns false the old file stays.
bool saveFileAtomically(const QString& path, const std::function<bool(const ByteWriter&)>& produce,
                        QString* error = nullptr);

// The system's description of an errno value ("No space left on device"),
// as Qt's file classes give theirs.
QString systemReason(int errorNumber);

// For tests: called in every atomic save once the data is written, flushed
// and synced, just before the rename, with the temporary file's descriptor. A
// reason it returns fails the save there. An empty hook removes it.
using BeforeRenameHook = std::function<QString(int descriptor)>;
void setBeforeRenameHook(BeforeRenameHook hook);

}  // namespace mozaru
