// The abstract application object: it owns the frame executor, the optional
// event root and the table of singletons, and caches the platform singletons
// that its getters create.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

class CAppExecutor;
class CHash;
class CRegistry;
class CSingleton;

class CApp : public CClass {
public:
    // The platform singletons whose getters keep a pointer in the
    // application object.
    enum class CachedSingleton { FileMgr, MediaPlayer, Graphics2d, Count };

    CApp() = default;
    // Deletes the executor, the event root, every singleton still registered
    // (exactly once) and the singleton table.
    ~CApp() override;

    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    // 0 for success.
    virtual std::int32_t Startup() = 0;
    virtual void Shutdown() = 0;
    virtual void Tick() = 0;
    virtual std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) = 0;

    // The one application object, or null before it is created and after it
    // is deleted. The applet stores it with SetInstance.
    static CApp* GetInstance();
    static void SetInstance(CApp* app);

    CAppExecutor* GetExecutor() const { return m_executor; }
    void SetExecutor(CAppExecutor* executor) { m_executor = executor; }
    CRegistry* GetEventRoot() const { return m_eventRoot; }
    void SetEventRoot(CRegistry* root) { m_eventRoot = root; }
    // Class id to CSingleton*.
    CHash* GetSingletonTable() const { return m_singletons; }
    void SetSingletonTable(CHash* table) { m_singletons = table; }

    CSingleton* GetCachedSingleton(CachedSingleton which) const { return m_cached[static_cast<int>(which)]; }
    void SetCachedSingleton(CachedSingleton which, CSingleton* object) { m_cached[static_cast<int>(which)] = object; }

protected:
    // Deletes every singleton still registered, then the table.
    void FreeSingletonTable();

private:
    CAppExecutor* m_executor = nullptr;
    CRegistry* m_eventRoot = nullptr;
    CHash* m_singletons = nullptr;
    CSingleton* m_cached[static_cast<int>(CachedSingleton::Count)] = {};
};

// The application framework's factory hook: allocates the application
// object; null when out of memory. Defined by the application.
CApp* CreateGameApp();
