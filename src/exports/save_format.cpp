// The two save formats: their filter entry, extension and file content.
#include "exports/save_format.h"

namespace mozaru {

SaveFormatRow saveFormatRow(std::int16_t saveFormat) {
    return saveFormat == 1 ? SaveFormatRow{2, u"txt"} : SaveFormatRow{1, u"html"};
}

SavePieces saveContentPieces(std::int16_t saveFormat, std::u16string_view text) {
    if (saveFormat == 1) return {u"", text, u"\r\n"};
    return {u"<HTML><BODY>", text, u"</BODY></HTML>\r\n"};
}

}  // namespace mozaru
