// The bands of the proximity behaviours that sense a distance along one
// signed measure (in front positive, behind negative): near in front, far
// in front, near behind, far behind. An event is raised only when the band
// changes; between the near and the far limits the band is kept.
#pragma once

#include <cstdint>

#include "src/actionZel/AZ_Presenter.h"

enum AZ_Band : std::int32_t {
    AZ_BAND_UNKNOWN = 0,  // a new target, not yet placed
    AZ_BAND_NEAR_FRONT = 1,
    AZ_BAND_FAR_FRONT = 3,  // also: no target
    AZ_BAND_NEAR_BEHIND = 4,
    AZ_BAND_FAR_BEHIND = 5,
    AZ_BAND_BETWEEN = 6,  // first seen between the limits
};

// Where a unit keeps its band: word `word` of its instance.
struct AZ_BandWords {
    std::int32_t codeId;
    std::int32_t codeSlot;
    std::int32_t word;
};

// The events of entering near front, far front, near behind, far behind.
struct AZ_BandEvents {
    std::int32_t nearFront, farFront, nearBehind, farBehind;
};

// Writes the band and raises its event on the presenter, unless it holds
// that band already.
void AZ_EnterBand(AZ_Presenter* presenter, const AZ_BandWords& words, std::int32_t band, std::int32_t event);

// Moves to the band of `value`: near front for 0..frontNear, far front
// above far, near behind for -near..-1, far behind below -far; a first
// value between the limits gives AZ_BAND_BETWEEN without an event.
void AZ_UpdateBand(AZ_Presenter* presenter, const AZ_BandWords& words, std::int64_t value, std::int64_t frontNear,
                   std::int64_t near, std::int64_t far, const AZ_BandEvents& events);
