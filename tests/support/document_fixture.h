// A main window over FakePrompts with a temporary folder of document files.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/enabled_changes.h"
#include "support/hex_bytes.h"
#include "support/window_fixture.h"

namespace mozaru::test {

inline const QString kBaseCaption = QStringLiteral("Mozaru (Version 1.05)");

inline QByteArray hex(std::string_view pairs) {
    const std::string bytes = hexBytes(pairs);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Writes bytes to a new file, creating its folder; false when it cannot.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct DocumentFixture : WindowFixture {
    QTemporaryDir dir;

    explicit DocumentFixture(QStringList arguments = {}) : WindowFixture(std::move(arguments)) {
        window->BaseCaption = kBaseCaption;
        window->setWindowTitle(kBaseCaption);
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // Writes bytes to name in the temporary folder and returns its full path.
    QString put(const QString& name, const QByteArray& bytes) const {
        const QString full = path(name);
        return writeFile(full, bytes) ? full : QString();
    }

    static QByteArray get(const QString& full) {
        QFile file(full);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QString caption() const { return window->windowTitle(); }
    bool editVisible() const { return !window->RichTextBox1->isHidden(); }
};

}  // namespace mozaru::test
