// A small reader of HTML tags: enough of the syntax for board pages.
#include "text/html_tags.h"

#include <algorithm>

#include "text/scan.h"
#include "text/text.h"

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

}  // namespace

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

namespace {

// Calls f with every tag of the name from p on, as findClose reads them:
// only tags of that name are read whole; a body holds many others (<br>,
// links) that need no more than a look at their name. Stops where f
// returns false, or where a tag of the name never ends.
template <class F>
void forEachTagNamed(std::u16string_view page, std::u16string_view name, std::size_t p, F f) {
    for (; (p = scan::findUnit(page, u'<', p)) != scan::npos; ++p) {
        std::size_t n = p + 1;
        if (n < page.size() && page[n] == u'/') ++n;
        if (page.size() - n <= name.size() || !startsWithNoCase(page, n, name) ||
            !endsName(page[n + name.size()])) {
            continue;
        }
        Tag tag;
        if (!nextTag(page, p, tag) || !f(tag)) return;
        p = tag.end - 1;
    }
}

}  // namespace

bool findClose(std::u16string_view page, const Tag& open, Tag& close) {
    std::size_t depth = 1;
    bool found = false;
    forEachTagNamed(page, open.name, open.end, [&](const Tag& tag) {
        if (tag.closing) {
            found = --depth == 0;
            close = tag;
        } else if (!tag.selfClosing) {
            ++depth;
        }
        return !found;
    });
    return found;
}

CloseFinder::Pairs* CloseFinder::pairsOf(const Tag& open) {
    for (Pairs& pairs : m_pairs) {
        if (equalsNoCase(open.name, pairs.name) && open.begin >= pairs.from) return &pairs;
    }
    return nullptr;
}

// Pairs the elements of open's name from open on, in one pass, as findClose
// pairs each: an opening tag with the first closing tag after it at which
// as many of the name have closed as opened since. A self-closing tag opens
// nothing for the others, but is itself closed as if it had.
CloseFinder::Pairs& CloseFinder::pair(const Tag& open) {
    Pairs pairs{std::u16string(open.name), open.begin, {}};
    for (char16_t& c : pairs.name) c = isLetter(c) ? (c | 0x20) : c;
    struct Waiting {
        std::size_t depth;  // of the open elements when it opened
        std::size_t element;
    };
    std::vector<std::size_t> unclosed;  // elements open, innermost last
    std::vector<Waiting> selfClosing;   // self-closing ones not yet closed
    forEachTagNamed(m_page, open.name, open.begin, [&](const Tag& tag) {
        if (!tag.closing) {
            pairs.elements.push_back({tag.begin, npos});
            if (tag.selfClosing) {
                selfClosing.push_back({unclosed.size(), pairs.elements.size() - 1});
            } else {
                unclosed.push_back(pairs.elements.size() - 1);
            }
            return true;
        }
        while (!selfClosing.empty() && selfClosing.back().depth == unclosed.size()) {
            pairs.elements[selfClosing.back().element].close = tag.begin;
            selfClosing.pop_back();
        }
        if (!unclosed.empty()) {
            pairs.elements[unclosed.back()].close = tag.begin;
            unclosed.pop_back();
        }
        return true;
    });
    m_pairs.push_back(std::move(pairs));
    return m_pairs.back();
}

bool CloseFinder::lookUp(const Pairs& pairs, const Tag& open, Tag& close) const {
    const auto it = std::lower_bound(
        pairs.elements.begin(), pairs.elements.end(), open.begin,
        [](const Element& element, std::size_t begin) { return element.begin < begin; });
    // A tag the pass read otherwise (inside another's attribute) has no pair.
    if (it == pairs.elements.end() || it->begin != open.begin || it->close == npos) return false;
    return nextTag(m_page, it->close, close);
}

bool CloseFinder::find(const Tag& open, Tag& close) {
    if (const Pairs* pairs = pairsOf(open)) return lookUp(*pairs, open, close);
    if (findClose(m_page, open, close)) return true;
    pair(open);
    return false;
}

bool CloseFinder::indexed(const Tag& open, Tag& close) {
    const Pairs* pairs = pairsOf(open);
    return lookUp(pairs != nullptr ? *pairs : pair(open), open, close);
}

bool startsWithTag(std::u16string_view text, std::u16string_view lower) {
    if (text.size() < lower.size() + 2 || text[0] != u'<') return false;
    if (!equalsNoCase(text.substr(1, lower.size()), lower)) return false;
    const char16_t after = text[lower.size() + 1];
    return after == u'>' || isSpace(after);
}

std::u16string_view tagNameAt(std::u16string_view text, std::size_t at) {
    std::size_t n = at + 1;
    if (at >= text.size() || text[at] != u'<') return {};
    if (n < text.size() && text[n] == u'/') ++n;
    if (n >= text.size() || !isLetter(text[n])) return {};
    std::size_t end = n + 1;
    while (end < text.size() && !endsName(text[end])) ++end;
    return text.substr(n, end - n);
}

std::u16string_view trimLayout(std::u16string_view text) {
    std::size_t begin = 0;
    bool lineBreak = false;
    for (; begin < text.size() && isSpace(text[begin]); ++begin) {
        lineBreak = lineBreak || text[begin] == u'\r' || text[begin] == u'\n';
    }
    if (lineBreak) text.remove_prefix(begin);
    std::size_t end = text.size();
    lineBreak = false;
    for (; end > 0 && isSpace(text[end - 1]); --end) {
        lineBreak = lineBreak || text[end - 1] == u'\r' || text[end - 1] == u'\n';
    }
    if (lineBreak) text = text.substr(0, end);
    return text;
}

}  // namespace mozaru::html
