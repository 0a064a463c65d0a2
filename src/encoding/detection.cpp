// Which encoding a text is in: a byte-order mark, or the detector's verdict
// where the bytes bear it out.
#include "encoding/detection.h"

#include <uchardet/uchardet.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace mozaru {

namespace {

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() &&
           std::memcmp(bytes.data(), prefix.data(), prefix.size()) == 0;
}

// The detector's verdict, of which only UTF-8 and EUC-JP are trusted: it
// confuses CP932 with single-byte code pages, and CP932 is the default anyway.
Encoding detect(std::string_view bytes) {
    std::unique_ptr<uchardet, void (*)(uchardet_t)> detector(uchardet_new(), uchardet_delete);
    // Feeding in slices lets the detector stop early: once it is sure it
    // ignores further data.
    constexpr std::size_t kSlice = 1 << 16;
    for (std::size_t at = 0; at < bytes.size(); at += kSlice) {
        const std::size_t n = std::min(kSlice, bytes.size() - at);
        if (uchardet_handle_data(detector.get(), bytes.data() + at, n) != 0) break;
    }
    uchardet_data_end(detector.get());
    const std::string_view verdict = uchardet_get_charset(detector.get());
    if (verdict == "UTF-8") return Encoding::Utf8;
    if (verdict == "EUC-JP") return Encoding::EucJp;
    return Encoding::Cp932;
}

constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

}  // namespace

Detected detectEncoding(std::string_view sample, bool whole, InputEncoding choice) {
    switch (choice) {
        case InputEncoding::Cp932:
            return {Encoding::Cp932, 0};
        case InputEncoding::EucJp:
            return {Encoding::EucJp, 0};
        case InputEncoding::Utf8:
            // A BOM is a mark, not text, even when the encoding was named.
            return {Encoding::Utf8, startsWith(sample, kUtf8Bom) ? kUtf8Bom.size() : 0};
        case InputEncoding::Auto:
            break;
    }
    if (startsWith(sample, kUtf8Bom)) return {Encoding::Utf8, kUtf8Bom.size()};
    if (startsWith(sample, kUtf16LEBom)) return {Encoding::Utf16LE, kUtf16LEBom.size()};
    if (startsWith(sample, kUtf16BEBom)) return {Encoding::Utf16BE, kUtf16BEBom.size()};
    const Encoding verdict = detect(sample);
    if (verdict == Encoding::Cp932) return {Encoding::Cp932, 0};
    // The detector also says UTF-8 (or EUC-JP) for CP932 bytes that are
    // neither, such as a line of half-width katakana: its verdict stands
    // only when nearly every non-ASCII byte of the sample decodes.
    DecodedText trial;
    TextDecoder decoder(verdict, LineBreaks::AsTheyStand, trial);
    decoder.decode(sample);
    if (whole) decoder.finish();
    const auto nonAscii = static_cast<std::size_t>(
        std::count_if(sample.begin(), sample.end(), [](char c) { return (c & 0x80) != 0; }));
    return {trial.undecodable * 100 <= nonAscii ? verdict : Encoding::Cp932, 0};
}

DecodedText decodeBytes(std::string_view bytes, InputEncoding choice, LineBreaks lineBreaks) {
    const std::string_view sample = bytes.substr(0, kDetectionSample);
    const Detected detected = detectEncoding(sample, sample.size() == bytes.size(), choice);
    return decodeAs(bytes.substr(detected.bomLength), detected.encoding, lineBreaks);
}

}  // namespace mozaru
