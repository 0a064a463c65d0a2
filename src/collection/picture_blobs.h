// How a picture's texts and shingles are kept in the collection: texts as
// UTF-8 compressed by zstd, shingles as 32-bit little-endian values.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mozaru {

std::string packText(std::u16string_view text);
// Throws CollectionError when the bytes are no packed text.
std::u16string unpackText(std::span<const char> packed);

// The source text compressed with the normalised text as its dictionary: the
// two differ in a few references and spaces, so the source costs a few bytes.
std::string packSource(std::u16string_view source, std::u16string_view normalised);
std::u16string unpackSource(std::span<const char> packed, std::u16string_view normalised);

std::string packShingles(std::span<const std::uint32_t> shingles);
void unpackShingles(std::span<const char> packed, std::vector<std::uint32_t>& shingles);

}  // namespace mozaru
