// The line-break formatting commands: a line break after every <BR>, and back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/text.h"

namespace mozaru {

std::u16string AddLineBreaks(std::u16string_view text);
std::u16string RemoveLineBreaks(std::u16string_view text);

// The same results handed to sink in slices, in order, as they are made: a
// caller that encodes them at once never holds the whole result. For a text
// that comes in pieces: last false, the units at the end where a tag may go
// on are left; the return value is how much of text was used, and the rest
// must come again at the start of the next call.
std::size_t addLineBreaksInto(std::u16string_view text, const TextSink& sink, bool last = true);
std::size_t removeLineBreaksInto(std::u16string_view text, const TextSink& sink, bool last = true);
// Either of the two, for code that runs one of them on pieces.
using LineBreakRewrite = std::size_t (*)(std::u16string_view text, const TextSink& sink, bool last);

}  // namespace mozaru
