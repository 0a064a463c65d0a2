// EUC-JP-MS decoding through the tables of encoding_tables.cpp.
#include "encoding/eucjp_decoder.h"

#include "encoding/encoding_tables.h"

namespace mozaru {

namespace {

using tables::kEucJpCells;
using tables::kNone;

constexpr bool isCode(unsigned char b) {
    return b >= 0xA1 && b <= 0xFE;
}
constexpr std::size_t cellOf(unsigned char row, unsigned char cell) {
    return static_cast<std::size_t>(row - 0xA1) * kEucJpCells + (cell - 0xA1);
}

}  // namespace

EucJpDecoder::Ran EucJpDecoder::run(std::string_view bytes, bool last, char16_t* out) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    Ran r;
    std::size_t& i = r.used;
    const auto put = [&](char16_t c, std::size_t length) {
        if (c == kNone) m_out.undecodable += length;
        out[r.units++] = c;
        i += length;
    };
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            put(tables::kEucJpAscii[c], 1);
            continue;
        }
        // A lead byte and the codes it takes: one code after 0x8E, two after
        // 0x8F, one after a code itself; any other byte stands for nothing.
        const std::size_t codes = c == 0x8F ? 2 : (c == 0x8E || isCode(c)) ? 1 : 0;
        std::size_t got = 0;
        while (got < codes && i + 1 + got < n && isCode(s[i + 1 + got])) ++got;
        if (got < codes && i + 1 + got == n && !last) break;  // the rest comes with the next piece
        if (got < codes) {
            put(kNone, 1 + got);  // cut short: what there is is one undecodable sequence
        } else if (c == 0x8E) {
            put(tables::kEucJpKana[s[i + 1] - 0xA1], 2);
        } else if (c == 0x8F) {
            put(tables::kEucJp0212[cellOf(s[i + 1], s[i + 2])], 3);
        } else if (codes == 1) {
            put(tables::kEucJp0208[cellOf(c, s[i + 1])], 2);
        } else {
            put(kNone, 1);
        }
    }
    return r;
}

}  // namespace mozaru
