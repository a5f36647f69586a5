// SDL's video start-up keeps blocks in libraries it loads and never frees
// them; the leak checker ignores what is allocated while an IgnoreLeaks
// lives.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

class IgnoreLeaks {
public:
#if defined(__SANITIZE_ADDRESS__)
    IgnoreLeaks() { __lsan_disable(); }
    ~IgnoreLeaks() { __lsan_enable(); }
#else
    IgnoreLeaks() = default;
#endif
    IgnoreLeaks(const IgnoreLeaks&) = delete;
    IgnoreLeaks& operator=(const IgnoreLeaks&) = delete;
};
