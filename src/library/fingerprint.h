// What pictures are compared by: a hash of the normalised text for exact
// duplicates, and the sets of line shingles for near ones (pure).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace mozaru {

// A 64-bit hash of UTF-16 text, the same on every platform (it is stored).
std::uint64_t textHash(std::u16string_view text);

// The normalised text's line shingles: each line's key (the line less its
// spaces, so that a picture reposted with other spaces keeps its shingles)
// hashed to 32 bits, a key's second and later copies told apart; sorted. A
// line without a key (only spaces) is no shingle.
std::vector<std::uint32_t> lineShingles(std::u16string_view normalised);
// The same of the picture's left-right mirror.
std::vector<std::uint32_t> mirroredShingles(std::u16string_view normalised);

// Both sets at once, for the index: one pass over the text.
struct Shingles {
    std::vector<std::uint32_t> plain;
    std::vector<std::uint32_t> mirrored;
};
Shingles shinglesOf(std::u16string_view normalised);

// |a ∩ b| / |a ∪ b| of two sorted shingle sets; 1 for two empty ones.
double jaccard(const std::uint32_t* a, std::size_t na, const std::uint32_t* b, std::size_t nb);

// The 64-bit finaliser that spreads a value's bits over all 64.
constexpr std::uint64_t mix64(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9u;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBu;
    x ^= x >> 31;
    return x;
}

}  // namespace mozaru
