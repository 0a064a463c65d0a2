// The ASCII-art classifier: judges one post body and builds its merge key.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "extract/extract_observer.h"
#include "extract/picture_stats.h"

namespace mozaru {

// Which decision rule gave the verdict, in the order the rules are tried.
enum class AARule : std::uint8_t {
    TooShort,     // total length not above the level's minimum
    TooFewLines,  // 5 lines or fewer
    Symbols,      // symbols / total >= 0.5
    Ideographs,   // ideographs / total >= 0.8
    Latin,        // Latin letters / total >= 0.5
    Otherwise,    // none of the above: not ASCII art
};

struct AAStats {
    std::int32_t lines = 0;
    std::int32_t total = 0;
    std::int32_t symbols = 0;
    std::int32_t ideographs = 0;
    std::int32_t latin = 0;
    AARule rule = AARule::TooShort;
};

struct AAResult {
    bool isAA = false;
    std::u16string mergeKey;
    AAStats stats;
    // The picture detector's figures (isPicture); rule NotJudged from IsAA.
    PictureStats picture;
};

// Minimum total length a body must exceed at the given precision level.
std::int32_t minimumTotalLength(std::int16_t level);

// body: one post body without CR/LF, protected characters as tokens.
AAResult IsAA(std::u16string_view body, std::int16_t level);
AAResult IsAA(std::u16string_view body, std::int16_t level, ExtractObserver& observer);

// Short English name of a rule ("too-short", "too-few-lines", "symbols",
// "ideographs", "latin", "otherwise"), for diagnostics.
std::string_view ruleName(AARule rule);

}  // namespace mozaru
