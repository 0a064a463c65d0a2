// A table-driven CP932 decoder with exactly the results of ICU's
// "windows-31j" converter, many times faster on large pages.
#pragma once

#include <string_view>

#include "encoding/text_codec.h"

namespace mozaru {

// Decodes CP932 that arrives in pieces, appending to out.text and counting
// undecodable bytes in out.undecodable (each undecodable sequence becomes one
// U+FFFD). With LineBreaks::CrLf every LF, CR and CR LF comes out as CR LF.
class Cp932Decoder {
public:
    Cp932Decoder(LineBreaks lineBreaks, DecodedText& out);

    // A lead byte at the end of a piece waits for the next piece.
    void decode(std::string_view piece);
    // The end of the text: a lead byte still waiting is undecodable.
    void finish();

private:
    void walk(std::string_view bytes, bool last);

    DecodedText& m_out;
    const bool m_crLf;
    int m_held = -1;         // the lead byte waiting, or -1
    bool m_afterCr = false;  // the last byte decoded was CR
};

}  // namespace mozaru
