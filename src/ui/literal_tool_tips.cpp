// Tool tips shown exactly as written, even when they hold text like "<BR>".
#include "ui/literal_tool_tips.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace mozaru {

QString literalToolTip(const QString& text) {
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

bool LiteralToolTips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->toolTip().isEmpty()) return false;
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                       literalToolTip(widget->toolTip()), widget);
    return true;
}

}  // namespace mozaru
