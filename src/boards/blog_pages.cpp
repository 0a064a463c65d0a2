// Summary-blog pages (やる夫スレ blogs and what readers save of them): each
// post a header line "N ： NAME ： DATE ID:X" at the start of a line, its
// body after it up to the next header, an <hr>, or the end of the element
// that holds it; lines broken by <br> or by raw line breaks, pictures often
// in div.textar-aa, span.aa or div.aa. A header in a <dt> before a <dd> is
// the classic page's, which is read as it stands.
#include <array>

#include "boards/board_forms.h"
#include "boards/classic_page_writer.h"
#include "boards/post_markup.h"
#include "text/html_tags.h"
#include "text/numbers.h"
#include "text/scan.h"
#include "text/text.h"

namespace mozaru {

namespace {

using html::Tag;

// A header's name, and the rest of its line, are no longer than this.
constexpr std::size_t kLongestName = 256;
constexpr std::size_t kLongestLine = 512;
// So many headers, their numbers rising, make a page a summary blog's.
constexpr int kHeadersInOrder = 3;

constexpr std::array<std::u16string_view, 31> kBlocks{
    u"address", u"article", u"aside", u"blockquote", u"center", u"dd",  u"div", u"dl",
    u"dt",      u"footer",  u"form",  u"h1",         u"h2",     u"h3",  u"h4",  u"h5",
    u"h6",      u"header",  u"hr",    u"li",         u"main",   u"nav", u"ol",  u"p",
    u"pre",     u"section", u"table", u"td",         u"th",     u"tr",  u"ul"};
constexpr std::array<std::u16string_view, 9> kVoid{u"br",   u"hr",  u"img",   u"input", u"meta",
                                                   u"link", u"wbr", u"embed", u"source"};

template <std::size_t N>
bool namedAny(const Tag& tag, const std::array<std::u16string_view, N>& names) {
    for (const std::u16string_view name : names) {
        if (html::isNamed(tag, name)) return true;
    }
    return false;
}

bool endsLine(const Tag& tag) {
    return html::isNamed(tag, u"br") || namedAny(tag, kBlocks);
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

bool isBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// The tag that starts at at; false for a '<' that starts none (text).
bool tagAt(std::u16string_view page, std::size_t at, Tag& tag) {
    if (at + 1 >= page.size()) return false;
    const char16_t next =
        page[at + 1] == u'/' && at + 2 < page.size() ? page[at + 2] : page[at + 1];
    if (!((next | 0x20) >= u'a' && (next | 0x20) <= u'z')) return false;
    return html::nextTag(page, at, tag) && tag.begin == at;
}

struct Header {
    std::uint64_t number = 0;
    std::u16string_view name;  // as written between the separators
    std::u16string_view date;  // with the ID after it, when the line has one
    std::size_t begin = 0;     // its number
    std::size_t end = 0;       // where its body starts
};

// Where the header's line ends after its date: past a raw line break or a
// <br>, at a block's tag; at until when there is none near. dd: the line
// ends at a <dd>, as the classic page's headers do.
std::size_t lineEnd(std::u16string_view page, std::size_t at, bool& dd) {
    const std::size_t last = std::min(page.size(), at + kLongestLine);
    for (std::size_t p = at; p < last; ++p) {
        if (isBreak(page[p]))
            return page[p] == u'\r' && p + 1 < last && page[p + 1] == u'\n' ? p + 2 : p + 1;
        Tag tag;
        if (page[p] != u'<' || !tagAt(page, p, tag)) continue;
        if (html::isNamed(tag, u"br")) return tag.end;
        if (namedAny(tag, kBlocks)) {
            dd = html::isNamed(tag, u"dd");
            return tag.begin;
        }
        p = tag.end - 1;
    }
    return at;
}

// Whether the tag that ends just before at is a <dt>.
bool afterDt(std::u16string_view page, std::size_t at) {
    if (at == 0 || page[at - 1] != u'>') return false;
    const std::size_t lt = page.rfind(u'<', at - 1);
    Tag tag;
    return lt != npos && at - lt < kLongestLine && tagAt(page, lt, tag) && !tag.closing &&
           html::isNamed(tag, u"dt");
}

// The header whose line starts at at: "N ： NAME ： DATE", the separators
// full-width or ':' (the same both times), the date a digit first with a
// '/' soon after.
bool headerAt(std::u16string_view page, std::size_t at, Header& h) {
    std::size_t p = at;
    while (p < page.size() && p - at < 16 && isBlank(page[p])) ++p;
    if (p >= page.size() || digitValue(page[p]) < 0 || afterDt(page, at)) return false;
    h.begin = p;
    while (p < page.size() && digitValue(page[p]) >= 0) ++p;
    if (p - h.begin > 6 || !parseNumber(page.substr(h.begin), h.number)) return false;
    while (p < page.size() && isBlank(page[p])) ++p;
    if (p >= page.size() || (page[p] != u'\uFF1A' && page[p] != u':')) return false;
    const char16_t separator = page[p++];
    const std::size_t nameBegin = p;
    const std::size_t last = std::min(page.size(), p + kLongestName);
    for (Tag tag; p < last && page[p] != separator; ++p) {
        if (isBreak(page[p])) return false;
        if (page[p] != u'<' || !tagAt(page, p, tag)) continue;
        if (endsLine(tag)) return false;
        p = tag.end - 1;
    }
    if (p >= last) return false;
    h.name = page.substr(nameBegin, p - nameBegin);
    for (++p; p < page.size() && isBlank(page[p]); ++p) {
    }
    const std::size_t dateBegin = p;
    const std::size_t slash = page.substr(0, std::min(page.size(), p + 12)).find(u'/', p);
    if (p >= page.size() || digitValue(page[p]) < 0 || slash == npos) return false;
    std::size_t dateEnd = scan::findAny(page.substr(0, std::min(page.size(), p + kLongestLine)),
                                        std::array<char16_t, 3>{u'<', u'\r', u'\n'}, p);
    if (dateEnd == npos) dateEnd = std::min(page.size(), p + kLongestLine);
    if (dateEnd < slash) return false;
    h.date = page.substr(dateBegin, dateEnd - dateBegin);
    while (!h.date.empty() && isBlank(h.date.back())) h.date.remove_suffix(1);
    bool dd = false;
    h.end = lineEnd(page, dateEnd, dd);
    return !dd;
}

// The next header at the start of a line (the page's start, after a line
// break or after any tag) at or after from.
bool nextHeader(std::u16string_view page, std::size_t from, Header& h) {
    constexpr std::array<char16_t, 2> kLineStarts{u'>', u'\n'};
    for (std::size_t at = from; at <= page.size();) {
        if (headerAt(page, at, h)) return true;
        const std::size_t k = scan::findAny(page, kLineStarts, at);
        if (k == npos) return false;
        at = k + 1;
    }
    return false;
}

bool hasText(std::u16string_view text) {
    for (const char16_t c : text) {
        if (c != u' ' && c != u'\t' && !isBreak(c)) return true;
    }
    return false;
}

// A post's body in the page, and where the next post is.
struct Body {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool nextFound = false;  // next holds the header that ends the body
    Header next;
    std::size_t resume = npos;  // otherwise where to look for the next header
};

// The elements opened inside a body, to tell its own closing tags from the
// one that closes the element holding it.
class OpenElements {
public:
    void open(const Tag& tag) {
        if (m_count < m_names.size()) m_names[m_count++] = tag.name;
    }
    // Closes the element tag closes; false when the body opened none of its name.
    bool close(const Tag& tag) {
        for (std::size_t k = m_count; k > 0; --k) {
            if (html::equalsNoCase(tag.name, lowered(m_names[k - 1]))) {
                m_count = k - 1;
                return true;
            }
        }
        return false;
    }

private:
    std::u16string_view lowered(std::u16string_view name) {
        m_lower.assign(name);
        for (char16_t& c : m_lower) c = asciiLower(c);
        return m_lower;
    }
    static char16_t asciiLower(char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
    }
    std::array<std::u16string_view, 32> m_names{};
    std::size_t m_count = 0;
    std::u16string m_lower;
};

// Reads the body that starts at from: it runs to the next header, an <hr>,
// or the closing tag of the element that holds it (closing tags before its
// first text close the header's elements and are passed over).
Body scanBody(std::u16string_view page, std::size_t from) {
    constexpr std::array<char16_t, 2> kStops{u'<', u'\n'};
    Body body;
    body.begin = from;
    OpenElements elements;
    bool content = false;
    for (std::size_t p = from;;) {
        const std::size_t k = scan::findAny(page, kStops, p);
        content = content || hasText(page.substr(p, (k == npos ? page.size() : k) - p));
        Tag tag;
        if (k == npos) {
            body.end = page.size();
            return body;
        }
        if (page[k] == u'\n' || !tagAt(page, k, tag)) {
            p = k + 1;
            if (page[k] == u'<') {
                content = true;
            } else if (headerAt(page, p, body.next)) {
                body.end = body.next.begin;
                body.nextFound = true;
                return body;
            }
            continue;
        }
        const bool holderCloses = tag.closing && !elements.close(tag);
        if (html::isNamed(tag, u"hr") || (holderCloses && content)) {
            body.end = k;
            body.resume = tag.end;
            return body;
        }
        if (holderCloses) body.begin = tag.end;  // it closes the header's element
        if (!tag.closing && !tag.selfClosing && !namedAny(tag, kVoid)) elements.open(tag);
        content = content || html::isNamed(tag, u"img");
        p = tag.end;
        if (headerAt(page, p, body.next)) {
            body.end = body.next.begin;
            body.nextFound = true;
            return body;
        }
    }
}

// The last tag of text, when text ends with one.
bool lastTag(std::u16string_view text, Tag& tag) {
    if (text.empty() || text.back() != u'>') return false;
    const std::size_t lt = text.rfind(u'<');
    return lt != npos && tagAt(text, lt, tag) && tag.end == text.size();
}

// The body less what stands at its ends that is no part of it: line breaks
// and <br> before and after it, closing tags before it, opening tags after
// it, and the elements wrapped around all of it.
std::u16string_view trimmed(std::u16string_view body) {
    for (bool again = true; again;) {
        again = false;
        body = trimBodyLayout(body);
        Tag tag;
        if (!body.empty() && body[0] == u'<' && tagAt(body, 0, tag) &&
            (tag.closing || html::isNamed(tag, u"br"))) {
            body.remove_prefix(tag.end);
            again = true;
        } else if (lastTag(body, tag) && (html::isNamed(tag, u"br") || !tag.closing)) {
            body = body.substr(0, tag.begin);
            again = true;
        } else {
            again = unwrapOnce(body, Wrappers::AndBlocks);
        }
    }
    return body;
}

// The body on one line, as the classic page has it: in a body with <br>
// the raw line breaks are layout (the extraction drops them); in one
// without, they break its lines and become <BR>.
std::u16string_view onOneLine(std::u16string_view body, std::u16string& storage) {
    constexpr std::array<char16_t, 2> kBreaks{u'\r', u'\n'};
    std::size_t p = scan::findAny(body, kBreaks);
    if (p == npos) return body;
    bool tagged = false;
    for (std::size_t b = 0;
         !tagged && (b = scan::findTag(body, std::array<char16_t, 1>{u'b'}, b)) != npos; ++b) {
        tagged = html::startsWithTag(body.substr(b), u"br") || startsWithNoCase(body, b, u"<br/");
    }
    storage.clear();
    std::size_t from = 0;
    for (; p != npos; p = scan::findAny(body, kBreaks, from)) {
        storage.append(body.substr(from, p - from));
        const bool crLf = body[p] == u'\r' && p + 1 < body.size() && body[p + 1] == u'\n';
        if (!tagged) storage.append(u"<BR>");
        from = p + (crLf ? 2 : 1);
    }
    storage.append(body.substr(from));
    return storage;
}

// The name less the font or span that colours it, then as read.cgi's.
void readBlogName(std::u16string_view name, PostFields& post, std::u16string& storage) {
    while (!name.empty() && isBlank(name.front())) name.remove_prefix(1);
    while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
    Tag open;
    Tag close;
    while ((html::startsWithTag(name, u"font") || html::startsWithTag(name, u"span")) &&
           html::nextTag(name, 0, open) && html::findClose(name, open, close) &&
           close.end == name.size()) {
        name = name.substr(open.end, close.begin - open.end);
    }
    readName(name, post, storage);
}

}  // namespace

PageFormat recognizeBlog(std::u16string_view page, bool whole) {
    const std::u16string_view head = whole ? page : page.substr(0, kRecognitionUnits);
    Header h;
    int inOrder = 0;
    std::uint64_t previous = 0;
    for (std::size_t at = 0; nextHeader(head, at, h); at = h.end > h.begin ? h.end : h.begin + 1) {
        inOrder = inOrder > 0 && h.number > previous ? inOrder + 1 : 1;
        previous = h.number;
        if (whole || inOrder == kHeadersInOrder) return PageFormat::SummaryBlog;
    }
    return PageFormat::Classic;
}

ClassicPage blogToClassic(std::u16string_view page, PageFormat format) {
    ClassicPage out;
    if (format != PageFormat::SummaryBlog) return out;
    out.format = format;
    Header h;
    bool more = nextHeader(page, 0, h);
    ClassicPageWriter writer(titleOf(page.substr(0, more ? h.begin : page.size())), page.size());
    std::u16string nameStorage;
    std::u16string bodyStorage;
    while (more) {
        PostFields post;
        post.number = h.number;
        readBlogName(h.name, post, nameStorage);
        post.date = h.date;
        const Body body = scanBody(page, h.end);
        post.body = onOneLine(trimmed(page.substr(body.begin, body.end - body.begin)), bodyStorage);
        writer.post(post);
        if (body.nextFound) {
            h = body.next;
        } else {
            more = body.resume != npos && nextHeader(page, body.resume, h);
        }
    }
    out.text = writer.finish();
    return out;
}

}  // namespace mozaru
