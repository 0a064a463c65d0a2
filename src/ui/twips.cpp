// Twips (1/1440 inch), the unit the windows are designed in, and pixels.
#include "ui/twips.h"

#include <QWidget>

namespace mozaru {

int twipsToPixelsX(const QWidget* widget, double twips) {
    return twipsToPixels(twips, widget->logicalDpiX());
}

int twipsToPixelsY(const QWidget* widget, double twips) {
    return twipsToPixels(twips, widget->logicalDpiY());
}

float pixelsToTwipsX(const QWidget* widget, int pixels) {
    return pixelsToTwips(pixels, widget->logicalDpiX());
}

float pixelsToTwipsY(const QWidget* widget, int pixels) {
    return pixelsToTwips(pixels, widget->logicalDpiY());
}

void setGeometryTwips(QWidget* widget, double left, double top, double width, double height) {
    widget->setGeometry(twipsToPixelsX(widget, left), twipsToPixelsY(widget, top),
                        twipsToPixelsX(widget, width), twipsToPixelsY(widget, height));
}

}  // namespace mozaru
