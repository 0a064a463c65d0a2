// Which form a page is in, and its conversion to the classic saved page.
#include "boards/board_forms.h"

namespace mozaru {

namespace {

bool isDat(PageFormat format) {
    return format == PageFormat::Dat2ch || format == PageFormat::DatShitaraba ||
           format == PageFormat::DatMachi;
}

}  // namespace

PageFormat recognizePageFormat(std::u16string_view page) {
    const PageFormat dat = datFormatOf(page, true);
    if (dat != PageFormat::Classic) return dat;
    return readCgiLayoutOf(page, kRecognitionUnits);
}

ClassicPage toClassicPage(std::u16string_view page, InputFormat choice) {
    PageFormat format = PageFormat::Classic;
    switch (choice) {
        case InputFormat::Auto:
            format = recognizePageFormat(page);
            break;
        case InputFormat::Dat:
            format = datFormatOf(page);
            break;
        case InputFormat::FiveCh:
            format = readCgiLayoutOf(page);
            break;
        case InputFormat::Classic:
            break;
    }
    if (format == PageFormat::Classic) return {};
    return isDat(format) ? datToClassic(page, format) : readCgiToClassic(page, format);
}

}  // namespace mozaru
