// Any text encoded: the same bytes in pieces and small slices as whole; the
// CP932 bytes read back (their &#N; references resolved), and the UTF-8
// bytes of a text without lone surrogates decoded, give the text again.
#include <cstdint>

#include "encoding/text_codec.h"
#include "fuzz_input.h"
#include "text/utf.h"

namespace {

using namespace mozaru;

// The text the bytes stand for: decoded, each &#N; the encoder wrote made
// the code point again.
std::u16string readBack(const std::string& bytes) {
    const std::u16string decoded = decodeAs(bytes, Encoding::Cp932).text;
    std::u16string text;
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        const std::size_t end = decoded.find(u';', i);
        if (decoded.compare(i, 2, u"&#") != 0 || end == std::u16string::npos) {
            text += decoded[i];
            continue;
        }
        char32_t c = 0;
        for (std::size_t k = i + 2; k < end; ++k) c = c * 10 + (decoded[k] - u'0');
        if (isSurrogate(c)) {
            text += static_cast<char16_t>(c);  // a lone surrogate is written as itself
        } else {
            appendUtf16(text, c);
        }
        i = end;
    }
    return text;
}

std::string inSlices(std::u16string_view text, OutputEncoding encoding, std::size_t step) {
    std::string bytes;
    TextEncoder encoder(
        encoding, [&bytes](std::string_view slice) { bytes.append(slice); }, 16);
    for (std::size_t at = 0; at < text.size(); at += step) encoder.encode(text.substr(at, step));
    encoder.finish();
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = fuzz::unitsOf(fuzz::bytesOf(data, size));
    const std::size_t step = size == 0 ? 1 : 1 + data[0] % 13;
    for (const OutputEncoding encoding : {OutputEncoding::Cp932, OutputEncoding::Utf8}) {
        fuzz::check(inSlices(text, encoding, step) == encodeText(text, encoding).bytes,
                    "pieces and slices encode as the whole");
    }
    // Reference text of its own, and ICU's one mapping that does not come back.
    if (text.find_first_of(u"&\uF86F") != std::u16string::npos) return 0;
    fuzz::check(readBack(encodeText(text, OutputEncoding::Cp932).bytes) == text,
                "CP932 bytes read back as the text");
    bool lone = false;
    forEachCodePoint(text, [&lone](char32_t c) { lone = lone || isSurrogate(c); });
    if (!lone) {
        fuzz::check(
            decodeAs(encodeText(text, OutputEncoding::Utf8).bytes, Encoding::Utf8).text == text,
            "UTF-8 bytes decode as the text");
    }
    return 0;
}
