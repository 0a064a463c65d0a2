// The text an HTML fragment shows: character references decoded, tags and
// comments taken out.
#pragma once

#include <string>
#include <string_view>

namespace mozaru::html {

// &lt; &gt; &amp; &quot; &apos; &nbsp; &#N; &#xH; decoded; others left as written.
std::u16string decodeReferences(std::u16string_view text);

// The fragment less its tags and comments, its references decoded; a '<'
// that starts no tag stays as text.
std::u16string plainText(std::u16string_view fragment);

// Text as HTML shows it: & < > and " written as references.
std::u16string escaped(std::u16string_view text);

}  // namespace mozaru::html
