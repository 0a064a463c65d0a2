// The two save formats: their filter entry, extension and file content.
#include "document/save_format.h"

namespace mozaru {

SaveFormatRow saveFormatRow(std::int16_t saveFormat) {
    return saveFormat == 1 ? SaveFormatRow{2, u"txt"} : SaveFormatRow{1, u"html"};
}

std::u16string saveContent(std::int16_t saveFormat, std::u16string_view text) {
    std::u16string content;
    content.reserve(text.size() + 32);
    if (saveFormat == 1) {
        content.append(text);
    } else {
        content.append(u"<HTML><BODY>").append(text).append(u"</BODY></HTML>");
    }
    content.append(u"\r\n");
    return content;
}

}  // namespace mozaru
