// The extraction: keeps the post bodies of a saved thread page that are ASCII art.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "extract/extract_observer.h"
#include "extract/picture_stats.h"

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

}  // namespace mozaru
