// The extraction: keeps the post bodies of a saved thread page that are ASCII art.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "extract/extract_observer.h"

namespace mozaru {

// text: the whole document (CR LF lines). Only mergeFlag == 1 merges.
std::u16string ExtractAA(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag);
std::u16string ExtractAA(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag,
                         ExtractObserver& observer);

// Whether text holds a "<DD" that ExtractAA cuts a post at (read, as it reads
// them, with every CR and LF removed): without one there is no post to judge.
bool holdsPostBody(std::u16string_view text);

}  // namespace mozaru
