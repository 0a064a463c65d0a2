// Whole-file writes: atomic replacement through QSaveFile, in place for
// devices.
#include "files/save_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <cerrno>
#include <system_error>
#include <utility>

#include "files/path_text.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QDir>

#include "files/device_win32.h"
#endif

namespace mozaru {

namespace {

using Producer = std::function<bool(const ByteWriter&)>;

// What a save learns of the file it replaces.
#ifndef _WIN32
using OldFile = struct stat;
#else
struct OldFile {};
#endif

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
    return ::stat(fromQPath(path).c_str(), &st) == 0 && !S_ISREG(st.st_mode) &&
           !S_ISDIR(st.st_mode);
#else
    (void)path;
    return false;
#endif
}

// Writes whatever produce makes into file, open unbuffered for writing. A
// write cut short (the disk filled up) is tried again for the rest, so that
// the failure comes with the system's reason, not Qt's "Unknown error".
bool writeAll(QFileDevice& file, const Producer& produce) {
    return produce([&file](std::string_view bytes) {
        while (!bytes.empty()) {
            const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
            if (written <= 0) return false;
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    });
}

bool writeInPlace(const QString& path, const Producer& produce, QString* error) {
    QFile file;
    const auto fail = [&](QString reason) {
        if (error != nullptr) *error = std::move(reason);
        return false;
    };
#ifndef _WIN32
    const int descriptor = ::open(fromQPath(path).c_str(), O_WRONLY | O_CLOEXEC);
    if (descriptor < 0) return fail(systemReason(errno));
    if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return fail(file.errorString());
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
#endif
    return (writeAll(file, produce) && file.flush()) || fail(file.errorString());
}

#ifndef _WIN32
// Qt gives the new file the old one's permissions but not its owner, so a
// save by root, or by a member of the file's group, would take the file from
// its owner or its group. Kept as far as the system lets this process.
void keepOwner(int descriptor, const OldFile& old) {
    if (descriptor < 0) return;
    // Owner and group, else the group alone; without either the save goes on.
    if (::fchown(descriptor, old.st_uid, old.st_gid) == 0) return;
    if (::fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) == 0) return;
}

// The data on disk before the rename makes it the file, and the folder's
// entry after: a crash then leaves the old file or the new one, never an
// empty one. A folder that cannot be synced (some file systems) is no failure.
bool syncFile(int descriptor, QString& reason) {
    if (::fsync(descriptor) == 0) return true;
    reason = systemReason(errno);
    return false;
}

void syncFolder(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}
#endif

// Writes through QSaveFile to qtName; old: the file replaced, when there is
// one, whose owner (and, where Qt cannot see it, mode) the new one keeps.
bool commitThroughQt(const QString& qtName, const Producer& produce, QString* error,
                     [[maybe_unused]] const OldFile* old, [[maybe_unused]] bool keepMode) {
    QSaveFile file(qtName);
    // QSaveFile writes to a temporary file beside the target and renames it
    // over the target on commit; without commit the temporary file is removed
    // and the old file stays as it was. Unbuffered, a write that fails fails
    // at once, with its reason; the explicit flush matters: Qt 6.4's commit()
    // renames even when its own final flush failed (a full disk), so a short
    // file would replace the user's whole one.
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeAll(file, produce) &&
              file.flush();
    QString reason;
#ifndef _WIN32
    if (ok && old != nullptr) {
        keepOwner(file.handle(), *old);
        if (keepMode) ::fchmod(file.handle(), old->st_mode & 07777);
    }
    ok = ok && syncFile(file.handle(), reason);
#endif
    // On Windows QSaveFile keeps its handle to itself (handle() is -1 for a
    // file it opened by name): the data is not flushed to disk before the
    // rename there.
    if (ok) {
        if (beforeRename()) reason = beforeRename()(file.handle());
        ok = reason.isEmpty() && file.commit();
    }
    if (!ok && error != nullptr) *error = reason.isEmpty() ? file.errorString() : reason;
    return ok;
}

#ifndef _WIN32
// A name Qt cannot hold (its bytes are not UTF-8): QSaveFile writes the file
// under a name it can hold in the same folder, reached through /proc/self/fd,
// and the file it committed is renamed to the real name, which replaces the
// old file as atomically. A crash between the two renames leaves that
// finished file under its temporary name beside the old one.
bool saveUnderNativeName(const std::string& path, const Producer& produce, QString* error) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const int at = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (at < 0) {
        if (error != nullptr) *error = systemReason(errno);
        return false;
    }
    OldFile old{};
    const bool replaces = ::fstatat(at, name.c_str(), &old, 0) == 0;
    const QString temporary =
        QStringLiteral(".mozaru-%1.tmp")
            .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    bool ok = false;
    if (replaces && S_ISDIR(old.st_mode)) {
        if (error != nullptr) *error = systemReason(EISDIR);
    } else if (commitThroughQt(QStringLiteral("/proc/self/fd/%1/").arg(at) + temporary, produce,
                               error, replaces ? &old : nullptr, true)) {
        const std::string temporaryName = temporary.toStdString();
        ok = ::renameat(at, temporaryName.c_str(), at, name.c_str()) == 0;
        if (!ok) {
            if (error != nullptr) *error = systemReason(errno);
            ::unlinkat(at, temporaryName.c_str(), 0);
        } else {
            ::fsync(at);
        }
    }
    ::close(at);
    return ok;
}
#endif

}  // namespace

QString systemReason(int errorNumber) {
    return QString::fromStdString(std::error_code(errorNumber, std::system_category()).message());
}

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

bool saveFileAtomically(const QString& path, const Producer& produce, QString* error) {
#ifdef _WIN32
    // NUL, CON, a pipe: QFile cannot open them by these names.
    DeviceWriter device(QDir::toNativeSeparators(path).toStdU16String());
    if (device.isOpen()) {
        const bool ok = produce([&device](std::string_view bytes) { return device.write(bytes); });
        if (!ok && error != nullptr) *error = QString::fromStdU16String(device.error());
        return ok;
    }
#endif
    const QString name = fileSystemName(path);
    if (writesInPlace(name)) return writeInPlace(name, produce, error);
#ifdef _WIN32
    return commitThroughQt(name, produce, error, nullptr, false);
#else
    if (needsNativeName(name)) return saveUnderNativeName(fromQPath(name), produce, error);
    OldFile old{};
    const bool replaces = ::stat(fromQPath(name).c_str(), &old) == 0;
    if (!commitThroughQt(name, produce, error, replaces ? &old : nullptr, false)) return false;
    // QSaveFile replaces the file a link names, in that file's folder.
    const QFileInfo saved(name);
    syncFolder(
        fromQPath(saved.isSymLink() ? QFileInfo(saved.canonicalFilePath()).path() : saved.path()));
    return true;
#endif
}

}  // namespace mozaru
