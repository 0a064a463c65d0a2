// Decoding and encoding on real bytes: CP932 as Windows maps it, detection, references.
#include "encoding/text_codec.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <cstdint>
#include <map>

#include "support/hex_bytes.h"
#include "text/text.h"
#include "text/utf.h"

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
    const DecodedText decoded = decodeBytes(hexBytes(p.bytes), InputEncoding::Cp932);
    EXPECT_EQ(decoded.text, p.text);
    EXPECT_EQ(decoded.undecodable, 0u);
    const EncodedText encoded = encodeText(p.text, OutputEncoding::Cp932);
    EXPECT_EQ(encoded.bytes, hexBytes(p.bytes));
    EXPECT_EQ(encoded.references, 0u);
}

TEST(Cp932Decode, DuplicateCodesDecodeToOneCharacterThatEncodesToWindowsChoice) {
    // NEC-selected IBM extension ⅰ (EEEF) and NEC ≒ duplicate (8790).
    EXPECT_EQ(decodeBytes(hexBytes("EEEF 8790"), InputEncoding::Cp932).text, u"\u2170\u2252");
    EXPECT_EQ(encodeText(u"\u2170\u2252").bytes, hexBytes("FA40 81E0"));
}

// The fast CP932 path against ICU's converter, on every byte, every pair and
// random texts rich in lead bytes, cut-off pairs and undecodable bytes.
void expectSameAsIcu(const std::string& bytes) {
    const DecodedText fast = decodeBytes(bytes, InputEncoding::Cp932);
    const DecodedText icu = decodeBytesWithIcu(bytes, Encoding::Cp932);
    ASSERT_EQ(fast.text, icu.text) << "bytes of size " << bytes.size();
    ASSERT_EQ(fast.undecodable, icu.undecodable);
}

TEST(Cp932Decode, EveryByteAndPairAsIcuDecodesIt) {
    for (int a = 0; a < 256; ++a) {
        expectSameAsIcu(std::string(1, static_cast<char>(a)));
        for (int b = 0; b < 256; ++b) {
            expectSameAsIcu(std::string{static_cast<char>(a), static_cast<char>(b)});
            expectSameAsIcu(std::string{'x', static_cast<char>(a), static_cast<char>(b), 'y'});
        }
    }
}

// Decoded as a file is read: in pieces of the given size.
DecodedText decodeInPieces(std::string_view bytes, std::size_t piece, LineBreaks lineBreaks,
                           Encoding encoding = Encoding::Cp932) {
    DecodedText out;
    TextDecoder decoder(encoding, lineBreaks, out);
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        decoder.decode(bytes.substr(at, piece));
    decoder.finish();
    return out;
}

// Also with CR LF line breaks made while decoding, and in pieces whose edges
// cut pairs and CR LF.
void expectSameAsIcuInPieces(const std::string& bytes) {
    expectSameAsIcu(bytes);
    const DecodedText icu = decodeBytesWithIcu(bytes, Encoding::Cp932);
    const std::u16string crLf = NormalizeLineBreaks(icu.text);
    ASSERT_EQ(decodeBytes(bytes, InputEncoding::Cp932, LineBreaks::CrLf).text, crLf);
    for (const std::size_t piece : {1, 2, 63, 64, 65, 200}) {
        const DecodedText asIs = decodeInPieces(bytes, piece, LineBreaks::AsTheyStand);
        ASSERT_EQ(asIs.text, icu.text) << "pieces of " << piece;
        ASSERT_EQ(asIs.undecodable, icu.undecodable) << "pieces of " << piece;
        ASSERT_EQ(decodeInPieces(bytes, piece, LineBreaks::CrLf).text, crLf)
            << "pieces of " << piece;
    }
}

TEST(Cp932Decode, RandomTextsAsIcuDecodesThem) {
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 24;
    };
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const std::size_t size = 1 + next() * 4;
        for (std::size_t i = 0; i < size; ++i) {
            // Half ASCII runs, half arbitrary bytes.
            bytes.push_back(static_cast<char>(next() < 128 ? 'a' + next() % 26 : next()));
        }
        expectSameAsIcuInPieces(bytes);
    }
}

TEST(Cp932Decode, LongRunsOfLeadBytesAcrossBlocksAsIcuDecodesThem) {
    // Runs of bytes that are lead and trail bytes at once decide pairs by
    // their parity, also across the 64-byte blocks the decoder works in.
    const std::string mixed = "\x81\x82\x40\xE0\xFC\x9F\r\n";
    std::uint32_t seed = 7;
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<std::size_t>(round % 7), 'a');  // shifts the blocks
        for (int i = 0; i < 300; ++i) {
            seed = seed * 1664525u + 1013904223u;
            bytes.push_back(mixed[(seed >> 24) % (round < 100 ? 2 : mixed.size())]);
        }
        expectSameAsIcuInPieces(bytes);
        expectSameAsIcuInPieces(bytes + "\x81");  // cut off at the very end
    }
    expectSameAsIcuInPieces(std::string(64, '\x81'));
    expectSameAsIcuInPieces(std::string(63, 'a') + "\x82\xA0" + std::string(62, 'b') + "\x82");
    // A pair that opens a block: the byte before it is the last of the block
    // before (clang's UBSan saw b[j - 1] with j == 0).
    expectSameAsIcuInPieces(std::string(64, 'A') + "\x82\xA0");
    // Line breaks at the edges of the 64-byte blocks and of 16-unit runs.
    for (const char* edge : {"\r", "\n", "\r\n", "\n\r", "\r\r"}) {
        for (const std::size_t before : {15, 16, 62, 63, 64, 127}) {
            expectSameAsIcuInPieces(std::string(before, 'a') + edge + std::string(70, 'b'));
            expectSameAsIcuInPieces(std::string(before, 'a') + edge);
        }
    }
}

struct Undecodable {
    const char* bytes;
    std::u16string text;
    std::size_t count;
};

class Cp932Undecodable : public ::testing::TestWithParam<Undecodable> {};

INSTANTIATE_TEST_SUITE_P(
    Bytes, Cp932Undecodable,
    ::testing::Values(Undecodable{"61 80 62", u"a\uFFFDb", 1},  // no character at 0x80
                      Undecodable{"A0 FD FF", u"\uFFFD\uFFFD\uFFFD", 3},
                      Undecodable{"8540", u"\uFFFD", 2},      // valid shape, unassigned
                      Undecodable{"81 20", u"\uFFFD ", 1},    // lead byte, then a space
                      Undecodable{"61 82", u"a\uFFFD", 1}));  // cut off at the end

TEST_P(Cp932Undecodable, BecomeReplacementCharactersAndAreCounted) {
    const DecodedText decoded = decodeBytes(hexBytes(GetParam().bytes), InputEncoding::Cp932);
    EXPECT_EQ(decoded.text, GetParam().text);
    EXPECT_EQ(decoded.undecodable, GetParam().count);
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
                      Referenced{u"\uF86F", "&#63599;", 1}));

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

// ICU's converter writing &#N; for everything it cannot hold, invisible
// characters included.
void U_CALLCONV writeEveryReference(const void* /*context*/, UConverterFromUnicodeArgs* args,
                                    const UChar* /*units*/, int32_t /*length*/, UChar32 codePoint,
                                    UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) return;
    *status = U_ZERO_ERROR;
    const std::string reference = "&#" + std::to_string(codePoint) + ";";
    ucnv_cbFromUWriteBytes(args, reference.data(), static_cast<int32_t>(reference.size()), 0,
                           status);
}

std::string encodeWithIcu(std::u16string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("windows-31j", &status);
    ucnv_setFromUCallBack(converter, writeEveryReference, nullptr, nullptr, nullptr, &status);
    std::string bytes(text.size() * 10 + 16, '\0');
    const int32_t n = ucnv_fromUChars(converter, bytes.data(), static_cast<int32_t>(bytes.size()),
                                      reinterpret_cast<const UChar*>(text.data()),
                                      static_cast<int32_t>(text.size()), &status);
    ucnv_close(converter);
    EXPECT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    bytes.resize(static_cast<std::size_t>(n));
    return bytes;
}

// The text back from CP932 bytes, with every &#N; read as its character.
std::u16string readBack(const std::string& bytes) {
    const std::u16string decoded = decodeBytes(bytes, InputEncoding::Cp932).text;
    std::u16string out;
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        const std::size_t end = decoded.find(u';', i);
        if (decoded.compare(i, 2, u"&#") != 0 || end == npos) {
            out.push_back(decoded[i]);
            continue;
        }
        char32_t c = 0;
        for (std::size_t k = i + 2; k < end; ++k) c = c * 10 + (decoded[k] - u'0');
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
        i = end;
    }
    return out;
}

// Where two long strings first differ (npos: nowhere), to keep failures short.
template <typename String>
std::size_t firstDifference(const String& a, const String& b) {
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (ia == a.end() && ib == b.end()) return npos;
    return static_cast<std::size_t>(ia - a.begin());
}

std::size_t countReferences(const std::string& bytes) {
    std::size_t n = 0;
    for (std::size_t at = bytes.find("&#"); at != std::string::npos;
         at = bytes.find("&#", at + 1)) {
        ++n;
    }
    return n;
}

// Every BMP character, every lone surrogate (each between two x: the table
// must never join them), every supplementary character.
TEST(Cp932Encode, EveryCodePointAsIcuWritesItAndReadsBack) {
    std::u16string bmp;
    std::u16string surrogates;
    std::u16string supplementary;
    for (char32_t c = 0; c < 0x10000; ++c) {
        // Reference text itself would not read back; U+F86F is ICU's one
        // mapping that does not come back (a row of the references above).
        if (c == u'&' || c == 0xF86F) continue;
        if (isSurrogate(c)) {
            surrogates += u'x';
            surrogates += static_cast<char16_t>(c);
        } else {
            bmp += static_cast<char16_t>(c);
        }
    }
    surrogates += u'x';
    for (char32_t c = 0x10000; c <= 0x10FFFF; ++c) {
        supplementary += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        supplementary += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    for (const std::u16string* text : {&bmp, &surrogates, &supplementary}) {
        const EncodedText encoded = encodeText(*text);
        EXPECT_EQ(firstDifference(encoded.bytes, encodeWithIcu(*text)), npos);
        EXPECT_EQ(encoded.references, countReferences(encoded.bytes));
        EXPECT_EQ(firstDifference(readBack(encoded.bytes), *text), npos);
    }
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
    EXPECT_EQ(decodeBytes("").text, u"");
}

// 今日はいい天気ですね。明日も晴れるといいのですが、天気予報によると雨が降るそうです。
const std::u16string kSentence =
    u"今日はいい天気ですね。明日も晴れるといいのですが、天気予報によると雨が降るそうです。";
const char* const kSentenceCp932 =
    "8DA1 93FA 82CD 82A2 82A2 9356 8B43 82C5 82B7 82CB 8142 96BE 93FA 82E0 90B0 82EA 82E9 82C6"
    "82A2 82A2 82CC 82C5 82B7 82AA 8141 9356 8B43 975C 95F1 82C9 82E6 82E9 82C6 894A 82AA 8D7E"
    "82E9 82BB 82A4 82C5 82B7 8142";
const char* const kSentenceEucJp =
    "BAA3 C6FC A4CF A4A4 A4A4 C5B7 B5A4 A4C7 A4B9 A4CD A1A3 CCC0 C6FC A4E2 C0B2 A4EC A4EB A4C8"
    "A4A4 A4A4 A4CE A4C7 A4B9 A4AC A1A2 C5B7 B5A4 CDBD CAF3 A4CB A4E8 A4EB A4C8 B1AB A4AC B9DF"
    "A4EB A4BD A4A6 A4C7 A4B9 A1A3";
const char* const kSentenceUtf8 =
    "E4BB8A E697A5 E381AF E38184 E38184 E5A4A9 E6B097 E381A7 E38199 E381AD E38082 E6988E E697A5"
    "E38282 E699B4 E3828C E3828B E381A8 E38184 E38184 E381AE E381A7 E38199 E3818C E38081 E5A4A9"
    "E6B097 E4BA88 E5A0B1 E381AB E38288 E3828B E381A8 E99BA8 E3818C E9998D E3828B E3819D E38186"
    "E381A7 E38199 E38082";

struct Detected {
    std::string bytes;
    Encoding encoding;
    std::u16string text;
};

class AutoDetection : public ::testing::TestWithParam<Detected> {};

INSTANTIATE_TEST_SUITE_P(
    Pages, AutoDetection,
    ::testing::Values(
        Detected{hexBytes(kSentenceCp932), Encoding::Cp932, kSentence},
        Detected{hexBytes(kSentenceEucJp), Encoding::EucJp, kSentence},
        Detected{hexBytes(kSentenceUtf8), Encoding::Utf8, kSentence},
        Detected{"<DL><DT>1</DL>", Encoding::Cp932, u"<DL><DT>1</DL>"},  // ASCII: the default
        Detected{hexBytes("EFBBBF E38182"), Encoding::Utf8, u"\u3042"},  // BOM not in the text
        Detected{hexBytes("FFFE 4230 4100"), Encoding::Utf16LE, u"\u3042A"},
        Detected{hexBytes("FEFF 3042 0041"), Encoding::Utf16BE, u"\u3042A"},
        Detected{hexBytes("EFBBBF"), Encoding::Utf8, u""}));

TEST_P(AutoDetection, BomThenDetectorThenCp932) {
    const DecodedText decoded = decodeBytes(GetParam().bytes);
    EXPECT_EQ(decoded.encoding, GetParam().encoding);
    EXPECT_EQ(decoded.text, GetParam().text);
    EXPECT_EQ(decoded.undecodable, 0u);
}

TEST(AutoDetection, HalfWidthKatakanaStaysCp932) {
    // ﾆｯﾈﾓﾔﾈﾎｸ in CP932: the detector takes these bytes for UTF-8, which they are not.
    const DecodedText decoded = decodeBytes(hexBytes("C6 AF C8 D3 D4 C8 CE B8"));
    EXPECT_EQ(decoded.encoding, Encoding::Cp932);
    EXPECT_EQ(decoded.text, u"ﾆｯﾈﾓﾔﾈﾎｸ");
    EXPECT_EQ(decoded.undecodable, 0u);
}

TEST(AutoDetection, Utf8WithOneBadByteAmongManyStaysUtf8) {
    // A page cut off in its last character is still UTF-8.
    const std::string bytes = hexBytes(kSentenceUtf8) + hexBytes(kSentenceUtf8) + "\xE3\x81";
    const DecodedText decoded = decodeBytes(bytes);
    EXPECT_EQ(decoded.encoding, Encoding::Utf8);
    EXPECT_EQ(decoded.text, kSentence + kSentence + u"\uFFFD");
    EXPECT_EQ(decoded.undecodable, 2u);
}

TEST(AutoDetection, OddUtf16TailIsUndecodable) {
    const DecodedText decoded = decodeBytes(hexBytes("FFFE 4100 42"));
    EXPECT_EQ(decoded.text, u"A\uFFFD");
    EXPECT_EQ(decoded.undecodable, 1u);
}

TEST(NamedEncoding, OverridesDetection) {
    const DecodedText asEucJp = decodeBytes(hexBytes(kSentenceEucJp), InputEncoding::EucJp);
    EXPECT_EQ(asEucJp.text, kSentence);
    EXPECT_EQ(asEucJp.encoding, Encoding::EucJp);
    // UTF-8 bytes read as CP932 give other characters, never an error.
    const DecodedText asCp932 = decodeBytes(hexBytes("E38182"), InputEncoding::Cp932);
    EXPECT_EQ(asCp932.encoding, Encoding::Cp932);
    EXPECT_EQ(asCp932.text, u"\u7E3A\uFFFD");
    EXPECT_EQ(asCp932.undecodable, 1u);
    // A named UTF-8 still drops its BOM.
    EXPECT_EQ(decodeBytes(hexBytes("EFBBBF 41"), InputEncoding::Utf8).text, u"A");
}

class EucJpUndecodable : public ::testing::TestWithParam<Undecodable> {};

INSTANTIATE_TEST_SUITE_P(
    Bytes, EucJpUndecodable,
    ::testing::Values(Undecodable{"A4A2 93 A4A2", u"\u3042\uFFFD\u3042", 1},  // a stray C1 byte
                      Undecodable{"8FF3F7", u"\u2174", 0},  // ⅴ, where iconv's EUC-JP-MS writes it
                      Undecodable{"8FA2C3", u"\uFFE4", 0},  // broken bar, as CP932 holds it
                      Undecodable{"F5A1 8FFEFE", u"\uE000\uE757", 0},  // user-defined rows
                      Undecodable{"A441", u"\uFFFDA", 1},  // a lead byte without its code
                      Undecodable{"8FA2 41", u"\uFFFDA", 2},
                      Undecodable{"8EE0", u"\uFFFD", 2},             // no katakana there
                      Undecodable{"A4A2 8F", u"\u3042\uFFFD", 1}));  // cut off at the end

TEST_P(EucJpUndecodable, OnlyValidEucJpDecodes) {
    const std::string bytes = hexBytes(GetParam().bytes);
    const DecodedText decoded = decodeBytes(bytes, InputEncoding::EucJp);
    EXPECT_EQ(decoded.text, GetParam().text);
    EXPECT_EQ(decoded.undecodable, GetParam().count);
    for (const std::size_t piece : {1, 2}) {
        const DecodedText pieces =
            decodeInPieces(bytes, piece, LineBreaks::AsTheyStand, Encoding::EucJp);
        EXPECT_EQ(pieces.text, decoded.text) << "pieces of " << piece;
        EXPECT_EQ(pieces.undecodable, decoded.undecodable) << "pieces of " << piece;
    }
}

// The one character iconv makes of bytes as EUC-JP-MS, or U+FFFD.
char32_t decodeWithIconv(iconv_t converter, const std::string& bytes) {
    char32_t out[4];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* o = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    const std::size_t r = iconv(converter, &in, &inLeft, &o, &outLeft);
    const bool one = r != static_cast<std::size_t>(-1) && inLeft == 0 && outLeft == sizeof out - 4;
    return one ? out[0] : 0xFFFD;
}

char32_t decodeOne(const std::string& bytes) {
    const DecodedText decoded = decodeBytes(bytes, InputEncoding::EucJp);
    if (decoded.undecodable != 0 || decoded.text.empty()) return 0xFFFD;
    const CodePoint cp = codePointAt(decoded.text, 0);
    return cp.units == decoded.text.size() ? cp.value : 0xFFFD;
}

// Every code as EUC-JP-MS (iconv's) gives it, but where Windows' and ICU's
// EUC-JP give more (CP51932's NEC-selected IBM rows 0xF9 to 0xFC instead of
// user-defined characters, IBM's own 21 codes of row 0x8F 0xF3) and where
// iconv passes a stray byte 0x80 to 0x9F through as a C1 control.
TEST(EucJpDecode, EveryCodeAsIconvDecodesEucJpMs) {
    const iconv_t converter = iconv_open("UTF-32LE", "EUC-JP-MS");
    if (converter == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "iconv has no EUC-JP-MS";
    std::map<std::string, int> differences;
    const auto check = [&](const std::string& bytes) {
        if (decodeOne(bytes) == decodeWithIconv(converter, bytes)) return;
        const auto lead = static_cast<unsigned char>(bytes[0]);
        const auto second = static_cast<unsigned char>(bytes.size() > 1 ? bytes[1] : 0);
        if (bytes.size() == 1) {
            ++differences["stray byte"];
        } else if (bytes.size() == 2 && lead >= 0xF9 && lead <= 0xFC) {
            ++differences["NEC-selected IBM rows"];
        } else if (bytes.size() == 3 && second == 0xF3) {
            ++differences["IBM's own codes"];
        } else {
            ADD_FAILURE() << "differs: " << testing::PrintToString(bytes);
        }
    };
    for (int a = 0; a < 256; ++a) {
        if (a != 0x8E && a != 0x8F && (a < 0xA1 || a > 0xFE))
            check(std::string(1, static_cast<char>(a)));
    }
    for (int a = 0xA1; a <= 0xFE; ++a) {
        check(std::string{'\x8E', static_cast<char>(a)});
        for (int b = 0xA1; b <= 0xFE; ++b) {
            check(std::string{static_cast<char>(a), static_cast<char>(b)});
            check(std::string{'\x8F', static_cast<char>(a), static_cast<char>(b)});
        }
    }
    iconv_close(converter);
    const std::map<std::string, int> expected{
        {"stray byte", 30}, {"NEC-selected IBM rows", 374}, {"IBM's own codes", 21}};
    EXPECT_EQ(differences, expected);
}

TEST(NamedEncoding, EucJpUsesTheWindowsCharacters) {
    // EUC-JP's wave dash and minus come out as the characters CP932 can save.
    const DecodedText decoded = decodeBytes(hexBytes("A1C1 A1DD ADA1"), InputEncoding::EucJp);
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
