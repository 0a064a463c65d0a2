// Conversion between the document (CR LF lines) and the edit area's text.
#include "ui/editor_text.h"

#include <algorithm>

namespace mozaru {

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kParagraphSeparator = u'\u2029';
// The edit area also starts a new line at these frame markers.
constexpr char16_t kBeginningOfFrame = u'\uFDD0';
constexpr char16_t kEndOfFrame = u'\uFDD1';

bool isEditorBreak(char16_t c) {
    return c == kLf || c == kParagraphSeparator || c == kBeginningOfFrame || c == kEndOfFrame;
}

bool isDocumentBreak(char16_t c) {
    return c == kCr || isEditorBreak(c);
}

}  // namespace

std::u16string editorToDocument(std::u16string_view editor) {
    const auto breaks =
        static_cast<std::size_t>(std::count_if(editor.begin(), editor.end(), isEditorBreak));
    std::u16string document;
    document.reserve(editor.size() + breaks);
    // Copies whole lines at a time: this runs over every document a command reads.
    auto line = editor.begin();
    for (auto it = std::find_if(line, editor.end(), isEditorBreak); it != editor.end();
         it = std::find_if(line, editor.end(), isEditorBreak)) {
        document.append(line, it);
        document += kCr;
        document += kLf;
        line = it + 1;
    }
    document.append(line, editor.end());
    return document;
}

std::u16string documentToEditor(std::u16string_view document) {
    std::u16string editor(document.size(), u'\0');
    editor.resize(documentToEditor(document, editor.data()));
    return editor;
}

std::size_t documentToEditor(std::u16string_view document, char16_t* out) {
    char16_t* write = out;
    auto line = document.begin();
    for (auto it = std::find_if(line, document.end(), isDocumentBreak); it != document.end();
         it = std::find_if(line, document.end(), isDocumentBreak)) {
        write = std::copy(line, it, write);
        *write++ = kLf;
        line = it + 1;
        if (*it == kCr && line != document.end() && *line == kLf) ++line;
    }
    write = std::copy(line, document.end(), write);
    return static_cast<std::size_t>(write - out);
}

}  // namespace mozaru
