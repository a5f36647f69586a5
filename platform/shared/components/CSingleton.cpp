#include "platform/shared/components/CSingleton.h"

#include "platform/shared/core/CHash.h"
#include "platform/shared/core/Debug.h"

namespace {

constexpr const char* kSingletonSource = "..\\..\\platform\\shared\\components\\inc\\CSingleton";

CHash* Table() {
    CApp* app = CApp::GetInstance();
    return app != nullptr ? app->GetSingletonTable() : nullptr;
}

}  // namespace

CSingleton::CSingleton(std::uint32_t classId) {
    CHash* table = Table();
    DebugAssert(table != nullptr, kSingletonSource, 73);
    DebugAssert(!table->Find(classId, nullptr), kSingletonSource, 74);
    SetClassId(classId);
    table->Insert(classId, reinterpret_cast<std::uintptr_t>(this));
}

CSingleton::~CSingleton() {
    CHash* table = Table();
    DebugAssert(table != nullptr, kSingletonSource, 55);
    table->Remove(GetClassId());
}

CSingleton* CSingleton::Find(std::uint32_t classId) {
    CHash* table = Table();
    DebugAssert(table != nullptr, kSingletonSource, 85);
    std::uintptr_t value = 0;
    return table->Find(classId, &value) ? reinterpret_cast<CSingleton*>(value) : nullptr;
}

CSingleton* CSingleton::GetInstanceOf(CApp::CachedSingleton slot, std::uint32_t classId, CSingleton* (*create)()) {
    CApp* app = CApp::GetInstance();
    // Without a table (the application could not make one) there is no
    // singleton to find or register.
    if (app == nullptr || app->GetSingletonTable() == nullptr) return nullptr;
    if (CSingleton* cached = app->GetCachedSingleton(slot)) return cached;
    CSingleton* object = Find(classId);
    if (object == nullptr) object = create();
    app->SetCachedSingleton(slot, object);
    return object;
}
