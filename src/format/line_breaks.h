// The line-break formatting commands: a line break after every <BR>, and back.
#pragma once

#include <string>
#include <string_view>

namespace mozaru {

std::u16string AddLineBreaks(std::u16string_view text);
std::u16string RemoveLineBreaks(std::u16string_view text);

}  // namespace mozaru
