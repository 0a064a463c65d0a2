// Any bytes as CP932: the fast decoder gives what ICU's converter gives, and
// the same in pieces as whole.
#include <cstdint>

#include "decoding_in_pieces.h"
#include "encoding/icu_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mozaru;
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const DecodedText fast = decodeAs(bytes, Encoding::Cp932);
    const DecodedText icu = icu::decodeWithIcu(bytes, Encoding::Cp932);
    fuzz::check(fast.text == icu.text, "the decoder decodes as ICU does");
    fuzz::check(fast.undecodable == icu.undecodable, "the decoder counts as ICU does");
    fuzz::checkPiecesDecodeAsWhole(bytes, Encoding::Cp932, size == 0 ? 1 : 1 + data[0] % 97);
    return 0;
}
