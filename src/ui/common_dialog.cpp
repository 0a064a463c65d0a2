// Conversion of the file dialog's "description|patterns|..." filter into Qt name filters.
#include "ui/common_dialog.h"

namespace mozaru {

namespace {

// "*.txt;*.htm" -> "*.txt *.htm". Qt splits patterns at spaces only, and "*.*"
// would miss files without a dot, so it becomes "*".
QString qtPatterns(const QString& patterns) {
    QStringList out;
    for (const QString& part : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (pattern.isEmpty()) continue;
        out << (pattern == u"*.*" ? QStringLiteral("*") : pattern);
    }
    if (out.isEmpty()) out << QStringLiteral("*");
    return out.join(u' ');
}

}  // namespace

QStringList nameFilters(const QString& filter) {
    QStringList result;
    if (filter.isEmpty()) return result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype k = 0; k < parts.size(); k += 2) {
        const QString patterns = k + 1 < parts.size() ? parts[k + 1] : QString();
        // Qt reads the last parenthesised group as the patterns and shows the
        // text before it (with HideNameFilterDetails), so the description may
        // keep its own "(*.txt;...)".
        result << parts[k] + QStringLiteral(" (") + qtPatterns(patterns) + QLatin1Char(')');
    }
    return result;
}

}  // namespace mozaru
