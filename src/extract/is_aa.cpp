// The ASCII-art classifier: anchor removal, character classes and the verdict.
#include "extract/is_aa.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "extract/aa_judge.h"
#include "text/platform.h"

namespace mozaru {

namespace detail {

namespace {

// Inclusive code-unit ranges of each counted class.
struct Range {
    char16_t first;
    char16_t last;
};
constexpr Range kLatin[] = {{0x0041, 0x005A}, {0x0061, 0x007A}};
constexpr Range kIdeographs[] = {{0x4E00, 0x9FA5}, {0xFA0E, 0xFA2D}};
constexpr Range kNeutral[] = {
    {0x3041, 0x3094}, {0x30A1, 0x30FA}, {0xFF66, 0xFF9F}, {0xFF21, 0xFF3A}, {0xFF41, 0xFF5A}};

template <std::size_t N>
bool inAny(char16_t c, const Range (&ranges)[N]) {
    for (const Range& r : ranges) {
        if (c >= r.first && c <= r.last) return true;
    }
    return false;
}

void countScalar(std::u16string_view text, ClassCounts& counts) {
    for (const char16_t c : text) {
        counts.latin += inAny(c, kLatin);
        counts.ideographs += inAny(c, kIdeographs);
        counts.neutral += inAny(c, kNeutral);
    }
}

#if MOZARU_HAVE_SSE2
// All-ones lanes where first <= x <= last: x - first, unsigned, is at most
// last - first; moving both sides down by 0x8000 makes that a signed compare.
__m128i inRange(__m128i x, Range r) {
    const __m128i shifted = _mm_sub_epi16(x, _mm_set1_epi16(static_cast<short>(r.first ^ 0x8000)));
    return _mm_cmplt_epi16(shifted,
                           _mm_set1_epi16(static_cast<short>((r.last - r.first + 1) ^ 0x8000)));
}

// Both ranges of ASCII or of full-width Latin letters in one test: offset to
// ASCII, then setting bit 0x20 folds capitals onto small letters.
__m128i isLetter(__m128i x, short offset) {
    const __m128i ascii =
        _mm_or_si128(_mm_sub_epi16(x, _mm_set1_epi16(offset)), _mm_set1_epi16(0x20));
    return inRange(ascii, Range{u'a', u'z'});
}

std::int64_t sumLanes(__m128i counts) {
    // Lanes hold unsigned 16-bit counts; pairwise widening keeps them exact.
    const __m128i ones = _mm_set1_epi16(1);
    const __m128i low = _mm_madd_epi16(_mm_and_si128(counts, _mm_set1_epi16(0x7FFF)), ones);
    const __m128i high = _mm_madd_epi16(_mm_srli_epi16(counts, 15), ones);
    alignas(16) std::int32_t l[4];
    alignas(16) std::int32_t h[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(l), low);
    _mm_store_si128(reinterpret_cast<__m128i*>(h), high);
    return std::int64_t{l[0]} + l[1] + l[2] + l[3] +
           32768 * (std::int64_t{h[0]} + h[1] + h[2] + h[3]);
}
#endif

}  // namespace

ClassCounts countClasses(std::u16string_view text) {
    ClassCounts counts;
#if MOZARU_HAVE_SSE2
    if (platform::vectors() && text.size() >= 8) {
        const char16_t* d = text.data();
        const std::size_t n = text.size();
        // 16-bit lane counters, emptied before they can wrap.
        constexpr std::size_t kBlock = 8 * 0xFFFF;
        for (std::size_t i = 0; i < n;) {
            const std::size_t end = std::min(n, i + kBlock);
            __m128i latin = _mm_setzero_si128();
            __m128i ideographs = _mm_setzero_si128();
            __m128i neutral = _mm_setzero_si128();
            const auto count = [&](__m128i x, __m128i lanes) {
                latin = _mm_sub_epi16(latin, _mm_and_si128(lanes, isLetter(x, 0)));
                const __m128i ideograph =
                    _mm_or_si128(inRange(x, kIdeographs[0]), inRange(x, kIdeographs[1]));
                ideographs = _mm_sub_epi16(ideographs, _mm_and_si128(lanes, ideograph));
                const __m128i kana = _mm_or_si128(inRange(x, kNeutral[0]), inRange(x, kNeutral[1]));
                const __m128i halfWidth =
                    _mm_or_si128(inRange(x, kNeutral[2]), isLetter(x, static_cast<short>(0xFEE0)));
                neutral =
                    _mm_sub_epi16(neutral, _mm_and_si128(lanes, _mm_or_si128(kana, halfWidth)));
            };
            const __m128i all = _mm_set1_epi16(-1);
            for (; i + 8 <= end; i += 8) {
                count(_mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i)), all);
            }
            if (i < end) {
                // The last units: the final eight of the text, with the lanes
                // already counted masked off.
                const auto rest = static_cast<short>(end - i);
                const __m128i lane = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);
                count(_mm_loadu_si128(reinterpret_cast<const __m128i*>(d + n - 8)),
                      _mm_cmpgt_epi16(lane, _mm_set1_epi16(static_cast<short>(7 - rest))));
                i = end;
            }
            counts.latin += sumLanes(latin);
            counts.ideographs += sumLanes(ideographs);
            counts.neutral += sumLanes(neutral);
        }
        return counts;
    }
#endif
    countScalar(text, counts);
    return counts;
}

namespace {

// The literal loop "find the first opening marker, find its end at or after
// it, cut both and what lies between, start again from the line's start", in
// time linear in the line: the kept text is compacted to the front while the
// rest is searched once. Neither ending ("</A>", ">") can begin inside an
// opening marker, so it is sought after the marker.
template <class FindEnd>
std::size_t removeEach(char16_t* line, std::size_t length, std::u16string_view open,
                       FindEnd findEnd) {
    // line[0, kept) is the text kept so far and line[next, length) the text
    // not yet searched; together they are the line as the literal loop sees it.
    std::size_t kept = 0;
    std::size_t next = 0;
    const std::size_t reach = open.size() - 1;
    for (;;) {
        // A cut joins the kept text's end to what follows, which can complete
        // a marker begun up to reach units before the join; nothing earlier
        // changes. Those units are searched again with the ones after the join.
        char16_t joint[16];
        const std::size_t back = std::min(kept, reach);
        const std::size_t ahead = std::min(length - next, reach);
        std::memcpy(joint, line + kept - back, back * sizeof(char16_t));
        std::memcpy(joint + back, line + next, ahead * sizeof(char16_t));
        const std::size_t inJoint = findNoCase(std::u16string_view(joint, back + ahead), open);
        std::size_t cutFrom;    // where the cut starts in the kept text
        std::size_t markerEnd;  // where the marker ends in the unsearched text
        if (inJoint < back) {
            cutFrom = kept - back + inJoint;
            markerEnd = next + inJoint + open.size() - back;
        } else {
            const std::size_t hit =
                findNoCase(std::u16string_view(line + next, length - next), open);
            if (hit == npos) break;
            // The units before the marker stay: they join the kept text.
            std::memmove(line + kept, line + next, hit * sizeof(char16_t));
            kept += hit;
            next += hit;
            cutFrom = kept;
            markerEnd = next + open.size();
        }
        const std::size_t end = findEnd(std::u16string_view(line, length), markerEnd);
        if (end == npos) break;
        kept = cutFrom;
        next = end;
    }
    std::memmove(line + kept, line + next, (length - next) * sizeof(char16_t));
    return kept + (length - next);
}

}  // namespace

std::size_t removeAnchors(char16_t* line, std::size_t length) {
    length = removeEach(line, length, u"<A HREF", [](std::u16string_view text, std::size_t from) {
        const std::size_t close = findNoCase(text, u"</A>", from);
        return close == npos ? npos : close + 4;
    });
    return removeEach(line, length, u"<A NAME", [](std::u16string_view text, std::size_t from) {
        const std::size_t close = text.find(u'>', from);
        return close == npos ? npos : close + 1;
    });
}

void decide(std::int64_t lines, std::int64_t total, const ClassCounts& classes, std::int16_t level,
            AAResult& result) {
    const std::int64_t symbols = total - classes.latin - classes.ideographs - classes.neutral;
    const auto ratio = [total](std::int64_t part) {
        return static_cast<double>(part) / static_cast<double>(total);
    };
    AARule rule;
    if (total <= minimumTotalLength(level)) {
        rule = AARule::TooShort;
    } else if (lines <= 5) {
        rule = AARule::TooFewLines;
    } else if (ratio(symbols) >= 0.5) {
        rule = AARule::Symbols;
    } else if (ratio(classes.ideographs) >= 0.8) {
        rule = AARule::Ideographs;
    } else if (ratio(classes.latin) >= 0.5) {
        rule = AARule::Latin;
    } else {
        rule = AARule::Otherwise;
    }
    // Bodies beyond the 32-bit range are unsupported; the figures saturate
    // rather than wrap.
    const auto narrow = [](std::int64_t v) {
        return static_cast<std::int32_t>(
            std::min<std::int64_t>(v, std::numeric_limits<std::int32_t>::max()));
    };
    result.stats =
        AAStats{narrow(lines),         narrow(total), narrow(symbols), narrow(classes.ideographs),
                narrow(classes.latin), rule};
    result.isAA = rule == AARule::Symbols || rule == AARule::Ideographs || rule == AARule::Latin;
}

}  // namespace detail

std::int32_t minimumTotalLength(std::int16_t level) {
    switch (level) {
        case 1:
            return 60;
        case 2:
            return 500;
        default:
            return 0;
    }
}

AAResult IsAA(std::u16string_view body, std::int16_t level) {
    detail::SilentObserver silent;
    AAResult result;
    detail::judgeBody(body, level, silent, result);
    return result;
}

AAResult IsAA(std::u16string_view body, std::int16_t level, ExtractObserver& observer) {
    AAResult result;
    detail::judgeBody(body, level, observer, result);
    return result;
}

std::string_view ruleName(AARule rule) {
    switch (rule) {
        case AARule::TooShort:
            return "too-short";
        case AARule::TooFewLines:
            return "too-few-lines";
        case AARule::Symbols:
            return "symbols";
        case AARule::Ideographs:
            return "ideographs";
        case AARule::Latin:
            return "latin";
        case AARule::Otherwise:
            return "otherwise";
    }
    return "otherwise";
}

}  // namespace mozaru
