// The text an HTML fragment shows, read with the one tag reader.
#include "text/html_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/html_tags.h"
#include "text/named_references.h"
#include "text/numbers.h"
#include "text/text.h"
#include "text/utf.h"

namespace mozaru::html {

namespace {

struct Reference {
    std::u16string_view name;  // after '&', with its ';'
    char16_t character;
};

// The first four are the characters markup gives a meaning to, escaped() writes them.
constexpr std::array<Reference, 6> kNamed{{
    {u"lt;", u'<'},
    {u"gt;", u'>'},
    {u"amp;", u'&'},
    {u"quot;", u'"'},
    {u"apos;", u'\''},
    // AA editors write a no-break space as the text "&#160;" in CP932: the
    // space a browser shows is the half-width one.
    {u"nbsp;", u' '},
}};

// The numeric reference at text[at] ('&'): its code point and length; 0
// when there is none or it names no character. A library's may lack its ';'.
std::size_t numericReference(std::u16string_view text, std::size_t at, char32_t& c,
                             ReferenceForms forms) {
    std::size_t i = at + 2;
    if (i > text.size() || text[at + 1] != u'#') return 0;
    const bool hex = i < text.size() && (text[i] == u'x' || text[i] == u'X');
    if (hex) ++i;
    const std::size_t first = i;
    std::uint32_t value = 0;
    for (int d = 0; i < text.size() && (d = digitValue(text[i], hex ? 16 : 10)) >= 0; ++i) {
        if (i - first == 8) return 0;
        value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
    }
    const bool closed = i < text.size() && text[i] == u';';
    if (i == first || (!closed && forms == ReferenceForms::Html)) return 0;
    if (value == 0 || value > 0x10FFFF || isSurrogate(value)) return 0;
    // A line of a library cannot hold a line break: such a reference stays text.
    if (forms == ReferenceForms::Library && (value == u'\n' || value == u'\r')) return 0;
    c = value;
    return i + (closed ? 1 : 0) - at;
}

// Any name HTML 4 defines, at text[at] ('&'), with its ';'.
std::size_t libraryNamedReference(std::u16string_view text, std::size_t at, char32_t& c) {
    static const std::size_t longest = longestReferenceName();
    const std::size_t end = text.substr(0, at + 2 + longest).find(u';', at + 1);
    if (end == npos) return 0;
    c = namedReference(text.substr(at + 1, end - at - 1));
    // Editors draw a no-break space as a space; CP932 has no other.
    if (c == u'\u00A0') c = u' ';
    return c == 0 ? 0 : end + 1 - at;
}

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
    for (Tag tag; nextTag(text, at, tag); at = tag.end) {
        appendText(out, text.substr(at, tag.begin - at));
    }
    appendText(out, text.substr(at));
    return out;
}

}  // namespace

std::size_t readReference(std::u16string_view text, std::size_t at, char32_t& c,
                          ReferenceForms forms) {
    std::size_t length = numericReference(text, at, c, forms);
    if (length == 0 && forms == ReferenceForms::Library)
        length = libraryNamedReference(text, at, c);
    for (const Reference& r : kNamed) {
        if (length == 0 && text.substr(at + 1, r.name.size()) == r.name) {
            c = r.character;
            length = r.name.size() + 1;
        }
    }
    return length;
}

std::u16string decodeReferences(std::u16string_view text, ReferenceForms forms) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = 0;
        const std::size_t length = text[i] == u'&' ? readReference(text, i, c, forms) : 0;
        if (length == 0) {
            out.push_back(text[i]);
            continue;
        }
        appendUtf16(out, c);
        i += length - 1;
    }
    return out;
}

std::u16string plainText(std::u16string_view fragment) {
    return decodeReferences(withoutTags(fragment));
}

std::u16string escaped(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        // The references of the four characters markup gives a meaning to.
        const auto named = std::find_if(kNamed.begin(), kNamed.begin() + 4,
                                        [c](const Reference& r) { return r.character == c; });
        if (named == kNamed.begin() + 4) {
            out.push_back(c);
            continue;
        }
        out.push_back(u'&');
        out += named->name;
    }
    return out;
}

}  // namespace mozaru::html
