// Conversion between the document (CR LF lines) and the edit area's text.
#pragma once

#include <string>
#include <string_view>

namespace mozaru {

// The edit area separates lines with LF (or, in its raw form, with U+2029);
// the document with CR LF.
std::u16string editorToDocument(std::u16string_view editor);

// CR LF, a lone CR and a lone LF each become one LF: the line breaks of the
// document, normalised as NormalizeLineBreaks does, in the edit area's form.
std::u16string documentToEditor(std::u16string_view document);

}  // namespace mozaru
