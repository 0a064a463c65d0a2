// The web page: the kept pictures as AA readers and summary blogs show them,
// 16 px text on 18 px lines in a face with ＭＳ Ｐゴシック's widths, spaces kept.
#include "exports/aa_library.h"
#include "exports/writers.h"
#include "extract/post_header.h"
#include "text/aa_faces.h"
#include "text/html_text.h"
#include "text/numbers.h"

namespace mozaru::writers {

void page(const ExportInput& input, const TextSink& sink) {
    const std::u16string title = html::escaped(input.options.title);
    sink(u"<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n<meta charset=\"");
    sink(input.options.charset);
    sink(u"\">\r\n<title>");
    sink(title);
    sink(
        u"</title>\r\n<style>\r\n"
        u"body { margin: 16px; background: #fff; color: #000; }\r\n"
        u"h1 { font-size: 20px; }\r\n"
        u".header { margin: 24px 0 4px; font-size: 14px; color: #060; }\r\n"
        u".aa { font-family: ");
    sink(kAAFontStack);
    sink(
        u"; font-size: 16px; line-height: 18px; white-space: pre; overflow-x: auto; "
        u"margin: 8px 0 24px; }\r\n"
        u"</style>\r\n</head>\r\n<body>\r\n");
    if (!title.empty()) {
        sink(u"<h1>");
        sink(title);
        sink(u"</h1>\r\n");
    }
    std::u16string line;
    for (const KeptPost& post : input.posts) {
        PostHeader header;
        if (input.options.withHeader && parsePostHeader(post.header, header)) {
            sink(u"<div class=\"header\">");
            sink(html::escaped(shownHeader(header)));
            sink(u"</div>\r\n");
        }
        line = u"<div class=\"aa\" id=\"p";
        appendDecimal(line, post.number);
        line += u"\">";
        sink(line);
        // The lines as text: reply anchors and other tags leave their text.
        const std::vector<std::u16string> lines = plainLines(post.body);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (k > 0) sink(u"\n");
            sink(html::escaped(lines[k]));
        }
        sink(u"</div>\r\n");
    }
    sink(u"</body>\r\n</html>\r\n");
}

}  // namespace mozaru::writers
