// Twips (1/1440 inch), the unit the windows are designed in, and pixels.
#include "app/twips.h"

#include <QWidget>

namespace mozaru {

void setGeometryTwips(QWidget* widget, double left, double top, double width, double height) {
    const int dpiX = widget->logicalDpiX();
    const int dpiY = widget->logicalDpiY();
    widget->setGeometry(twipsToPixels(left, dpiX), twipsToPixels(top, dpiY),
                        twipsToPixels(width, dpiX), twipsToPixels(height, dpiY));
}

}  // namespace mozaru
