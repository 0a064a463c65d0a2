// The browser's executable cut out of the registered "open" command text.
#include "help/browser_path.h"

namespace mozaru {

std::u16string cutRegExePath(std::u16string_view value) {
    constexpr std::size_t kMaxPosition = 32767;  // positions are 16-bit counters
    value = value.substr(0, value.find(u'\0'));
    const std::size_t colon = value.find(u':');
    if (colon == std::u16string_view::npos || colon == 0 || colon + 1 > kMaxPosition) {
        return std::u16string(kNoBrowser);
    }
    const std::size_t dot = value.find(u'.');
    if (dot == std::u16string_view::npos || dot + 1 > kMaxPosition || dot + 3 < colon) {
        return std::u16string(kNoBrowser);
    }
    // Drive letter and colon, then d - c + 3 characters after the colon (1-based
    // d and c): everything up to the third character after the dot.
    std::u16string path(value.substr(colon - 1, 2));
    path += value.substr(colon + 1, dot + 3 - colon);
    return path;
}

}  // namespace mozaru
