// Detection on real bytes: a BOM, then the detector, then CP932.
#include "encoding/detection.h"

#include <gtest/gtest.h>

#include "support/hex_bytes.h"

namespace mozaru {
namespace {

using test::hexBytes;

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

}  // namespace
}  // namespace mozaru
