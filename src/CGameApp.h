// The game's application object.
#pragma once

#include "platform/shared/core/CApp.h"

class CFontMgr;
class CResMgr;
class CSoftwareBlitter;
class SZ_Home;

class CGameApp : public CApp {
public:
    // The application's blitter, made at start-up; defined by the
    // application.
    static CSoftwareBlitter* GetBlitter();
    // The application's resource and font managers, made at start-up;
    // defined by the application.
    static CResMgr* GetResMgr();
    static CFontMgr* GetFontMgr();
    // The application's sprite home, made at start-up; defined by the
    // application.
    static SZ_Home* GetSpriteHome();
};
