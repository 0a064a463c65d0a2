// Any bytes as EUC-JP (EUC-JP-MS): the same in pieces as whole.
#include <cstdint>

#include "decoding_in_pieces.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mozaru;
    fuzz::checkPiecesDecodeAsWhole(fuzz::bytesOf(data, size), Encoding::EucJp,
                                   size == 0 ? 1 : 1 + data[0] % 97);
    return 0;
}
