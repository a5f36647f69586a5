// The behaviour b_motion (code id 5): the character's velocity, in world
// units per 1024 ms, moving it every update. While the character also runs
// b_tileCollidable, a horizontal move is swept against the tile map and
// stops at a wall (velocity x := 0, event 167). The ground belongs to
// b_gravity. Also the horizontal sweep the moving units share.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_motion_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_motion_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_motion_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the velocity; x as for a character facing right.
AZ_UNIT_GETTER(b_motion, 5, VelocityX, 1)
AZ_UNIT_SETTER(b_motion, 5, VelocityX, 1)
AZ_UNIT_GETTER(b_motion, 5, VelocityY, 2)
AZ_UNIT_SETTER(b_motion, 5, VelocityY, 2)
// Word 3: non-zero negates the x velocity while the character faces left.
AZ_UNIT_GETTER(b_motion, 5, FlipWithFacing, 3)
AZ_UNIT_SETTER(b_motion, 5, FlipWithFacing, 3)

// The velocity a character moves at: words 1 and 2 of its b_motion, x
// negated while it faces left and word 3 is set (any non-zero value, or
// only 1 when exactlyOne); (0, 0) without b_motion.
void AZ_GetCharacterVelocity(const AZ_Presenter* presenter, bool exactlyOne, std::int32_t* vx, std::int32_t* vy);

// The level's horizontal tile sweep on the active layer of the box (x its
// horizontal centre, y its bottom, w x h) moving to newX: non-zero on a hit,
// whose corrected x AZ_GetSweepHitX then gives.
std::int32_t AZ_SweepTilesX(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t newX);
std::int32_t AZ_GetSweepHitX();
// The tile size in pixels (24).
std::int32_t AZ_GetTileSize();
