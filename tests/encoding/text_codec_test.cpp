// Decoding and encoding on real bytes: CP932 as Windows maps it, EUC-JP-MS,
// UTF-8 and UTF-16, references.
#include "encoding/text_codec.h"

#include <gtest/gtest.h>

#include "encoding_test_support.h"
#include "support/hex_bytes.h"

namespace mozaru {
namespace {

using test::hexBytes;

struct Cp932Pair {
    const char* bytes;  // hex
    std::u16string text;
};

class Cp932RoundTrip : public ::testing::TestWithParam<Cp932Pair> {};

// The characters whose mapping differs between Shift-JIS variants: these are
// the ones Windows' code page 932 gives.
INSTANTIATE_TEST_SUITE_P(
    Windows932, Cp932RoundTrip,
    ::testing::Values(Cp932Pair{"5C", u"\u005C"},    // backslash, not the yen sign
                      Cp932Pair{"7E", u"\u007E"},    // tilde, not the overline
                      Cp932Pair{"815F", u"\uFF3C"},  // fullwidth reverse solidus
                      Cp932Pair{"8160", u"\uFF5E"},  // fullwidth tilde, not the wave dash
                      Cp932Pair{"817C", u"\uFF0D"},  // fullwidth hyphen-minus
                      Cp932Pair{"8161", u"\u2225"},  // parallel to
                      Cp932Pair{"8740", u"\u2460"},  // circled digit one (NEC row 13)
                      Cp932Pair{"FA40", u"\u2170"},  // small roman numeral one (IBM)
                      Cp932Pair{"8446", u"\u0401"},  // Ё
                      Cp932Pair{"8476", u"\u0451"},  // ё
                      Cp932Pair{"844A", u"\u0419"},  // Й
                      Cp932Pair{"847A", u"\u0439"},  // й
                      Cp932Pair{"82A0", u"\u3042"},  // あ
                      Cp932Pair{"B1", u"\uFF71"},    // half-width katakana ｱ
                      Cp932Pair{"F040", u"\uE000"},  // first user-defined character
                      Cp932Pair{"FA5C", u"\u7E8A"}));

TEST_P(Cp932RoundTrip, DecodesAndEncodesBothWays) {
    const Cp932Pair& p = GetParam();
    const DecodedText decoded = decodeAs(hexBytes(p.bytes), Encoding::Cp932);
    EXPECT_EQ(decoded.text, p.text);
    EXPECT_EQ(decoded.undecodable, 0u);
    const EncodedText encoded = encodeText(p.text, OutputEncoding::Cp932);
    EXPECT_EQ(encoded.bytes, hexBytes(p.bytes));
    EXPECT_EQ(encoded.references, 0u);
}

TEST(Cp932Decode, DuplicateCodesDecodeToOneCharacterThatEncodesToWindowsChoice) {
    // NEC-selected IBM extension ⅰ (EEEF) and NEC ≒ duplicate (8790).
    EXPECT_EQ(decodeAs(hexBytes("EEEF 8790"), Encoding::Cp932).text, u"\u2170\u2252");
    EXPECT_EQ(encodeText(u"\u2170\u2252").bytes, hexBytes("FA40 81E0"));
}

struct Undecodable {
    Encoding encoding;
    const char* bytes;
    std::u16string text;
    std::size_t count;
};

class UndecodableBytes : public ::testing::TestWithParam<Undecodable> {};

INSTANTIATE_TEST_SUITE_P(
    Cp932, UndecodableBytes,
    ::testing::Values(
        Undecodable{Encoding::Cp932, "61 80 62", u"a\uFFFDb", 1},  // none at 0x80
        Undecodable{Encoding::Cp932, "A0 FD FF", u"\uFFFD\uFFFD\uFFFD", 3},
        Undecodable{Encoding::Cp932, "8540", u"\uFFFD", 2},  // valid shape, unassigned
        Undecodable{Encoding::Cp932, "82A0 8540 82A2", u"\u3042\uFFFD\u3044", 2},  // in a run
        Undecodable{Encoding::Cp932, "81 20", u"\uFFFD ", 1},    // lead byte, then a space
        Undecodable{Encoding::Cp932, "61 82", u"a\uFFFD", 1}));  // cut off at the end

INSTANTIATE_TEST_SUITE_P(
    EucJp, UndecodableBytes,
    ::testing::Values(
        Undecodable{Encoding::EucJp, "A4A2 93 A4A2", u"\u3042\uFFFD\u3042", 1},  // a stray C1 byte
        Undecodable{Encoding::EucJp, "8FF3F7", u"\u2174",
                    0},  // ⅴ, where iconv's EUC-JP-MS writes it
        Undecodable{Encoding::EucJp, "8FA2C3", u"\uFFE4", 0},  // broken bar, as CP932 holds it
        Undecodable{Encoding::EucJp, "F5A1 8FFEFE", u"\uE000\uE757", 0},  // user-defined rows
        Undecodable{Encoding::EucJp, "A441", u"\uFFFDA", 1},  // a lead byte without its code
        Undecodable{Encoding::EucJp, "8FA2 41", u"\uFFFDA", 2},
        Undecodable{Encoding::EucJp, "8EE0", u"\uFFFD", 2},             // no katakana there
        Undecodable{Encoding::EucJp, "A4A2 8F", u"\u3042\uFFFD", 1}));  // cut off at the end

// Each undecodable sequence is the longest start of a well-formed one, or one byte.
INSTANTIATE_TEST_SUITE_P(
    Utf8, UndecodableBytes,
    ::testing::Values(
        Undecodable{Encoding::Utf8, "F09F9880 EFBBBF", u"\U0001F600\uFEFF", 0},  // a BOM is text
        Undecodable{Encoding::Utf8, "E0 80 41", u"\uFFFD\uFFFDA", 2},            // overlong
        Undecodable{Encoding::Utf8, "C0 AF", u"\uFFFD\uFFFD", 2},
        Undecodable{Encoding::Utf8, "ED A0 80", u"\uFFFD\uFFFD\uFFFD", 3},           // a surrogate
        Undecodable{Encoding::Utf8, "F4 90 80 80", u"\uFFFD\uFFFD\uFFFD\uFFFD", 4},  // > U+10FFFF
        Undecodable{Encoding::Utf8, "F8 88", u"\uFFFD\uFFFD", 2},
        Undecodable{Encoding::Utf8, "E3 81 E3 81 82", u"\uFFFD\u3042", 2},  // cut short
        Undecodable{Encoding::Utf8, "41 F0 90 80", u"A\uFFFD", 3}));        // cut off at the end

INSTANTIATE_TEST_SUITE_P(
    Utf16, UndecodableBytes,
    ::testing::Values(Undecodable{Encoding::Utf16LE, "3DD8 00DE FFFE", u"\U0001F600\uFEFF", 0},
                      Undecodable{Encoding::Utf16BE, "D83D DE00 0041", u"\U0001F600A", 0},
                      Undecodable{Encoding::Utf16LE, "00D8 4100", u"\uFFFDA", 2},  // a lone high
                      Undecodable{Encoding::Utf16LE, "00DC 4100", u"\uFFFDA", 2},  // a lone low
                      Undecodable{Encoding::Utf16LE, "00D8 00D8 00DC", u"\uFFFD\xD800\xDC00", 2},
                      Undecodable{Encoding::Utf16BE, "D800", u"\uFFFD", 2},  // cut off at the end
                      Undecodable{Encoding::Utf16BE, "D800 41", u"\uFFFD", 3},
                      Undecodable{Encoding::Utf16LE, "4100 42", u"A\uFFFD", 1}));

TEST_P(UndecodableBytes, BecomeOneReplacementCharacterEachAndAreCounted) {
    const Undecodable& c = GetParam();
    const std::string bytes = hexBytes(c.bytes);
    const DecodedText decoded = decodeAs(bytes, c.encoding);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.undecodable, c.count);
    for (const std::size_t piece : {1, 2, 3}) {
        const DecodedText pieces =
            decodeInPieces(bytes, piece, LineBreaks::AsTheyStand, c.encoding);
        EXPECT_EQ(pieces.text, decoded.text) << "pieces of " << piece;
        EXPECT_EQ(pieces.undecodable, decoded.undecodable) << "pieces of " << piece;
    }
}

struct Referenced {
    std::u16string text;
    std::string bytes;
    std::size_t references;
};

class Cp932References : public ::testing::TestWithParam<Referenced> {};

INSTANTIATE_TEST_SUITE_P(
    Characters, Cp932References,
    ::testing::Values(Referenced{u"a\u263Ab", "a&#9786;b", 1},
                      Referenced{u"\U0001F600", "&#128512;", 1},  // one reference for the pair
                      Referenced{u"\u301C", "&#12316;", 1},       // wave dash: no CP932 code
                      Referenced{u"\u00A5\u2212", "&#165;&#8722;", 2},
                      Referenced{u"\xD800x", "&#55296;x", 1},  // lone surrogate
                      Referenced{u"&#9786;", "&#9786;", 0},    // reference text stays as it is
                      // Invisible characters are written too: ICU's own
                      // escape would leave these default-ignorables out.
                      Referenced{u"A[\u200B]B", "A[&#8203;]B", 1},
                      Referenced{u"[\u2764\uFE0F]", "[&#10084;&#65039;]", 2},
                      Referenced{u"\u845B\U000E0100", "\x8A\x8B&#917760;", 1},  // 葛 + selector
                      Referenced{u"\u00AD\u202E\u200D", "&#173;&#8238;&#8205;", 3},
                      // ICU would write the bytes of U+2116: it would not read back.
                      Referenced{u"\uF86F", "&#63599;", 1},
                      // Eight units at a time: one CP932 has no code for within
                      // the eight, and a pair across two eights.
                      Referenced{u"\u3042\u3044\u3046\u3048\u304A\u304B\u263A\u304D\u304F",
                                 "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9&#9786;\x82"
                                 "\xAB\x82\xAD",
                                 1},
                      Referenced{u"abcdefg\U0001F600\u3042", "abcdefg&#128512;\x82\xA0", 1}));

TEST_P(Cp932References, UnmappableCharactersBecomeDecimalReferences) {
    const EncodedText encoded = encodeText(GetParam().text, OutputEncoding::Cp932);
    EXPECT_EQ(encoded.bytes, GetParam().bytes);
    EXPECT_EQ(encoded.references, GetParam().references);
}

TEST(Utf8Encode, WritesNoBomAndNeedsNoReferences) {
    const EncodedText encoded = encodeText(u"\u3042\U0001F600~", OutputEncoding::Utf8);
    EXPECT_EQ(encoded.bytes, hexBytes("E38182 F09F9880 7E"));
    EXPECT_EQ(encoded.references, 0u);
}

struct Utf8Case {
    std::u16string text;
    const char* bytes;  // hex, or the text itself when it is a reference
    std::size_t references;
};

class Utf8Encoding : public ::testing::TestWithParam<Utf8Case> {};

// One character of each UTF-8 length, the edges between them, and lone surrogates.
INSTANTIATE_TEST_SUITE_P(
    Characters, Utf8Encoding,
    ::testing::Values(Utf8Case{u"\u007F", "7F", 0}, Utf8Case{u"\u0080", "C280", 0},
                      Utf8Case{u"\u07FF", "DFBF", 0}, Utf8Case{u"\u0800", "E0A080", 0},
                      Utf8Case{u"\uFFFF", "EFBFBF", 0}, Utf8Case{u"\U00010000", "F0908080", 0},
                      Utf8Case{u"\U0010FFFF", "F48FBFBF", 0},
                      Utf8Case{u"a\xD800"
                               u"b",
                               "61 26233535323936 3B 62", 1},  // a&#55296;b
                      Utf8Case{u"\xDC00\xD800", "26233536333230 3B 26233535323936 3B", 2}));

TEST_P(Utf8Encoding, WritesEachCharacterAsUtf8) {
    const EncodedText encoded = encodeText(GetParam().text, OutputEncoding::Utf8);
    EXPECT_EQ(encoded.bytes, hexBytes(GetParam().bytes));
    EXPECT_EQ(encoded.references, GetParam().references);
}

// Pieces cut between the halves of surrogate pairs, and slices of a few
// bytes: the same bytes as one piece in one slice.
TEST(Encode, PiecesAndSmallSlicesGiveTheSameBytes) {
    const std::u16string text =
        u"ab\U0001F600\u3042\u263A<BR>\r\n0123456789abcdef\xD800\U0001F601z";
    for (const OutputEncoding encoding : {OutputEncoding::Cp932, OutputEncoding::Utf8}) {
        const EncodedText whole = encodeText(text, encoding);
        for (const std::size_t piece : {1, 2, 3, 7}) {
            for (const std::size_t slice : {1, 5, 9}) {
                std::string bytes;
                std::size_t largest = 0;
                TextEncoder encoder(
                    encoding,
                    [&](std::string_view b) {
                        bytes.append(b);
                        largest = std::max(largest, b.size());
                    },
                    slice);
                for (std::size_t at = 0; at < text.size(); at += piece) {
                    encoder.encode(std::u16string_view(text).substr(at, piece));
                }
                encoder.finish();
                EXPECT_EQ(bytes, whole.bytes) << "pieces of " << piece << ", slices of " << slice;
                EXPECT_EQ(encoder.references(), whole.references);
                EXPECT_LE(largest, slice + 64);
            }
        }
    }
}

TEST(Encode, LongTextGrowsItsBuffer) {
    // All references: far more bytes than the first guess.
    const std::u16string text(5000, u'\u263A');
    std::string expected;
    for (int i = 0; i < 5000; ++i) expected += "&#9786;";
    const EncodedText encoded = encodeText(text);
    EXPECT_EQ(encoded.bytes, expected);
    EXPECT_EQ(encoded.references, 5000u);
}

TEST(Encode, EmptyTextGivesNoBytes) {
    EXPECT_EQ(encodeText(u"").bytes, "");
    for (const Encoding encoding :
         {Encoding::Cp932, Encoding::EucJp, Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE}) {
        EXPECT_EQ(decodeAs("", encoding).text, u"");
    }
}

TEST(NamedEncoding, EucJpUsesTheWindowsCharacters) {
    // EUC-JP's wave dash and minus come out as the characters CP932 can save.
    const DecodedText decoded = decodeAs(hexBytes("A1C1 A1DD ADA1"), Encoding::EucJp);
    EXPECT_EQ(decoded.text, u"\uFF5E\uFF0D\u2460");
    EXPECT_EQ(encodeText(decoded.text).bytes, hexBytes("8160 817C 8740"));
}

TEST(EncodingName, NamesForMessages) {
    EXPECT_EQ(encodingName(Encoding::Cp932), "CP932");
    EXPECT_EQ(encodingName(Encoding::Utf8), "UTF-8");
    EXPECT_EQ(encodingName(Encoding::Utf16LE), "UTF-16LE");
    EXPECT_EQ(encodingName(Encoding::Utf16BE), "UTF-16BE");
    EXPECT_EQ(encodingName(Encoding::EucJp), "EUC-JP");
}

}  // namespace
}  // namespace mozaru
