// The menus' sprites for programs that run widgets over the game's
// application object without its start event (tests, benchmarks): the
// game's archive opened with the application's resource manager, the
// sprite home constructed and archetype 18, character 0 loaded (its focus
// marker, animation 9, and its up and down scroll indicators, 10 and 11).
#pragma once

#include <string>

#include "host/File.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "src/ridaroVoz3/SZ_Presenter.h"

namespace vktools {

// The blitter must have the display's format already: the sprites'
// palettes are made for it. False when the archive or the sprites are
// missing.
inline bool LoadMenuSprites(const std::string& archivePath) {
    if (CGameApp::GetResMgr()->Open(host::ToPhonePath(archivePath).c_str()) != 1) return false;
    SZ_Home* home = CGameApp::GetSpriteHome();
    home->Construct();
    if (!home->IsConstructed()) return false;
    home->QueueArchetypeCharacter(18, 0);
    while (home->ProcessLoadQueue(500)) {
    }
    return home->IsArchetypeCharacterLoaded(18, 0);
}

// A presenter of those sprites playing the animation from its start.
inline SZ_Presenter MenuSprite(std::int32_t animation) {
    SZ_Presenter sprite;
    sprite.setArchetypeCharacter(18, 0);
    sprite.setAnimation(animation, 0, 0);
    return sprite;
}

}  // namespace vktools
