// MLT and AST libraries: post bodies as the plain text lines AA editors keep.
#include "exports/aa_library.h"

#include "exports/writers.h"
#include "extract/post_header.h"
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
        sink(libraryLine(line));
        sink(u"\r\n");
    }
}

}  // namespace

std::u16string libraryLine(std::u16string_view line) {
    std::u16string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char16_t c = line[i];
        if (c == u'\r') {
            out += u"&#13;";
        } else if (c == u'\n') {
            out += u"&#10;";
        } else if (c == u'[' && (startsWithNoCase(line, i + 1, u"SPLIT]") ||
                                 startsWithNoCase(line, i + 1, u"AA]"))) {
            out += u"&#91;";
        } else {
            out += c;
        }
    }
    return out;
}

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

namespace {

// "【>>12 名無し】": a one-line item, which AA editors list as a heading.
std::u16string headingOf(const KeptPost& post, const PostHeader* header, bool withId) {
    std::u16string heading = u"【>>";
    appendDecimal(heading, post.number);
    if (header != nullptr && !header->name.empty()) heading += u' ' + header->name;
    if (withId && header != nullptr && !header->id.empty()) heading += u" ID:" + header->id;
    return heading + u"】";
}

// "12 名無し ID:Ab3", the AST name of a picture with its header.
std::u16string nameWithHeader(const KeptPost& post, const PostHeader* header) {
    std::u16string name;
    appendDecimal(name, post.number);
    if (header == nullptr) return name;
    if (!header->name.empty()) name += u' ' + header->name;
    if (!header->id.empty()) name += u" ID:" + header->id;
    return name;
}

// The post's header when the options show it (withHeader or headings).
const PostHeader* headerOf(const ExportInput& input, const KeptPost& post, PostHeader& header) {
    if (!input.options.withHeader && !input.options.headings) return nullptr;
    return parsePostHeader(post.header, header) ? &header : nullptr;
}

}  // namespace

namespace writers {

void mlt(const ExportInput& input, const TextSink& sink) {
    bool first = true;
    const auto item = [&](std::u16string_view line) {
        if (!first) sink(u"[SPLIT]\r\n");
        first = false;
        if (!line.empty()) {
            sink(line);
            sink(u"\r\n");
        }
    };
    const ExportOptions& o = input.options;
    if (o.headings && !o.title.empty()) item(u"【" + std::u16string(o.title) + u"】");
    for (const KeptPost& post : input.posts) {
        PostHeader parsed;
        const PostHeader* header = headerOf(input, post, parsed);
        if (o.headings) item(headingOf(post, header, false));
        item(o.withHeader && header != nullptr ? shownHeader(*header) : std::u16string());
        writeLines(sink, post.body);
    }
}

void ast(const ExportInput& input, const TextSink& sink) {
    const ExportOptions& o = input.options;
    if (o.headings && !o.title.empty()) {
        const std::u16string heading = u"【" + std::u16string(o.title) + u"】";
        sink(u"[AA][" + heading + u"]\r\n" + heading + u"\r\n");
    }
    std::u16string name;
    for (const KeptPost& post : input.posts) {
        PostHeader parsed;
        const PostHeader* header = headerOf(input, post, parsed);
        name = u"[AA][";
        if (o.headings) {
            name += headingOf(post, header, o.withHeader);
        } else if (o.withHeader) {
            name += nameWithHeader(post, header);
        } else {
            appendDecimal(name, post.number);
        }
        name += u"]\r\n";
        sink(name);
        writeLines(sink, post.body);
    }
}

}  // namespace writers

}  // namespace mozaru
