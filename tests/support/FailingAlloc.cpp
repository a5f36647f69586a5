#include "tests/support/FailingAlloc.h"

#include <cstddef>
#include <new>

namespace {

int g_countdown = -1;
bool g_objectsOnly = false;

bool ShouldFail(bool array) {
    if (g_countdown < 0 || (array && g_objectsOnly)) return false;
    return g_countdown-- == 0;
}

}  // namespace

void FailNthNothrowNew(int n, bool objectsOnly) {
    g_countdown = n;
    g_objectsOnly = objectsOnly;
}

bool NothrowFailurePending() { return g_countdown >= 0; }

// The throwing forms do the allocating, so the usual delete matches; a real
// failure of theirs is a null result here, as the nothrow forms promise.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (ShouldFail(false)) return nullptr;
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (ShouldFail(true)) return nullptr;
    try {
        return ::operator new[](size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
