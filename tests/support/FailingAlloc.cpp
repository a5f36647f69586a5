#include "tests/support/FailingAlloc.h"

#include <cstddef>
#include <new>

namespace {

int g_countdown = -1;

bool ShouldFail() {
    if (g_countdown < 0) return false;
    return g_countdown-- == 0;
}

}  // namespace

void FailNthNothrowNew(int n) { g_countdown = n; }

// The throwing forms do the allocating, so the usual delete matches.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return ShouldFail() ? nullptr : ::operator new(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return ShouldFail() ? nullptr : ::operator new[](size);
}
