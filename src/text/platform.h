// Everything the pure core uses beyond standard C++, in one place: SSE2
// vector instructions where the compiler targets them (every x86-64
// compiler does), Linux's madvise hint for huge pages, and loop unrolling
// hints. They only make the same work faster; without them the portable
// code runs.
#pragma once

#include <cstddef>
#include <cstdint>

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
