// Conversion between the document (UTF-16, CR LF lines) and the edit area's
// text (UTF-8 bytes, as the editor stores them).
#pragma once

#include <string>
#include <string_view>

namespace mozaru {

// The document as the edit area holds it: UTF-8 with every line break (CR LF,
// a lone CR, a lone LF) written as CR LF. Every other character passes as it
// is, U+2029 and the noncharacters included. A lone surrogate, which UTF-8
// cannot hold, is written as the three bytes of its code unit (the
// generalised UTF-8 that editorToDocument reads back), so nothing is lost.
// lineBreaksKept, when given, tells whether every line break already was CR LF,
// so that the document reads back exactly as it went in.
std::string documentToEditor(std::u16string_view document, bool* lineBreaksKept = nullptr);

// The edit area's bytes as the document: UTF-8 (and the three-byte form of a
// lone surrogate) to UTF-16, every line break as CR LF. A byte that begins no
// character becomes U+FFFD.
std::u16string editorToDocument(std::string_view editor);

}  // namespace mozaru
