// Base of the platform singletons: each registers itself under its class id
// in the application object's singleton table while it lives.
#pragma once

#include <cstdint>

#include "platform/shared/core/CApp.h"
#include "platform/shared/core/CClass.h"

class CSingleton : public CClass {
public:
    explicit CSingleton(std::uint32_t classId);
    ~CSingleton() override;

    CSingleton(const CSingleton&) = delete;
    CSingleton& operator=(const CSingleton&) = delete;

    // The object registered under the class id, or null.
    static CSingleton* Find(std::uint32_t classId);

    // The getter rule of a platform singleton: null without an application
    // object or its singleton table; else the pointer cached in the application object; else the
    // registered object of the class id, or a new one from create (whose
    // constructor registers it). The result, null included, is cached and
    // the cache is never cleared here (an interface's destructor clears it).
    static CSingleton* GetInstanceOf(CApp::CachedSingleton slot, std::uint32_t classId, CSingleton* (*create)());
};
