// EUC-JP-MS decoding through tables filled once from ICU's EUC-JP converter,
// completed with the rows ICU lacks.
#include "encoding/eucjp_decoder.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <unordered_set>

#include "text/text.h"
#include "text/utf.h"

namespace mozaru {

namespace {

constexpr char32_t kNone = 0xFFFD;  // no character: the sequence is undecodable
constexpr int kCells = 94;          // a row of 94 codes, 0xA1 to 0xFE

constexpr bool isCode(unsigned char b) {
    return b >= 0xA1 && b <= 0xFE;
}
constexpr std::size_t cellOf(unsigned char row, unsigned char cell) {
    return static_cast<std::size_t>(row - 0xA1) * kCells + (cell - 0xA1);
}

struct Tables {
    std::array<char32_t, 128> ascii{};
    std::array<char32_t, kCells> kana{};           // 0x8E and one code
    std::array<char32_t, kCells * kCells> jis{};   // two codes: JIS X 0208 and extensions
    std::array<char32_t, kCells * kCells> jis3{};  // 0x8F and two codes: JIS X 0212 and more
};

void U_CALLCONV noteUndecodable(const void* context, UConverterToUnicodeArgs* /*args*/,
                                const char* /*units*/, int32_t /*length*/,
                                UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) return;
    *static_cast<bool*>(const_cast<void*>(context)) = true;
    *status = U_ZERO_ERROR;
}

// The one character a converter makes of the bytes, or kNone.
class Probe {
public:
    explicit Probe(const char* name) {
        UErrorCode status = U_ZERO_ERROR;
        m_converter.reset(ucnv_open(name, &status));
        if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
        ucnv_setToUCallBack(m_converter.get(), noteUndecodable, &m_undecodable, nullptr, nullptr,
                            &status);
    }
    char32_t operator()(std::initializer_list<unsigned char> bytes) {
        const std::string in(bytes.begin(), bytes.end());
        std::array<UChar, 4> out{};
        UErrorCode status = U_ZERO_ERROR;
        ucnv_resetToUnicode(m_converter.get());
        m_undecodable = false;
        const int32_t n = ucnv_toUChars(m_converter.get(), out.data(), out.size(), in.data(),
                                        static_cast<int32_t>(in.size()), &status);
        if (U_FAILURE(status) || m_undecodable || n < 1) return kNone;
        const std::u16string_view units(reinterpret_cast<const char16_t*>(out.data()),
                                        static_cast<std::size_t>(n));
        const CodePoint cp = codePointAt(units, 0);
        return cp.units == units.size() ? cp.value : kNone;
    }

private:
    std::unique_ptr<UConverter, void (*)(UConverter*)> m_converter{nullptr, ucnv_close};
    bool m_undecodable = false;
};

// The IBM extensions of CP932 (0xFA40 to 0xFC4B) that neither JIS X 0208
// nor JIS X 0212 hold stand, in their CP932 order, from 0x8F 0xF3 0xF3 on:
// EUC-JP-MS's place for them, where iconv writes them.
void addIbmExtensions(Tables& t) {
    std::unordered_set<char32_t> held;
    for (unsigned char row = 0xA1; row <= 0xF4; ++row) {
        if (row == 0xAD) continue;  // NEC's row 13 does not count: its numerals come again
        for (unsigned char cell = 0xA1; cell <= 0xFE; ++cell) held.insert(t.jis[cellOf(row, cell)]);
    }
    for (unsigned char row = 0xA1; row <= 0xF2; ++row) {
        for (unsigned char cell = 0xA1; cell <= 0xFE; ++cell)
            held.insert(t.jis3[cellOf(row, cell)]);
    }
    // The numero sign (0xFA59) keeps its place there although JIS X 0212 has
    // it too (0x8F 0xA2 0xF1): so EUC-JP-MS's table has it.
    held.erase(0x2116);
    Probe cp932("windows-31j");
    std::size_t slot = cellOf(0xF3, 0xF3);
    for (unsigned lead = 0xFA; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F || (lead == 0xFC && trail > 0x4B)) continue;
            const char32_t c =
                cp932({static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)});
            if (c == kNone || held.count(c) != 0) continue;
            if (slot < t.jis3.size() && t.jis3[slot] == kNone) t.jis3[slot] = c;
            ++slot;
        }
    }
}

std::unique_ptr<Tables> buildTables() {
    auto t = std::make_unique<Tables>();
    Probe icu("EUC-JP");
    for (unsigned char b = 0; b < 0x80; ++b) t->ascii[b] = icu({b});
    for (unsigned char cell = 0xA1; cell <= 0xFE; ++cell) {
        // JIS X 0201 katakana only (ICU also gives three symbols above them).
        t->kana[cell - 0xA1] = cell <= 0xDF ? icu({0x8E, cell}) : kNone;
        for (unsigned char row = 0xA1; row <= 0xFE; ++row) {
            t->jis[cellOf(row, cell)] = icu({row, cell});
            t->jis3[cellOf(row, cell)] = icu({0x8F, row, cell});
        }
    }
    // As Windows maps the broken bar of JIS X 0212: the character CP932 holds.
    t->jis3[cellOf(0xA2, 0xC3)] = 0xFFE4;
    // The user-defined rows 85 to 94 of both planes, in the private use
    // area where CP932 has them, wherever ICU has no character.
    for (unsigned char row = 0xF5; row <= 0xFE; ++row) {
        for (unsigned char cell = 0xA1; cell <= 0xFE; ++cell) {
            const auto k = static_cast<char32_t>((row - 0xF5) * kCells + (cell - 0xA1));
            char32_t& two = t->jis[cellOf(row, cell)];
            if (two == kNone) two = 0xE000 + k;
            t->jis3[cellOf(row, cell)] = 0xE3AC + k;
        }
    }
    addIbmExtensions(*t);
    return t;
}

const Tables& tables() {
    static const std::unique_ptr<Tables> built = buildTables();
    return *built;
}

}  // namespace

EucJpDecoder::EucJpDecoder(LineBreaks lineBreaks, DecodedText& out)
    : m_out(out), m_crLf(lineBreaks == LineBreaks::CrLf) {
    tables();
}

std::size_t EucJpDecoder::run(std::string_view bytes, bool last) {
    const Tables& t = tables();
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    m_slice.clear();
    std::size_t i = 0;
    const auto put = [&](char32_t c, std::size_t length) {
        if (c == kNone) m_out.undecodable += length;
        appendUtf16(m_slice, c);
        i += length;
    };
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            put(t.ascii[c], 1);
            continue;
        }
        // A lead byte and the codes it takes: one code after 0x8E, two after
        // 0x8F, one after a code itself; any other byte stands for nothing.
        const std::size_t codes = c == 0x8F ? 2 : (c == 0x8E || isCode(c)) ? 1 : 0;
        std::size_t got = 0;
        while (got < codes && i + 1 + got < n && isCode(s[i + 1 + got])) ++got;
        if (got < codes && i + 1 + got == n && !last) break;  // the rest comes with the next piece
        if (got < codes) {
            put(kNone, 1 + got);  // cut short: what there is is one undecodable sequence
        } else if (c == 0x8E) {
            put(t.kana[s[i + 1] - 0xA1], 2);
        } else if (c == 0x8F) {
            put(t.jis3[cellOf(s[i + 1], s[i + 2])], 3);
        } else if (codes == 1) {
            put(t.jis[cellOf(c, s[i + 1])], 2);
        } else {
            put(kNone, 1);
        }
    }
    if (m_crLf) {
        appendWithCrLf(m_out.text, m_slice, m_afterCr);
    } else {
        m_out.text.append(m_slice);
    }
    return i;
}

void EucJpDecoder::decode(std::string_view piece) {
    if (!m_pending.empty()) {
        // The cut sequence, completed from this piece (three bytes at most).
        const std::size_t held = m_pending.size();
        const std::size_t taken = std::min<std::size_t>(piece.size(), 3);
        m_pending.append(piece.substr(0, taken));
        const std::size_t used = run(m_pending, false);
        if (used < held) {
            m_pending.erase(0, used);  // still cut: the piece was shorter than its rest
            return;
        }
        piece.remove_prefix(used - held);
        m_pending.clear();
    }
    // A slice at a time, so that the decoded slice stays in the cache.
    constexpr std::size_t kSlice = std::size_t{1} << 16;
    while (piece.size() > kSlice) {
        const std::size_t used = run(piece.substr(0, kSlice), false);
        piece.remove_prefix(used);
    }
    m_pending.assign(piece.substr(run(piece, false)));
}

void EucJpDecoder::finish() {
    if (!m_pending.empty()) run(m_pending, true);
    m_pending.clear();
}

}  // namespace mozaru
