// Packed texts and shingles.
#include "collection/picture_blobs.h"

#include <zstd.h>

#include <memory>

#include "collection/database.h"
#include "text/utf.h"

namespace mozaru {

namespace {

// Level 1: the index is written at the speed of its slowest part, and a
// higher level saves little on pictures of a few kilobytes.
constexpr int kLevel = 1;

struct Contexts {
    std::unique_ptr<ZSTD_CCtx, decltype(&ZSTD_freeCCtx)> compress{ZSTD_createCCtx(), ZSTD_freeCCtx};
    std::unique_ptr<ZSTD_DCtx, decltype(&ZSTD_freeDCtx)> decompress{ZSTD_createDCtx(),
                                                                    ZSTD_freeDCtx};
};

Contexts& contexts() {
#ifdef _WIN32
    // A thread_local object with a destructor brings down mingw's static
    // winpthreads when the thread ends: each worker's contexts live as long
    // as the process (one per indexing thread).
    thread_local Contexts* c = nullptr;
    if (c == nullptr) c = new Contexts;
    return *c;
#else
    thread_local Contexts c;
    return c;
#endif
}

}  // namespace

std::string packText(std::u16string_view text) {
    const std::string utf8 = toUtf8(text);
    std::string packed(ZSTD_compressBound(utf8.size()), '\0');
    const std::size_t size = ZSTD_compressCCtx(contexts().compress.get(), packed.data(),
                                               packed.size(), utf8.data(), utf8.size(), kLevel);
    if (ZSTD_isError(size)) throw CollectionError(ZSTD_getErrorName(size));
    packed.resize(size);
    return packed;
}

std::u16string unpackText(std::span<const char> packed) {
    const unsigned long long size = ZSTD_getFrameContentSize(packed.data(), packed.size());
    if (size == ZSTD_CONTENTSIZE_ERROR || size == ZSTD_CONTENTSIZE_UNKNOWN || size > (1u << 30)) {
        throw CollectionError("a picture's text is damaged");
    }
    std::string utf8(size, '\0');
    const std::size_t got = ZSTD_decompressDCtx(contexts().decompress.get(), utf8.data(),
                                                utf8.size(), packed.data(), packed.size());
    if (ZSTD_isError(got) || got != size) throw CollectionError("a picture's text is damaged");
    return fromUtf8(utf8);
}

std::string packSource(std::u16string_view source, std::u16string_view normalised) {
    const std::string utf8 = toUtf8(source);
    const std::string dictionary = toUtf8(normalised);
    std::string packed(ZSTD_compressBound(utf8.size()), '\0');
    const std::size_t size = ZSTD_compress_usingDict(contexts().compress.get(), packed.data(),
                                                     packed.size(), utf8.data(), utf8.size(),
                                                     dictionary.data(), dictionary.size(), kLevel);
    if (ZSTD_isError(size)) throw CollectionError(ZSTD_getErrorName(size));
    packed.resize(size);
    return packed;
}

std::u16string unpackSource(std::span<const char> packed, std::u16string_view normalised) {
    const unsigned long long size = ZSTD_getFrameContentSize(packed.data(), packed.size());
    if (size == ZSTD_CONTENTSIZE_ERROR || size == ZSTD_CONTENTSIZE_UNKNOWN || size > (1u << 30)) {
        throw CollectionError("a picture's text is damaged");
    }
    const std::string dictionary = toUtf8(normalised);
    std::string utf8(size, '\0');
    const std::size_t got = ZSTD_decompress_usingDict(contexts().decompress.get(), utf8.data(),
                                                      utf8.size(), packed.data(), packed.size(),
                                                      dictionary.data(), dictionary.size());
    if (ZSTD_isError(got) || got != size) throw CollectionError("a picture's text is damaged");
    return fromUtf8(utf8);
}

std::string packShingles(std::span<const std::uint32_t> shingles) {
    std::string packed(shingles.size() * 4, '\0');
    for (std::size_t i = 0; i < shingles.size(); ++i) {
        for (int b = 0; b < 4; ++b) packed[i * 4 + b] = static_cast<char>(shingles[i] >> (8 * b));
    }
    return packed;
}

void unpackShingles(std::span<const char> packed, std::vector<std::uint32_t>& shingles) {
    shingles.resize(packed.size() / 4);
    for (std::size_t i = 0; i < shingles.size(); ++i) {
        std::uint32_t v = 0;
        for (int b = 0; b < 4; ++b) {
            v |= std::uint32_t{static_cast<unsigned char>(packed[i * 4 + b])} << (8 * b);
        }
        shingles[i] = v;
    }
}

}  // namespace mozaru
