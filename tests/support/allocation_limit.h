// Allocations made to fail, as when memory runs out: every allocation above
// a size, or the n-th from now, while a test holds the limit. Replaces the
// global operator new: include it in one file of a test program only.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

namespace mozaru::test {

inline std::atomic<std::size_t> g_sizeLimit{static_cast<std::size_t>(-1)};
// Allocations left before one fails; 0: none is counted.
inline std::atomic<std::size_t> g_allocationsLeft{0};

// The n-th allocation from now (n from 1).
struct NthAllocation {
    std::size_t n;
};

class AllocationLimit {
public:
    // Allocations above bytes fail.
    explicit AllocationLimit(std::size_t bytes) { g_sizeLimit = bytes; }
    // That allocation fails, and only it.
    explicit AllocationLimit(NthAllocation nth) { g_allocationsLeft = nth.n; }
    ~AllocationLimit() {
        g_sizeLimit = static_cast<std::size_t>(-1);
        g_allocationsLeft = 0;
    }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
    // Whether the counted allocation has been reached (and failed).
    static bool reached() { return g_allocationsLeft == 0; }
};

inline void* allocate(std::size_t size) {
    if (size > g_sizeLimit.load()) throw std::bad_alloc();
    for (std::size_t left = g_allocationsLeft.load(); left != 0;) {
        if (g_allocationsLeft.compare_exchange_weak(left, left - 1)) {
            if (left == 1) throw std::bad_alloc();
            break;
        }
    }
    if (void* p = std::malloc(size != 0 ? size : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace mozaru::test

void* operator new(std::size_t size) {
    return mozaru::test::allocate(size);
}
void* operator new[](std::size_t size) {
    return mozaru::test::allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
// The standard library's temporary buffers (std::stable_sort) take memory
// through the nothrow forms and give it back through the ones above.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return mozaru::test::allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return mozaru::test::allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
