// The Japanese faces the windows use, with fallbacks for systems without them.
#pragma once

#include <QFont>

namespace mozaru {

// "ＭＳ ゴシック" (fixed-pitch gothic): window, buttons, labels, dialogs.
QFont gothicFont(qreal pointSize, int weight = QFont::Normal);

// "ＭＳ Ｐゴシック" (proportional gothic): the face ASCII art is drawn for.
QFont pGothicFont(qreal pointSize);

}  // namespace mozaru
