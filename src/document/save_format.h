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

// "<HTML><BODY>" + text + "</BODY></HTML>" for HTML, the text as it is for
// text; always followed by one CR LF.
std::u16string saveContent(std::int16_t saveFormat, std::u16string_view text);

// The same content as three pieces, so that a large document is written
// without a copy: what stands before the text, the text, what follows it.
struct SavePieces {
    std::u16string_view before;
    std::u16string_view text;
    std::u16string_view after;
};
SavePieces saveContentPieces(std::int16_t saveFormat, std::u16string_view text);

}  // namespace mozaru
