// Boxes against boxes: the overlap test and the contact time of two moving
// boxes, used by the camera's view test and by the behaviours. A box is
// (left, top, width, height); velocities are in units per 1024 ms, times in
// 1/1024 of the step.
#pragma once

#include <cstdint>

std::int32_t AZ_Abs(std::int32_t v);

// 1 when a's right edge reaches b's left (a.left + a.width >= b.left) and a
// starts before b ends (a.left < b.left + b.width), and the same on y; -1
// otherwise. The test is not symmetric: touching on a's far side counts,
// touching on its near side does not.
std::int32_t AZ_BoxesOverlap(std::int32_t ax, std::int32_t ay, std::int32_t aw, std::int32_t ah, std::int32_t bx,
                             std::int32_t by, std::int32_t bw, std::int32_t bh);

// When box A, moving by (avx, avy), meets box B, moving by (bvx, bvy): 0 when
// they overlap already; otherwise the later of the two axes' entry times
// (absolute value) when the axes' windows meet, else -1. A relative speed
// below 102 on an axis counts as still there: the boxes must already
// overlap on it. The time may exceed 1024; callers compare.
std::int32_t AZ_SweptBoxContactTime(std::int32_t ax, std::int32_t ay, std::int32_t aw, std::int32_t ah, std::int32_t bx,
                                    std::int32_t by, std::int32_t bw, std::int32_t bh, std::int32_t avx,
                                    std::int32_t avy, std::int32_t bvx, std::int32_t bvy);

// The x axis alone, for boxes that overlap on y (else -1), with the relative
// speed vx1 - vx0 taken as A's: the entry time raised to at least 0, or -1
// when the window lies outside 0..1024.
std::int32_t AZ_SweptBoxContactTimeX(std::int32_t ax, std::int32_t ay, std::int32_t aw, std::int32_t ah,
                                     std::int32_t bx, std::int32_t by, std::int32_t bw, std::int32_t bh,
                                     std::int32_t vx0, std::int32_t vx1);
