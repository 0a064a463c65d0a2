// Shared string helpers over UTF-16 code units.
#include "text/text.h"

#include <cstring>

#include "text/numbers.h"
#include "text/platform.h"
#include "text/scan.h"

namespace mozaru {

namespace {

template <typename Find>
std::u16string replaceAllWith(std::u16string_view text, std::u16string_view from,
                              std::u16string_view to, Find find) {
    if (from.empty()) return std::u16string(text);
    std::u16string out;
    std::size_t start = 0;
    std::size_t hit = find(text, from, 0);
    if (hit == npos) return std::u16string(text);
    out.reserve(text.size());
    while (hit != npos) {
        out.append(text.substr(start, hit - start));
        out.append(to);
        start = hit + from.size();
        hit = find(text, from, start);
    }
    out.append(text.substr(start));
    return out;
}

}  // namespace

bool startsWithNoCase(std::u16string_view text, std::size_t pos, std::u16string_view needle) {
    if (pos > text.size() || text.size() - pos < needle.size()) return false;
    for (std::size_t k = 0; k < needle.size(); ++k) {
        if (asciiUpper(text[pos + k]) != asciiUpper(needle[k])) return false;
    }
    return true;
}

std::size_t findNoCase(std::u16string_view text, std::u16string_view needle, std::size_t from) {
    if (from > text.size()) return npos;
    if (needle.empty()) return from;
    if (text.size() - from < needle.size()) return npos;
    const char16_t first = needle.front();
    const char16_t firstUpper = asciiUpper(first);
    const bool foldFirst = firstUpper != first || (first >= u'A' && first <= u'Z');
    const std::size_t last = text.size() - needle.size();
    for (std::size_t i = from; i <= last; ++i) {
        if (!foldFirst) {
            // Markup markers start with '<': a plain scan for it is the hot loop.
            const std::size_t hit = scan::findUnit(text, first, i);
            if (hit == npos || hit > last) return npos;
            i = hit;
        } else if (asciiUpper(text[i]) != firstUpper) {
            continue;
        }
        if (startsWithNoCase(text, i, needle)) return i;
    }
    return npos;
}

std::u16string replaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to) {
    return replaceAllWith(
        text, from, to,
        [](std::u16string_view t, std::u16string_view f, std::size_t p) { return t.find(f, p); });
}

std::u16string replaceAllNoCase(std::u16string_view text, std::u16string_view from,
                                std::u16string_view to) {
    return replaceAllWith(text, from, to,
                          [](std::u16string_view t, std::u16string_view f, std::size_t p) {
                              return findNoCase(t, f, p);
                          });
}

namespace {

// Appends text with each protected letter written as its token and every
// other unit of `special` (CR, LF) left out. One pass does the work of the four row-by-row
// replacements: a token is plain ASCII, so no row can create or destroy a
// match of another row.
template <std::size_t N>
void appendEdited(std::u16string& out, std::u16string_view text,
                  const std::array<char16_t, N>& special) {
    std::size_t run = 0;
    for (std::size_t i = 0; (i = scan::findAny(text, special, i)) != npos; run = ++i) {
        out.append(text.substr(run, i - run));
        for (const ProtectedChar& p : kProtectedChars) {
            if (p.letter == text[i]) out.append(p.token);
        }
    }
    out.append(text.substr(run));
}

constexpr auto kLetters = protectedLettersAnd();
constexpr auto kLettersAndBreaks = protectedLettersAnd<2>({u'\r', u'\n'});

}  // namespace

std::u16string ProtectChars(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    appendEdited(out, text, kLetters);
    return out;
}

void appendWithoutLineBreaksProtected(std::u16string& out, std::u16string_view text) {
    appendEdited(out, text, kLettersAndBreaks);
}

std::u16string RestoreChars(std::u16string_view text) {
    std::u16string out(text);
    RestoreCharsInPlace(out);
    return out;
}

std::size_t findToken(std::u16string_view text, std::size_t from) {
    for (;;) {
        const std::size_t p = scan::findTag(text, u's', u's', from);
        if (p == npos || tokenAt(text, p) != 0) return p;
        from = p + 1;
    }
}

char16_t tokenAt(std::u16string_view text, std::size_t pos) {
    if (pos > text.size() || text.size() - pos < kTokenLength || text[pos] != u'<' ||
        text[pos + 1] != u'S' || text[pos + 2] != u'P' || text[pos + 3] < u'0' ||
        text[pos + 3] > u'3' || text[pos + 4] != u'>') {
        return 0;
    }
    return kProtectedChars[text[pos + 3] - u'0'].letter;
}

// Likewise one pass: a restored letter is not ASCII, so it can never complete
// or break a token of a later row.
void RestoreCharsInPlace(std::u16string& text, std::size_t from) {
    std::size_t hit = findToken(text, from);
    if (hit == npos) return;
    char16_t* d = text.data();
    std::size_t write = hit;
    std::size_t read = hit;
    while (hit != npos) {
        std::memmove(d + write, d + read, (hit - read) * sizeof(char16_t));
        write += hit - read;
        d[write++] = tokenAt(text, hit);
        read = hit + kTokenLength;
        hit = findToken(text, read);
    }
    std::memmove(d + write, d + read, (text.size() - read) * sizeof(char16_t));
    text.resize(write + text.size() - read);
}

std::u16string NormalizeLineBreaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 32);
    bool afterCr = false;
    appendWithCrLf(out, text, afterCr);
    return out;
}

void appendWithCrLf(std::u16string& out, std::u16string_view text, bool& afterCr) {
    static constexpr std::array<char16_t, 2> kBreaks{u'\r', u'\n'};
    std::size_t run = 0;
    for (std::size_t i = 0; (i = scan::findAny(text, kBreaks, i)) != npos; run = ++i) {
        out.append(text.substr(run, i - run));
        // A CR is written as CR LF at once, so the LF that follows it is done.
        const bool lfAfterCr = text[i] == u'\n' && (i > 0 ? text[i - 1] == u'\r' : afterCr);
        if (!lfAfterCr) out.append(u"\r\n");
    }
    out.append(text.substr(run));
    if (!text.empty()) afterCr = text.back() == u'\r';
}

void reserveOutput(std::u16string& text, std::size_t size) {
    text.reserve(size);
    platform::adviseHugePages(text.data(), text.capacity() * sizeof(char16_t));
}

std::u16string_view trimSpaces(std::u16string_view text) {
    const std::size_t b = text.find_first_not_of(u' ');
    if (b == npos) return {};
    const std::size_t e = text.find_last_not_of(u' ');
    return text.substr(b, e - b + 1);
}

bool parseNumber(std::u16string_view text, std::uint64_t& number) {
    std::size_t i = 0;
    number = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        if (i == 18) return false;
        number = number * 10 + static_cast<std::uint64_t>(text[i] - u'0');
        ++i;
    }
    return i > 0;
}

}  // namespace mozaru
