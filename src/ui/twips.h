// Twips (1/1440 inch), the unit the windows are designed in, and pixels at
// a widget's logical DPI. Every conversion goes through twipsToPixels.
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

// Across (X) and down (Y), at widget's logical DPI.
int twipsToPixelsX(const QWidget* widget, double twips);
int twipsToPixelsY(const QWidget* widget, double twips);
float pixelsToTwipsX(const QWidget* widget, int pixels);
float pixelsToTwipsY(const QWidget* widget, int pixels);

// Places widget at a design position given in twips.
void setGeometryTwips(QWidget* widget, double left, double top, double width, double height);

}  // namespace mozaru
