// What the image outputs draw and how: a picture's lines, the face and sizes.
// The table names them; the renderer beside it draws them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mozaru {

struct PictureStyle {
    int fontSize = 16;    // px
    int lineHeight = 18;  // px
    bool transparent = false;
    // A font file or an installed family; empty: the AA faces, the first installed.
    std::string font;
};

// One kept picture as plain text lines (its header first, when asked for).
struct Picture {
    std::uint64_t number = 0;
    std::vector<std::u16string> lines;
};

// Takes one picture's file, whole; false when it could not be kept (the
// writer stops there).
using PictureSink = std::function<bool(std::uint64_t number, std::string_view bytes)>;

}  // namespace mozaru
