// Byte encodings of document and settings files: decoding, and encoding with
// character references for what the target cannot hold. Detection, which
// needs uchardet, is in detection.h.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace mozaru {

enum class Encoding { Cp932, Utf8, Utf16LE, Utf16BE, EucJp };

// The mark that opens a UTF-8 text written by Windows' editors.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// What the reader is told to use: Auto lets a BOM decide, then the detector
// (only its UTF-8 and EUC-JP verdicts are taken), else CP932.
enum class InputEncoding { Auto, Cp932, EucJp, Utf8 };
enum class OutputEncoding { Cp932, Utf8 };

// CrLf: every CR LF, lone CR and lone LF comes out as CR LF, the document's
// line break.
enum class LineBreaks { AsTheyStand, CrLf };

struct DecodedText {
    std::u16string text;
    Encoding encoding = Encoding::Cp932;
    std::size_t undecodable = 0;  // bytes that became U+FFFD
};

struct EncodedText {
    std::string bytes;
    std::size_t references = 0;  // characters written as &#N;
};

// The bytes as text in this encoding (a BOM in them is a character).
DecodedText decodeAs(std::string_view bytes, Encoding encoding,
                     LineBreaks lineBreaks = LineBreaks::AsTheyStand);
// CP932: a character it cannot hold becomes &#N; of its full code point,
// invisible ones (U+200B, variation selectors, ...) included; so does a lone
// surrogate in either encoding.
EncodedText encodeText(std::u16string_view text, OutputEncoding encoding = OutputEncoding::Cp932);

// Reserves room for the bytes of a text of this many units as it usually
// needs (two bytes a unit in CP932, three in UTF-8): reserved, not touched,
// so that appending never moves them and a text that needs less costs less.
void reserveForEncoding(std::string& bytes, std::size_t units, OutputEncoding encoding);

// Takes encoded bytes a slice at a time, in order.
using ByteSink = std::function<void(std::string_view bytes)>;

// Encodes a text that may come in pieces, as encodeText does, handing the
// bytes to sink in slices of about sliceBytes: no size limit but memory, and
// no second copy of a large result. A surrogate pair cut at the end of one
// piece is completed by the next.
class TextEncoder {
public:
    static constexpr std::size_t kSliceBytes = std::size_t{1} << 16;

    TextEncoder(OutputEncoding encoding, ByteSink sink, std::size_t sliceBytes = kSliceBytes);

    void encode(std::u16string_view piece);
    // The end of the text: hands over the last slice.
    void finish();
    std::size_t references() const { return m_references; }  // characters written as &#N;

private:
    // The most one step writes: eight units, each a reference such as
    // "&#55296;", or eight ASCII bytes.
    static constexpr std::size_t kLongestStep = 64;

    void flush();
    template <OutputEncoding kEncoding, bool kVectors>
    void run(std::u16string_view piece);

    const OutputEncoding m_encoding;
    const ByteSink m_sink;
    const std::size_t m_sliceBytes;
    std::string m_slice;
    std::size_t m_used = 0;
    std::size_t m_references = 0;
    char16_t m_waiting = 0;  // a high surrogate that ended the last piece
};

// Decodes a text that arrives in pieces, as a file is read, appending to
// out: a character cut at the end of one piece is completed by the next.
class TextDecoder {
public:
    TextDecoder(Encoding encoding, LineBreaks lineBreaks, DecodedText& out);
    ~TextDecoder();
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;

    // Makes room for a text of about this many bytes in all.
    void expect(std::size_t bytes);
    void decode(std::string_view piece);
    // The end of the text: a character still cut off is undecodable.
    void finish();

    class Engine;

private:
    std::unique_ptr<Engine> m_engine;
    DecodedText& m_out;
    const LineBreaks m_lineBreaks;
};

// "CP932", "UTF-8", ... for messages.
std::string_view encodingName(Encoding encoding);

}  // namespace mozaru
