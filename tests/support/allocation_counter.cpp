#include "tests/support/allocation_counter.h"

#include <cstdlib>
#include <new>

namespace {

long allocations = 0;
long allocationsLeft = -1;

}  // namespace

namespace nuvrel::testing {

long AllocationCount() {
    return allocations;
}

void FailAllocationsAfter(long successes) {
    allocationsLeft = successes;
}

}  // namespace nuvrel::testing

void* operator new(std::size_t size) {
    ++allocations;
    if (allocationsLeft == 0) {
        throw std::bad_alloc();
    }
    if (allocationsLeft > 0) {
        --allocationsLeft;
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
