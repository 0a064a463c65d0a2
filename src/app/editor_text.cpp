// Conversion between the document (CR LF lines) and the edit area's text.
#include "app/editor_text.h"

#include <algorithm>

namespace mozaru {

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kParagraphSeparator = u'\u2029';

}  // namespace

std::u16string editorToDocument(std::u16string_view editor) {
    const auto breaks =
        static_cast<std::size_t>(std::count_if(editor.begin(), editor.end(), [](char16_t c) {
            return c == kLf || c == kParagraphSeparator;
        }));
    std::u16string document;
    document.reserve(editor.size() + breaks);
    for (const char16_t c : editor) {
        if (c == kLf || c == kParagraphSeparator) {
            document += kCr;
            document += kLf;
        } else {
            document += c;
        }
    }
    return document;
}

std::u16string documentToEditor(std::u16string_view document) {
    std::u16string editor;
    editor.reserve(document.size());
    for (std::size_t i = 0; i < document.size(); ++i) {
        const char16_t c = document[i];
        if (c == kCr) {
            editor += kLf;
            if (i + 1 < document.size() && document[i + 1] == kLf) ++i;
        } else {
            editor += c;
        }
    }
    return editor;
}

}  // namespace mozaru
