// MLT and AST libraries: post bodies as the plain text lines AA editors keep.
#include "exports/aa_library.h"

#include "exports/writers.h"
#include "text/html_tags.h"
#include "text/numbers.h"
#include "text/text.h"
#include "text/utf.h"

namespace mozaru {

namespace {

// Text between tags, less the comments that the tag reader passes over.
void appendText(std::u16string& out, std::u16string_view text) {
    for (std::size_t open; (open = text.find(u"<!--")) != npos;) {
        const std::size_t close = text.find(u"-->", open + 4);
        if (close == npos) break;
        out.append(text.substr(0, open));
        text.remove_prefix(close + 3);
    }
    out.append(text);
}

// The text less its tags and comments; a '<' that starts no tag stays as text.
std::u16string withoutTags(std::u16string_view text) {
    std::u16string out;
    std::size_t at = 0;
    for (html::Tag tag; html::nextTag(text, at, tag); at = tag.end) {
        appendText(out, text.substr(at, tag.begin - at));
    }
    appendText(out, text.substr(at));
    return out;
}

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

std::u16string decodeReferences(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            out.push_back(text[i]);
            continue;
        }
        char32_t c = 0;
        const std::size_t length = html::readReference(text, i, c);
        if (length == 0) {
            out.push_back(u'&');
            continue;
        }
        appendUtf16(out, c);
        i += length - 1;
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
        lines.push_back(decodeReferences(withoutTags(line)));
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
