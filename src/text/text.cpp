// Shared string helpers over UTF-16 code units.
#include "text/text.h"

#include <array>
#include <cstring>

#include "text/scan.h"

#if defined(__linux__)
#include <sys/mman.h>

#include <cstdint>
#endif

namespace mozaru {

namespace {

struct Protected {
    char16_t letter;
    std::u16string_view token;
};

// The order of the rows is the order in which they are applied.
constexpr std::array<Protected, 4> kProtected{{
    {u'\u0451', u"<SP0>"},  // ё
    {u'\u0401', u"<SP1>"},  // Ё
    {u'\u0439', u"<SP2>"},  // й
    {u'\u0419', u"<SP3>"},  // Й
}};

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
void appendEdited(std::u16string& out, std::u16string_view text, const char16_t (&special)[N]) {
    std::size_t run = 0;
    for (std::size_t i = 0; (i = scan::findAny(text, special, i)) != npos; run = ++i) {
        out.append(text.substr(run, i - run));
        for (const Protected& p : kProtected) {
            if (p.letter == text[i]) out.append(p.token);
        }
    }
    out.append(text.substr(run));
}

constexpr char16_t kLetters[] = {u'\u0451', u'\u0401', u'\u0439', u'\u0419'};
constexpr char16_t kLettersAndBreaks[] = {u'\u0451', u'\u0401', u'\u0439', u'\u0419', u'\r', u'\n'};

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
    return kProtected[text[pos + 3] - u'0'].letter;
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
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r') {
            out.append(u"\r\n");
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else if (c == u'\n') {
            out.append(u"\r\n");
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void reserveOutput(std::u16string& text, std::size_t size) {
    text.reserve(size);
#if defined(__linux__)
    // Every fresh 4 KiB page costs a fault on first write, and faults dominate
    // a command on a large document; huge pages take 512 times fewer.
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    const std::size_t bytes = text.capacity() * sizeof(char16_t);
    if (bytes < 4 * kHuge) return;
    const auto begin = reinterpret_cast<std::uintptr_t>(text.data());
    const std::uintptr_t first = (begin + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t last = (begin + bytes) & ~(kHuge - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

std::u16string_view trimSpaces(std::u16string_view text) {
    const std::size_t b = text.find_first_not_of(u' ');
    if (b == npos) return {};
    const std::size_t e = text.find_last_not_of(u' ');
    return text.substr(b, e - b + 1);
}

}  // namespace mozaru
