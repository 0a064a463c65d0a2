// A main window over FakePrompts with a temporary folder of document files.
#pragma once

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/window_fixture.h"
#include "hex_bytes.h"

namespace mozaru::test {

inline const QString kBaseCaption = QStringLiteral("Mozaru (Version 1.05)");

inline QByteArray hex(std::string_view pairs) {
    const std::string bytes = hexBytes(pairs);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Counts the enabled changes of a button: LOAD changes only when the busy
// state is entered or left.
class EnabledChanges : public QObject {
public:
    explicit EnabledChanges(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange) ++count;
        return false;
    }
};

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
        QDir().mkpath(QFileInfo(full).path());
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
        return full;
    }

    static QByteArray get(const QString& full) {
        QFile file(full);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QString caption() const { return window->windowTitle(); }
    bool editVisible() const { return !window->RichTextBox1->isHidden(); }
};

}  // namespace mozaru::test
