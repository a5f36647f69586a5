// Replays the sprite fuzz target's seeds, and damaged copies of them, as an
// ordinary test (the sanitizer build checks the loader and the walks).
#include <gtest/gtest.h>

#include "fuzz/SpriteTarget.h"
#include "tests/sprites/SpriteWorld.h"
#include "tests/support/FuzzReplay.h"

namespace {

TEST(FuzzSeeds, SpriteTarget) {
    SpriteWorld world;  // its log takes the refusals
    ReplayFuzzSeeds(fuzz::FuzzSprite, fuzz::SpriteSeeds());
    fuzz::RemoveScratch();
}

}  // namespace
