// The line-break formatting commands: a line break after every <BR>, and back.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace mozaru {

std::u16string AddLineBreaks(std::u16string_view text);
std::u16string RemoveLineBreaks(std::u16string_view text);

// The same results handed to sink in slices, in order, as they are made: a
// caller that encodes them at once never holds the whole result.
using TextSink = std::function<void(std::u16string_view slice)>;
void addLineBreaksInto(std::u16string_view text, const TextSink& sink);
void removeLineBreaksInto(std::u16string_view text, const TextSink& sink);

}  // namespace mozaru
