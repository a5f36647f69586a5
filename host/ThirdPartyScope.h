// SDL and the video and audio drivers it loads allocate blocks at start-up
// that they keep for the life of the process, and Tremor's header reader
// loses one on some damaged streams. They are not ours to free, so the
// sanitizer build's leak checker ignores what is allocated while a
// ThirdPartyScope lives.
#pragma once

// GCC names the sanitizer build with a macro; clang before 15 only answers
// __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define HOST_LEAK_CHECKER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HOST_LEAK_CHECKER 1
#endif
#endif

#if defined(HOST_LEAK_CHECKER)
#include <sanitizer/lsan_interface.h>
#endif

namespace host {

class ThirdPartyScope {
public:
#if defined(HOST_LEAK_CHECKER)
    ThirdPartyScope() { __lsan_disable(); }
    ~ThirdPartyScope() { __lsan_enable(); }
#else
    // User-provided, so that a scope variable never counts as unused.
    ThirdPartyScope() {}
    ~ThirdPartyScope() {}
#endif
    ThirdPartyScope(const ThirdPartyScope&) = delete;
    ThirdPartyScope& operator=(const ThirdPartyScope&) = delete;
};

}  // namespace host
