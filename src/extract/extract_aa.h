// The extraction: keeps the post bodies of a saved thread page that are ASCII art.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "extract/extract_observer.h"
#include "extract/picture_stats.h"
#include "text/text.h"

namespace mozaru {

// text: the whole document (CR LF lines). Only mergeFlag == 1 merges.
std::u16string ExtractAA(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag);
std::u16string ExtractAA(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag,
                         ExtractObserver& observer);
// The same with a chosen detector: Seed judges as above, Picture with isPicture.
std::u16string ExtractAA(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag,
                         Detector detector);
std::u16string ExtractAA(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag,
                         Detector detector, ExtractObserver& observer);

// ExtractAA on a page that arrives in pieces, as a file is read: the same
// result, handed to sink as it is made. Only the piece being cut is held,
// and with merging the kept bodies, which later ones are compared with.
class ExtractAAInPieces {
public:
    ExtractAAInPieces(std::int16_t level, std::int16_t mergeFlag, TextSink sink,
                      Detector detector = Detector::Seed);
    ~ExtractAAInPieces();
    ExtractAAInPieces(const ExtractAAInPieces&) = delete;
    ExtractAAInPieces& operator=(const ExtractAAInPieces&) = delete;

    // Takes the text of the page that has come and not been used yet;
    // returns how much of its front is used: the rest must come again at the
    // front of the next call's text. last: the page ends with this text.
    std::size_t take(std::u16string_view text, bool last);
    // Whether the page so far holds a post to judge (a "<DD" ExtractAA cuts at).
    bool foundPost() const;

private:
    class Walk;
    std::unique_ptr<Walk> m_walk;
    const bool m_merging;
    const TextSink m_sink;
    std::size_t m_handed = 0;  // units of the result already given to the sink
};

// Whether text holds a "<DD" that ExtractAA cuts a post at (read, as it reads
// them, with every CR and LF removed): without one there is no post to judge.
bool holdsPostBody(std::u16string_view text);

}  // namespace mozaru
