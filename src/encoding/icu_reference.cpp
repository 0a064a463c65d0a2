// ICU's converters asked once for every byte, pair and character, and used
// whole for the tests' reference decoding and encoding.
#include "encoding/icu_reference.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/uversion.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <unordered_set>

#include "text/utf.h"

namespace mozaru::icu {

namespace {

using tables::kEucJpCells;
using tables::kNone;
using tables::kNotHeld;

using Converter = std::unique_ptr<UConverter, void (*)(UConverter*)>;

void check(UErrorCode status) {
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
}

Converter openConverter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &status), ucnv_close);
    check(status);
    return converter;
}

// Every undecodable sequence becomes one U+FFFD; its bytes are counted in
// the context's count (when there is one).
void U_CALLCONV replaceUndecodable(const void* context, UConverterToUnicodeArgs* args,
                                   const char* /*codeUnits*/, int32_t length,
                                   UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to convert
    if (context != nullptr) {
        *static_cast<std::size_t*>(const_cast<void*>(context)) += static_cast<std::size_t>(length);
    }
    *status = U_ZERO_ERROR;
    static const UChar kReplacement = kNone;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, status);
}

const char* icuName(Encoding encoding) {
    switch (encoding) {
        case Encoding::Cp932:
            return "windows-31j";
        case Encoding::Utf8:
            return "UTF-8";
        case Encoding::Utf16LE:
            return "UTF-16LE";
        case Encoding::Utf16BE:
            return "UTF-16BE";
        case Encoding::EucJp:
            return "EUC-JP";
    }
    return "";
}

void require(bool holds, const char* what) {
    if (!holds) throw std::runtime_error(std::string("ICU's windows-31j: ") + what);
}

// Every pair of bytes, each followed by a NUL that no byte takes into its
// sequence, in one call: ICU's offsets tell which characters came from which
// bytes. A pair was one sequence when nothing began at its second byte.
void addCp932Decoding(EncodingTables& t) {
    Converter converter = openConverter("windows-31j");
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), replaceUndecodable, nullptr, nullptr, nullptr, &status);
    constexpr std::size_t kPairs = 1 << 16;
    std::string input;
    input.reserve(3 * kPairs);
    for (std::size_t k = 0; k < kPairs; ++k) {
        input += static_cast<char>(k >> 8);
        input += static_cast<char>(k & 0xFF);
        input += '\0';
    }
    std::u16string output(input.size() + 16, u'\0');
    std::vector<int32_t> offsets(output.size());
    UChar* target = reinterpret_cast<UChar*>(output.data());
    const char* source = input.data();
    ucnv_toUnicode(converter.get(), &target, target + output.size(), &source, source + input.size(),
                   offsets.data(), true, &status);
    check(status);
    std::vector<char16_t> first(kPairs);   // the character begun at the first byte
    std::vector<char16_t> second(kPairs);  // and at the second, when one begins there
    std::vector<std::uint8_t> begun(input.size());
    const auto units = static_cast<std::size_t>(target - reinterpret_cast<UChar*>(output.data()));
    for (std::size_t i = 0; i < units; ++i) {
        const auto at = static_cast<std::size_t>(offsets[i]);
        require(at < input.size() && begun[at] == 0, "a byte that makes two characters");
        begun[at] = 1;
        if (at % 3 == 0) first[at / 3] = output[i];
        if (at % 3 == 1) second[at / 3] = output[i];
        if (at % 3 == 2) require(output[i] == u'\0', "a NUL taken into a sequence");
    }
    for (unsigned b = 0; b < 256; ++b) {
        t.cp932Single[b] = tables::isCp932Lead(b) ? kNone : first[b << 8];
        require(!tables::isCp932Lead(b) || first[b << 8] == kNone, "a lead byte alone decodes");
        for (unsigned next = 0; next < 256; ++next) {
            const std::size_t k = b << 8 | next;
            require(begun[3 * k] == 1 && begun[3 * k + 2] == 1, "a byte without a character");
            const bool pair = tables::isCp932Lead(b) && tables::isCp932Trail(next);
            require((begun[3 * k + 1] == 0) == pair, "pairs other than lead and trail bytes");
            if (pair) {
                t.cp932Pairs[tables::cp932Row(b) * tables::kCp932Trails + next -
                             tables::kCp932FirstTrail] = first[k];
            } else {
                // Without a pair each byte gives its own value, whatever is next to it.
                require(first[k] == t.cp932Single[b] && second[k] == first[next << 8],
                        "a byte that decodes differently beside another");
            }
        }
    }
    require(t.cp932Single['\r'] == u'\r' && t.cp932Single['\n'] == u'\n', "CR or LF swapped");
}

// Leaves out what the converter cannot hold; the table then says so.
void U_CALLCONV leaveOut(const void* /*context*/, UConverterFromUnicodeArgs* /*args*/,
                         const UChar* /*codeUnits*/, int32_t /*length*/, UChar32 /*codePoint*/,
                         UConverterCallbackReason reason, UErrorCode* status) {
    if (reason <= UCNV_IRREGULAR) *status = U_ZERO_ERROR;
}

// Every BMP character in one call; ICU's offsets tell which bytes came from
// which character. The bytes are read back, to find the mappings that do not
// come back: ICU writes U+F86F as the bytes of U+2116, for one. Those
// characters are written as references instead, so that none changes on a save.
void addCp932Encoding(EncodingTables& t) {
    t.cp932Bytes.assign(0x10000, kNotHeld);
    std::u16string all;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (!isSurrogate(c)) all.push_back(static_cast<char16_t>(c));
    }
    Converter converter = openConverter("windows-31j");
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), leaveOut, nullptr, nullptr, nullptr, &status);
    std::string bytes(all.size() * 4, '\0');
    std::vector<int32_t> offsets(bytes.size());
    char* target = bytes.data();
    const UChar* source = reinterpret_cast<const UChar*>(all.data());
    ucnv_fromUnicode(converter.get(), &target, bytes.data() + bytes.size(), &source,
                     source + all.size(), offsets.data(), true, &status);
    check(status);
    const auto written = static_cast<std::size_t>(target - bytes.data());
    std::u16string back(written, u'\0');
    std::vector<int32_t> backOffsets(written);
    UChar* backTarget = reinterpret_cast<UChar*>(back.data());
    const char* backSource = bytes.data();
    ucnv_toUnicode(converter.get(), &backTarget, backTarget + back.size(), &backSource,
                   bytes.data() + written, backOffsets.data(), true, &status);
    check(status);
    std::vector<char16_t> readAs(written, kNone);
    for (std::size_t k = 0;
         k < static_cast<std::size_t>(backTarget - reinterpret_cast<UChar*>(back.data())); ++k) {
        readAs[static_cast<std::size_t>(backOffsets[k])] = back[k];
    }
    for (std::size_t k = 0; k < written;) {
        std::size_t e = k + 1;
        while (e < written && offsets[e] == offsets[k]) ++e;
        const char16_t unit = all[static_cast<std::size_t>(offsets[k])];
        const auto lead = static_cast<unsigned char>(bytes[k]);
        // A character of more than two bytes would not fit (windows-31j has none).
        if (readAs[k] == unit && e - k == 1) t.cp932Bytes[unit] = lead;
        if (readAs[k] == unit && e - k == 2) {
            t.cp932Bytes[unit] =
                static_cast<std::uint16_t>(lead | static_cast<unsigned char>(bytes[k + 1]) << 8);
        }
        k = e;
    }
}

void U_CALLCONV noteUndecodable(const void* context, UConverterToUnicodeArgs* /*args*/,
                                const char* /*units*/, int32_t /*length*/,
                                UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) return;
    *static_cast<bool*>(const_cast<void*>(context)) = true;
    *status = U_ZERO_ERROR;
}

// The one BMP character a converter makes of the bytes, or kNone.
class Probe {
public:
    explicit Probe(const char* name) : m_converter(openConverter(name)) {
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setToUCallBack(m_converter.get(), noteUndecodable, &m_undecodable, nullptr, nullptr,
                            &status);
    }
    char16_t operator()(std::initializer_list<unsigned char> bytes) {
        const std::string in(bytes.begin(), bytes.end());
        std::array<UChar, 4> out{};
        UErrorCode status = U_ZERO_ERROR;
        ucnv_resetToUnicode(m_converter.get());
        m_undecodable = false;
        const int32_t n = ucnv_toUChars(m_converter.get(), out.data(), out.size(), in.data(),
                                        static_cast<int32_t>(in.size()), &status);
        if (U_FAILURE(status) || m_undecodable || n != 1 || isSurrogate(out[0])) return kNone;
        return static_cast<char16_t>(out[0]);
    }

private:
    Converter m_converter;
    bool m_undecodable = false;
};

constexpr std::size_t cellOf(unsigned char row, unsigned char cell) {
    return static_cast<std::size_t>(row - 0xA1) * kEucJpCells + (cell - 0xA1);
}

// The IBM extensions of CP932 (0xFA40 to 0xFC4B) that neither JIS X 0208
// nor JIS X 0212 hold stand, in their CP932 order, from 0x8F 0xF3 0xF3 on:
// EUC-JP-MS's place for them, where iconv writes them.
void addIbmExtensions(EncodingTables& t) {
    std::unordered_set<char16_t> held;
    for (unsigned char row = 0xA1; row <= 0xF4; ++row) {
        if (row == 0xAD) continue;  // NEC's row 13 does not count: its numerals come again
        for (unsigned char cell = 0xA1; cell <= 0xFE; ++cell)
            held.insert(t.eucJp0208[cellOf(row, cell)]);
    }
    for (unsigned char row = 0xA1; row <= 0xF2; ++row) {
        for (unsigned char cell = 0xA1; cell <= 0xFE; ++cell)
            held.insert(t.eucJp0212[cellOf(row, cell)]);
    }
    // The numero sign (0xFA59) keeps its place there although JIS X 0212 has
    // it too (0x8F 0xA2 0xF1): so EUC-JP-MS's table has it.
    held.erase(0x2116);
    Probe cp932("windows-31j");
    std::size_t slot = cellOf(0xF3, 0xF3);
    for (unsigned lead = 0xFA; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F || (lead == 0xFC && trail > 0x4B)) continue;
            const char16_t c =
                cp932({static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)});
            if (c == kNone || held.count(c) != 0) continue;
            if (slot < t.eucJp0212.size() && t.eucJp0212[slot] == kNone) t.eucJp0212[slot] = c;
            ++slot;
        }
    }
}

// ICU's EUC-JP, completed with the rows ICU lacks.
void addEucJp(EncodingTables& t) {
    t.eucJp0208.assign(kEucJpCells * kEucJpCells, kNone);
    t.eucJp0212.assign(kEucJpCells * kEucJpCells, kNone);
    Probe icu("EUC-JP");
    for (unsigned char b = 0; b < 0x80; ++b) t.eucJpAscii[b] = icu({b});
    for (unsigned char cell = 0xA1; cell <= 0xFE; ++cell) {
        // JIS X 0201 katakana only (ICU also gives three symbols above them).
        t.eucJpKana[cell - 0xA1] = cell <= 0xDF ? icu({0x8E, cell}) : kNone;
        for (unsigned char row = 0xA1; row <= 0xFE; ++row) {
            t.eucJp0208[cellOf(row, cell)] = icu({row, cell});
            t.eucJp0212[cellOf(row, cell)] = icu({0x8F, row, cell});
        }
    }
    // As Windows maps the broken bar of JIS X 0212: the character CP932 holds.
    t.eucJp0212[cellOf(0xA2, 0xC3)] = 0xFFE4;
    // The user-defined rows 85 to 94 of both planes, in the private use
    // area where CP932 has them, wherever ICU has no character.
    for (unsigned char row = 0xF5; row <= 0xFE; ++row) {
        for (unsigned char cell = 0xA1; cell <= 0xFE; ++cell) {
            const auto k = static_cast<char16_t>((row - 0xF5) * kEucJpCells + (cell - 0xA1));
            char16_t& two = t.eucJp0208[cellOf(row, cell)];
            if (two == kNone) two = static_cast<char16_t>(0xE000 + k);
            t.eucJp0212[cellOf(row, cell)] = static_cast<char16_t>(0xE3AC + k);
        }
    }
    addIbmExtensions(t);
}

// "    0x0000, 0x0001, ...", twelve a line.
template <class Values>
void printValues(std::string& out, const Values& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        char item[8];
        std::snprintf(item, sizeof item, "0x%04X", static_cast<unsigned>(values[i]));
        out += i % 12 == 0 ? "    " : " ";
        out += item;
        out += i + 1 < values.size() ? "," : "";
        if (i % 12 == 11 || i + 1 == values.size()) out += '\n';
    }
}

template <class Values>
void printArray(std::string& out, const char* declaration, const Values& values) {
    out += "\n";
    out += declaration;
    out += " = {\n";
    printValues(out, values);
    out += "};\n";
}

// The encoder's table in blocks of 256 units, the empty block first and
// shared by every block that holds nothing.
void printEncodeBlocks(std::string& out, const std::vector<std::uint16_t>& bytes) {
    std::vector<unsigned> blockOf(256, 0);
    std::vector<std::vector<std::uint16_t>> blocks{std::vector<std::uint16_t>(256, kNotHeld)};
    for (std::size_t b = 0; b < 256; ++b) {
        std::vector<std::uint16_t> block(bytes.begin() + b * 256, bytes.begin() + b * 256 + 256);
        if (block == blocks[0]) continue;
        blockOf[b] = static_cast<unsigned>(blocks.size());
        blocks.push_back(std::move(block));
    }
    if (blocks.size() > 256) throw std::runtime_error("more than 256 blocks");
    printArray(out, "const std::uint8_t kCp932EncodeBlockOf[256]", blockOf);
    out += "\nconst std::uint16_t kCp932EncodeBlocks[][256] = {\n";
    for (const std::vector<std::uint16_t>& block : blocks) {
        out += "    {\n";
        std::string values;
        printValues(values, block);
        for (std::size_t at = 0; at < values.size();) {
            const std::size_t end = values.find('\n', at) + 1;
            out += "    " + values.substr(at, end - at);
            at = end;
        }
        out += "    },\n";
    }
    out += "};\n";
}

}  // namespace

EncodingTables tablesFromIcu() {
    EncodingTables t;
    t.cp932Pairs.assign(tables::kCp932Leads * tables::kCp932Trails, kNone);
    addCp932Decoding(t);
    addCp932Encoding(t);
    addEucJp(t);
    return t;
}

std::string tablesSource(const EncodingTables& t) {
    std::string out =
        "// Generated by make_encoding_tables from ICU " U_ICU_VERSION
        "'s windows-31j and EUC-JP\n"
        "// converters; do not edit. Made again with: cmake --build build/dev --target "
        "encoding_tables\n"
        "// clang-format off\n"
        "#include \"encoding/encoding_tables.h\"\n"
        "\n"
        "namespace mozaru::tables {\n";
    printArray(out, "const char16_t kCp932Single[256]", t.cp932Single);
    printArray(out, "const char16_t kCp932Pairs[kCp932Leads * kCp932Trails]", t.cp932Pairs);
    printEncodeBlocks(out, t.cp932Bytes);
    printArray(out, "const char16_t kEucJpAscii[128]", t.eucJpAscii);
    printArray(out, "const char16_t kEucJpKana[kEucJpCells]", t.eucJpKana);
    printArray(out, "const char16_t kEucJp0208[kEucJpCells * kEucJpCells]", t.eucJp0208);
    printArray(out, "const char16_t kEucJp0212[kEucJpCells * kEucJpCells]", t.eucJp0212);
    out += "\n}  // namespace mozaru::tables\n";
    return out;
}

DecodedText decodeWithIcu(std::string_view bytes, Encoding encoding) {
    DecodedText out;
    out.encoding = encoding;
    Converter converter = openConverter(icuName(encoding));
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), replaceUndecodable, &out.undecodable, nullptr, nullptr,
                        &status);
    // ICU refuses a call of more than 2^30 units: a slice at a time.
    constexpr std::size_t kSlice = std::size_t{1} << 20;
    std::u16string slice(std::min(kSlice, bytes.size()) + 16, u'\0');
    const char* source = bytes.data();
    const char* const end = source + bytes.size();
    for (;;) {
        const char* const sliceEnd = source + std::min<std::size_t>(kSlice, end - source);
        UChar* target = reinterpret_cast<UChar*>(slice.data());
        status = U_ZERO_ERROR;
        ucnv_toUnicode(converter.get(), &target, target + slice.size(), &source, sliceEnd, nullptr,
                       sliceEnd == end, &status);
        if (status != U_BUFFER_OVERFLOW_ERROR) check(status);
        out.text.append(slice.data(), reinterpret_cast<char16_t*>(target));
        if (status != U_BUFFER_OVERFLOW_ERROR && source == end) return out;
    }
}

namespace {

// &#N; for everything ICU cannot hold, invisible characters included.
void U_CALLCONV writeEveryReference(const void* /*context*/, UConverterFromUnicodeArgs* args,
                                    const UChar* /*units*/, int32_t /*length*/, UChar32 codePoint,
                                    UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) return;
    *status = U_ZERO_ERROR;
    const std::string reference = "&#" + std::to_string(codePoint) + ";";
    ucnv_cbFromUWriteBytes(args, reference.data(), static_cast<int32_t>(reference.size()), 0,
                           status);
}

}  // namespace

std::string encodeCp932WithIcu(std::u16string_view text) {
    Converter converter = openConverter("windows-31j");
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), writeEveryReference, nullptr, nullptr, nullptr, &status);
    std::string bytes(text.size() * 10 + 16, '\0');
    const int32_t n = ucnv_fromUChars(
        converter.get(), bytes.data(), static_cast<int32_t>(bytes.size()),
        reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()), &status);
    check(status);
    bytes.resize(static_cast<std::size_t>(n));
    return bytes;
}

}  // namespace mozaru::icu
