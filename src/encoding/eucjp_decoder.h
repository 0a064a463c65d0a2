// EUC-JP as Windows pages use it (EUC-JP-MS): JIS X 0208 with the NEC and
// IBM extensions, JIS X 0212, half-width katakana and the user-defined rows.
#pragma once

#include <string>
#include <string_view>

#include "encoding/text_codec.h"

namespace mozaru {

// Decodes EUC-JP that arrives in pieces, appending to out.text. Every byte
// that is not valid EUC-JP is undecodable (counted in out.undecodable): a
// stray byte 0x80 to 0xA0 or 0xFF, a sequence cut short, a code without a
// character. Each undecodable sequence becomes one U+FFFD.
class EucJpDecoder {
public:
    EucJpDecoder(LineBreaks lineBreaks, DecodedText& out);

    // A sequence cut at the end of a piece waits for the next piece.
    void decode(std::string_view piece);
    // The end of the text: a sequence still waiting is undecodable.
    void finish();

private:
    // Decodes the whole sequences of bytes (and, when last, the cut one at
    // the end); returns the bytes used.
    std::size_t run(std::string_view bytes, bool last);

    DecodedText& m_out;
    const bool m_crLf;
    bool m_afterCr = false;
    std::string m_pending;  // the start of a sequence cut at the end of a piece
    std::u16string m_slice;
};

}  // namespace mozaru
