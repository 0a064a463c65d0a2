// A post's parts read out of board markup: its number, its name and mail,
// its body less the elements around all of it; and the page's title.
#include "boards/post_markup.h"

#include "text/html_tags.h"
#include "text/numbers.h"
#include "text/text.h"

namespace mozaru {

namespace {

using html::Tag;

bool endsWithNoCase(std::u16string_view text, std::u16string_view lower) {
    return text.size() >= lower.size() &&
           html::equalsNoCase(text.substr(text.size() - lower.size()), lower);
}

// A mail address Cloudflare masked: hex bytes, the first the key that the
// others are XORed with. Only printable ASCII is taken; false otherwise.
bool unmaskMail(std::u16string_view hex, std::u16string& mail) {
    if (hex.size() < 2 || hex.size() % 2 != 0) return false;
    mail.clear();
    int key = -1;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = digitValue(hex[i], 16);
        const int low = digitValue(hex[i + 1], 16);
        if (high < 0 || low < 0) return false;
        const int byte = high * 16 + low;
        if (key < 0) {
            key = byte;
            continue;
        }
        const int c = byte ^ key;
        if (c < 0x20 || c > 0x7E) return false;
        mail.push_back(static_cast<char16_t>(c));
    }
    return true;
}

constexpr std::u16string_view kMasked = u"/cdn-cgi/l/email-protection#";

}  // namespace

bool numberIn(std::u16string_view text, std::uint64_t& number) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'<') {
            i = text.find(u'>', i);
            if (i == npos) return false;
        } else if (text[i] >= u'0' && text[i] <= u'9') {
            return parseNumber(text.substr(i), number);
        }
    }
    return false;
}

void readName(std::u16string_view inner, PostFields& post, std::u16string& storage) {
    std::u16string_view name = inner;
    for (int wrappers = 0; wrappers < 2; ++wrappers) {
        name = html::trimLayout(name);
        Tag open;
        if (html::startsWithTag(name, u"b") && endsWithNoCase(name, u"</b>") &&
            html::nextTag(name, 0, open)) {
            name = name.substr(open.end, name.size() - open.end - 4);
            continue;
        }
        if (!html::startsWithTag(name, u"a") || !endsWithNoCase(name, u"</a>") ||
            !html::nextTag(name, 0, open)) {
            break;
        }
        const std::u16string_view href = html::attribute(open, u"href");
        const std::size_t masked = href.find(kMasked);
        if (startsWithNoCase(href, 0, u"mailto:")) {
            post.mail = href.substr(7);
        } else if (masked != npos) {
            post.mail = href;  // kept as it stands unless it unmasks
            if (unmaskMail(href.substr(masked + kMasked.size()), storage)) {
                post.mail = storage;
                if (startsWithNoCase(post.mail, 0, u"mailto:")) post.mail.remove_prefix(7);
            }
        } else {
            break;  // a link, but not to a mail address: part of the name
        }
        name = name.substr(open.end, name.size() - open.end - 4);
    }
    post.name = html::trimLayout(name);
}

std::u16string_view trimBodyLayout(std::u16string_view body) {
    const auto isSpace = [](char16_t c) {
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
    };
    const auto isBreak = [](char16_t c) { return c == u'\r' || c == u'\n'; };
    std::size_t i = 0;
    std::size_t lastBreak = npos;
    for (; i < body.size() && isSpace(body[i]); ++i) {
        if (isBreak(body[i])) lastBreak = i;
    }
    if (lastBreak != npos)
        body.remove_prefix(i == body.size() || body[i] == u'<' ? i : lastBreak + 1);
    std::size_t j = body.size();
    std::size_t firstBreak = npos;
    for (; j > 0 && isSpace(body[j - 1]); --j) {
        if (isBreak(body[j - 1])) firstBreak = j - 1;
    }
    if (firstBreak != npos) body = body.substr(0, j == 0 || body[j - 1] == u'>' ? j : firstBreak);
    return body;
}

namespace {

// body, a part of page, becomes the content of the wrapper around all of
// it. With closes, the wrapper's close is looked up in the page's pairs;
// inner wrappers are paired at once, as each would otherwise be read to the
// outer one's end (n wrappers nested: n scans of the body).
bool unwrapOnceIn(std::u16string_view page, std::u16string_view& body, Wrappers wrappers,
                  html::CloseFinder* closes, bool inner) {
    const std::size_t begin = static_cast<std::size_t>(body.data() - page.data());
    const std::size_t end = begin + body.size();
    const std::u16string_view upToEnd = page.substr(0, end);
    Tag open;
    Tag close;
    if (body.empty() || body[0] != u'<' || !html::nextTag(upToEnd, begin, open) ||
        open.begin != begin || open.closing) {
        return false;
    }
    const bool block = html::isNamed(open, u"div") || html::isNamed(open, u"p") ||
                       html::isNamed(open, u"pre") || html::isNamed(open, u"blockquote");
    bool wrapper = wrappers == Wrappers::AndBlocks && block;
    if (!wrapper && (html::isNamed(open, u"span") || html::isNamed(open, u"div"))) {
        const std::u16string_view classes = html::attribute(open, u"class");
        wrapper = html::classListHas(classes, u"escaped") || html::classListHas(classes, u"aa") ||
                  html::classListHas(classes, u"textar-aa");
    }
    if (!wrapper) return false;
    const bool found = closes == nullptr ? html::findClose(upToEnd, open, close)
                       : inner           ? closes->indexed(open, close)
                                         : closes->find(open, close);
    if (!found || close.end != end) return false;
    body = page.substr(open.end, close.begin - open.end);
    return true;
}

std::u16string_view unwrapBodyIn(std::u16string_view page, std::u16string_view body,
                                 html::CloseFinder* closes, Wrappers wrappers) {
    body = trimBodyLayout(body);
    for (bool inner = false; unwrapOnceIn(page, body, wrappers, closes, inner); inner = true) {
        body = trimBodyLayout(body);
    }
    return body;
}

}  // namespace

bool unwrapOnce(std::u16string_view& body, Wrappers wrappers) {
    return unwrapOnceIn(body, body, wrappers, nullptr, false);
}

std::u16string_view unwrapBody(std::u16string_view body, Wrappers wrappers) {
    return unwrapBodyIn(body, body, nullptr, wrappers);
}

std::u16string_view unwrapBody(std::u16string_view page, std::u16string_view body,
                               html::CloseFinder& closes, Wrappers wrappers) {
    return unwrapBodyIn(page, body, &closes, wrappers);
}

std::u16string_view titleOf(std::u16string_view page) {
    Tag tag;
    Tag close;
    for (std::size_t p = 0; html::nextTag(page, p, tag); p = tag.end) {
        if (tag.closing || !html::isNamed(tag, u"title")) continue;
        if (!html::findClose(page, tag, close)) break;
        return html::trimLayout(page.substr(tag.end, close.begin - tag.end));
    }
    return {};
}

}  // namespace mozaru
