// Tool tips shown exactly as written, even when they hold text like "<BR>".
#pragma once

#include <QObject>
#include <QString>

namespace mozaru {

// The tool tip as rich text that reads exactly like text, on one line.
QString literalToolTip(const QString& text);

// Installed on a widget, shows its tool tip through literalToolTip: Qt would
// otherwise take "<BR>タグの後ろに..." for rich text and swallow the tag.
class LiteralToolTips : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace mozaru
