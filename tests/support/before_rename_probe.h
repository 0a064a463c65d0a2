// Watches every atomic save for one scope at its last step, after the data is
// written and before the rename, and can make the save fail there.
#pragma once

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QString>

#include "files/save_file.h"

namespace mozaru::test {

inline const QString kInjectedFailure = QStringLiteral("injected failure before the rename");

class BeforeRenameProbe {
public:
    enum Mode { Watch, Fail };

    explicit BeforeRenameProbe(Mode mode) {
        setBeforeRenameHook([this, mode](int descriptor) {
            ++m_calls;
            struct stat st {};
            if (fstat(descriptor, &st) == 0) {
                m_bytes = st.st_size;
                m_device = st.st_dev;
                m_inode = st.st_ino;
            }
            return mode == Fail ? kInjectedFailure : QString();
        });
    }
    ~BeforeRenameProbe() { setBeforeRenameHook({}); }
    BeforeRenameProbe(const BeforeRenameProbe&) = delete;
    BeforeRenameProbe& operator=(const BeforeRenameProbe&) = delete;

    // How many saves reached the rename: none when they failed while writing.
    int calls() const { return m_calls; }

    // Size of the last temporary file seen there; -1 if none was.
    qint64 bytes() const { return m_bytes; }

    // Whether a descriptor of this process still holds that temporary file.
    // Qt's temporary files have no name on Linux (O_TMPFILE), so none can be
    // left in the folder; one left open would still take its room on disk.
    bool temporaryStillOpen() const {
        if (m_bytes < 0) return false;
        const QDir descriptors(QStringLiteral("/proc/self/fd"));
        for (const QString& name : descriptors.entryList(QDir::AllEntries | QDir::System)) {
            struct stat st {};
            if (stat(QFile::encodeName(descriptors.filePath(name)).constData(), &st) == 0 &&
                st.st_dev == m_device && st.st_ino == m_inode) {
                return true;
            }
        }
        return false;
    }

private:
    int m_calls = 0;
    qint64 m_bytes = -1;
    dev_t m_device = 0;
    ino_t m_inode = 0;
};

}  // namespace mozaru::test
