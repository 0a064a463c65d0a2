// A small reader of HTML tags: enough of the syntax for board pages.
#include "text/html_tags.h"

#include <array>
#include <cstdint>

#include "text/numbers.h"
#include "text/scan.h"
#include "text/text.h"
#include "text/utf.h"

namespace mozaru::html {

namespace {

constexpr bool isLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

constexpr bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

constexpr bool endsName(char16_t c) {
    return isSpace(c) || c == u'>' || c == u'/';
}

// Position of the '>' that ends the tag whose attributes start at from;
// quoted values may hold a '>'. npos when there is none.
std::size_t tagEnd(std::u16string_view page, std::size_t from) {
    for (std::size_t start = from;;) {
        const std::size_t plain = scan::findUnit(page, u'>', start);
        if (plain == scan::npos) return plain;
        std::size_t resume = scan::npos;
        for (std::size_t i = start; i < plain && resume == scan::npos; ++i) {
            const char16_t c = page[i];
            if (c != u'"' && c != u'\'') continue;
            // An attribute value only opens after "=": a lone quote is text.
            std::size_t k = i;
            while (k > from && isSpace(page[k - 1])) --k;
            if (k == from || page[k - 1] != u'=') continue;
            const std::size_t quote = scan::findUnit(page, c, i + 1);
            // An unclosed quote: the first '>' ends the tag, as browsers recover.
            if (quote == scan::npos) return plain;
            if (quote > plain) resume = quote + 1;
            i = quote;
        }
        if (resume == scan::npos) return plain;
        start = resume;
    }
}

struct Reference {
    std::u16string_view name;  // after '&', with its ';'
    char16_t character;
};

constexpr std::array<Reference, 6> kNamed{{
    {u"lt;", u'<'},
    {u"gt;", u'>'},
    {u"amp;", u'&'},
    {u"quot;", u'"'},
    {u"apos;", u'\''},
    {u"nbsp;", u'\u00A0'},
}};

// The numeric reference at text[at] ('&'): its code point and length; 0
// when there is none or it names no character.
std::size_t numericReference(std::u16string_view text, std::size_t at, char32_t& c) {
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
    if (i == first || i >= text.size() || text[i] != u';') return 0;
    if (value == 0 || value > 0x10FFFF || isSurrogate(value)) return 0;
    c = value;
    return i + 1 - at;
}

}  // namespace

std::size_t readReference(std::u16string_view text, std::size_t at, char32_t& c) {
    if (const std::size_t length = numericReference(text, at, c); length != 0) return length;
    for (const Reference& r : kNamed) {
        if (text.substr(at + 1, r.name.size()) == r.name) {
            c = r.character;
            return r.name.size() + 1;
        }
    }
    return 0;
}

bool nextTag(std::u16string_view page, std::size_t from, Tag& tag) {
    for (std::size_t p = from; (p = scan::findUnit(page, u'<', p)) != scan::npos; ++p) {
        if (page.substr(p, 4) == u"<!--") {
            p = page.find(u"-->", p + 4);
            if (p == npos) return false;
            continue;
        }
        std::size_t n = p + 1;
        const bool closing = n < page.size() && page[n] == u'/';
        if (closing) ++n;
        if (n >= page.size() || !isLetter(page[n])) continue;
        std::size_t nameEnd = n + 1;
        while (nameEnd < page.size() && !endsName(page[nameEnd])) ++nameEnd;
        const std::size_t close = tagEnd(page, nameEnd);
        if (close == scan::npos) return false;
        tag.begin = p;
        tag.end = close + 1;
        tag.closing = closing;
        tag.selfClosing = page[close - 1] == u'/';
        tag.name = page.substr(n, nameEnd - n);
        tag.attrs = page.substr(nameEnd, close - nameEnd);
        if (!closing && (equalsNoCase(tag.name, u"script") || equalsNoCase(tag.name, u"style"))) {
            // Their text is no markup, though it may look like some.
            std::size_t at = tag.end;
            while ((at = page.find(u"</", at)) != npos &&
                   !startsWithNoCase(page, at + 2, tag.name)) {
                at += 2;
            }
            tag.end = at == npos ? page.size() : at;
        }
        return true;
    }
    return false;
}

bool equalsNoCase(std::u16string_view text, std::u16string_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((isLetter(text[i]) ? (text[i] | 0x20) : text[i]) != lower[i]) return false;
    }
    return true;
}

std::u16string_view attribute(const Tag& tag, std::u16string_view name, bool* found) {
    const std::u16string_view a = tag.attrs;
    std::size_t i = 0;
    if (found != nullptr) *found = false;
    while (i < a.size()) {
        while (i < a.size() && (isSpace(a[i]) || a[i] == u'/')) ++i;
        const std::size_t nameBegin = i;
        while (i < a.size() && !isSpace(a[i]) && a[i] != u'=' && a[i] != u'/') ++i;
        const std::u16string_view attrName = a.substr(nameBegin, i - nameBegin);
        while (i < a.size() && isSpace(a[i])) ++i;
        std::u16string_view value;
        if (i < a.size() && a[i] == u'=') {
            ++i;
            while (i < a.size() && isSpace(a[i])) ++i;
            if (i < a.size() && (a[i] == u'"' || a[i] == u'\'')) {
                const std::size_t quote = a.find(a[i], i + 1);
                const std::size_t valueEnd = quote == npos ? a.size() : quote;
                value = a.substr(i + 1, valueEnd - i - 1);
                i = quote == npos ? a.size() : quote + 1;
            } else {
                const std::size_t valueBegin = i;
                while (i < a.size() && !isSpace(a[i])) ++i;
                value = a.substr(valueBegin, i - valueBegin);
            }
        }
        if (!attrName.empty() && equalsNoCase(attrName, name)) {
            if (found != nullptr) *found = true;
            return value;
        }
        if (attrName.empty() && i < a.size()) ++i;  // a stray character
    }
    return {};
}

bool classListHas(std::u16string_view classes, std::u16string_view cls) {
    std::size_t i = 0;
    while (i < classes.size()) {
        while (i < classes.size() && isSpace(classes[i])) ++i;
        const std::size_t begin = i;
        while (i < classes.size() && !isSpace(classes[i])) ++i;
        if (i > begin && equalsNoCase(classes.substr(begin, i - begin), cls)) return true;
    }
    return false;
}

bool findClose(std::u16string_view page, const Tag& open, Tag& close) {
    // Only tags of the element's name are read whole: a body holds many
    // others (<br>, links) that need no more than a look at their name.
    const std::u16string_view name = open.name;
    std::size_t depth = 1;
    for (std::size_t p = open.end; (p = scan::findUnit(page, u'<', p)) != scan::npos; ++p) {
        std::size_t n = p + 1;
        if (n < page.size() && page[n] == u'/') ++n;
        if (page.size() - n <= name.size() || !startsWithNoCase(page, n, name) ||
            !endsName(page[n + name.size()])) {
            continue;
        }
        if (!nextTag(page, p, close)) return false;
        if (close.closing) {
            if (--depth == 0) return true;
        } else if (!close.selfClosing) {
            ++depth;
        }
        p = close.end - 1;
    }
    return false;
}

bool startsWithTag(std::u16string_view text, std::u16string_view lower) {
    if (text.size() < lower.size() + 2 || text[0] != u'<') return false;
    if (!equalsNoCase(text.substr(1, lower.size()), lower)) return false;
    const char16_t after = text[lower.size() + 1];
    return after == u'>' || isSpace(after);
}

}  // namespace mozaru::html
