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

std::string packShingles(std::span<const std::uint32_t> shingles);
void unpackShingles(std::span<const char> packed, std::vector<std::uint32_t>& shingles);

}  // namespace mozaru
