// An application object with a singleton table and nothing else: enough for
// the platform singletons (file manager, graphics device) to register in, for
// programs that run without the game's application (benchmarks, fuzzers).
#pragma once

#include <cstdint>
#include <new>

#include "platform/shared/core/CApp.h"
#include "platform/shared/core/CHash.h"

namespace vktools {

class SingletonTableApp : public CApp {
public:
    std::int32_t Startup() override {
        auto* table = new (std::nothrow) CHash();
        if (table == nullptr || !table->Init(20, 20, true)) {
            delete table;
            return 1;
        }
        SetSingletonTable(table);
        return 0;
    }
    void Shutdown() override {}
    void Tick() override {}
    std::uint8_t HandleEvent(std::uint32_t, std::uint16_t, std::uintptr_t) override { return 0; }
};

}  // namespace vktools
