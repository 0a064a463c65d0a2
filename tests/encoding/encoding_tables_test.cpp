// The committed tables and our decoders and encoder against ICU's converters
// (and iconv's EUC-JP-MS): every entry, every byte and pair, every class of
// UTF-8 and UTF-16 sequences, every code point.
#include "encoding/encoding_tables.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <map>
#include <span>
#include <vector>

#include "encoding/icu_reference.h"
#include "encoding_test_support.h"
#include "text/utf.h"

namespace mozaru {
namespace {

template <class A, class B>
void expectSameEntries(const char* name, const A& ours, const B& icu) {
    const std::vector<unsigned> a(std::begin(ours), std::end(ours));
    const std::vector<unsigned> b(std::begin(icu), std::end(icu));
    const std::size_t at = firstDifference(a, b);
    EXPECT_EQ(at, npos) << name << " differs at entry " << at << " of " << b.size();
}

TEST(EncodingTables, EveryEntryAsIcuGivesIt) {
    const icu::EncodingTables icu = icu::tablesFromIcu();
    expectSameEntries("kCp932Single", tables::kCp932Single, icu.cp932Single);
    expectSameEntries("kCp932Pairs", tables::kCp932Pairs, icu.cp932Pairs);
    std::vector<std::uint16_t> bytes(0x10000);
    for (std::size_t unit = 0; unit < bytes.size(); ++unit) {
        bytes[unit] = tables::cp932BytesOf(static_cast<char16_t>(unit));
    }
    expectSameEntries("cp932BytesOf", bytes, icu.cp932Bytes);
    expectSameEntries("kEucJpAscii", tables::kEucJpAscii, icu.eucJpAscii);
    expectSameEntries("kEucJpKana", tables::kEucJpKana, icu.eucJpKana);
    expectSameEntries("kEucJp0208", tables::kEucJp0208, icu.eucJp0208);
    expectSameEntries("kEucJp0212", tables::kEucJp0212, icu.eucJp0212);
}

// The fast CP932 path against ICU's converter, on every byte, every pair and
// random texts rich in lead bytes, cut-off pairs and undecodable bytes.
void expectSameAsIcu(const std::string& bytes) {
    const DecodedText fast = decodeAs(bytes, Encoding::Cp932);
    const DecodedText icu = icu::decodeWithIcu(bytes, Encoding::Cp932);
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

// Also with CR LF line breaks made while decoding, and in pieces whose edges
// cut pairs and CR LF.
void expectSameAsIcuInPieces(const std::string& bytes) {
    expectSameAsIcu(bytes);
    const DecodedText icu = icu::decodeWithIcu(bytes, Encoding::Cp932);
    const std::u16string crLf = NormalizeLineBreaks(icu.text);
    ASSERT_EQ(decodeAs(bytes, Encoding::Cp932, LineBreaks::CrLf).text, crLf);
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

// Our decoder and ICU's on the same bytes: whole, and in pieces whose edges
// cut the sequences (pieces of 3 and 7 bytes cut a long text everywhere).
void expectSameAsIcu(const std::string& bytes, Encoding encoding) {
    const DecodedText icu = icu::decodeWithIcu(bytes, encoding);
    const std::size_t small = bytes.size() < 64 ? 0 : 3;
    for (const std::size_t piece :
         {bytes.size() + 1, small + 1, small + 2, std::size_t{3}, std::size_t{7}}) {
        const DecodedText ours = decodeInPieces(bytes, piece, LineBreaks::AsTheyStand, encoding);
        ASSERT_EQ(firstDifference(ours.text, icu.text), npos)
            << encodingName(encoding) << ", pieces of " << piece;
        ASSERT_EQ(ours.undecodable, icu.undecodable)
            << encodingName(encoding) << ", pieces of " << piece;
    }
}

// Every sequence of up to `length` items drawn from the classes, each
// followed by the separator (or, without one, each a text of its own: the
// end of the text cuts it).
void expectEverySequenceAsIcu(const std::vector<std::string>& classes, std::size_t length,
                              const std::string& separator, Encoding encoding) {
    std::vector<std::string> sequences{""};
    std::string all;
    for (std::size_t n = 1; n <= length; ++n) {
        std::vector<std::string> longer;
        for (const std::string& s : sequences) {
            for (const std::string& c : classes) longer.push_back(s + c);
        }
        sequences = std::move(longer);
        for (const std::string& s : sequences) {
            if (separator.empty()) expectSameAsIcu(s, encoding);
            all += s + separator;
        }
    }
    if (!separator.empty()) expectSameAsIcu(all, encoding);
}

// A byte of each class that decides how UTF-8 is read, with the edges of
// the ranges that exclude overlong forms, surrogates and what lies above
// U+10FFFF.
const std::vector<std::string> kUtf8Classes = {
    "\x41", "\x7F", "\x80", "\x8F", "\x90", "\x9F", "\xA0", "\xBF", "\xC0", "\xC1", "\xC2", "\xDF",
    "\xE0", "\xE1", "\xEC", "\xED", "\xEE", "\xEF", "\xF0", "\xF1", "\xF3", "\xF4", "\xF5", "\xFF"};

TEST(Utf8Decode, EveryClassOfSequenceAsIcuDecodesIt) {
    expectEverySequenceAsIcu(kUtf8Classes, 4, "x", Encoding::Utf8);
    expectEverySequenceAsIcu(kUtf8Classes, 3, "", Encoding::Utf8);
}

// Units of each class: no surrogate, either end of the high and the low
// surrogates; and an odd byte.
TEST(Utf16Decode, EveryClassOfSequenceAsIcuDecodesIt) {
    for (const Encoding encoding : {Encoding::Utf16LE, Encoding::Utf16BE}) {
        const bool big = encoding == Encoding::Utf16BE;
        std::vector<std::string> units;
        for (const char16_t unit :
             {0x0041, 0xD7FF, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xE000, 0xFFFF}) {
            const char high = static_cast<char>(unit >> 8);
            const char low = static_cast<char>(unit & 0xFF);
            units.push_back(big ? std::string{high, low} : std::string{low, high});
        }
        expectEverySequenceAsIcu(units, 4, big ? std::string("\0x", 2) : std::string("x\0", 2),
                                 encoding);
        units.push_back("\x41");
        expectEverySequenceAsIcu(units, 3, "", encoding);
    }
}

// The text back from CP932 bytes, with every &#N; read as its character.
std::u16string readBack(const std::string& bytes) {
    const std::u16string decoded = decodeAs(bytes, Encoding::Cp932).text;
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
        EXPECT_EQ(firstDifference(encoded.bytes, icu::encodeCp932WithIcu(*text)), npos);
        EXPECT_EQ(encoded.references, countReferences(encoded.bytes));
        EXPECT_EQ(firstDifference(readBack(encoded.bytes), *text), npos);
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
    const DecodedText decoded = decodeAs(bytes, Encoding::EucJp);
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

}  // namespace
}  // namespace mozaru
