// Post headers and titles of classic pages, read with the one tag reader.
#include "extract/post_header.h"

#include "extract/kept_posts.h"
#include "text/html_text.h"
#include "text/numbers.h"
#include "text/text.h"

namespace mozaru {

namespace {

constexpr char16_t kColon = u'\uFF1A';  // ："
std::size_t lastNoCase(std::u16string_view text, std::u16string_view needle) {
    std::size_t last = npos;
    for (std::size_t p = 0; (p = findNoCase(text, needle, p)) != npos; p += needle.size()) last = p;
    return last;
}

// The text shown, on one line, without the spaces at its ends.
std::u16string shown(std::u16string_view fragment) {
    std::u16string text = html::plainText(RestoreChars(fragment));
    for (char16_t& c : text) {
        if (c == u'\r' || c == u'\n' || c == u'\t') c = u' ';
    }
    return std::u16string(trimSpaces(text));
}

// What follows a mark ("◆", "ID:") up to the next space.
std::u16string wordAfter(std::u16string_view text, std::u16string_view mark) {
    const std::size_t at = text.find(mark);
    if (at == npos) return {};
    const std::u16string_view rest = text.substr(at + mark.size());
    std::size_t end = 0;
    while (end < rest.size() && rest[end] != u' ' && rest[end] != u'\u3000') ++end;
    return std::u16string(rest.substr(0, end));
}

}  // namespace

bool parsePostHeader(std::u16string_view text, PostHeader& header) {
    const std::size_t dt = lastNoCase(text, u"<DT");
    if (dt == npos) return false;
    std::u16string_view rest = text.substr(dt);
    if (const std::size_t dd = findNoCase(rest, u"<DD"); dd != npos) rest = rest.substr(0, dd);
    header = PostHeader{};
    header.number = postNumberOf(rest);
    const std::size_t first = rest.find(kColon);
    if (header.number == 0 || first == npos) return false;
    // The name ends at the colon after its last </B> (a trip stands between
    // two bold runs, a mail link around one); a page without bold names
    // ends it at the next colon.
    const std::size_t bold = lastNoCase(rest, u"</B>");
    const std::size_t second = rest.find(kColon, bold != npos && bold > first ? bold : first + 1);
    header.name = shown(rest.substr(first + 1, second == npos ? npos : second - first - 1));
    if (second != npos) header.date = shown(rest.substr(second + 1));
    header.trip = wordAfter(header.name, kTripMark);
    header.id = wordAfter(header.date, u"ID:");
    return true;
}

std::u16string shownHeader(const PostHeader& header) {
    std::u16string out;
    appendDecimal(out, header.number);
    out += u" \uFF1A";
    out += header.name;
    out += kColon;
    out += header.date;
    return out;
}

bool firstPostHeader(std::u16string_view page, PostHeader& header) {
    // The header of the first body: a body without one has none, even when
    // a later post's follows.
    const std::size_t dd = findNoCase(page, u"<DD");
    return dd != npos && parsePostHeader(page.substr(0, dd), header);
}

std::u16string pageTitle(std::u16string_view page) {
    const std::size_t open = findNoCase(page, u"<TITLE");
    if (open == npos) return {};
    const std::size_t start = page.find(u'>', open);
    if (start == npos) return {};
    const std::size_t close = findNoCase(page, u"</TITLE", start);
    if (close == npos) return {};
    return shown(page.substr(start + 1, close - start - 1));
}

}  // namespace mozaru
