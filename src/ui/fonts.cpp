// The Japanese faces the windows use, with fallbacks for systems without them.
#include "ui/fonts.h"

#include <QStringList>

#include "text/aa_faces.h"

namespace mozaru {

namespace {

QFont fontOf(const QStringList& families, qreal pointSize, int weight) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

}  // namespace

QFont gothicFont(qreal pointSize, int weight) {
    static const QStringList families{
        QStringLiteral("ＭＳ ゴシック"),
        QStringLiteral("MS Gothic"),
        QStringLiteral("IPAGothic"),
        QStringLiteral("VL Gothic"),
        QStringLiteral("Noto Sans Mono CJK JP"),
    };
    return fontOf(families, pointSize, weight);
}

QFont pGothicFont(qreal pointSize) {
    static const QStringList families = [] {
        QStringList list;
        for (const std::u16string_view face : kAAFaces) list << QStringView(face).toString();
        return list;
    }();
    return fontOf(families, pointSize, QFont::Normal);
}

}  // namespace mozaru
