// Everything the pure core uses beyond standard C++, in one place: SSE2
// vector instructions where the compiler targets them (every x86-64
// compiler does), Linux's madvise hint for huge pages, and loop unrolling
// hints. They only make the same work faster; without them the portable
// code runs, as it does everywhere when the environment sets MOZARU_PLAIN
// (the tests run both).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define MOZARU_HAVE_SSE2 1
#include <emmintrin.h>
#else
#define MOZARU_HAVE_SSE2 0
#endif

#ifdef __linux__
#include <sys/mman.h>
#endif

// Unrolls the short fixed loops of the scans; compilers without the pragma
// (MSVC) decide alone.
#if defined(__clang__)
#define MOZARU_UNROLL_8 _Pragma("unroll 8")
#elif defined(__GNUC__)
#define MOZARU_UNROLL_8 _Pragma("GCC unroll 8")
#else
#define MOZARU_UNROLL_8
#endif

namespace mozaru::platform {

// Whether the vector paths run: compiled in, and MOZARU_PLAIN not set.
// Read once, before main; each path tests it once for a whole scan or block.
inline const bool kVectors = MOZARU_HAVE_SSE2 && std::getenv("MOZARU_PLAIN") == nullptr;
inline bool vectors() {
    return kVectors;
}

// A large fresh buffer is faulted in page by page on its first write; under
// huge pages that takes 512 times fewer faults, which otherwise dominate a
// command on a page of many megabytes. A hint only: nothing else changes.
inline void adviseHugePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t bytes) {
#ifdef __linux__
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    if (bytes < 2 * kHuge) return;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t from = (begin + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t to = (begin + bytes) & ~(kHuge - 1);
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

}  // namespace mozaru::platform
