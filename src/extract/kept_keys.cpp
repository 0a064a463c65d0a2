// The set of merge keys kept in one extraction run.
#include "extract/kept_keys.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace mozaru {

// A fast 64-bit hash, eight bytes a step; equal hashes are always confirmed,
// so only the spread matters.
std::size_t KeptKeys::hashOf(std::u16string_view key) {
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    const auto* bytes = reinterpret_cast<const unsigned char*>(key.data());
    std::size_t left = key.size() * sizeof(char16_t);
    std::uint64_t h = left * kMul;
    for (; left >= 8; left -= 8, bytes += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes, 8);
        h = (h ^ word) * kMul;
        h ^= h >> 29;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, bytes, left);
    h = (h ^ tail) * kMul;
    return static_cast<std::size_t>(h ^ (h >> 32));
}

void KeptKeys::grow() {
    std::vector<Slot> old(std::max<std::size_t>(64, m_slots.size() * 2));
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (!slot.used) continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].used) i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

}  // namespace mozaru
