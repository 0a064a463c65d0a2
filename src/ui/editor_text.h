// Conversion between the document (CR LF lines) and the edit area's text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mozaru {

// The edit area separates lines with LF (or, in its raw form, with U+2029, and
// it also breaks at the frame markers U+FDD0 and U+FDD1); the document with CR LF.
std::u16string editorToDocument(std::u16string_view editor);

// CR LF, a lone CR and a lone LF each become one LF: the line breaks of the
// document, normalised as NormalizeLineBreaks does, in the edit area's form.
// The characters the edit area takes as line breaks anyway (U+2029, U+FDD0,
// U+FDD1) become LF as well, so the result reads back exactly as it went in.
std::u16string documentToEditor(std::u16string_view document);
// The same into out, which holds at least document.size() units; returns the
// length written. Lets the window fill its editor string without a copy.
std::size_t documentToEditor(std::u16string_view document, char16_t* out);

}  // namespace mozaru
