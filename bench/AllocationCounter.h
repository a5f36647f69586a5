// Counting replacements of the global allocation functions, for benchmarks
// that show their drawing allocates nothing. Included by one source file of
// a program; g_allocations counts every operator new (the nothrow forms
// route through it).
#pragma once

#include <cstdlib>
#include <new>

inline std::size_t g_allocations = 0;

// Kept out of line, so that the compiler does not pair the malloc inside
// with a delete.
[[gnu::noinline]] void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { ::operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { ::operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { ::operator delete(p); }
