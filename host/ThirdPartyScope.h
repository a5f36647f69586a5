// SDL and the video and audio drivers it loads allocate blocks at start-up
// that they keep for the life of the process. They are not ours to free, so
// the sanitizer build's leak checker ignores what is allocated while a
// ThirdPartyScope lives.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace host {

class ThirdPartyScope {
public:
#if defined(__SANITIZE_ADDRESS__)
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
