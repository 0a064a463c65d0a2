// Atomic whole-file writes through QSaveFile.
#include "document/save_file.h"

#include <QSaveFile>

namespace mozaru {

bool saveFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    // QSaveFile writes to a temporary file beside the target and renames it
    // over the target on commit; without commit the temporary file is removed
    // and the old file stays as it was. The explicit flush matters: Qt 6.4's
    // commit() renames even when its own final flush failed (a full disk), so
    // a short file would replace the user's whole one.
    const bool ok = file.open(QIODevice::WriteOnly) &&
                    file.write(bytes) == static_cast<qint64>(bytes.size()) && file.flush() &&
                    file.commit();
    if (!ok && error != nullptr) *error = file.errorString();
    return ok;
}

}  // namespace mozaru
