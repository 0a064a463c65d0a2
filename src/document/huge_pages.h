// Asks for huge pages under large buffers before they are first written.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace mozaru {

// A large fresh buffer is faulted in page by page on first write; with huge
// pages that is 512 times fewer faults, which otherwise dominates reading and
// decoding a page of many megabytes. A hint only: nothing changes elsewhere.
inline void adviseHugePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t bytes) {
#ifdef __linux__
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    if (bytes < 4 * kHuge) return;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t from = (begin + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t to = (begin + bytes) & ~(kHuge - 1);
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

}  // namespace mozaru
