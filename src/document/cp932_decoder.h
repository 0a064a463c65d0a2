// A table-driven CP932 decoder with exactly the results of ICU's
// "windows-31j" converter, many times faster on large pages.
#pragma once

#include <string_view>

#include "document/text_codec.h"

namespace mozaru {

// Decodes bytes as CP932 into out.text, counting undecodable bytes in
// out.undecodable (each undecodable sequence becomes one U+FFFD). Returns
// false, doing nothing, if this ICU's converter does not have the shape the
// tables need (a pair forms exactly when a lead byte meets a trail byte):
// the caller then asks ICU itself.
bool decodeCp932(std::string_view bytes, DecodedText& out);

}  // namespace mozaru
