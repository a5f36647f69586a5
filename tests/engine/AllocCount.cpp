// Counts the program's allocations: the global operator new is replaced by
// one that counts (the nothrow forms of tests/support route through it).
#include <cstdlib>
#include <new>

#include "tests/engine/EngineWorld.h"

namespace {
std::size_t g_allocations = 0;
}

std::size_t AllocationCount() { return g_allocations; }

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
