// Exact hashes and line shingles.
#include "library/fingerprint.h"

#include <algorithm>
#include <string>

#include "library/mirror.h"
#include "library/picture_text.h"

namespace mozaru {

namespace {

// The line less its spaces, into key.
void keyOf(std::u16string_view line, std::u16string& key) {
    key.clear();
    for (const char16_t c : line) {
        if (!isSpace(c)) key.push_back(c);
    }
}

// Sorted, and a value's repeats made distinct: a picture holding one line
// three times differs from one holding it once.
void finish(std::vector<std::uint32_t>& shingles) {
    std::sort(shingles.begin(), shingles.end());
    bool repeats = false;
    for (std::size_t s = 0; s < shingles.size();) {
        std::size_t e = s + 1;
        for (; e < shingles.size() && shingles[e] == shingles[s]; ++e) {
            shingles[e] =
                static_cast<std::uint32_t>(mix64(std::uint64_t{shingles[s]} << 32 | (e - s)) >> 32);
            repeats = true;
        }
        s = e;
    }
    if (repeats) std::sort(shingles.begin(), shingles.end());
}

std::uint32_t shingleOf(std::u16string_view key) {
    return static_cast<std::uint32_t>(textHash(key) >> 32);
}

}  // namespace

std::uint64_t textHash(std::u16string_view text) {
    std::uint64_t h = 0x9E3779B97F4A7C15u ^ (text.size() * 0xC2B2AE3D27D4EB4Fu);
    std::size_t i = 0;
    for (; i + 4 <= text.size(); i += 4) {
        const std::uint64_t chunk = std::uint64_t{text[i]} | std::uint64_t{text[i + 1]} << 16 |
                                    std::uint64_t{text[i + 2]} << 32 |
                                    std::uint64_t{text[i + 3]} << 48;
        h = (h ^ (chunk * 0xBF58476D1CE4E5B9u));
        h = ((h << 31) | (h >> 33)) * 0x94D049BB133111EBu;
    }
    std::uint64_t tail = 0;
    for (int shift = 0; i < text.size(); ++i, shift += 16) tail |= std::uint64_t{text[i]} << shift;
    return mix64(h ^ tail);
}

Shingles shinglesOf(std::u16string_view normalised) {
    Shingles out;
    std::u16string key;
    for (std::size_t start = 0; start <= normalised.size();) {
        std::size_t end = normalised.find(u'\n', start);
        if (end == std::u16string_view::npos) end = normalised.size();
        keyOf(normalised.substr(start, end - start), key);
        if (!key.empty()) {
            out.plain.push_back(shingleOf(key));
            out.mirrored.push_back(shingleOf(mirroredKey(key)));
        }
        start = end + 1;
    }
    finish(out.plain);
    finish(out.mirrored);
    return out;
}

std::vector<std::uint32_t> lineShingles(std::u16string_view normalised) {
    return shinglesOf(normalised).plain;
}

std::vector<std::uint32_t> mirroredShingles(std::u16string_view normalised) {
    return shinglesOf(normalised).mirrored;
}

double jaccard(const std::uint32_t* a, std::size_t na, const std::uint32_t* b, std::size_t nb) {
    if (na == 0 && nb == 0) return 1.0;
    std::size_t i = 0;
    std::size_t j = 0;
    std::size_t common = 0;
    while (i < na && j < nb) {
        if (a[i] < b[j]) {
            ++i;
        } else if (b[j] < a[i]) {
            ++j;
        } else {
            ++common;
            ++i;
            ++j;
        }
    }
    return static_cast<double>(common) / static_cast<double>(na + nb - common);
}

}  // namespace mozaru
