// The decoders' shared property: bytes decoded in pieces, cut anywhere,
// give what they give decoded whole, line breaks as they stand or CR LF.
#pragma once

#include "encoding/text_codec.h"
#include "fuzz_input.h"

namespace mozaru::fuzz {

inline void checkPiecesDecodeAsWhole(std::string_view bytes, Encoding encoding, std::size_t step) {
    for (const LineBreaks breaks : {LineBreaks::AsTheyStand, LineBreaks::CrLf}) {
        const DecodedText whole = decodeAs(bytes, encoding, breaks);
        DecodedText pieces;
        {
            TextDecoder decoder(encoding, breaks, pieces);
            for (std::size_t at = 0; at < bytes.size(); at += step) {
                decoder.decode(bytes.substr(at, step));
            }
            decoder.finish();
        }
        check(pieces.text == whole.text, "pieces decode as the whole");
        check(pieces.undecodable == whole.undecodable, "pieces count as the whole");
    }
}

}  // namespace mozaru::fuzz
