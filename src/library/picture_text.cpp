// A picture's normalised form.
#include "library/picture_text.h"

#include "exports/aa_library.h"
#include "text/html_text.h"
#include "text/text.h"

namespace mozaru {

namespace {

std::u16string_view withoutTrailingSpaces(std::u16string_view line) {
    while (!line.empty() && isSpace(line.back())) line.remove_suffix(1);
    return line;
}

void dropEmptyEnds(std::vector<std::u16string>& lines) {
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    std::size_t first = 0;
    while (first < lines.size() && lines[first].empty()) ++first;
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(first));
}

}  // namespace

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\u3000' || c == u'\t' || c == u'\u00A0';
}

std::vector<std::u16string> normalisedLines(std::u16string_view text, ItemText kind) {
    std::vector<std::u16string> lines;
    if (kind == ItemText::Markup) {
        lines = plainLines(text);
        for (std::u16string& line : lines) line.resize(withoutTrailingSpaces(line).size());
    } else {
        for (const std::u16string_view line : linesOfNormalised(text)) {
            lines.push_back(html::decodeReferences(line, html::ReferenceForms::Library));
            lines.back().resize(withoutTrailingSpaces(lines.back()).size());
        }
    }
    dropEmptyEnds(lines);
    return lines;
}

std::u16string normalisedText(std::u16string_view text, ItemText kind) {
    std::u16string out;
    bool first = true;
    for (const std::u16string& line : normalisedLines(text, kind)) {
        if (!first) out.push_back(u'\n');
        first = false;
        out.append(line);
    }
    return out;
}

std::vector<std::u16string_view> linesOfNormalised(std::u16string_view normalised) {
    std::vector<std::u16string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = normalised.find(u'\n', start);
        lines.push_back(normalised.substr(start, end - start));
        if (end == npos) break;
        start = end + 1;
    }
    return lines;
}

std::u16string bodyOfLines(std::u16string_view normalised) {
    std::u16string body;
    body.reserve(normalised.size() + normalised.size() / 8);
    // A body that starts with a space would be taken for the board's padding.
    if (!normalised.empty() && normalised[0] == u' ') {
        body += u"&#32;";
        normalised.remove_prefix(1);
    }
    for (const char16_t c : normalised) {
        switch (c) {
            case u'&':
                body += u"&amp;";
                break;
            case u'<':
                body += u"&lt;";
                break;
            case u'>':
                body += u"&gt;";
                break;
            case u'\n':
                body += u"<BR>";
                break;
            default:
                body.push_back(c);
        }
    }
    return body;
}

std::u16string searchKeyOf(std::u16string_view text) {
    std::u16string key;
    key.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isSpace(text[i])) {
            key.push_back(text[i]);
            continue;
        }
        key.push_back(u' ');
        while (i + 1 < text.size() && isSpace(text[i + 1])) ++i;
    }
    return key;
}

}  // namespace mozaru
