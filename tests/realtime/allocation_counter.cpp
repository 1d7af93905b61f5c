// Counts every heap allocation the process makes while counting is armed:
// operator new in all its forms, and malloc, calloc and realloc called from
// the code linked into this program (wrapped by the linker).
#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> armed{false};
std::atomic<long> allocations{0};

void note() {
    if (armed.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
}
} // namespace

extern "C" {
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* pointer, std::size_t size);

void* __wrap_malloc(std::size_t size) {
    note();
    return __real_malloc(size);
}
void* __wrap_calloc(std::size_t count, std::size_t size) {
    note();
    return __real_calloc(count, size);
}
void* __wrap_realloc(void* pointer, std::size_t size) {
    note();
    return __real_realloc(pointer, size);
}
}

void* operator new(std::size_t size) {
    note();
    if (void* p = std::malloc(size != 0 ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    note();
    return std::malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
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

AllocationCount::AllocationCount() {
    allocations = 0;
    armed = true;
}

AllocationCount::~AllocationCount() {
    armed = false;
}

long AllocationCount::count() const {
    return allocations.load();
}
