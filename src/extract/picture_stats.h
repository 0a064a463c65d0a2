// Which detector judges the posts, and the picture detector's figures for one body.
#pragma once

#include <cstdint>
#include <string_view>

namespace mozaru {

// Seed: IsAA's shares of symbols, kanji and letters over the whole body.
// Picture: the shape of the body's lines (isPicture).
enum class Detector : std::uint8_t { Seed, Picture };

// Which rule gave the picture detector's verdict.
enum class PictureRule : std::uint8_t {
    NotJudged,     // the body was judged by IsAA alone
    TooShort,      // total length not above the level's minimum, as IsAA counts it
    Picture,       // a run of 3 lines with 2 graphic, or of 5 lines with 1 graphic, or more
    SmallPicture,  // a block of 2 graphic lines and no text line, 16 units of strokes or more
    NoPicture,     // neither: not ASCII art
};

// A block is a series of lines that no empty line parts; a run, a series of
// graphic and faint lines (two strokes alone, dividers) in a block that no
// more than two text lines in a row part. The rule is the first that applies
// in reading order.
struct PictureStats {
    std::int32_t graphicLines = 0;  // in the whole body
    std::int32_t textLines = 0;
    std::int32_t longestRun = 0;  // graphic and faint lines of the longest run
    PictureRule rule = PictureRule::NotJudged;
};

// "seed" or "picture", as mozaru-cli names them.
std::string_view detectorName(Detector detector);

// Short English name of a rule ("not-judged", "too-short", "picture",
// "small-picture", "no-picture"), for diagnostics.
std::string_view pictureRuleName(PictureRule rule);

}  // namespace mozaru
