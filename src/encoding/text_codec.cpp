// Byte encodings through ICU converters, with BOM and uchardet detection.
#include "encoding/text_codec.h"

#include <uchardet/uchardet.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "encoding/cp932_decoder.h"
#include "encoding/eucjp_decoder.h"
#include "text/platform.h"
#include "text/text.h"
#include "text/utf.h"

namespace mozaru {

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

struct EncodingNames {
    const char* icu;
    std::string_view shown;
};

// Indexed by Encoding. "windows-31j" is Windows' Japanese ANSI code page as
// ICU knows it: 0x5C is the backslash, 0x8160 is U+FF5E, NEC and IBM
// extensions included.
constexpr EncodingNames kNames[] = {
    {"windows-31j", "CP932"},  // Cp932
    {"UTF-8", "UTF-8"},        // Utf8
    {"UTF-16LE", "UTF-16LE"},  // Utf16LE
    {"UTF-16BE", "UTF-16BE"},  // Utf16BE
    {"EUC-JP", "EUC-JP"},      // EucJp
};

const EncodingNames& namesOf(Encoding encoding) {
    return kNames[static_cast<std::size_t>(encoding)];
}

Converter openConverter(Encoding encoding) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(namesOf(encoding).icu, &status));
    // The converters are part of ICU's built-in data; missing ones mean a
    // broken installation, not a bad file.
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
    return converter;
}

// Every undecodable sequence becomes one U+FFFD; its bytes are counted.
void U_CALLCONV replaceUndecodable(const void* context, UConverterToUnicodeArgs* args,
                                   const char* /*codeUnits*/, int32_t length,
                                   UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to convert
    auto* count = static_cast<std::size_t*>(const_cast<void*>(context));
    *count += static_cast<std::size_t>(length);
    *status = U_ZERO_ERROR;
    static const UChar kReplacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, status);
}

}  // namespace

class TextDecoder::Engine {
public:
    virtual ~Engine() = default;
    virtual void decode(std::string_view piece) = 0;
    virtual void finish() = 0;
};

namespace {

// Our own table-driven decoders (Cp932Decoder, EucJpDecoder).
template <class Decoder>
class TableEngine final : public TextDecoder::Engine {
public:
    TableEngine(LineBreaks lineBreaks, DecodedText& out) : m_decoder(lineBreaks, out) {}
    void decode(std::string_view piece) override { m_decoder.decode(piece); }
    void finish() override { m_decoder.finish(); }

private:
    Decoder m_decoder;
};

// Through ICU's converter, a slice at a time: ICU refuses a call of more than
// 2^30 units, and the slice is decoded while it is in the cache.
class IcuEngine final : public TextDecoder::Engine {
public:
    IcuEngine(Encoding encoding, LineBreaks lineBreaks, DecodedText& out)
        : m_converter(openConverter(encoding)), m_out(out), m_crLf(lineBreaks == LineBreaks::CrLf) {
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setToUCallBack(m_converter.get(), replaceUndecodable, &out.undecodable, nullptr,
                            nullptr, &status);
    }
    void decode(std::string_view piece) override { convert(piece, false); }
    void finish() override { convert({}, true); }

private:
    static constexpr std::size_t kSlice = std::size_t{1} << 16;

    void convert(std::string_view bytes, bool flush) {
        const char* source = bytes.data();
        const char* const end = source + bytes.size();
        // Output never outgrows the input by more than the few bytes ICU holds.
        const std::size_t room = std::min(kSlice, bytes.size()) + 16;
        if (m_slice.size() < room) m_slice.resize(room);
        for (;;) {
            const char* const sliceEnd = source + std::min<std::size_t>(kSlice, end - source);
            UChar* target = reinterpret_cast<UChar*>(m_slice.data());
            UErrorCode status = U_ZERO_ERROR;
            ucnv_toUnicode(m_converter.get(), &target, target + m_slice.size(), &source, sliceEnd,
                           nullptr, flush && sliceEnd == end, &status);
            if (U_FAILURE(status) && status != U_BUFFER_OVERFLOW_ERROR) {
                throw std::runtime_error(u_errorName(status));
            }
            const std::u16string_view units(
                m_slice.data(),
                static_cast<std::size_t>(target - reinterpret_cast<UChar*>(m_slice.data())));
            if (m_crLf) {
                appendWithCrLf(m_out.text, units, m_afterCr);
            } else {
                m_out.text.append(units);
            }
            if (status != U_BUFFER_OVERFLOW_ERROR && source == end) return;
        }
    }

    Converter m_converter;
    DecodedText& m_out;
    const bool m_crLf;
    bool m_afterCr = false;
    std::u16string m_slice;
};

std::unique_ptr<TextDecoder::Engine> engineFor(Encoding encoding, LineBreaks lineBreaks,
                                               DecodedText& out) {
    if (encoding == Encoding::Cp932 && Cp932Decoder::available()) {
        return std::make_unique<TableEngine<Cp932Decoder>>(lineBreaks, out);
    }
    if (encoding == Encoding::EucJp) {
        return std::make_unique<TableEngine<EucJpDecoder>>(lineBreaks, out);
    }
    return std::make_unique<IcuEngine>(encoding, lineBreaks, out);
}

void decodeWhole(TextDecoder& decoder, std::string_view bytes) {
    decoder.expect(bytes.size());
    decoder.decode(bytes);
    decoder.finish();
}

}  // namespace

TextDecoder::TextDecoder(Encoding encoding, LineBreaks lineBreaks, DecodedText& out)
    : m_engine(engineFor(encoding, lineBreaks, out)), m_out(out), m_lineBreaks(lineBreaks) {
    out.encoding = encoding;
}

TextDecoder::~TextDecoder() = default;

void TextDecoder::expect(std::size_t bytes) {
    // One code unit a byte at most, and a few line breaks that become two.
    const std::size_t units =
        m_out.text.size() + bytes + (m_lineBreaks == LineBreaks::CrLf ? bytes / 8 : 0) + 16;
    if (m_out.text.capacity() >= units) return;
    m_out.text.reserve(units);
    platform::adviseHugePages(m_out.text.data(), m_out.text.capacity() * sizeof(char16_t));
}

void TextDecoder::decode(std::string_view piece) {
    m_engine->decode(piece);
}

void TextDecoder::finish() {
    m_engine->finish();
}

DecodedText decodeBytesWithIcu(std::string_view bytes, Encoding encoding) {
    DecodedText out;
    out.encoding = encoding;
    IcuEngine engine(encoding, LineBreaks::AsTheyStand, out);
    engine.decode(bytes);
    engine.finish();
    return out;
}

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

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
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
    DecodedText out;
    TextDecoder decoder(detected.encoding, lineBreaks, out);
    decodeWhole(decoder, bytes.substr(detected.bomLength));
    return out;
}

std::string_view encodingName(Encoding encoding) {
    return namesOf(encoding).shown;
}

}  // namespace mozaru
