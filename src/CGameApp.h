// The game's application object.
#pragma once

#include "platform/shared/core/CApp.h"

class CFontMgr;
class CResMgr;
class CSoftwareBlitter;

class CGameApp : public CApp {
public:
    // The application's blitter, made at start-up; defined by the
    // application.
    static CSoftwareBlitter* GetBlitter();
    // The application's resource and font managers, made at start-up;
    // defined by the application.
    static CResMgr* GetResMgr();
    static CFontMgr* GetFontMgr();
};
