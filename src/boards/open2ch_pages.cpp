// Thread pages as open2ch's read.cgi serves them (UTF-8): each post a <dl>
// of its own, the header in <dt res="N"> (the number a link, the name in an
// element of class "name", the date as text, the ID in an element of class
// "id"), the body in <dd class="… mesg …">, and the reply counter <ares>
// after the body, inside the <dd> or after it.
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

// The next opening tag at or after from whose name is one of names (small
// letters, each starting with 'd'); which tells the one found.
template <std::size_t N>
bool nextOf(std::u16string_view page, std::size_t from,
            const std::array<std::u16string_view, N>& names, Tag& tag, std::size_t& which) {
    for (std::size_t p = from; (p = scan::findTag(page, std::array<char16_t, 1>{u'd'}, p)) != npos;
         ++p) {
        for (which = 0; which < N; ++which) {
            if (html::startsWithTag(page.substr(p), names[which])) break;
        }
        if (which < N && html::nextTag(page, p, tag)) return true;
    }
    return false;
}

constexpr std::array<std::u16string_view, 1> kHeaderTag{u"dt"};
constexpr std::array<std::u16string_view, 2> kHeaderOrBody{u"dd", u"dt"};

// The next post's header, a <dt> with the post's number in its attribute res.
bool nextHeader(std::u16string_view page, std::size_t from, Tag& dt, std::uint64_t& number) {
    std::size_t which = 0;
    for (std::size_t p = from; nextOf(page, p, kHeaderTag, dt, which); p = dt.end) {
        bool found = false;
        const std::u16string_view res = html::attribute(dt, u"res", &found);
        if (found && parseNumber(res, number)) return true;
    }
    return false;
}

// Where the body that starts at from ends: its </dd>, or the end of the
// list or the next entry when it is not closed.
std::size_t bodyEnd(std::u16string_view page, std::size_t from) {
    for (std::size_t p = from; (p = scan::findTag(page, u'd', u'/', p)) != npos; ++p) {
        const std::u16string_view at = page.substr(p);
        if (startsWithNoCase(at, 0, u"</dd") || startsWithNoCase(at, 0, u"</dl") ||
            html::startsWithTag(at, u"dt") || html::startsWithTag(at, u"dd") ||
            html::startsWithTag(at, u"dl")) {
            return p;
        }
    }
    return page.size();
}

// The body less the reply counter that follows it, and less the <br> that
// ends every body: the classic page ends a post with read.cgi's own.
std::u16string_view bodyOf(std::u16string_view body) {
    for (std::size_t p = 0; (p = scan::findTag(body, std::array<char16_t, 1>{u'a'}, p)) != npos;
         ++p) {
        if (html::startsWithTag(body.substr(p), u"ares")) {
            body = body.substr(0, p);
            break;
        }
    }
    body = html::trimLayout(body);
    Tag last;
    const std::size_t lt = body.rfind(u'<');
    if (lt != npos && html::nextTag(body, lt, last) && html::isNamed(last, u"br") &&
        last.end == body.size()) {
        body = body.substr(0, lt);
    }
    return body;
}

bool isWide(char16_t c) {
    return c == u' ' || c == u'\u3000' || c == u'\uFF1A' || c == u':';
}

// A run of the header's text that is its date: after the separators, a
// digit first and a '/' in it.
bool dateIn(std::u16string_view text, std::u16string_view& date) {
    while (!text.empty() && isWide(text.front())) text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\u3000')) {
        text.remove_suffix(1);
    }
    text = html::trimLayout(text);
    if (text.empty() || digitValue(text.front()) < 0 || text.find(u'/') == npos) return false;
    date = text;
    return true;
}

// The name, mail, date and ID of a header.
void readHeader(std::u16string_view header, PostFields& post, std::u16string& storage) {
    std::size_t textFrom = 0;
    Tag tag;
    for (std::size_t p = 0;; p = tag.end) {
        const bool more = html::nextTag(header, p, tag);
        const std::size_t textEnd = more ? tag.begin : header.size();
        if (post.date.empty()) dateIn(header.substr(textFrom, textEnd - textFrom), post.date);
        if (!more) return;
        textFrom = tag.end;
        if (tag.closing) continue;
        const std::u16string_view classes = html::attribute(tag, u"class");
        const bool isName = html::classListHas(classes, u"name");
        const bool isId = html::classListHas(classes, u"id");
        if (html::isNamed(tag, u"a") && post.mail.empty()) {
            const std::u16string_view href = html::attribute(tag, u"href");
            if (startsWithNoCase(href, 0, u"mailto:")) post.mail = href.substr(7);
        }
        Tag close;
        if (!(isName || isId) || !html::findClose(header, tag, close)) continue;
        const std::u16string_view inner = header.substr(tag.end, close.begin - tag.end);
        if (isName && post.name.empty()) {
            readName(inner, post, storage);
        } else if (isId && post.id.empty()) {
            post.id = html::trimLayout(inner);
        }
        tag.end = close.end;
        textFrom = tag.end;
    }
}

// An ID the date holds already is not written twice.
void readFields(std::u16string_view header, PostFields& post, std::u16string& storage) {
    readHeader(header, post, storage);
    if (post.date.find(u"ID:") != npos) post.id = {};
}

}  // namespace

PageFormat recognizeOpen2ch(std::u16string_view page, bool whole) {
    const std::u16string_view head = whole ? page : page.substr(0, kRecognitionUnits);
    Tag dt;
    Tag next;
    std::uint64_t number = 0;
    std::size_t which = 0;
    for (std::size_t p = 0; nextHeader(head, p, dt, number); p = dt.end) {
        if (nextOf(head, dt.end, kHeaderOrBody, next, which) && which == 0 &&
            html::hasClass(next, u"mesg")) {
            return PageFormat::Open2ch;
        }
    }
    return PageFormat::Classic;
}

ClassicPage open2chToClassic(std::u16string_view page, PageFormat format) {
    ClassicPage out;
    if (format != PageFormat::Open2ch) return out;
    out.format = format;
    Tag dt;
    std::uint64_t number = 0;
    bool more = nextHeader(page, 0, dt, number);
    // The title stands before the first post.
    ClassicPageWriter writer(titleOf(page.substr(0, more ? dt.begin : page.size())), page.size());
    std::u16string storage;
    while (more) {
        Tag dd;
        std::size_t which = 0;
        if (!nextOf(page, dt.end, kHeaderOrBody, dd, which)) break;
        if (which == 1) {  // a header without a body: no post
            more = nextHeader(page, dd.begin, dt, number);
            continue;
        }
        PostFields post;
        post.number = number;
        readFields(page.substr(dt.end, dd.begin - dt.end), post, storage);
        const std::size_t end = bodyEnd(page, dd.end);
        post.body = unwrapBody(bodyOf(page.substr(dd.end, end - dd.end)));
        writer.post(post);
        more = nextHeader(page, end, dt, number);
    }
    out.text = writer.finish();
    return out;
}

}  // namespace mozaru
