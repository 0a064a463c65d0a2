// Moving UTF-16 text between the pure core and Qt.
#pragma once

#include <QString>
#include <string_view>

namespace mozaru {

inline QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace mozaru
