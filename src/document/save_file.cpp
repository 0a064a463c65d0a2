// Atomic whole-file writes through QSaveFile.
#include "document/save_file.h"

#include <QSaveFile>
#include <utility>

namespace mozaru {

namespace {

BeforeRenameHook& beforeRename() {
    static BeforeRenameHook hook;
    return hook;
}

}  // namespace

void setBeforeRenameHook(BeforeRenameHook hook) {
    beforeRename() = std::move(hook);
}

bool saveFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    // QSaveFile writes to a temporary file beside the target and renames it
    // over the target on commit; without commit the temporary file is removed
    // and the old file stays as it was. The explicit flush matters: Qt 6.4's
    // commit() renames even when its own final flush failed (a full disk), so
    // a short file would replace the user's whole one.
    bool ok = file.open(QIODevice::WriteOnly) &&
              file.write(bytes) == static_cast<qint64>(bytes.size()) && file.flush();
    QString reason;
    if (ok) {
        if (beforeRename()) reason = beforeRename()(file.handle());
        ok = reason.isEmpty() && file.commit();
    }
    if (!ok && error != nullptr) *error = reason.isEmpty() ? file.errorString() : reason;
    return ok;
}

}  // namespace mozaru
