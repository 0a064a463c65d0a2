// Threads as the smartphone site's API gives them (itest's newapi reply):
// one JSON object,
//   {"total_count":N,
//    "thread":[MODIFIED, COUNT, "SERVER", "BOARD/KEY", "", "TITLE", ...],
//    "comments":[[NUMBER, "NAME", "MAIL", "UNIX TIME", "ID", "", "BODY", ...], ...]}
// The body is HTML already (<br> between lines, &gt; for >); the strings are
// escaped as PHP writes them: "\/", "\u003Cbr\u003E", every other character
// outside ASCII as \uXXXX (a surrogate pair as two). A small reader of just
// this much JSON takes it in one pass when "thread" comes first, as the API
// writes it; a reply cut off keeps the comments before the cut.
#include <array>

#include "boards/board_forms.h"
#include "boards/classic_page_writer.h"
#include "text/numbers.h"
#include "text/scan.h"
#include "text/text.h"

namespace mozaru {

namespace {

// What the reader stands at in the text; every read moves it forward.
class JsonReader {
public:
    explicit JsonReader(std::u16string_view text) : m_text(text) {}

    std::size_t at() const { return m_at; }
    void seek(std::size_t at) { m_at = at; }

    // The next unit after white space, not taken; 0 at the end.
    char16_t peek() {
        while (m_at < m_text.size() && isSpace(m_text[m_at])) ++m_at;
        return m_at < m_text.size() ? m_text[m_at] : u'\0';
    }

    bool take(char16_t c) {
        if (peek() != c) return false;
        ++m_at;
        return true;
    }

    // A string's value: a view of the text when it has no escapes, else
    // decoded into storage. null reads as the empty string. False when the
    // value is neither (it is skipped).
    bool string(std::u16string& storage, std::u16string_view& value) {
        value = {};
        if (peek() != u'"') {
            if (literalNull()) return true;
            skip();
            return false;
        }
        const std::size_t begin = ++m_at;
        std::size_t stop = scan::findAny(m_text, kStringEnds, m_at);
        if (stop != npos && m_text[stop] == u'"') {
            value = m_text.substr(begin, stop - begin);
            m_at = stop + 1;
            return true;
        }
        storage.clear();
        for (std::size_t from = begin; stop != npos;
             stop = scan::findAny(m_text, kStringEnds, from)) {
            storage.append(m_text.substr(from, stop - from));
            if (m_text[stop] == u'"') {
                m_at = stop + 1;
                value = storage;
                return true;
            }
            from = unescape(stop, storage);
        }
        m_at = m_text.size();  // a string that never ends ends the text
        return false;
    }

    // A number's digits before any fraction or exponent, or a string of
    // digits. False for anything else (it is skipped).
    bool number(std::uint64_t& n) {
        std::u16string_view digits;
        if (peek() == u'"') {
            if (!string(m_scratch, digits)) return false;
            return parseNumber(digits, n) && digits.find_first_not_of(u"0123456789") == npos;
        }
        const std::size_t begin = m_at;
        const bool read = parseNumber(m_text.substr(begin), n);
        skip();
        return read;
    }

    // Passes over one value of any kind; false when the text ends inside it.
    bool skip() {
        const char16_t first = peek();
        if (first == u'"') return skipString();
        if (first != u'[' && first != u'{') {
            while (m_at < m_text.size() && !isSpace(m_text[m_at]) && m_text[m_at] != u',' &&
                   m_text[m_at] != u']' && m_text[m_at] != u'}') {
                ++m_at;
            }
            return m_at < m_text.size();
        }
        std::size_t depth = 0;
        for (std::size_t p = m_at; (p = scan::findAny(m_text, kNesting, p)) != npos;) {
            const char16_t c = m_text[p];
            if (c == u'"') {
                m_at = p;
                if (!skipString()) return false;
                p = m_at;
                continue;
            }
            depth = c == u'[' || c == u'{' ? depth + 1 : depth - 1;
            ++p;
            if (depth == 0) {
                m_at = p;
                return true;
            }
        }
        m_at = m_text.size();
        return false;
    }

    // The next member's name of the object being read, after its ':'; false
    // at the object's end (or where it breaks off).
    bool member(std::u16string_view& name) {
        take(u',');
        if (peek() != u'"' || !string(m_scratch, name)) return false;
        return take(u':');
    }

private:
    static constexpr std::array<char16_t, 2> kStringEnds{u'"', u'\\'};
    static constexpr std::array<char16_t, 5> kNesting{u'"', u'[', u']', u'{', u'}'};

    static constexpr bool isSpace(char16_t c) {
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
    }

    // Passes over the string that starts at the reader, escapes unread.
    bool skipString() {
        for (std::size_t p = m_at + 1; (p = scan::findAny(m_text, kStringEnds, p)) != npos;) {
            if (m_text[p] == u'"') {
                m_at = p + 1;
                return true;
            }
            p += 2;
        }
        m_at = m_text.size();
        return false;
    }

    bool literalNull() {
        if (m_text.substr(m_at, 4) != u"null") return false;
        m_at += 4;
        return true;
    }

    // The escape whose backslash stands at at, appended to out; where the text
    // goes on. Any unit but these letters and 'u' stands for itself.
    std::size_t unescape(std::size_t at, std::u16string& out) const {
        constexpr std::u16string_view kLetters = u"bfnrt";
        constexpr std::u16string_view kMeant = u"\b\f\n\r\t";
        if (at + 1 >= m_text.size()) return at + 1;
        const char16_t c = m_text[at + 1];
        if (c != u'u') {
            const std::size_t k = kLetters.find(c);
            out.push_back(k == npos ? c : kMeant[k]);
            return at + 2;
        }
        char16_t unit = 0;
        for (std::size_t k = at + 2; k < at + 6; ++k) {
            const int d = k < m_text.size() ? digitValue(m_text[k], 16) : -1;
            if (d < 0) {
                out.push_back(u'\\');
                return at + 1;
            }
            unit = static_cast<char16_t>(unit * 16 + d);
        }
        out.push_back(unit);
        return at + 6;
    }

    std::u16string_view m_text;
    std::size_t m_at = 0;
    std::u16string m_scratch;
};

// The comment's fields in the order the API gives them.
enum Field { kNumber, kName, kMail, kDate, kId, kUnused, kBody, kFields };

// "2018/02/07(水) 16:32:12" of seconds since 1970 in Japan's time (UTC+9).
std::u16string_view japanTime(std::uint64_t seconds, std::array<char16_t, 24>& out) {
    const std::uint64_t local = seconds + 9 * 3600;
    const std::int64_t days = static_cast<std::int64_t>(local / 86400);
    std::uint64_t time = local % 86400;
    // The civil date of a day count (March-based years, 400-year eras).
    const std::int64_t z = days + 719468;
    const std::int64_t era = z / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    constexpr std::u16string_view kWeekdays = u"日月火水木金土";
    char16_t* p = out.data();
    const auto two = [&p](std::uint64_t n) {
        *p++ = static_cast<char16_t>(u'0' + n / 10 % 10);
        *p++ = static_cast<char16_t>(u'0' + n % 10);
    };
    p = writeDecimal(static_cast<std::uint64_t>(year), p);
    *p++ = u'/';
    two(static_cast<std::uint64_t>(month));
    *p++ = u'/';
    two(static_cast<std::uint64_t>(day));
    *p++ = u'(';
    *p++ = kWeekdays[static_cast<std::size_t>((days + 4) % 7)];
    *p++ = u')';
    *p++ = u' ';
    two(time / 3600);
    *p++ = u':';
    two(time / 60 % 60);
    *p++ = u':';
    two(time % 60);
    return {out.data(), static_cast<std::size_t>(p - out.data())};
}

// Reads one comment into post; false for one that is no post (no number or
// no body), which is passed over.
bool readComment(JsonReader& json, std::array<std::u16string, kFields>& storage,
                 std::array<char16_t, 24>& time, PostFields& post) {
    if (!json.take(u'[')) {
        json.skip();
        return false;
    }
    post = {};
    std::array<std::u16string_view, kFields> fields{};
    bool numbered = false;
    std::size_t count = 0;
    for (; json.peek() != u']' && json.peek() != u'\0'; ++count) {
        if (count > 0 && !json.take(u',')) return false;
        if (count == kNumber) {
            numbered = json.number(post.number);
        } else if (count < kFields && count != kUnused) {
            json.string(storage[count], fields[count]);
        } else if (!json.skip()) {
            return false;
        }
    }
    if (!json.take(u']') || !numbered || count <= kBody) return false;
    post.name = fields[kName];
    post.mail = fields[kMail];
    post.date = fields[kDate];
    std::uint64_t seconds = 0;
    if (parseNumber(post.date, seconds) && post.date.find_first_not_of(u"0123456789") == npos) {
        post.date = japanTime(seconds, time);
    }
    post.id = fields[kId];
    post.idPrefix = u"ID:";
    post.body = fields[kBody];
    return true;
}

// The thread's title: the sixth field of "thread".
std::u16string_view titleOf(JsonReader& json, std::u16string& storage) {
    std::u16string_view title;
    if (!json.take(u'[')) {
        json.skip();
        return title;
    }
    for (std::size_t k = 0; json.peek() != u']' && json.peek() != u'\0'; ++k) {
        if (k > 0 && !json.take(u',')) return title;
        if (k == 5) {
            json.string(storage, title);
        } else if (!json.skip()) {
            return title;
        }
    }
    json.take(u']');
    return title;
}

// Leaves json at the value of "comments" after reading the title from
// "thread" (which the API writes first; otherwise it is looked for after
// them); false when there are no comments.
bool findComments(JsonReader& json, std::u16string& storage, std::u16string_view& title) {
    if (!json.take(u'{')) return false;
    std::size_t comments = npos;
    bool titled = false;
    std::u16string_view name;
    while (json.member(name)) {
        if (name == u"thread") {
            title = titleOf(json, storage);
            titled = true;
            if (comments != npos) break;
            continue;
        }
        if (name == u"comments") {
            comments = json.at();
            if (titled) break;
        }
        if (!json.skip()) break;
    }
    if (comments == npos) return false;
    json.seek(comments);
    return true;
}

// Recognition looks for a numbered comment among the first few.
constexpr int kCommentsLookedAt = 8;

}  // namespace

PageFormat recognizeJsonThread(std::u16string_view page, bool whole) {
    JsonReader json(whole ? page : page.substr(0, kRecognitionUnits));
    if (!json.take(u'{')) return PageFormat::Classic;
    // Its comments, arrays that start with a number (a deleted one may have
    // none), say what it is; the members before them are passed over.
    std::u16string_view name;
    while (json.member(name)) {
        if (name != u"comments") {
            if (!json.skip()) break;
            continue;
        }
        if (!json.take(u'[')) break;
        for (int k = 0; k < kCommentsLookedAt && json.peek() == u'['; ++k) {
            const std::size_t comment = json.at();
            std::uint64_t number = 0;
            if (json.take(u'[') && json.number(number)) return PageFormat::JsonThread;
            json.seek(comment);
            if (!json.skip() || !json.take(u',')) break;
        }
        break;
    }
    return PageFormat::Classic;
}

ClassicPage jsonThreadToClassic(std::u16string_view page, PageFormat format) {
    ClassicPage out;
    if (format != PageFormat::JsonThread) return out;
    out.format = format;
    JsonReader json(page);
    std::u16string titleStorage;
    std::u16string_view title;
    const bool any = findComments(json, titleStorage, title) && json.take(u'[');
    ClassicPageWriter writer(title, page.size());
    std::array<std::u16string, kFields> storage;
    std::array<char16_t, 24> time{};
    PostFields post;
    for (std::size_t k = 0; any && json.peek() != u']' && json.peek() != u'\0'; ++k) {
        const std::size_t before = json.at();
        if (k > 0 && !json.take(u',')) break;
        if (readComment(json, storage, time, post)) writer.post(post);
        if (json.at() == before) break;  // broken off
    }
    out.text = writer.finish();
    return out;
}

}  // namespace mozaru
