// Byte encodings of document and settings files: decoding with detection, and
// encoding with character references for what the target cannot hold.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mozaru {

enum class Encoding { Cp932, Utf8, Utf16LE, Utf16BE, EucJp };

// What the reader is told to use: Auto lets a BOM decide, then the detector
// (only its UTF-8 and EUC-JP verdicts are taken), else CP932.
enum class InputEncoding { Auto, Cp932, EucJp, Utf8 };
enum class OutputEncoding { Cp932, Utf8 };

struct DecodedText {
    std::u16string text;  // line breaks as they stood in the bytes
    Encoding encoding = Encoding::Cp932;
    std::size_t undecodable = 0;  // bytes that became U+FFFD
};

struct EncodedText {
    std::string bytes;
    std::size_t references = 0;  // characters written as &#N;
};

DecodedText decodeBytes(std::string_view bytes, InputEncoding choice = InputEncoding::Auto);
// CP932: a character it cannot hold becomes &#N; of its full code point.
EncodedText encodeText(std::u16string_view text, OutputEncoding encoding = OutputEncoding::Cp932);

// Decoding through ICU's converter alone. decodeBytes takes a faster path for
// CP932 that must give exactly this result; tests compare the two.
DecodedText decodeBytesWithIcu(std::string_view bytes, Encoding encoding);

// "CP932", "UTF-8", ... for messages.
std::string_view encodingName(Encoding encoding);

}  // namespace mozaru
