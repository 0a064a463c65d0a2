// Which encoding a text is in, and decoding in it: a byte-order mark, or
// uchardet's verdict where the bytes bear it out (mozaru_encoding_detection).
#pragma once

#include <cstddef>
#include <string_view>

#include "encoding/text_codec.h"

namespace mozaru {

// Detection looks at this much of a text at most, so that it costs the same
// on a page of any size.
inline constexpr std::size_t kDetectionSample = std::size_t{4} << 20;

struct Detected {
    Encoding encoding = Encoding::Cp932;
    std::size_t bomLength = 0;  // bytes of the byte-order mark, which is not text
};

// The encoding of a text, as choice says, from its first kDetectionSample
// bytes; whole: the sample is all of the text.
Detected detectEncoding(std::string_view sample, bool whole,
                        InputEncoding choice = InputEncoding::Auto);

// The bytes decoded in the encoding detectEncoding finds, without the BOM.
DecodedText decodeBytes(std::string_view bytes, InputEncoding choice = InputEncoding::Auto,
                        LineBreaks lineBreaks = LineBreaks::AsTheyStand);

}  // namespace mozaru
