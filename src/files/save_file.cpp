// Whole-file writes: atomic replacement through QSaveFile, in place for devices.
#include "files/save_file.h"

#include <QFile>
#include <QSaveFile>
#include <utility>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QDir>

#include "files/device_win32.h"
#endif

namespace mozaru {

namespace {

BeforeRenameHook& beforeRename() {
    static BeforeRenameHook hook;
    return hook;
}

// A device, a FIFO or a terminal (/dev/stdout) cannot be replaced without
// destroying it: it is written into, as a shell's ">" would. A directory is
// left to QSaveFile, which refuses it.
bool writesInPlace(const QString& path) {
#ifndef _WIN32
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode) &&
           !S_ISDIR(st.st_mode);
#else
    (void)path;
    return false;
#endif
}

// Writes whatever produce makes into file, open for writing.
bool writeAll(QFileDevice& file, const std::function<bool(const ByteWriter&)>& produce) {
    return produce([&file](std::string_view bytes) {
        return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
    });
}

bool writeInPlace(const QString& path, const std::function<bool(const ByteWriter&)>& produce,
                  QString* error) {
    QFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly) && writeAll(file, produce) && file.flush();
    if (!ok && error != nullptr) *error = file.errorString();
    return ok;
}

// Qt gives the new file the old one's permissions but not its owner, so a
// save by root, or by a member of the file's group, would take the file from
// its owner or its group. Kept as far as the system lets this process.
void keepOwner(int descriptor, const QString& path) {
#ifndef _WIN32
    struct stat st;
    if (descriptor < 0 || ::stat(QFile::encodeName(path).constData(), &st) != 0) return;
    // Owner and group, else the group alone; without either the save goes on.
    if (::fchown(descriptor, st.st_uid, st.st_gid) == 0) return;
    if (::fchown(descriptor, static_cast<uid_t>(-1), st.st_gid) == 0) return;
#else
    (void)descriptor;
    (void)path;
#endif
}

}  // namespace

void setBeforeRenameHook(BeforeRenameHook hook) {
    beforeRename() = std::move(hook);
}

bool saveFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    return saveFileAtomically(
        path,
        [&bytes](const ByteWriter& write) {
            return write(
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        },
        error);
}

bool saveFileAtomically(const QString& path, const std::function<bool(const ByteWriter&)>& produce,
                        QString* error) {
#ifdef _WIN32
    // NUL, CON, a pipe: QFile cannot open them by these names.
    DeviceWriter device(QDir::toNativeSeparators(path).toStdU16String());
    if (device.isOpen()) {
        const bool ok = produce([&device](std::string_view bytes) { return device.write(bytes); });
        if (!ok && error != nullptr) *error = QString::fromStdU16String(device.error());
        return ok;
    }
#endif
    if (writesInPlace(path)) return writeInPlace(path, produce, error);
    QSaveFile file(path);
    // QSaveFile writes to a temporary file beside the target and renames it
    // over the target on commit; without commit the temporary file is removed
    // and the old file stays as it was. The explicit flush matters: Qt 6.4's
    // commit() renames even when its own final flush failed (a full disk), so
    // a short file would replace the user's whole one.
    bool ok = file.open(QIODevice::WriteOnly) && writeAll(file, produce) && file.flush();
    QString reason;
    if (ok) {
        keepOwner(file.handle(), path);
        if (beforeRename()) reason = beforeRename()(file.handle());
        ok = reason.isEmpty() && file.commit();
    }
    if (!ok && error != nullptr) *error = reason.isEmpty() ? file.errorString() : reason;
    return ok;
}

}  // namespace mozaru
