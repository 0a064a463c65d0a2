// What the encoding tests share: decoding in pieces, and where long strings differ.
#pragma once

#include <algorithm>
#include <string_view>

#include "encoding/text_codec.h"
#include "text/text.h"

namespace mozaru {

// Decoded as a file is read: in pieces of the given size.
inline DecodedText decodeInPieces(std::string_view bytes, std::size_t piece, LineBreaks lineBreaks,
                                  Encoding encoding = Encoding::Cp932) {
    DecodedText out;
    TextDecoder decoder(encoding, lineBreaks, out);
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        decoder.decode(bytes.substr(at, piece));
    decoder.finish();
    return out;
}

// Where two long strings first differ (npos: nowhere), to keep failures short.
template <typename String>
std::size_t firstDifference(const String& a, const String& b) {
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (ia == a.end() && ib == b.end()) return npos;
    return static_cast<std::size_t>(ia - a.begin());
}

}  // namespace mozaru
