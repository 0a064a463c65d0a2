// Twips (1/1440 inch), the unit the windows are designed in, and pixels.
#pragma once

#include <QtGlobal>

class QWidget;

namespace mozaru {

inline constexpr double kTwipsPerInch = 1440.0;

inline int twipsToPixels(double twips, int dpi) {
    return qRound(twips * dpi / kTwipsPerInch);
}

inline float pixelsToTwips(int pixels, int dpi) {
    return static_cast<float>(pixels * kTwipsPerInch / dpi);
}

// Places widget at a design position given in twips, at its screen's logical DPI.
void setGeometryTwips(QWidget* widget, double left, double top, double width, double height);

}  // namespace mozaru
