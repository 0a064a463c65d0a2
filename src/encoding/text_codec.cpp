// Decoding through our own table decoders, one for each encoding.
#include "encoding/text_codec.h"

#include "encoding/cp932_decoder.h"
#include "encoding/eucjp_decoder.h"
#include "encoding/utf_decoder.h"
#include "text/platform.h"

namespace mozaru {

class TextDecoder::Engine {
public:
    virtual ~Engine() = default;
    virtual void decode(std::string_view piece) = 0;
    virtual void finish() = 0;
};

namespace {

template <class Decoder>
class DecoderEngine final : public TextDecoder::Engine {
public:
    DecoderEngine(LineBreaks lineBreaks, DecodedText& out) : m_decoder(lineBreaks, out) {}
    void decode(std::string_view piece) override { m_decoder.decode(piece); }
    void finish() override { m_decoder.finish(); }

private:
    Decoder m_decoder;
};

std::unique_ptr<TextDecoder::Engine> engineFor(Encoding encoding, LineBreaks lineBreaks,
                                               DecodedText& out) {
    switch (encoding) {
        case Encoding::Utf8:
            return std::make_unique<DecoderEngine<Utf8Decoder>>(lineBreaks, out);
        case Encoding::Utf16LE:
            return std::make_unique<DecoderEngine<Utf16Decoder<false>>>(lineBreaks, out);
        case Encoding::Utf16BE:
            return std::make_unique<DecoderEngine<Utf16Decoder<true>>>(lineBreaks, out);
        case Encoding::EucJp:
            return std::make_unique<DecoderEngine<EucJpDecoder>>(lineBreaks, out);
        case Encoding::Cp932:
            break;
    }
    return std::make_unique<DecoderEngine<Cp932Decoder>>(lineBreaks, out);
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

DecodedText decodeAs(std::string_view bytes, Encoding encoding, LineBreaks lineBreaks) {
    DecodedText out;
    TextDecoder decoder(encoding, lineBreaks, out);
    decoder.expect(bytes.size());
    decoder.decode(bytes);
    decoder.finish();
    return out;
}

std::string_view encodingName(Encoding encoding) {
    switch (encoding) {
        case Encoding::Utf8:
            return "UTF-8";
        case Encoding::Utf16LE:
            return "UTF-16LE";
        case Encoding::Utf16BE:
            return "UTF-16BE";
        case Encoding::EucJp:
            return "EUC-JP";
        case Encoding::Cp932:
            break;
    }
    return "CP932";
}

}  // namespace mozaru
