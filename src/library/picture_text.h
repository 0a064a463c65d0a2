// A picture's normalised form: what is compared, searched and hashed (pure).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "library/library_forms.h"

namespace mozaru {

// The item's lines as they are seen: references decoded (a library's forms,
// or a post body's through plainLines, which also takes off the board's one
// space around <BR> and the tags), trailing spaces of each line removed
// (half-width, full-width, tabs), empty lines at the start and end dropped.
std::vector<std::u16string> normalisedLines(std::u16string_view text, ItemText kind);

// Those lines with '\n' between them.
std::u16string normalisedText(std::u16string_view text, ItemText kind);

// The lines of a normalised text.
std::vector<std::u16string_view> linesOfNormalised(std::u16string_view normalised);

// A post body whose plainLines are exactly these lines: '&', '<' and '>'
// written as references, "<BR>" between lines. What the library outputs are
// written from.
std::u16string bodyOfLines(std::u16string_view normalised);

// The text the search index holds: each run of spaces (half-width,
// full-width, tabs) as one space. A substring of the normalised text is,
// treated the same way, a substring of this one.
std::u16string searchKeyOf(std::u16string_view text);

bool isSpace(char16_t c);

}  // namespace mozaru
