// Decoding: our own table decoders for CP932 and EUC-JP, ICU's converters for the rest.
#include "encoding/text_codec.h"

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
