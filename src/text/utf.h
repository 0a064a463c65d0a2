// UTF-16 code points and their UTF-8 bytes, for the codec and for diagnostics.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mozaru {

constexpr bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
constexpr bool isSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

struct CodePoint {
    char32_t value = 0;
    std::size_t units = 1;  // 2 for a surrogate pair
};

// The code point that starts at i (i < text.size()); a lone surrogate is
// itself, one unit long.
constexpr CodePoint codePointAt(std::u16string_view text, std::size_t i) {
    const char16_t c = text[i];
    if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
        return {0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00), 2};
    }
    return {c, 1};
}

// Calls f with each code point of text in order.
template <class F>
void forEachCodePoint(std::u16string_view text, F f) {
    for (std::size_t i = 0; i < text.size();) {
        const CodePoint cp = codePointAt(text, i);
        f(cp.value);
        i += cp.units;
    }
}

// Bytes of a code point in UTF-8; a surrogate has no UTF-8 form (0).
constexpr std::size_t utf8Length(char32_t c) {
    if (c < 0x80) return 1;
    if (c < 0x800) return 2;
    if (isSurrogate(c)) return 0;
    return c < 0x10000 ? 3 : 4;
}

// Writes a code point as UTF-8 at out; returns the end. A lone surrogate
// gets the three bytes of its unit (generalised UTF-8), which only the edit
// area's text takes.
inline char* writeUtf8(char32_t c, char* out) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// Writes a code point (a surrogate pair above U+FFFF) at out; returns the end.
inline char16_t* writeUtf16(char32_t c, char16_t* out) {
    if (c < 0x10000) {
        *out++ = static_cast<char16_t>(c);
    } else {
        *out++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    return out;
}

inline void appendUtf16(std::u16string& out, char32_t c) {
    char16_t units[2];
    out.append(units, writeUtf16(c, units));
}

inline void appendUtf8(std::string& out, char32_t c) {
    char bytes[4];
    out.append(bytes, writeUtf8(c, bytes));
}

// The whole text as UTF-8 (a lone surrogate as the three bytes of its unit).
inline std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    forEachCodePoint(text, [&out](char32_t c) { appendUtf8(out, c); });
    return out;
}

// UTF-8 (as toUtf8 writes it) back to UTF-16; a byte that starts no sequence
// becomes U+FFFD.
inline std::u16string fromUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const std::size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
        if (n == 0 || i + n > bytes.size()) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        char32_t c = n == 1 ? b : b & (0xFF >> (n + 1));
        for (std::size_t k = 1; k < n; ++k)
            c = c << 6 | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        appendUtf16(out, c);
        i += n;
    }
    return out;
}

// The length of the UTF-8 sequence at bytes[i] (i < bytes.size()) and its
// code point; 0 when none starts there (a stray byte, a sequence cut short,
// an overlong form, a surrogate, a code point past U+10FFFF).
constexpr std::size_t utf8SequenceAt(std::string_view bytes, std::size_t i, char32_t& c) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    const std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (n == 0 || lead > 0xF4 || i + n > bytes.size()) return 0;
    c = lead & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((at(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (at(i + k) & 0x3F);
    }
    return utf8Length(c) == n && c <= 0x10FFFF ? n : 0;
}

}  // namespace mozaru
