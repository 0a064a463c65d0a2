// The classifier's single pass, shared by IsAA and the extraction loop.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "extract/extract_observer.h"
#include "extract/is_aa.h"
#include "extract/picture_detector.h"
#include "text/scan.h"
#include "text/text.h"

namespace mozaru::detail {

// Code units of text that are Latin letters, ideographs and neutral (kana,
// full-width Latin); every other unit is a symbol.
struct ClassCounts {
    std::int64_t latin = 0;
    std::int64_t ideographs = 0;
    std::int64_t neutral = 0;
};
ClassCounts countClasses(std::u16string_view text);

// Removes the link anchors, then the named-anchor opening tags, of the line
// of the given length at line; returns its new length.
std::size_t removeAnchors(char16_t* line, std::size_t length);

// Fills result.stats and result.isAA from the counts of a whole body.
void decide(std::int64_t lines, std::int64_t total, const ClassCounts& classes, std::int16_t level,
            AAResult& result);

// Whether a "<BR>" tag (any case) starts at p, with text[p] known to be '<'.
inline bool isBreakTag(std::u16string_view text, std::size_t p) {
    return text.size() - p >= 4 && (text[p + 1] | 0x20) == u'b' && (text[p + 2] | 0x20) == u'r' &&
           text[p + 3] == u'>';
}

// Builds body's merge key into result.mergeKey, reusing its storage, so that
// the extraction allocates nothing per post; counts the lines and their total
// length, and hands each line, its anchors removed, to onLine.
template <class Observer, class OnLine>
void cleanLines(std::u16string_view body, Observer& observer, AAResult& result, std::int64_t& lines,
                std::int64_t& total, OnLine onLine) {
    // The key is the body less its "<BR>" tags and anchors, never longer: it
    // is written in place and cut to length at the end.
    std::u16string& key = result.mergeKey;
    if (key.size() < body.size()) key.resize(body.size());
    char16_t* const out = key.data();
    std::size_t length = 0;
    std::size_t lineStart = 0;
    bool mayHoldAnchor = false;
    const auto endLine = [&](std::size_t end) {
        char16_t* const line = out + length;
        std::size_t e = end - lineStart;
        std::memcpy(line, body.data() + lineStart, e * sizeof(char16_t));
        if (mayHoldAnchor) e = removeAnchors(line, e);
        length += e;
        onLine(std::u16string_view(line, e));
        std::size_t b = 0;
        while (b < e && line[b] == u' ') ++b;
        while (e > b && line[e - 1] == u' ') --e;
        total += static_cast<std::int64_t>(e - b);
        ++lines;
        observer.lineDone();
    };
    if (!body.empty()) {
        // Every "<BR>" ends a line; "<A" may open an anchor, to be removed.
        std::size_t p = 0;
        while ((p = scan::findTag(body, u'b', u'a', p)) != scan::npos) {
            if (isBreakTag(body, p)) {
                endLine(p);
                p += 4;
                lineStart = p;
                mayHoldAnchor = false;
            } else {
                mayHoldAnchor = mayHoldAnchor || (body[p + 1] | 0x20) == u'a';
                ++p;
            }
        }
        endLine(body.size());
    }
    key.resize(length);
}

// Judges body into result. The merge key is built first and classified as a
// whole: the spaces trimmed from a line's ends are neither letters nor kana
// nor ideographs, so counting them there changes nothing but the total, which
// is summed per line without them.
// fullStats false: when the size alone decides, the classes are not counted
// and result.stats holds only the lines and the total.
// detector Picture: the picture detector gives the verdict (isPicture), from
// the lines as the key holds them one after the other.
template <class Observer>
void judgeBody(std::u16string_view body, std::int16_t level, Observer& observer, AAResult& result,
               bool fullStats = true, Detector detector = Detector::Seed) {
    std::int64_t lines = 0;
    std::int64_t total = 0;
    if (detector == Detector::Picture) {
        LineLengths lengths;
        cleanLines(body, observer, result, lines, total,
                   [&lengths](std::u16string_view line) { lengths.add(line.size()); });
        decidePicture(lengths, lines, total, level, fullStats, result);
        return;
    }
    cleanLines(body, observer, result, lines, total, [](std::u16string_view) {});
    const bool bySize = total <= minimumTotalLength(level) || lines <= 5;
    decide(lines, total, bySize && !fullStats ? ClassCounts{} : countClasses(result.mergeKey),
           level, result);
}

// The observer of the calls that take none. Final, so the compiler sees
// through every call on it: listening to nothing costs nothing.
struct SilentObserver final : ExtractObserver {
    void start(std::int32_t) override {}
    void postDone(std::int32_t) override {}
    void finished(std::int32_t) override {}
    void lineDone() override {}
    void judged(std::int32_t, std::u16string_view, const AAResult&) override {}
    void kept(std::int32_t, std::u16string_view, std::u16string_view) override {}
};

template <class Observer>
inline constexpr bool kListening = !std::is_same_v<Observer, SilentObserver>;

}  // namespace mozaru::detail
