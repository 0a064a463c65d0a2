// The CP932 and EUC-JP tables, as ICU's converters give them (EUC-JP
// completed into EUC-JP-MS), written into encoding_tables.cpp by
// make_encoding_tables; a test holds every entry against ICU.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mozaru::tables {

// No character: the bytes are undecodable. No byte sequence decodes to it.
inline constexpr char16_t kNone = 0xFFFD;

// CP932 lead bytes 0x81 to 0x9F and 0xE0 to 0xFC; trail bytes 0x40 to 0xFC
// but 0x7F. A lead byte and a trail byte always form a pair (a pair without
// a character is one undecodable sequence of two bytes); a lead byte before
// any other byte is undecodable alone, and that byte is read anew.
inline constexpr std::size_t kCp932Leads = 60;
inline constexpr unsigned kCp932FirstTrail = 0x40;
inline constexpr std::size_t kCp932Trails = 0xFC - kCp932FirstTrail + 1;  // 0x7F's column is kNone

constexpr bool isCp932Lead(unsigned b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool isCp932Trail(unsigned b) {
    return b >= kCp932FirstTrail && b <= 0xFC && b != 0x7F;
}
// The row of a lead byte in kCp932Pairs.
constexpr std::size_t cp932Row(unsigned lead) {
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
}

// What each byte stands for alone (a lead byte: kNone, cut off). Not every
// ASCII byte stands for itself: windows-31j swaps 0x1A, 0x1C and 0x7F.
extern const char16_t kCp932Single[256];
// The character of each pair, row by lead byte, column by trail byte - 0x40.
extern const char16_t kCp932Pairs[kCp932Leads * kCp932Trails];

// The CP932 bytes each BMP unit is written as, in blocks of 256 units: up to
// 0xFF one byte, above it two (lead | trail << 8). Characters that would not
// read back as themselves are not held, nor are surrogates.
inline constexpr std::uint16_t kNotHeld = 0xFFFF;
extern const std::uint8_t kCp932EncodeBlockOf[256];  // block 0 holds nothing
extern const std::uint16_t kCp932EncodeBlocks[][256];

inline std::uint16_t cp932BytesOf(char16_t unit) {
    return kCp932EncodeBlocks[kCp932EncodeBlockOf[unit >> 8]][unit & 0xFF];
}

// EUC-JP-MS, by codes 0xA1 to 0xFE (kEucJpCells of them): ASCII, JIS X 0201
// katakana after 0x8E, two codes (JIS X 0208 with NEC's and IBM's rows and
// the user-defined rows), 0x8F and two codes (JIS X 0212, IBM's extensions
// and user-defined rows). kNone where there is no character.
inline constexpr std::size_t kEucJpCells = 94;
extern const char16_t kEucJpAscii[128];
extern const char16_t kEucJpKana[kEucJpCells];
extern const char16_t kEucJp0208[kEucJpCells * kEucJpCells];
extern const char16_t kEucJp0212[kEucJpCells * kEucJpCells];

}  // namespace mozaru::tables
