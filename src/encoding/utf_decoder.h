// UTF-8 and UTF-16 decoding with ICU's results to the byte: each undecodable
// sequence, as long as Unicode's "maximal subpart" (the longest start of a
// well-formed sequence, or one byte), becomes one U+FFFD.
#pragma once

#include <string_view>

#include "encoding/sequence_decoder.h"
#include "encoding/text_codec.h"

namespace mozaru {

// Overlong forms, surrogates and code points above U+10FFFF are undecodable
// from the byte at which they leave the well-formed sequences; a sequence cut
// off at the end of the text is one undecodable sequence.
class Utf8Decoder : public SequenceDecoder<Utf8Decoder> {
public:
    using SequenceDecoder::SequenceDecoder;

    Ran run(std::string_view bytes, bool last, char16_t* out);
};

// A surrogate that is not half of a pair is undecodable (two bytes); so is
// what is cut off at the end of the text: an odd byte, or a high surrogate
// with what follows it.
template <bool kBigEndian>
class Utf16Decoder : public SequenceDecoder<Utf16Decoder<kBigEndian>> {
public:
    using Base = SequenceDecoder<Utf16Decoder<kBigEndian>>;
    using Base::Base;
    using typename Base::Ran;

    Ran run(std::string_view bytes, bool last, char16_t* out);
};

extern template class Utf16Decoder<false>;
extern template class Utf16Decoder<true>;

}  // namespace mozaru
