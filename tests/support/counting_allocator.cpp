#include "support/counting_allocator.h"

#include <cstdlib>
#include <new>

namespace tavoli {

AllocationCounter& Allocations() {
    static AllocationCounter counter;
    return counter;
}

}  // namespace tavoli

namespace {

// Each block carries its size in front of it, so that the count can go down again.
constexpr size_t kHeader = 16;

void* Allocate(size_t size) {
    tavoli::AllocationCounter& counter = tavoli::Allocations();
    if (size > counter.limit || counter.current > counter.limit - size) return nullptr;
    auto* block = static_cast<char*>(std::malloc(size + kHeader));
    if (!block) return nullptr;
    *reinterpret_cast<size_t*>(block) = size;
    counter.current += size;
    if (counter.current > counter.peak) counter.peak = counter.current;
    return block + kHeader;
}

void Release(void* p) {
    if (!p) return;
    char* block = static_cast<char*>(p) - kHeader;
    tavoli::Allocations().current -= *reinterpret_cast<size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
