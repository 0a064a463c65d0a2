// ICU's answers: the tables that make_encoding_tables writes into
// encoding_tables.cpp, and ICU's own decoding and encoding, which the tests
// and benchmarks hold ours against. Linked by them only, never by the programs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "encoding/encoding_tables.h"
#include "encoding/text_codec.h"

namespace mozaru::icu {

// The tables as encoding_tables.h lays them out, the encoder's flat.
struct EncodingTables {
    std::array<char16_t, 256> cp932Single{};
    std::vector<char16_t> cp932Pairs;       // tables::kCp932Leads rows of tables::kCp932Trails
    std::vector<std::uint16_t> cp932Bytes;  // 0x10000: each BMP unit's bytes, tables::kNotHeld
    std::array<char16_t, 128> eucJpAscii{};
    std::array<char16_t, tables::kEucJpCells> eucJpKana{};
    std::vector<char16_t> eucJp0208;  // kEucJpCells rows of kEucJpCells
    std::vector<char16_t> eucJp0212;
};

// From ICU's windows-31j and EUC-JP converters. Throws std::runtime_error
// when a converter has not the shape the decoders rely on (a pair forms
// exactly when a lead byte meets a trail byte, and so on).
EncodingTables tablesFromIcu();

// encoding_tables.cpp's text.
std::string tablesSource(const EncodingTables& tables);

// Through ICU's converter, each undecodable sequence one U+FFFD, its bytes counted.
DecodedText decodeWithIcu(std::string_view bytes, Encoding encoding);

// CP932 through ICU's converter, &#N; for every character it cannot hold.
std::string encodeCp932WithIcu(std::u16string_view text);

}  // namespace mozaru::icu
