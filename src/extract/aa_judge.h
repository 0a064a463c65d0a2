// The classifier's single pass, shared by IsAA and the extraction loop.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "extract/is_aa.h"
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
// that starts at lineStart and runs to the end of key.
void removeAnchors(std::u16string& key, std::size_t lineStart);

// Fills result.stats and result.isAA from the counts of a whole body.
void decide(std::int64_t lines, std::int64_t total, const ClassCounts& classes, std::int16_t level,
            AAResult& result);

// Judges body into result, reusing result.mergeKey's storage, so that the
// extraction allocates nothing per post. The merge key is built first and
// classified as a whole: the spaces trimmed from a line's ends are neither
// letters nor kana nor ideographs, so counting them there changes nothing but
// the total, which is summed per line without them.
template <class Observer>
void judgeBody(std::u16string_view body, std::int16_t level, Observer& observer, AAResult& result) {
    std::u16string& key = result.mergeKey;
    key.clear();
    std::int64_t lines = 0;
    std::int64_t total = 0;
    std::size_t lineStart = 0;
    bool mayHoldAnchor = false;
    const auto endLine = [&](std::size_t end) {
        const std::size_t keyStart = key.size();
        key.append(body.substr(lineStart, end - lineStart));
        if (mayHoldAnchor) removeAnchors(key, keyStart);
        const char16_t* line = key.data() + keyStart;
        std::size_t b = 0;
        std::size_t e = key.size() - keyStart;
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
            if (startsWithNoCase(body, p, u"<BR>")) {
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
    decide(lines, total, countClasses(key), level, result);
}

// An observer that the compiler sees through: no calls, no cost.
struct SilentObserver {
    static constexpr bool listening = false;
    void start(std::int32_t) {}
    void postDone(std::int32_t) {}
    void finished(std::int32_t) {}
    void lineDone() {}
    void judged(std::int32_t, std::u16string_view, const AAResult&) {}
};

// Forwards every notification to a real observer.
struct ForwardingObserver {
    static constexpr bool listening = true;
    ExtractObserver& target;
    void start(std::int32_t n) { target.start(n); }
    void postDone(std::int32_t i) { target.postDone(i); }
    void finished(std::int32_t n) { target.finished(n); }
    void lineDone() { target.lineDone(); }
    void judged(std::int32_t i, std::u16string_view body, const AAResult& result) {
        target.judged(i, body, result);
    }
};

}  // namespace mozaru::detail
