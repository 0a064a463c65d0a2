// CP932 decoding through the tables of encoding_tables.cpp, laid out once
// for a walk over blocks of 64 bytes.
#include "encoding/cp932_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

#include "encoding/encoding_tables.h"
#include "text/platform.h"

namespace mozaru {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// A set of bytes as at most two ranges, so that 16 bytes are tested at once.
struct ByteRanges {
    bool usable = false;
    std::array<std::uint8_t, 2> low{};
    std::array<std::uint8_t, 2> width{};  // high - low
};

// What a position decodes to, decided from the byte there and the one after
// it alone.
struct Tables {
    // A byte at the very end of the text (a lead byte there is cut off).
    std::array<char16_t, 256> single{};
    // The character that begins at a byte, given the next byte, indexed by
    // byte << 8 | next byte: the pair's where the two form a pair, else the
    // first byte's own. U+FFFD is undecodable (no byte decodes to it): one
    // byte, or two where they form a pair. A character that is no pair is
    // looked up with next byte 0, so that only the lead bytes' rows are read
    // through and the table stays in the cache.
    std::array<char16_t, 1 << 16> byWord{};
    std::array<std::uint16_t, 256> keep{};  // 0xFFFF for a lead byte, 0xFF00 for the others
    char16_t at(unsigned b, unsigned next) const { return byWord[(b << 8 | next) & keep[b]]; }
    std::array<std::uint8_t, 256> lead{};
    std::array<std::uint8_t, 256> trail{};
    ByteRanges leadRanges;
    ByteRanges trailRanges;
    // CR, LF and the ASCII bytes that do not stand for themselves (CP932
    // as Windows maps it swaps the controls 0x1A, 0x1C and 0x7F): they never take
    // the fast path for plain ASCII.
    std::array<std::uint8_t, 256> special{};
    bool specialAreControls = true;  // all of them below 0x20 or 0x7F
};

ByteRanges rangesOf(const std::array<std::uint8_t, 256>& set) {
    ByteRanges r;
    int count = 0;
    for (int b = 0; b < 256; ++b) {
        if (!set[b] || (b > 0 && set[b - 1])) continue;
        int e = b;
        while (e + 1 < 256 && set[e + 1]) ++e;
        if (count == 2) return {};
        r.low[count] = static_cast<std::uint8_t>(b);
        r.width[count] = static_cast<std::uint8_t>(e - b);
        ++count;
    }
    if (count == 0) return {};
    if (count == 1) {
        r.low[1] = r.low[0];
        r.width[1] = r.width[0];
    }
    r.usable = true;
    return r;
}

// The committed tables laid out for the walk.
std::unique_ptr<Tables> buildTables() {
    auto t = std::make_unique<Tables>();
    for (unsigned b = 0; b < 256; ++b) {
        t->lead[b] = tables::isCp932Lead(b) ? 1 : 0;
        t->trail[b] = tables::isCp932Trail(b) ? 1 : 0;
        t->single[b] = tables::kCp932Single[b];
        t->keep[b] = t->lead[b] ? 0xFFFF : 0xFF00;
        for (unsigned next = 0; next < 256; ++next) {
            // Without a pair the first byte's own value, whatever follows.
            t->byWord[b << 8 | next] =
                !t->lead[b] ? t->single[b]
                : tables::isCp932Trail(next)
                    ? tables::kCp932Pairs[tables::cp932Row(b) * tables::kCp932Trails + next -
                                          tables::kCp932FirstTrail]
                    : kReplacement;
        }
        // CR, LF and the ASCII bytes that do not stand for themselves.
        if (b < 0x80 && (b == '\r' || b == '\n' || t->single[b] != b)) {
            t->special[b] = 1;
            if (b >= 0x20 && b != 0x7F) t->specialAreControls = false;
        }
    }
    t->leadRanges = rangesOf(t->lead);
    t->trailRanges = rangesOf(t->trail);
    return t;
}

const Tables& walkTables() {
    static const std::unique_ptr<Tables> built = buildTables();
    return *built;
}

// Bit j of each mask stands for byte j of a block of 64.
struct BlockMasks {
    std::uint64_t high = 0;     // 0x80 and above
    std::uint64_t lead = 0;     // can begin a pair
    std::uint64_t trail = 0;    // can end one
    std::uint64_t special = 0;  // CR, LF and the other special bytes
};

BlockMasks classifyBytes(const Tables& t, const unsigned char* b, std::size_t len) {
    BlockMasks m;
    for (std::size_t j = 0; j < len; ++j) {
        const std::uint64_t bit = std::uint64_t{1} << j;
        if (b[j] & 0x80) m.high |= bit;
        if (t.lead[b[j]]) m.lead |= bit;
        if (t.trail[b[j]]) m.trail |= bit;
        if (t.special[b[j]]) m.special |= bit;
    }
    return m;
}

#if MOZARU_HAVE_SSE2
// The tests of classifyBlock, made once per text.
struct Classifier {
    // Lanes of x inside one of two ranges of bytes.
    struct Ranges {
        __m128i low0, width0, low1, width1;
        explicit Ranges(const ByteRanges& r)
            : low0(_mm_set1_epi8(static_cast<char>(r.low[0]))),
              width0(_mm_set1_epi8(static_cast<char>(r.width[0]))),
              low1(_mm_set1_epi8(static_cast<char>(r.low[1]))),
              width1(_mm_set1_epi8(static_cast<char>(r.width[1]))) {}
        __m128i operator()(__m128i x) const {
            const __m128i a = _mm_sub_epi8(x, low0);
            const __m128i b = _mm_sub_epi8(x, low1);
            return _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(a, width0), a),
                                _mm_cmpeq_epi8(_mm_min_epu8(b, width1), b));
        }
    };
    explicit Classifier(const Tables& t)
        : usable(platform::vectors() && t.leadRanges.usable && t.trailRanges.usable &&
                 t.specialAreControls),
          lead(t.leadRanges),
          trail(t.trailRanges) {}
    bool usable;
    Ranges lead;
    Ranges trail;
    // Controls, a superset of the special bytes: pages hardly hold others
    // than CR and LF.
    __m128i controls(__m128i x) const {
        const __m128i below = _mm_set1_epi8(0x1F);
        return _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(x, below), x),
                            _mm_cmpeq_epi8(x, _mm_set1_epi8(0x7F)));
    }
};

std::uint64_t maskOf(__m128i lanes, int k) {
    return std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(lanes))} << (16 * k);
}
#else
struct Classifier {
    explicit Classifier(const Tables&) {}
    bool usable = false;
};
#endif

// A whole block of 64 bytes.
inline BlockMasks classifyBlock(const Tables& t, const Classifier& c, const unsigned char* b) {
#if MOZARU_HAVE_SSE2
    if (c.usable) {
        BlockMasks m;
        MOZARU_UNROLL_8
        for (int k = 0; k < 4; ++k) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 16 * k));
            m.high |= maskOf(x, k);
            m.lead |= maskOf(c.lead(x), k);
            m.trail |= maskOf(c.trail(x), k);
            m.special |= maskOf(c.controls(x), k);
        }
        return m;
    }
#endif
    return classifyBytes(t, b, 64);
}

// 16 ASCII bytes, each its own code unit.
void widen16(const unsigned char* b, char16_t* out) {
#if MOZARU_HAVE_SSE2
    if (platform::vectors()) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
        const __m128i zero = _mm_setzero_si128();
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(x, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(x, zero));
        return;
    }
#endif
    for (int k = 0; k < 16; ++k) out[k] = b[k];
}

// Where the characters begin in a block: a byte that could begin a pair (a
// lead byte before a trail byte) does so unless it is itself the second
// byte of a pair; in a run of such bytes the pairs therefore begin at the
// run's first byte, third byte and so on, which a carrying addition finds
// for all runs at once. carry: the block's first byte ends a pair begun
// before it; updated for the next block.
struct Starts {
    std::uint64_t starts;
    std::uint64_t pairs;
};

Starts findStarts(std::uint64_t could, std::uint64_t& carry) {
    constexpr std::uint64_t kEven = 0x5555555555555555ULL;  // bits 0, 2, 4, ...
    could &= ~carry;
    const std::uint64_t runStarts = could & ~(could << 1);
    const std::uint64_t oddRuns = (could + (runStarts & kEven)) & could;
    const std::uint64_t evenRuns = could & ~oddRuns;
    const std::uint64_t pairs = (evenRuns & kEven) | (oddRuns & ~kEven);
    const Starts s{~((pairs << 1) | carry), pairs};
    carry = pairs >> 63;
    return s;
}

// Appends code units to a text, making room a slice at a time: each slice
// is zero-filled just before it is written, while it is in the cache.
class Writer {
public:
    Writer(std::u16string& text, bool crLf) : m_text(text), m_crLf(crLf), m_units(text.size()) {}
    ~Writer() { m_text.resize(m_units); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Room for the units of one block of bytes (CR and LF may take two
    // each), and for a run of ASCII widened 16 at a time past its end.
    char16_t* room(std::size_t bytesLeft) {
        constexpr std::size_t kBlockUnits = 160;
        if (m_text.size() - m_units < kBlockUnits) {
            constexpr std::size_t kSlice = std::size_t{1} << 15;
            const std::size_t want = std::min(bytesLeft * (m_crLf ? 2 : 1), kSlice) + kBlockUnits;
            if (m_text.capacity() < m_units + want) {
                m_text.reserve(std::max(m_units + want, m_text.capacity() * 2));
                platform::adviseHugePages(m_text.data(), m_text.capacity() * sizeof(char16_t));
            }
            m_text.resize(m_units + want);
        }
        return m_text.data() + m_units;
    }
    void advance(std::size_t units) { m_units += units; }

private:
    std::u16string& m_text;
    const bool m_crLf;
    std::size_t m_units;
};

// One character: a CR, or an LF not after a CR, becomes CR LF; an LF after a
// CR is already written. Returns the units written.
template <bool kCrLf>
std::size_t put(char16_t* out, char16_t value, bool afterCr) {
    if constexpr (kCrLf) {
        if (value == u'\r' || value == u'\n') [[unlikely]] {
            if (value == u'\n' && afterCr) return 0;
            out[0] = u'\r';
            out[1] = u'\n';
            return 2;
        }
    }
    out[0] = value;
    return 1;
}

// b[0] << 8 | b[1], in one load where the machine allows.
inline unsigned byteWord(const unsigned char* b) {
    if constexpr (std::endian::native == std::endian::little) {
        std::uint16_t raw;
        std::memcpy(&raw, b, sizeof raw);
        return std::rotl(raw, 8);
    } else {
        return static_cast<unsigned>(b[0] << 8 | b[1]);
    }
}

struct Decoded {
    std::size_t units = 0;
    std::size_t bad = 0;
};

// The characters that begin at the bits of left in the block at b (base
// bytes into the text, readable bytes from b on), into out. A run of plain
// ASCII characters (plain: their bits) is widened 16 at a time, a run of
// pairs (pairs: their first bytes; every pair is a lead byte and a trail
// byte) is looked up in a loop without tests, and the others are looked up
// one by one.
template <bool kCrLf>
Decoded decodeStarts(const Tables& t, const unsigned char* b, std::size_t readable,
                     std::uint64_t left, std::uint64_t plain, std::uint64_t pairs, char16_t* out,
                     std::size_t base, bool afterCr) {
    Decoded d;
    // The bytes of the pairs: a run of them from a pair's first byte is a run
    // of pairs one after the other (a pair that ends past the block counts).
    const std::uint64_t paired = pairs | (pairs << 1);
    while (left != 0) {
        const auto j = static_cast<std::size_t>(std::countr_zero(left));
        if ((plain >> j) & 1) {
            const auto run = static_cast<std::size_t>(std::countr_one(plain >> j));
            for (std::size_t k = 0; k < run; k += 16) {
                if (j + k + 16 <= readable) {
                    widen16(b + j + k, out + d.units + k);
                } else {
                    for (std::size_t i = k; i < run; ++i) out[d.units + i] = b[j + i];
                }
            }
            d.units += run;
            left &= ~(((std::uint64_t{2} << (run - 1)) - 1) << j);
            continue;
        }
        if ((pairs >> j) & 1) {
            const auto bytes = static_cast<std::size_t>(std::countr_one(paired >> j));
            const std::size_t run = (bytes + 1) / 2;
            const unsigned char* const p = b + j;
            char16_t* const o = out + d.units;
            std::size_t bad = 0;
            for (std::size_t k = 0; k < run; ++k) {
                const char16_t value = t.byWord[byteWord(p + 2 * k)];
                o[k] = value;
                bad += value == kReplacement ? 2 : 0;
            }
            d.bad += bad;
            d.units += run;
            left &= ~(((std::uint64_t{2} << (bytes - 1)) - 1) << j);
            continue;
        }
        left &= left - 1;
        // A character that is no pair: a byte alone, whatever follows it.
        const char16_t value = t.single[b[j]];
        if (value == kReplacement) [[unlikely]] {
            ++d.bad;
        }
        // The byte before, which for j == 0 is the last of the block before:
        // (b + j)[-1], as b[j - 1] would wrap the unsigned j.
        d.units += put<kCrLf>(out + d.units, value, base + j > 0 ? (b + j)[-1] == '\r' : afterCr);
    }
    return d;
}

// Decodes bytes; a lead byte that begins a character at the very end is
// cut off when last, else handed back in held. afterCr: the byte before
// them was CR. Returns the undecodable bytes.
template <bool kCrLf>
std::size_t walkBlocks(const Tables& t, std::string_view bytes, bool last, bool afterCr,
                       Writer& writer, int& held) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t bad = 0;
    std::uint64_t carry = 0;
    const Classifier classifier(t);
    for (std::size_t base = 0; base < n; base += 64) {
        const unsigned char* b = s + base;
        const std::size_t len = std::min<std::size_t>(64, n - base);
        char16_t* const out = writer.room(n - base);
        std::size_t units = 0;
        const BlockMasks m = len == 64 ? classifyBlock(t, classifier, b) : classifyBytes(t, b, len);
        const bool more = base + len < n;
        const std::uint64_t nextTrail = more && t.trail[b[len]] ? 1 : 0;
        const Starts st = findStarts(m.lead & ((m.trail >> 1) | (nextTrail << (len - 1))), carry);
        std::uint64_t starts = st.starts;
        if (len < 64) starts &= (std::uint64_t{1} << len) - 1;
        // The text's last byte has no byte after it: it is decoded alone.
        const std::uint64_t lastBit = more ? 0 : std::uint64_t{1} << (len - 1);
        const bool lastStarts = (starts & lastBit) != 0;
        starts &= ~lastBit;
        // Line breaks (and swapped controls) are looked for only where there are some.
        const std::uint64_t plain = starts & ~(m.high | m.special);
        const Decoded d =
            kCrLf && (starts & m.special) != 0
                ? decodeStarts<kCrLf>(t, b, n - base, starts, plain, st.pairs, out, base, afterCr)
                : decodeStarts<false>(t, b, n - base, starts, plain, st.pairs, out, base, afterCr);
        units += d.units;
        bad += d.bad;
        if (lastStarts) {
            const unsigned char c = b[len - 1];
            if (t.lead[c] && !last) {
                held = c;
            } else {
                const char16_t value = t.single[c];
                if (value == kReplacement) ++bad;
                const std::size_t p = base + len - 1;
                units += put<kCrLf>(out + units, value, p > 0 ? s[p - 1] == '\r' : afterCr);
            }
        }
        writer.advance(units);
    }
    return bad;
}

}  // namespace

Cp932Decoder::Cp932Decoder(LineBreaks lineBreaks, DecodedText& out)
    : m_out(out), m_crLf(lineBreaks == LineBreaks::CrLf) {}

void Cp932Decoder::walk(std::string_view bytes, bool last) {
    const Tables& t = walkTables();
    if (bytes.empty() && !last) return;
    // Room for the whole piece at once: one unit a byte at most, and a few
    // line breaks that become two.
    std::u16string& text = m_out.text;
    const std::size_t needed = text.size() + bytes.size() + (m_crLf ? bytes.size() / 8 : 0) + 1;
    if (text.capacity() < needed) {
        text.reserve(std::max(needed, text.capacity() + text.capacity() / 2));
        platform::adviseHugePages(text.data(), text.capacity() * sizeof(char16_t));
    }
    Writer writer(text, m_crLf);
    if (m_held >= 0) {
        // The lead byte that ended the last piece, with this piece's first byte.
        char16_t value = kReplacement;
        if (!bytes.empty() && t.trail[static_cast<unsigned char>(bytes[0])]) {
            value = t.at(m_held, static_cast<unsigned char>(bytes[0]));
            m_out.undecodable += value == kReplacement ? 2 : 0;
            bytes.remove_prefix(1);
        } else {
            ++m_out.undecodable;
        }
        *writer.room(0) = value;
        writer.advance(1);
        m_held = -1;
        m_afterCr = false;
    }
    if (bytes.empty()) return;
    m_out.undecodable += m_crLf ? walkBlocks<true>(t, bytes, last, m_afterCr, writer, m_held)
                                : walkBlocks<false>(t, bytes, last, m_afterCr, writer, m_held);
    m_afterCr = bytes.back() == '\r';
}

void Cp932Decoder::decode(std::string_view piece) {
    walk(piece, false);
}

void Cp932Decoder::finish() {
    if (m_held >= 0) walk({}, true);
}

}  // namespace mozaru
