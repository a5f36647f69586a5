// The menus' sprites (archetype 18, character 0: the focus marker,
// animation 9, and the up and down scroll indicators, 10 and 11) for
// programs that run widgets over the game's application object (tests,
// benchmarks), with or without its start event.
#pragma once

#include <string>

#include "host/File.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "src/ridaroVoz3/SZ_Presenter.h"

namespace vktools {

// Opens the game's archive and constructs the sprite home from it, as the
// application's start event does. The blitter must have the display's
// format already: the sprites' palettes are made for it.
inline bool OpenGameArchive(const std::string& archivePath) {
    if (CGameApp::GetResMgr()->Open(host::ToPhonePath(archivePath).c_str()) != 1) return false;
    CGameApp::GetSpriteHome()->Construct();
    return CGameApp::GetSpriteHome()->IsConstructed();
}

// Loads the menus' sprites through the load queue, as the loading screen
// does.
inline bool LoadMenuSprites() {
    SZ_Home* home = CGameApp::GetSpriteHome();
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
