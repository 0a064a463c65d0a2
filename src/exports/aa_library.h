// Post bodies as the plain text lines of the AA editors' libraries (MLT, AST).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mozaru {

// A post body as plain text lines: split at "<BR>" (any case); in a body
// that carries the board's padding (a space at its start and end and one on
// each side of every "<BR>") that one space is removed there; other tags removed;
// character references decoded; trailing empty lines dropped.
std::vector<std::u16string> plainLines(std::u16string_view body);

// A plain line as a library holds it: a CR or LF (decoded from &#13; or
// &#10;) written as that reference again, and the '[' of "[SPLIT]" or "[AA]"
// (any case, anywhere in the line: editors look for them anywhere) as
// &#91;, so that no post can end an item or make one of its own.
std::u16string libraryLine(std::u16string_view line);

}  // namespace mozaru
