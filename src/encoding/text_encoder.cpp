// Encoding into CP932 (a table filled once from ICU's converter) and UTF-8,
// a slice at a time, with &#N; for every character the target cannot hold.
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <stdexcept>
#include <vector>

#include "encoding/text_codec.h"
#include "text/numbers.h"
#include "text/platform.h"
#include "text/utf.h"

namespace mozaru {

namespace {

// The CP932 bytes of each BMP code unit in the order they are written: up
// to 0xFF one byte, above it two (lead | trail << 8; no trail byte is 0).
// ICU's windows-31j has no supplementary characters.
constexpr std::uint16_t kNotHeld = 0xFFFF;

struct Cp932Table {
    std::array<std::uint16_t, 1 << 16> bytes{};
    // Whether every printable ASCII unit is its own byte (ICU swaps only
    // some controls): then runs of them are copied eight at a time.
    bool printableAsciiIsPlain = true;
};

// Leaves out what the converter cannot hold; the table then says so.
void U_CALLCONV leaveOut(const void* /*context*/, UConverterFromUnicodeArgs* /*args*/,
                         const UChar* /*codeUnits*/, int32_t /*length*/, UChar32 /*codePoint*/,
                         UConverterCallbackReason reason, UErrorCode* status) {
    if (reason <= UCNV_IRREGULAR) *status = U_ZERO_ERROR;
}

// Every BMP character in one call; ICU's offsets tell which bytes came from
// which character.
std::unique_ptr<Cp932Table> buildCp932Table() {
    auto table = std::make_unique<Cp932Table>();
    table->bytes.fill(kNotHeld);
    std::u16string all;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (!isSurrogate(c)) all.push_back(static_cast<char16_t>(c));
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, void (*)(UConverter*)> converter(ucnv_open("windows-31j", &status),
                                                                 ucnv_close);
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
    ucnv_setFromUCallBack(converter.get(), leaveOut, nullptr, nullptr, nullptr, &status);
    std::string bytes(all.size() * 4, '\0');
    std::vector<int32_t> offsets(bytes.size());
    char* target = bytes.data();
    const UChar* source = reinterpret_cast<const UChar*>(all.data());
    ucnv_fromUnicode(converter.get(), &target, bytes.data() + bytes.size(), &source,
                     source + all.size(), offsets.data(), true, &status);
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
    const auto written = static_cast<std::size_t>(target - bytes.data());
    // The bytes read back, to find the mappings that do not come back: ICU
    // writes U+F86F as the bytes of U+2116, for one. Those characters are
    // written as references instead, so that none changes on a save.
    std::u16string back(written, u'\0');
    std::vector<int32_t> backOffsets(written);
    UChar* backTarget = reinterpret_cast<UChar*>(back.data());
    const char* backSource = bytes.data();
    ucnv_toUnicode(converter.get(), &backTarget, backTarget + back.size(), &backSource,
                   bytes.data() + written, backOffsets.data(), true, &status);
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
    std::vector<char16_t> readAs(written, u'\uFFFD');
    for (std::size_t k = 0;
         k < static_cast<std::size_t>(backTarget - reinterpret_cast<UChar*>(back.data())); ++k) {
        readAs[static_cast<std::size_t>(backOffsets[k])] = back[k];
    }
    for (std::size_t k = 0; k < written;) {
        std::size_t e = k + 1;
        while (e < written && offsets[e] == offsets[k]) ++e;
        const char16_t unit = all[static_cast<std::size_t>(offsets[k])];
        const auto first = static_cast<unsigned char>(bytes[k]);
        // A character of more than two bytes would not fit: it is written as
        // a reference too (windows-31j has none).
        if (readAs[k] == unit && e - k == 1) table->bytes[unit] = first;
        if (readAs[k] == unit && e - k == 2) {
            table->bytes[unit] =
                static_cast<std::uint16_t>(first | static_cast<unsigned char>(bytes[k + 1]) << 8);
        }
        k = e;
    }
    for (char16_t c = 0x20; c < 0x7F; ++c) {
        if (table->bytes[c] != c) table->printableAsciiIsPlain = false;
    }
    return table;
}

const Cp932Table& cp932Table() {
    static const std::unique_ptr<Cp932Table> built = buildCp932Table();
    return *built;
}

// Bit k set where unit k of the eight at p is printable ASCII (0x20 to 0x7E).
unsigned printableMask8(const char16_t* p) {
#if MOZARU_HAVE_SSE2
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // Below 0x20 or above 0x7E: with 0x20 taken off, above 0x5E (unsigned).
    const __m128i shifted = _mm_sub_epi16(x, _mm_set1_epi16(0x20));
    const __m128i over = _mm_subs_epu16(shifted, _mm_set1_epi16(0x5E));
    const __m128i ok = _mm_cmpeq_epi16(over, _mm_setzero_si128());
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(ok, ok))) & 0xFF;
#else
    unsigned mask = 0;
    for (int k = 0; k < 8; ++k) {
        if (p[k] >= 0x20 && p[k] <= 0x7E) mask |= 1u << k;
    }
    return mask;
#endif
}

// Eight ASCII units as eight bytes.
void narrow8(const char16_t* p, char* out) {
#if MOZARU_HAVE_SSE2
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(x, x));
#else
    for (int k = 0; k < 8; ++k) out[k] = static_cast<char>(p[k]);
#endif
}

// The bytes of a table entry: both written, one or two counted (out has
// room for two).
char* writeHeld(std::uint16_t code, char* out) {
    out[0] = static_cast<char>(code & 0xFF);
    out[1] = static_cast<char>(code >> 8);
    return out + 1 + (code > 0xFF);
}

char* writeReference(char32_t codePoint, char* out) {
    *out++ = '&';
    *out++ = '#';
    out = writeDecimal(codePoint, out);
    *out++ = ';';
    return out;
}

// One code point at out: its bytes, or a reference when the target has none
// (counted in references). Returns the end.
template <OutputEncoding kEncoding>
char* writeCodePoint(char32_t c, char* out, const Cp932Table& table, std::size_t& references) {
    if constexpr (kEncoding == OutputEncoding::Utf8) {
        // Only a lone surrogate has no UTF-8 form.
        if (!isSurrogate(c)) return writeUtf8(c, out);
    } else {
        const std::uint16_t code = c < 0x10000 ? table.bytes[c] : kNotHeld;
        if (code != kNotHeld) return writeHeld(code, out);
    }
    ++references;
    return writeReference(c, out);
}

}  // namespace

TextEncoder::TextEncoder(OutputEncoding encoding, ByteSink sink, std::size_t sliceBytes)
    : m_encoding(encoding),
      m_sink(std::move(sink)),
      m_sliceBytes(std::max<std::size_t>(sliceBytes, 1)),
      m_slice(m_sliceBytes + kLongestStep, '\0') {
    if (m_encoding == OutputEncoding::Cp932) cp932Table();
}

void TextEncoder::flush() {
    if (m_used == 0) return;
    m_sink(std::string_view(m_slice.data(), m_used));
    m_used = 0;
}

// The loop keeps its place in locals: written through a char pointer, a
// member would be reloaded after every byte.
template <OutputEncoding kEncoding>
void TextEncoder::run(std::u16string_view piece) {
    const Cp932Table& table = cp932Table();
    const bool plainAscii = kEncoding == OutputEncoding::Utf8 || table.printableAsciiIsPlain;
    char* const begin = m_slice.data();
    char* const limit = begin + m_sliceBytes;
    char* out = begin + m_used;
    std::size_t references = 0;
    const auto room = [&] {
        if (out < limit) return;
        m_used = static_cast<std::size_t>(out - begin);
        flush();
        out = begin;
    };
    const char16_t* const p = piece.data();
    const std::size_t n = piece.size();
    std::size_t i = 0;
    if (m_waiting != 0 && n > 0) {
        // A high surrogate that ended the last piece, with this one's first unit.
        const char16_t pair[2] = {m_waiting, p[0]};
        const CodePoint cp = codePointAt(std::u16string_view(pair, 2), 0);
        m_waiting = 0;
        room();
        out = writeCodePoint<kEncoding>(cp.value, out, table, references);
        i = cp.units - 1;
    }
    while (i < n) {
        room();
        // Eight units at a time: the printable ASCII that leads them is
        // copied at once, the rest of the eight one by one.
        std::size_t end = std::min(i + 8, n);
        if (plainAscii && i + 8 <= n) {
            const unsigned mask = printableMask8(p + i);
            const auto lead = static_cast<std::size_t>(std::countr_one(mask));
            narrow8(p + i, out);
            out += lead;
            i += lead;
        }
        while (i < end) {
            if constexpr (kEncoding == OutputEncoding::Cp932) {
                // What CP932 holds first: surrogates and the rest are not in the table.
                const std::uint16_t code = table.bytes[p[i]];
                if (code != kNotHeld) [[likely]] {
                    out = writeHeld(code, out);
                    ++i;
                    continue;
                }
            }
            if (isHighSurrogate(p[i]) && i + 1 == n) {
                m_waiting = p[i];  // its low half may begin the next piece
                break;
            }
            const CodePoint cp = codePointAt(piece, i);
            out = writeCodePoint<kEncoding>(cp.value, out, table, references);
            i += cp.units;
        }
        if (m_waiting != 0) break;
    }
    m_used = static_cast<std::size_t>(out - begin);
    m_references += references;
}

void TextEncoder::encode(std::u16string_view piece) {
    if (m_encoding == OutputEncoding::Utf8) {
        run<OutputEncoding::Utf8>(piece);
    } else {
        run<OutputEncoding::Cp932>(piece);
    }
}

void TextEncoder::finish() {
    if (m_waiting != 0) {
        // A high surrogate alone at the very end: neither encoding holds it.
        if (m_used >= m_sliceBytes) flush();
        char* const end = writeReference(m_waiting, m_slice.data() + m_used);
        m_used = static_cast<std::size_t>(end - m_slice.data());
        ++m_references;
        m_waiting = 0;
    }
    flush();
}

void reserveForEncoding(std::string& bytes, std::size_t units, OutputEncoding encoding) {
    bytes.reserve(bytes.size() + units * (encoding == OutputEncoding::Utf8 ? 3 : 2) + 16);
    platform::adviseHugePages(bytes.data(), bytes.capacity());
}

EncodedText encodeText(std::u16string_view text, OutputEncoding encoding) {
    EncodedText out;
    reserveForEncoding(out.bytes, text.size(), encoding);
    TextEncoder encoder(encoding, [&out](std::string_view bytes) { out.bytes.append(bytes); });
    encoder.encode(text);
    encoder.finish();
    out.references = encoder.references();
    return out;
}

}  // namespace mozaru
