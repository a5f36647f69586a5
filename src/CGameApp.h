// The game's application object.
#pragma once

#include "platform/shared/core/CApp.h"

class CSoftwareBlitter;

class CGameApp : public CApp {
public:
    // The application's blitter, made at start-up; defined by the
    // application.
    static CSoftwareBlitter* GetBlitter();
};
