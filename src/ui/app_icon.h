// Mozaru's icon, for every window.
#pragma once

#include <QIcon>

namespace mozaru {

// The icon at every size drawn for it (16 to 256 pixels).
QIcon appIcon();

}  // namespace mozaru
