// EUC-JP as Windows pages use it (EUC-JP-MS): JIS X 0208 with the NEC and
// IBM extensions, JIS X 0212, half-width katakana and the user-defined rows.
#pragma once

#include <string_view>

#include "encoding/sequence_decoder.h"
#include "encoding/text_codec.h"

namespace mozaru {

// Decodes EUC-JP that arrives in pieces, appending to out.text. Every byte
// that is not valid EUC-JP is undecodable (counted in out.undecodable): a
// stray byte 0x80 to 0xA0 or 0xFF, a sequence cut short, a code without a
// character. Each undecodable sequence becomes one U+FFFD.
class EucJpDecoder : public SequenceDecoder<EucJpDecoder> {
public:
    using SequenceDecoder::SequenceDecoder;

    Ran run(std::string_view bytes, bool last, char16_t* out);
};

}  // namespace mozaru
