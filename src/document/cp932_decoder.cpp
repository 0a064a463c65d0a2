// CP932 decoding through tables filled once from ICU's own converter.
#include "document/cp932_decoder.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "text/platform.h"

namespace mozaru {

namespace {

// What ICU does at a position: the code unit it writes, how many bytes it
// consumes and how many of those were undecodable. Its state machine decides
// from the byte there and the one after it alone, so asking it about every
// byte and pair once gives its answer at every position in every text.
struct Entry {
    char16_t value = 0xFFFD;
    std::uint8_t advance = 1;
    std::uint8_t undecodable = 1;
};

// A lead byte at the very end: cut off, undecodable.
constexpr Entry kCutOff{};

struct Tables {
    std::array<Entry, 256> single{};
    std::array<std::uint8_t, 256> lead{};
    std::array<std::array<Entry, 256>, 256> pair{};  // [byte][next byte]
    bool asciiIsIdentity = true;
    // Whether two bytes form a pair exactly when a lead byte meets a byte of
    // one trail set (true of CP932); then the pairs of 64 bytes are found at
    // once with bit operations instead of byte after byte.
    std::array<std::uint8_t, 256> trail{};
    bool separable = false;
};

struct Probe {
    std::int32_t firstLength = 0;  // bytes of the first undecodable sequence, 0: none
};

void U_CALLCONV recordUndecodable(const void* context, UConverterToUnicodeArgs* args,
                                  const char* /*codeUnits*/, int32_t length,
                                  UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) return;
    auto* probe = static_cast<Probe*>(const_cast<void*>(context));
    if (probe->firstLength == 0) probe->firstLength = length;
    *status = U_ZERO_ERROR;
    static const UChar kReplacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, status);
}

struct Result {
    std::array<UChar, 4> text{};
    std::int32_t length = 0;
    std::int32_t firstUndecodable = 0;
};

Result convert(UConverter* converter, Probe& probe, const char* bytes, std::size_t n) {
    Result r;
    ucnv_resetToUnicode(converter);
    probe.firstLength = 0;
    UErrorCode status = U_ZERO_ERROR;
    r.length = ucnv_toUChars(converter, r.text.data(), static_cast<int32_t>(r.text.size()), bytes,
                             static_cast<int32_t>(n), &status);
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
    r.firstUndecodable = probe.firstLength;
    return r;
}

std::unique_ptr<Tables> buildTables() {
    auto tables = std::make_unique<Tables>();
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, void (*)(UConverter*)> converter(ucnv_open("windows-31j", &status),
                                                                 ucnv_close);
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
    Probe probe;
    ucnv_setToUCallBack(converter.get(), recordUndecodable, &probe, nullptr, nullptr, &status);
    for (int b = 0; b < 256; ++b) {
        const char one[1] = {static_cast<char>(b)};
        const Result alone = convert(converter.get(), probe, one, 1);
        Entry& e = tables->single[b];
        if (alone.length == 1 && alone.firstUndecodable == 0) e = {alone.text[0], 1, 0};
        if (b < 0x80 && !(e.undecodable == 0 && e.value == b)) tables->asciiIsIdentity = false;
        // A lead byte is one that takes a following byte into one sequence
        // for at least one following byte. Every byte gets a full row, so
        // that decoding needs no branch on lead bytes.
        for (int trail = 0; trail < 256; ++trail) {
            const char bytes[2] = {static_cast<char>(b), static_cast<char>(trail)};
            const Result r = convert(converter.get(), probe, bytes, 2);
            Entry& p = tables->pair[b][trail];
            if (r.firstUndecodable == 0 && r.length == 1) {
                p = {r.text[0], 2, 0};  // one character
            } else if (r.firstUndecodable == 2) {
                p = {0xFFFD, 2, 2};  // one undecodable pair
            } else {
                // The first byte stands alone and the second starts afresh.
                // No byte decodes to U+FFFD, so U+FFFD first means the first
                // byte was the undecodable one.
                p = {r.text[0], 1, static_cast<std::uint8_t>(r.text[0] == 0xFFFD)};
                continue;
            }
            tables->lead[b] = 1;
            tables->trail[trail] = 1;
        }
    }
    tables->separable = true;
    for (int b = 0; b < 256; ++b) {
        if (b < 0x80 && tables->lead[b]) tables->asciiIsIdentity = false;
        for (int trail = 0; trail < 256; ++trail) {
            const bool isPair = tables->pair[b][trail].advance == 2;
            if (isPair != (tables->lead[b] && tables->trail[trail])) tables->separable = false;
        }
    }
    return tables;
}

// Runs ICU's decision at every position, 64 bytes at a time, and writes the
// code units; returns their number. Bit j of a block's masks stands for byte j.
// A byte that could begin a pair (a lead byte before a trail byte) does so
// unless it is itself the second byte of a pair; in a run of such bytes the
// pairs therefore begin at the run's first byte, third byte and so on, which
// a carrying addition finds for all runs at once.
std::size_t walkBlocks(const Tables& t, std::string_view bytes, char16_t* out,
                       std::size_t& undecodable) {
    constexpr std::uint64_t kEven = 0x5555555555555555ULL;  // bits 0, 2, 4, ...
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t units = 0;
    std::size_t bad = 0;
    std::uint64_t carry = 0;  // 1: the block's first byte ends a pair begun before it
    for (std::size_t base = 0; base < n; base += 64) {
        const unsigned char* b = s + base;
        const std::size_t len = std::min<std::size_t>(64, n - base);
        if (len == 64 && carry == 0 && t.asciiIsIdentity) {
            std::uint64_t high = 0;
            for (int k = 0; k < 8; ++k) {
                std::uint64_t word;
                std::memcpy(&word, b + 8 * k, 8);
                high |= word;
            }
            if ((high & 0x8080808080808080ULL) == 0) {
                for (int k = 0; k < 64; ++k) out[units + k] = b[k];
                units += 64;
                continue;
            }
        }
        std::uint64_t could = 0;  // could begin a pair
        for (std::size_t j = 0; j + 1 < len; ++j) {
            could |= std::uint64_t{static_cast<std::uint8_t>(t.lead[b[j]] & t.trail[b[j + 1]])}
                     << j;
        }
        if (base + len < n) {
            could |= std::uint64_t{static_cast<std::uint8_t>(t.lead[b[len - 1]] & t.trail[b[len]])}
                     << (len - 1);
        }
        could &= ~carry;
        const std::uint64_t runStarts = could & ~(could << 1);
        const std::uint64_t oddRuns = (could + (runStarts & kEven)) & could;
        const std::uint64_t evenRuns = could & ~oddRuns;
        const std::uint64_t pairs = (evenRuns & kEven) | (oddRuns & ~kEven);
        std::uint64_t starts = ~((pairs << 1) | carry);  // where a character begins
        carry = pairs >> 63;
        if (len < 64) starts &= (std::uint64_t{1} << len) - 1;
        // The input's last byte has no byte after it: it gets its own entry.
        const bool lastHere = base + len == n;
        const std::uint64_t lastBit = std::uint64_t{1} << (len - 1);
        const bool lastStarts = lastHere && (starts & lastBit) != 0;
        if (lastHere) starts &= ~lastBit;
        while (starts != 0) {
            const int j = std::countr_zero(starts);
            starts &= starts - 1;
            // The pair's entry where a pair begins, else the first byte's own.
            const Entry& e = t.pair[b[j]][b[j + 1]];
            out[units++] = e.value;
            bad += e.undecodable;
        }
        if (lastStarts) {
            const Entry& e = t.lead[b[len - 1]] ? kCutOff : t.single[b[len - 1]];
            out[units++] = e.value;
            bad += e.undecodable;
        }
    }
    undecodable += bad;
    return units;
}

void resizeForWriting(std::u16string& text, std::size_t size) {
    if (text.capacity() < size) {
        text.reserve(size);
        platform::adviseHugePages(text.data(), size * sizeof(char16_t));
    }
    text.resize(size);
}

const Tables& tables() {
    static const std::unique_ptr<Tables> built = buildTables();
    return *built;
}

}  // namespace

bool decodeCp932(std::string_view bytes, DecodedText& out) {
    const Tables& t = tables();
    if (!t.separable) return false;
    // One code unit a byte at most; the rest is cut off afterwards.
    resizeForWriting(out.text, bytes.size());
    std::size_t undecodable = 0;
    out.text.resize(walkBlocks(t, bytes, out.text.data(), undecodable));
    out.undecodable += undecodable;
    return true;
}

}  // namespace mozaru
