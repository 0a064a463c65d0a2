// UTF-8 and UTF-16 decoders.
#include "encoding/utf_decoder.h"

#include "encoding/encoding_tables.h"
#include "text/platform.h"
#include "text/utf.h"

namespace mozaru {

namespace {

using tables::kNone;

// The bytes that may follow a lead byte: the second byte's range (which
// excludes overlong forms, surrogates and what lies above U+10FFFF), and
// how many continuation bytes 0x80 to 0xBF come in all. None: a byte that
// begins no sequence.
struct Lead {
    unsigned char low = 0;
    unsigned char high = 0;
    unsigned char continuations = 0;
};

constexpr Lead leadOf(unsigned char b) {
    if (b >= 0xC2 && b <= 0xDF) return {0x80, 0xBF, 1};
    if (b == 0xE0) return {0xA0, 0xBF, 2};
    if (b == 0xED) return {0x80, 0x9F, 2};
    if (b >= 0xE1 && b <= 0xEF) return {0x80, 0xBF, 2};
    if (b == 0xF0) return {0x90, 0xBF, 3};
    if (b >= 0xF1 && b <= 0xF3) return {0x80, 0xBF, 3};
    if (b == 0xF4) return {0x80, 0x8F, 3};
    return {};
}

// The leading bits a lead byte keeps of its code point.
constexpr char32_t kLeadBits[] = {0x7F, 0x1F, 0x0F, 0x07};

// Whether the 16 bytes at s are all ASCII; then they are widened into out.
bool widenAscii16(const unsigned char* s, char16_t* out) {
#if MOZARU_HAVE_SSE2
    if (platform::vectors()) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        if (_mm_movemask_epi8(x) != 0) return false;
        const __m128i zero = _mm_setzero_si128();
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(x, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(x, zero));
        return true;
    }
#endif
    for (int k = 0; k < 16; ++k) {
        if (s[k] >= 0x80) return false;
    }
    for (int k = 0; k < 16; ++k) out[k] = s[k];
    return true;
}

// Whether the 8 units at s (16 bytes, big-endian or not) hold no surrogate;
// then they are written to out.
template <bool kBigEndian>
bool copyUnits8(const unsigned char* s, char16_t* out) {
#if MOZARU_HAVE_SSE2
    if (platform::vectors()) {
        __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        if constexpr (kBigEndian) x = _mm_or_si128(_mm_slli_epi16(x, 8), _mm_srli_epi16(x, 8));
        const __m128i surrogates = _mm_cmpeq_epi16(_mm_and_si128(x, _mm_set1_epi16(-0x800)),
                                                   _mm_set1_epi16(static_cast<short>(0xD800)));
        if (_mm_movemask_epi8(surrogates) != 0) return false;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), x);
        return true;
    }
#endif
    for (int k = 0; k < 8; ++k) {
        const unsigned unit =
            kBigEndian ? s[2 * k] << 8 | s[2 * k + 1] : s[2 * k] | s[2 * k + 1] << 8;
        if (isSurrogate(unit)) return false;
        out[k] = static_cast<char16_t>(unit);
    }
    return true;
}

}  // namespace

Utf8Decoder::Ran Utf8Decoder::run(std::string_view bytes, bool last, char16_t* out) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    Ran r;
    std::size_t& i = r.used;
    while (i < n) {
        if (i + 16 <= n && widenAscii16(s + i, out + r.units)) {
            i += 16;
            r.units += 16;
            continue;
        }
        const unsigned char c = s[i];
        if (c < 0x80) {
            out[r.units++] = c;
            ++i;
            continue;
        }
        const Lead lead = leadOf(c);
        // The continuation bytes that are there, the second in its own range.
        std::size_t got = 0;
        char32_t value = c & kLeadBits[lead.continuations];
        while (got < lead.continuations && i + 1 + got < n) {
            const unsigned char next = s[i + 1 + got];
            const bool fits =
                got == 0 ? next >= lead.low && next <= lead.high : next >= 0x80 && next <= 0xBF;
            if (!fits) break;
            value = value << 6 | (next & 0x3F);
            ++got;
        }
        if (lead.continuations != 0 && got == lead.continuations) {
            r.units = static_cast<std::size_t>(writeUtf16(value, out + r.units) - out);
        } else {
            const bool cut = lead.continuations != 0 && i + 1 + got == n;
            if (cut && !last) break;  // the rest comes with the next piece
            out[r.units++] = kNone;
            m_out.undecodable += 1 + got;
        }
        i += 1 + got;
    }
    return r;
}

template <bool kBigEndian>
typename Utf16Decoder<kBigEndian>::Ran Utf16Decoder<kBigEndian>::run(std::string_view bytes,
                                                                     bool last, char16_t* out) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    const auto unitAt = [s](std::size_t at) {
        return static_cast<char16_t>(kBigEndian ? s[at] << 8 | s[at + 1] : s[at] | s[at + 1] << 8);
    };
    Ran r;
    std::size_t& i = r.used;
    const auto undecodable = [&](std::size_t length) {
        out[r.units++] = kNone;
        this->m_out.undecodable += length;
        i += length;
    };
    while (i + 2 <= n) {
        if (i + 16 <= n && copyUnits8<kBigEndian>(s + i, out + r.units)) {
            i += 16;
            r.units += 8;
            continue;
        }
        const char16_t unit = unitAt(i);
        if (!isSurrogate(unit)) {
            out[r.units++] = unit;
            i += 2;
        } else if (isLowSurrogate(unit)) {
            undecodable(2);
        } else if (i + 4 <= n) {
            const char16_t next = unitAt(i + 2);
            if (!isLowSurrogate(next)) {
                undecodable(2);
                continue;
            }
            out[r.units++] = unit;
            out[r.units++] = next;
            i += 4;
        } else if (last) {
            undecodable(n - i);  // a high surrogate cut off, with the odd byte after it
        } else {
            return r;  // the rest comes with the next piece
        }
    }
    if (i < n && last) undecodable(n - i);
    return r;
}

template class Utf16Decoder<false>;
template class Utf16Decoder<true>;

}  // namespace mozaru
