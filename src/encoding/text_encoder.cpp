// Encoding into CP932 (the table of encoding_tables.cpp) and UTF-8, a slice
// at a time, with &#N; for every character the target cannot hold.
#include <algorithm>
#include <bit>
#include <memory>

#include "encoding/encoding_tables.h"
#include "encoding/text_codec.h"
#include "text/numbers.h"
#include "text/platform.h"
#include "text/utf.h"

namespace mozaru {

namespace {

using tables::kNotHeld;

// The committed two-level table laid out flat, one entry a unit: one load
// a character where the blocks take two, one depending on the other.
const std::uint16_t* flatCp932() {
    static const std::unique_ptr<std::uint16_t[]> flat = [] {
        auto t = std::make_unique<std::uint16_t[]>(std::size_t{1} << 16);
        for (std::size_t u = 0; u < (std::size_t{1} << 16); ++u) {
            t[u] = tables::cp932BytesOf(static_cast<char16_t>(u));
        }
        return t;
    }();
    return flat.get();
}

// Whether every printable ASCII unit is its own byte (CP932 swaps only some
// controls): then runs of them are copied eight at a time.
bool printableAsciiIsPlain() {
    static const bool plain = [] {
        for (char16_t c = 0x20; c < 0x7F; ++c) {
            if (tables::cp932BytesOf(c) != c) return false;
        }
        return true;
    }();
    return plain;
}

// Bit k set where unit k of the eight at p is printable ASCII (0x20 to 0x7E).
// kVectors: the vector path, decided once for a whole piece (written through
// a char pointer, a flag read here would be read again for every step).
template <bool kVectors>
unsigned printableMask8(const char16_t* p) {
#if MOZARU_HAVE_SSE2
    if constexpr (kVectors) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // Below 0x20 or above 0x7E: with 0x20 taken off, above 0x5E (unsigned).
        const __m128i shifted = _mm_sub_epi16(x, _mm_set1_epi16(0x20));
        const __m128i over = _mm_subs_epu16(shifted, _mm_set1_epi16(0x5E));
        const __m128i ok = _mm_cmpeq_epi16(over, _mm_setzero_si128());
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(ok, ok))) & 0xFF;
    }
#endif
    unsigned mask = 0;
    for (int k = 0; k < 8; ++k) {
        if (p[k] >= 0x20 && p[k] <= 0x7E) mask |= 1u << k;
    }
    return mask;
}

// Eight ASCII units as eight bytes.
template <bool kVectors>
void narrow8(const char16_t* p, char* out) {
#if MOZARU_HAVE_SSE2
    if constexpr (kVectors) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(x, x));
        return;
    }
#endif
    for (int k = 0; k < 8; ++k) out[k] = static_cast<char>(p[k]);
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
char* writeCodePoint(char32_t c, char* out, std::size_t& references) {
    if constexpr (kEncoding == OutputEncoding::Utf8) {
        // Only a lone surrogate has no UTF-8 form.
        if (!isSurrogate(c)) return writeUtf8(c, out);
    } else {
        const std::uint16_t code =
            c < 0x10000 ? tables::cp932BytesOf(static_cast<char16_t>(c)) : kNotHeld;
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
      m_slice(m_sliceBytes + kLongestStep, '\0') {}

void TextEncoder::flush() {
    if (m_used == 0) return;
    m_sink(std::string_view(m_slice.data(), m_used));
    m_used = 0;
}

// The loop keeps its place in locals: written through a char pointer, a
// member would be reloaded after every byte.
template <OutputEncoding kEncoding, bool kVectors>
void TextEncoder::run(std::u16string_view piece) {
    if (piece.empty()) return;
    const bool plainAscii = kEncoding == OutputEncoding::Utf8 || printableAsciiIsPlain();
    const std::uint16_t* const flat = kEncoding == OutputEncoding::Cp932 ? flatCp932() : nullptr;
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
    char16_t waiting = 0;  // in a local: a member would be read again after every byte
    if (m_waiting != 0) {
        // A high surrogate that ended the last piece, with this one's first unit.
        const char16_t pair[2] = {m_waiting, p[0]};
        const CodePoint cp = codePointAt(std::u16string_view(pair, 2), 0);
        m_waiting = 0;
        room();
        out = writeCodePoint<kEncoding>(cp.value, out, references);
        i = cp.units - 1;
    }
    while (i < n) {
        room();
        const std::size_t end = std::min(i + 8, n);
        if (i + 8 <= n) {
            // Eight units at a time. Into UTF-8 the printable ASCII that
            // leads them is copied at once, the rest one by one; into CP932
            // eight printable ASCII units are copied at once, else the eight
            // are looked up one after the other, with no test between them
            // but for a unit the table does not hold.
            if (plainAscii) {
                const unsigned mask = printableMask8<kVectors>(p + i);
                if constexpr (kEncoding == OutputEncoding::Utf8) {
                    const auto lead = static_cast<std::size_t>(std::countr_one(mask));
                    narrow8<kVectors>(p + i, out);
                    out += lead;
                    i += lead;
                } else if (mask == 0xFF) {
                    narrow8<kVectors>(p + i, out);
                    out += 8;
                    i += 8;
                    continue;
                }
            }
            if constexpr (kEncoding == OutputEncoding::Cp932) {
                std::size_t k = 0;
                MOZARU_UNROLL_8
                for (; k < 8; ++k) {
                    const std::uint16_t code = flat[p[i + k]];
                    if (code == kNotHeld) break;
                    out = writeHeld(code, out);
                }
                i += k;
            }
        }
        while (i < end) {
            if constexpr (kEncoding == OutputEncoding::Cp932) {
                // What CP932 holds first: surrogates and the rest are not in the table.
                const std::uint16_t code = flat[p[i]];
                if (code != kNotHeld) [[likely]] {
                    out = writeHeld(code, out);
                    ++i;
                    continue;
                }
            }
            if (isHighSurrogate(p[i]) && i + 1 == n) {
                waiting = p[i];  // its low half may begin the next piece
                break;
            }
            const CodePoint cp = codePointAt(piece, i);
            out = writeCodePoint<kEncoding>(cp.value, out, references);
            i += cp.units;
        }
        if (waiting != 0) break;
    }
    m_waiting = waiting;
    m_used = static_cast<std::size_t>(out - begin);
    m_references += references;
}

void TextEncoder::encode(std::u16string_view piece) {
    const bool utf8 = m_encoding == OutputEncoding::Utf8;
    if (MOZARU_HAVE_SSE2 && platform::vectors()) {
        utf8 ? run<OutputEncoding::Utf8, true>(piece) : run<OutputEncoding::Cp932, true>(piece);
    } else {
        utf8 ? run<OutputEncoding::Utf8, false>(piece) : run<OutputEncoding::Cp932, false>(piece);
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
