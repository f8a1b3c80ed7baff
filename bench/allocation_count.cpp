// The benchmark binary's own global operator new, which counts before it allocates. Every other
// form of new (arrays, nothrow, aligned) ends here or is not used by the program.

#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> allocations{0};

}  // namespace

namespace pellino {

std::uint64_t AllocationCount() {
    return allocations.load(std::memory_order_relaxed);
}

}  // namespace pellino

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
