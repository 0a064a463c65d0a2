// The two save formats: their filter entry, extension and file content.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mozaru {

struct SaveFormatRow {
    int filterIndex;                // entry of the save dialog's filter
    std::u16string_view extension;  // forced onto the chosen name
};

// saveFormat 0 is HTML, 1 is text.
SaveFormatRow saveFormatRow(std::int16_t saveFormat);

// What a save writes, as three pieces so that a large document is written
// without a copy: "<HTML><BODY>", the text and "</BODY></HTML>" CR LF for
// HTML; nothing, the text and CR LF for text.
struct SavePieces {
    std::u16string_view before;
    std::u16string_view text;
    std::u16string_view after;
};
SavePieces saveContentPieces(std::int16_t saveFormat, std::u16string_view text);

}  // namespace mozaru
