// The behaviour b_swingOnGrapple (code id 37): swings the character around
// the hook of its b_fireGrapple. The first update measures the rope and the
// angle below the hook; the character is then driven round at a constant
// angular speed up to the release angle (295) and swings on as an undamped
// pendulum. Events 292-298 mark the bottom sector (240-300 degrees) and the
// pendulum's turns. Angles are degrees << 10, counter-clockwise, 270 below.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_swingOnGrapple_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_swingOnGrapple_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_swingOnGrapple_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the angular speed, degrees per 1024 ms from the script, << 10
// and signed by the facing after the set-up.
AZ_UNIT_GETTER(b_swingOnGrapple, 37, Speed, 1)
AZ_UNIT_SETTER(b_swingOnGrapple, 37, Speed, 1)
// Word 2: the release angle, degrees from behind the character; absolute
// after the set-up.
AZ_UNIT_GETTER(b_swingOnGrapple, 37, ReleaseAngle, 2)
AZ_UNIT_SETTER(b_swingOnGrapple, 37, ReleaseAngle, 2)
// Word 3: 1 set-up pending, 2 driven, 3 pendulum.
AZ_UNIT_GETTER(b_swingOnGrapple, 37, State, 3)
AZ_UNIT_SETTER(b_swingOnGrapple, 37, State, 3)
// Word 4: the angle around the hook.
AZ_UNIT_GETTER(b_swingOnGrapple, 37, Angle, 4)
AZ_UNIT_SETTER(b_swingOnGrapple, 37, Angle, 4)
// Word 5: the rope's length in world units.
AZ_UNIT_GETTER(b_swingOnGrapple, 37, RopeLength, 5)
AZ_UNIT_SETTER(b_swingOnGrapple, 37, RopeLength, 5)
// Word 6: the pendulum's angular speed.
AZ_UNIT_GETTER(b_swingOnGrapple, 37, AngularSpeed, 6)
AZ_UNIT_SETTER(b_swingOnGrapple, 37, AngularSpeed, 6)
