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

// Whether name (any case) is a block's: the elements that end a line.
bool isBlock(std::u16string_view name) {
    if (name.empty() || name.size() > 10) return false;
    char16_t lower[10];
    for (std::size_t k = 0; k < name.size(); ++k) lower[k] = name[k] | 0x20;
    const std::u16string_view n(lower, name.size());
    switch (n.size()) {
        case 1:
            return n == u"p";
        case 2:
            return n == u"dd" || n == u"dl" || n == u"dt" || n == u"hr" || n == u"li" ||
                   n == u"ol" || n == u"ul" || n == u"td" || n == u"th" || n == u"tr" ||
                   (n[0] == u'h' && n[1] >= u'1' && n[1] <= u'6');
        case 3:
            return n == u"div" || n == u"nav" || n == u"pre";
        case 4:
            return n == u"form" || n == u"main";
        case 5:
            return n == u"aside" || n == u"table";
        case 6:
            return n == u"center" || n == u"footer" || n == u"header";
        case 7:
            return n == u"address" || n == u"article" || n == u"section";
        default:
            return n == u"blockquote";
    }
}

bool endsLine(std::u16string_view name) {
    return html::equalsNoCase(name, u"br") || isBlock(name);
}

// Elements a body's scan looks at: the blocks, and the two whose text is no markup.
bool readWhole(std::u16string_view name) {
    return isBlock(name) || html::equalsNoCase(name, u"script") ||
           html::equalsNoCase(name, u"style");
}

// Just after the '>' of the tag at at, within the first last units; npos when it has none.
std::size_t pastTag(std::u16string_view page, std::size_t at, std::size_t last = npos) {
    const std::size_t close = scan::findUnit(page.substr(0, std::min(last, page.size())), u'>', at);
    return close == npos ? npos : close + 1;
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

bool isAsciiBlank(char16_t c) {
    return c == u' ' || c == u'\t';
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
    bool classic = false;  // in a <dt> or before a <dd>: the classic page's header
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
        if (isBreak(page[p])) {
            return page[p] == u'\r' && p + 1 < last && page[p + 1] == u'\n' ? p + 2 : p + 1;
        }
        const std::u16string_view name = page[p] == u'<' ? html::tagNameAt(page, p) : u"";
        if (name.empty()) continue;
        if (isBlock(name)) {
            dd = page[p + 1] != u'/' && html::equalsNoCase(name, u"dd");
            return p;
        }
        const std::size_t end = pastTag(page, p, last);
        if (end == npos || html::equalsNoCase(name, u"br")) return end == npos ? at : end;
        p = end - 1;
    }
    return at;
}

// Whether the tag that ends just before at is a <dt>.
bool afterDt(std::u16string_view page, std::size_t at) {
    if (at == 0 || page[at - 1] != u'>') return false;
    const std::size_t lt = page.rfind(u'<', at - 1);
    return lt != npos && at - lt < kLongestLine && page[lt + 1] != u'/' &&
           html::equalsNoCase(html::tagNameAt(page, lt), u"dt");
}

// The header whose line starts at at: "N ： NAME ： DATE", the separators
// full-width or ':' (the same both times), the date a digit first with a
// '/' soon after. One of the classic page's is read too, and says so.
bool anyHeaderAt(std::u16string_view page, std::size_t at, Header& h) {
    std::size_t p = at;
    while (p < page.size() && p - at < 8 && isAsciiBlank(page[p])) ++p;
    if (p >= page.size() || digitValue(page[p]) < 0) return false;
    h.classic = afterDt(page, at);
    h.begin = p;
    while (p < page.size() && digitValue(page[p]) >= 0) ++p;
    if (p - h.begin > 6 || !parseNumber(page.substr(h.begin), h.number)) return false;
    while (p < page.size() && isBlank(page[p])) ++p;
    if (p >= page.size() || (page[p] != u'\uFF1A' && page[p] != u':')) return false;
    const char16_t separator = page[p++];
    const std::size_t nameBegin = p;
    const std::size_t last = std::min(page.size(), p + kLongestName);
    for (; p < last && page[p] != separator; ++p) {
        if (isBreak(page[p])) return false;
        const std::u16string_view name = page[p] == u'<' ? html::tagNameAt(page, p) : u"";
        if (name.empty()) continue;
        const std::size_t end = pastTag(page, p, last);
        if (endsLine(name) || end == npos) return false;
        p = end - 1;
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
    h.classic = h.classic || dd;
    return true;
}

// A summary blog's header at at.
bool headerAt(std::u16string_view page, std::size_t at, Header& h) {
    return anyHeaderAt(page, at, h) && !h.classic;
}

// The next header at the start of a line (the page's start, after a line
// break or after any tag) at or after from; with classic, the classic
// page's headers too (h.classic tells).
bool nextHeader(std::u16string_view page, std::size_t from, Header& h, bool classic = false) {
    constexpr std::array<char16_t, 2> kLineStarts{u'>', u'\n'};
    for (std::size_t at = from; at <= page.size();) {
        if (classic ? anyHeaderAt(page, at, h) : headerAt(page, at, h)) return true;
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

// Where the <br> (<br/>, <br />) at at ends; npos when none stands there.
// The tag most bodies are full of is read without the tag reader.
std::size_t breakEnd(std::u16string_view page, std::size_t at) {
    const std::u16string_view tag = page.substr(at, 6);
    if (tag.size() < 4 || (tag[1] | 0x20) != u'b' || (tag[2] | 0x20) != u'r') return npos;
    for (const std::u16string_view end : {u">", u"/>", u" />"}) {
        if (tag.substr(3, end.size()) == end) return at + 3 + end.size();
    }
    return npos;
}

// The blocks opened inside a body, to tell its own closing tags from the
// one that closes the element holding it.
class OpenElements {
public:
    void open(std::u16string_view name) {
        if (m_count < m_names.size()) m_names[m_count++] = name;
    }
    // Closes the element of that name; false when the body opened none.
    bool close(std::u16string_view name) {
        for (std::size_t k = m_count; k > 0; --k) {
            if (html::equalsNoCase(name, lowered(m_names[k - 1]))) {
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
    OpenElements blocks;
    bool content = false;
    for (std::size_t p = from;;) {
        const std::size_t k = scan::findAny(page, kStops, p);
        content = content || hasText(page.substr(p, (k == npos ? page.size() : k) - p));
        if (k == npos) {
            body.end = page.size();
            return body;
        }
        p = page[k] == u'\n' ? k + 1 : breakEnd(page, k);
        const std::u16string_view name = p == npos ? html::tagNameAt(page, k) : u"";
        Tag tag;
        if (p != npos) {
            // a line break
        } else if (page.substr(k, 4) == u"<!--") {
            const std::size_t end = page.find(u"-->", k + 4);
            p = end == npos ? page.size() : end + 3;
        } else if (name.empty() || !readWhole(name)) {
            // Text, or an element inside a line: passed over.
            p = name.empty() ? npos : pastTag(page, k);
            content = content || p == npos || html::equalsNoCase(name, u"img");
            if (p == npos) p = k + 1;
        } else if (isBlock(name) && (p = pastTag(page, k)) != npos) {
            // A block's attributes are passed over to its first '>'.
            const bool closing = page[k + 1] == u'/';
            const bool hr = html::equalsNoCase(name, u"hr");
            const bool holderCloses = closing && !blocks.close(name);
            if (hr || (holderCloses && content)) {
                body.end = k;
                body.resume = p;
                return body;
            }
            if (holderCloses) body.begin = p;  // it closes the header's element
            if (!closing && page[p - 2] != u'/') blocks.open(name);
        } else if (tagAt(page, k, tag)) {  // a script or a style, read past its text
            p = tag.end;
        } else {
            content = true;
            p = k + 1;
        }
        if (headerAt(page, p, body.next)) {
            body.end = body.next.begin;
            body.nextFound = true;
            return body;
        }
    }
}

// The last tag of text, when text ends with one.
std::u16string_view lastTag(std::u16string_view text, std::size_t& at) {
    if (text.empty() || text.back() != u'>') return {};
    at = text.rfind(u'<');
    return at != npos && pastTag(text, at) == text.size() ? html::tagNameAt(text, at) : u"";
}

// The body less what stands at its ends that is no part of it: line breaks
// and <br> before and after it, closing tags before it, opening tags after
// it, and the elements wrapped around all of it.
std::u16string_view trimmed(std::u16string_view body) {
    for (bool again = true; again;) {
        again = false;
        body = trimBodyLayout(body);
        const std::u16string_view first = html::tagNameAt(body, 0);
        std::size_t last = 0;
        const std::u16string_view end = lastTag(body, last);
        if (!first.empty() && (body[1] == u'/' || html::equalsNoCase(first, u"br"))) {
            body.remove_prefix(std::min(body.size(), pastTag(body, 0)));
            again = true;
        } else if (!end.empty() && (body[last + 1] != u'/' || html::equalsNoCase(end, u"br"))) {
            body = body.substr(0, last);
            again = true;
        } else {
            again = unwrapOnce(body, Wrappers::AndBlocks);
        }
    }
    return body;
}

// Writes the body on one line, as the classic page has it: in a body with
// <br> the raw line breaks are layout (the extraction drops them); in one
// without, they break its lines and become <BR>.
void writeOnOneLine(std::u16string_view body, ClassicPageWriter& writer) {
    constexpr std::array<char16_t, 2> kBreaks{u'\r', u'\n'};
    std::size_t p = scan::findAny(body, kBreaks);
    bool tagged = false;
    for (std::size_t b = 0; p != npos && !tagged &&
                            (b = scan::findTag(body, std::array<char16_t, 1>{u'b'}, b)) != npos;
         ++b) {
        tagged = html::startsWithTag(body.substr(b), u"br") || startsWithNoCase(body, b, u"<br/");
    }
    std::size_t from = 0;
    for (; p != npos; p = scan::findAny(body, kBreaks, from)) {
        writer.body(body.substr(from, p - from));
        if (!tagged) writer.body(u"<BR>");
        from = p + (body[p] == u'\r' && p + 1 < body.size() && body[p + 1] == u'\n' ? 2 : 1);
    }
    writer.body(body.substr(from));
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
    for (std::size_t at = 0; nextHeader(head, at, h, true); at = h.end) {
        // Header lines quoted in the bodies of a classic page make no blog of it.
        if (h.classic) return PageFormat::Classic;
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
    while (more) {
        PostFields post;
        post.number = h.number;
        readBlogName(h.name, post, nameStorage);
        post.date = h.date;
        const Body body = scanBody(page, h.end);
        writer.header(post);
        writeOnOneLine(trimmed(page.substr(body.begin, body.end - body.begin)), writer);
        writer.endPost();
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
