// A registry of executables that steps every one of them on Execute.
#pragma once

#include "platform/shared/systems/CRegistry.h"

class CExecutableRegistry : public CRegistry {
public:
    static constexpr std::uint32_t kClassId = 0x773D40D7;

    CExecutableRegistry() { SetClassId(kClassId); }

    // Steps each element's executable in list order; an executable that
    // deleted itself has its element removed and deleted in the same pass.
    void Execute() override;
};
