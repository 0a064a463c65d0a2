// MLT and AST libraries: post bodies as the plain text lines AA editors keep.
#include "exports/aa_library.h"

#include "exports/writers.h"
#include "text/html_text.h"
#include "text/numbers.h"
#include "text/text.h"

namespace mozaru {

namespace {

constexpr std::u16string_view kBreak = u"<BR>";

// Whether the body carries the padding boards write: a space at its start
// (and end) and a space on each side of every "<BR>" (where no other "<BR>"
// or the body's end stands). Only then are those spaces not part of the picture.
bool isPadded(std::u16string_view body) {
    if (body.empty() || body[0] != u' ') return false;
    std::size_t previousEnd = npos;
    for (std::size_t b = 0; (b = findNoCase(body, kBreak, b)) != npos; b += kBreak.size()) {
        const std::size_t e = b + kBreak.size();
        const bool before = body[b - 1] == u' ' || b == previousEnd;
        const bool after = e == body.size() || body[e] == u' ' || startsWithNoCase(body, e, kBreak);
        if (!before || !after) return false;
        previousEnd = e;
    }
    return true;
}

void writeLines(const TextSink& sink, std::u16string_view body) {
    for (const std::u16string& line : plainLines(body)) {
        sink(line);
        sink(u"\r\n");
    }
}

}  // namespace

std::vector<std::u16string> plainLines(std::u16string_view body) {
    const bool padded = isPadded(body);
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (bool last = false; !last;) {
        std::size_t end = findNoCase(body, kBreak, start);
        last = end == npos;
        if (last) end = body.size();
        std::u16string_view line = body.substr(start, end - start);
        if (padded && !line.empty() && line.front() == u' ') line.remove_prefix(1);
        if (padded && !line.empty() && line.back() == u' ') line.remove_suffix(1);
        lines.push_back(html::plainText(line));
        start = end + kBreak.size();
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

namespace writers {

void mlt(const ExportInput& input, const TextSink& sink) {
    for (std::size_t k = 0; k < input.posts.size(); ++k) {
        if (k > 0) sink(u"[SPLIT]\r\n");
        writeLines(sink, input.posts[k].body);
    }
}

void ast(const ExportInput& input, const TextSink& sink) {
    std::u16string name;
    for (const KeptPost& post : input.posts) {
        name = u"[AA][";
        appendDecimal(name, post.number);
        name += u"]\r\n";
        sink(name);
        writeLines(sink, post.body);
    }
}

}  // namespace writers

}  // namespace mozaru
