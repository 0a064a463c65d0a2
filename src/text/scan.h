// Fast forward scans over UTF-16 text for the hot loops of the commands.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/platform.h"

namespace mozaru::scan {

inline constexpr std::size_t npos = std::u16string_view::npos;

#if MOZARU_HAVE_SSE2
namespace detail {

inline __m128i load(const char16_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline std::size_t firstLane(int mask) {
    return static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(mask))) >> 1;
}

// One vector per wanted unit, each unit in every lane.
template <std::size_t N>
struct Units {
    __m128i v[N];
    explicit Units(const std::array<char16_t, N>& units) {
        MOZARU_UNROLL_8
        for (std::size_t k = 0; k < N; ++k) v[k] = _mm_set1_epi16(static_cast<short>(units[k]));
    }
    // All-ones lanes where x holds one of the units.
    __m128i match(__m128i x) const {
        __m128i hit = _mm_cmpeq_epi16(x, v[0]);
        MOZARU_UNROLL_8
        for (std::size_t k = 1; k < N; ++k) hit = _mm_or_si128(hit, _mm_cmpeq_epi16(x, v[k]));
        return hit;
    }
};

}  // namespace detail
#endif

// First position at or after from holding c; npos when absent.
inline std::size_t findUnit(std::u16string_view text, char16_t c, std::size_t from = 0) {
    const std::size_t n = text.size();
    const char16_t* d = text.data();
    std::size_t i = from;
#if MOZARU_HAVE_SSE2
    const __m128i vc = _mm_set1_epi16(static_cast<short>(c));
    for (; platform::vectors() && i + 16 <= n; i += 16) {
        const __m128i a = _mm_cmpeq_epi16(detail::load(d + i), vc);
        const __m128i b = _mm_cmpeq_epi16(detail::load(d + i + 8), vc);
        const int mask = _mm_movemask_epi8(_mm_or_si128(a, b));
        if (mask == 0) continue;
        const int ma = _mm_movemask_epi8(a);
        return ma ? i + detail::firstLane(ma) : i + 8 + detail::firstLane(_mm_movemask_epi8(b));
    }
#endif
    for (; i < n; ++i) {
        if (d[i] == c) return i;
    }
    return npos;
}

// First position at or after from holding any of the given units; npos when
// absent.
template <std::size_t N>
inline std::size_t findAny(std::u16string_view text, const std::array<char16_t, N>& units,
                           std::size_t from = 0) {
    const std::size_t n = text.size();
    const char16_t* d = text.data();
    std::size_t i = from;
#if MOZARU_HAVE_SSE2
    const detail::Units<N> wanted(units);
    for (; platform::vectors() && i + 8 <= n; i += 8) {
        const int mask = _mm_movemask_epi8(wanted.match(detail::load(d + i)));
        if (mask != 0) return i + detail::firstLane(mask);
    }
#endif
    for (; i < n; ++i) {
        for (const char16_t u : units) {
            if (d[i] == u) return i;
        }
    }
    return npos;
}

// First position p at or after from where text[p] is '<' and the unit after
// it, with bit 0x20 set, is one of seconds. Setting the bit folds ASCII
// letters ('D' and 'd' both give 'd'); it also lets a few other units through
// (0x0F for '/', 0x2D for CR), so callers confirm each hit with an exact test.
template <std::size_t N>
inline std::size_t findTag(std::u16string_view text, const std::array<char16_t, N>& seconds,
                           std::size_t from = 0) {
    const std::size_t n = text.size();
    const char16_t* d = text.data();
    std::size_t i = from;
#if MOZARU_HAVE_SSE2
    const __m128i lt = _mm_set1_epi16('<');
    const __m128i bit = _mm_set1_epi16(0x20);
    const detail::Units<N> wanted(seconds);
    for (; platform::vectors() && i + 9 <= n; i += 8) {
        const __m128i first = _mm_cmpeq_epi16(detail::load(d + i), lt);
        if (_mm_movemask_epi8(first) == 0) continue;
        const __m128i second = wanted.match(_mm_or_si128(detail::load(d + i + 1), bit));
        const int mask = _mm_movemask_epi8(_mm_and_si128(first, second));
        if (mask != 0) return i + detail::firstLane(mask);
    }
#endif
    for (; i + 1 < n; ++i) {
        if (d[i] != u'<') continue;
        const char16_t next = d[i + 1] | 0x20;
        for (const char16_t s : seconds) {
            if (next == s) return i;
        }
    }
    return npos;
}

inline std::size_t findTag(std::u16string_view text, char16_t a, char16_t b, std::size_t from = 0) {
    return findTag(text, std::array<char16_t, 2>{a, b}, from);
}

}  // namespace mozaru::scan
