// Counts through malloc_usable_size, so every delete form (sized or not, arrays) subtracts
// what its new added.
#include "tests/app/live_heap.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};

void* allocate(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p) throw std::bad_alloc();
    const std::size_t now = live.fetch_add(malloc_usable_size(p)) + malloc_usable_size(p);
    for (std::size_t seen = peak.load(); now > seen && !peak.compare_exchange_weak(seen, now);) {
    }
    return p;
}

void release(void* p) noexcept {
    if (!p) return;
    live.fetch_sub(malloc_usable_size(p));
    std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

namespace testsupport {

std::size_t liveHeapBytes() { return live.load(); }
std::size_t peakHeapBytes() { return peak.load(); }
void resetPeakHeapBytes() { peak.store(live.load()); }

}  // namespace testsupport
