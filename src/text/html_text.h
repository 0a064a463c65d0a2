// The text an HTML fragment shows: character references decoded, tags and
// comments taken out.
#pragma once

#include <string>
#include <string_view>

namespace mozaru::html {

// Html: what boards write, &lt; &gt; &amp; &quot; &apos; &#N; &#xH;, and &nbsp;
// as a half-width space (CP932 would write U+00A0 as &#160;).
// Library: what AA libraries hold besides, &#N and &#xH without their ';' and
// every name HTML 4 defines (&nbsp; as a space); a reference to a line break
// stays as written there.
enum class ReferenceForms { Html, Library };

// The character reference of forms at text[at] ('&'): its code point goes
// to c; returns its length, 0 when there is none or it names no character.
std::size_t readReference(std::u16string_view text, std::size_t at, char32_t& c,
                          ReferenceForms forms = ReferenceForms::Html);

// The references of forms decoded; others left as written.
std::u16string decodeReferences(std::u16string_view text,
                                ReferenceForms forms = ReferenceForms::Html);

// The fragment less its tags and comments, its references decoded; a '<'
// that starts no tag stays as text.
std::u16string plainText(std::u16string_view fragment);

// Text as HTML shows it: & < > and " written as references.
std::u16string escaped(std::u16string_view text);

}  // namespace mozaru::html
