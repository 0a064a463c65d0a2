// Mozaru's icon, for every window.
#include "ui/app_icon.h"

namespace mozaru {

QIcon appIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/mozaru-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace mozaru
