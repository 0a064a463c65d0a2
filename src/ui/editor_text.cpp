// Conversion between the document (UTF-16, CR LF lines) and the edit area's UTF-8.
#include "ui/editor_text.h"

#include <cstdint>
#include <cstring>

#include "text/utf.h"

namespace mozaru {

namespace {

// Four units at once, when they are all ASCII and none is a line break (CR is
// U+000D, LF U+000A: every unit from U+000E to U+007F passes).
bool plainAscii4(const char16_t* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const std::uint64_t belowE = (word - 0x000E000E000E000EULL) & ~word & 0x8000800080008000ULL;
    return ((word & 0xFF80FF80FF80FF80ULL) | belowE) == 0;
}

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

}  // namespace

std::string documentToEditor(std::u16string_view document, bool* lineBreaksKept) {
    // No unit takes more than three bytes; a lone LF or CR takes two.
    std::string out(document.size() * 3, '\0');
    char* o = out.data();
    bool kept = true;
    const char16_t* p = document.data();
    const char16_t* const end = p + document.size();
    while (p < end) {
        if (end - p >= 4 && plainAscii4(p)) {
            for (int k = 0; k < 4; ++k) *o++ = static_cast<char>(p[k]);
            p += 4;
            continue;
        }
        const char16_t c = *p;
        if (c == u'\r' || c == u'\n') {
            const bool crLf = c == u'\r' && end - p >= 2 && p[1] == u'\n';
            kept = kept && crLf;
            *o++ = '\r';
            *o++ = '\n';
            p += crLf ? 2 : 1;
            continue;
        }
        const CodePoint cp =
            codePointAt(std::u16string_view(p, static_cast<std::size_t>(end - p)), 0);
        o = writeUtf8(cp.value, o);
        p += cp.units;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    if (lineBreaksKept != nullptr) *lineBreaksKept = kept;
    return out;
}

std::u16string editorToDocument(std::string_view editor) {
    // Never more units than bytes, but for a lone CR or LF (which typing and
    // pasting never leave: the edit area writes CR LF), which takes two.
    std::u16string out(editor.size(), u'\0');
    char16_t* o = out.data();
    const auto room = [&](std::size_t units) {
        const auto used = static_cast<std::size_t>(o - out.data());
        if (out.size() - used >= units) return;
        out.resize(out.size() + out.size() / 2 + units);
        o = out.data() + used;
    };
    const auto* p = reinterpret_cast<const unsigned char*>(editor.data());
    const unsigned char* const end = p + editor.size();
    while (p < end) {
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            const std::uint64_t belowE = (word - 0x0E0E0E0E0E0E0E0EULL) & ~word;
            if (((word | belowE) & 0x8080808080808080ULL) == 0) {
                room(8);
                for (int k = 0; k < 8; ++k) *o++ = p[k];
                p += 8;
                continue;
            }
        }
        room(2);
        const unsigned char b = *p;
        const std::ptrdiff_t left = end - p;
        if (b == '\r' || b == '\n') {
            const bool crLf = b == '\r' && left >= 2 && p[1] == '\n';
            *o++ = u'\r';
            *o++ = u'\n';
            p += crLf ? 2 : 1;
        } else if (b < 0x80) {
            *o++ = b;
            p += 1;
        } else if (b >= 0xC2 && b < 0xE0 && left >= 2 && isContinuation(p[1])) {
            *o++ = static_cast<char16_t>(((b & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if (b >= 0xE0 && b < 0xF0 && left >= 3 && isContinuation(p[1]) &&
                   isContinuation(p[2]) && (b != 0xE0 || p[1] >= 0xA0)) {
            // Surrogates (ED A0..BF) are taken too: they are the lone units
            // documentToEditor wrote.
            *o++ = static_cast<char16_t>(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            p += 3;
        } else if (b >= 0xF0 && b < 0xF5 && left >= 4 && isContinuation(p[1]) &&
                   isContinuation(p[2]) && isContinuation(p[3]) && (b != 0xF0 || p[1] >= 0x90) &&
                   (b != 0xF4 || p[1] < 0x90)) {
            const char32_t cp =
                ((b & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
            o = writeUtf16(cp, o);
            p += 4;
        } else {
            *o++ = u'\uFFFD';
            p += 1;
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

}  // namespace mozaru
