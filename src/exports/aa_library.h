// The AA editors' library files (MLT, AST) made of kept post bodies.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mozaru {

enum class LibraryFormat { Html, Mlt, Ast };

struct LibraryItem {
    std::uint64_t number = 0;  // the post's number
    std::u16string body;       // as the extraction kept it: one line, markup and all
};

// A post body as plain text lines: split at "<BR>" (any case); in a body
// that carries the board's padding (a space at its start and end and one on
// each side of every "<BR>") that one space is removed there; other tags removed;
// character references decoded; trailing empty lines dropped.
std::vector<std::u16string> plainLines(std::u16string_view body);

// &lt; &gt; &amp; &quot; &apos; &nbsp; &#N; &#xH; decoded; others left as written.
std::u16string decodeReferences(std::u16string_view text);

// MLT: the items' lines, a line "[SPLIT]" between two items. AST: each item
// after a line "[AA][N]". CR LF after every line; no items, no text.
std::u16string writeAALibrary(const std::vector<LibraryItem>& items, LibraryFormat format);

// The number a post header gives after its last "<DT" (its tag, tags and
// spaces skipped); 0 when it gives none.
std::uint64_t postNumberOf(std::u16string_view header);

}  // namespace mozaru
