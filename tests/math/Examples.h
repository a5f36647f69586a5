// Worked examples as rows of tables: each row holds what its calls give and
// write (flags, numbers, vectors, matrices) flattened into one list of
// words, and the words expected. Rows are evaluated in order.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "platform/shared/math/CQuaternion.h"
#include "platform/shared/math/CVector2d.h"

using Words = std::vector<std::int64_t>;

inline void Put(Words& w, std::int64_t v) { w.push_back(v); }
inline void Put(Words& w, const Words& more) {
    for (const std::int64_t v : more) w.push_back(v);
}
inline void Put(Words& w, const CVector2d& v) { Put(w, Words{v.x, v.y}); }
inline void Put(Words& w, const CVector3d& v) { Put(w, Words{v.x, v.y, v.z}); }
inline void Put(Words& w, const CQuaternion& q) { Put(w, Words{q.x, q.y, q.z, q.w}); }
// A matrix's elements in storage order.
template <typename Matrix>
requires requires(const Matrix& m) { m.opCount; }
void Put(Words& w, const Matrix& m) {
    const auto n = static_cast<std::uint32_t>(std::size(m.rows));
    for (std::uint32_t i = 0; i < n * n; ++i) w.push_back(m[i]);
}

// The arguments are evaluated in no set order and read afterwards: a
// variable that one call in the list writes must not be used by another.
template <typename... T>
Words W(const T&... values) {
    Words w;
    (Put(w, values), ...);
    return w;
}

struct Example {
    const char* what;
    Words got, expected;
};

inline void ExpectAll(std::initializer_list<Example> examples) {
    for (const Example& e : examples) EXPECT_EQ(e.got, e.expected) << e.what;
}

// A circle (sphere) swept 20 units across the x axis at 36 angles within 17.5
// degrees of its perpendicular, meeting the axis at the origin halfway:
// `sweep(x, y, time)` sweeps by (x, y) from (-x/2, -y/2) and says whether it
// hit. Gives the hits, and the times within 10/1024 (one step of the
// ten-motion path's parameter) of half the motion.
template <typename Sweep>
Words CrossingsAt36Angles(Sweep sweep) {
    std::int64_t hits = 0, halfway = 0;
    for (std::int32_t i = 0; i < 36; ++i) {
        const std::int32_t angle = (2 * i - 35) * 512;
        std::int32_t time = -1;
        hits += sweep(CMathFixed::Mul(20480, CMathFixed::Sin(angle)), -CMathFixed::Mul(20480, CMathFixed::Cos(angle)),
                      time);
        halfway += CMathFixed::Abs(time - 512) <= 10;
    }
    return {hits, halfway};
}

// The line a failed assertion prints for `source` (under
// platform\shared\math\, e.g. "src\CPlane") and its line number.
inline std::string Assertion(const char* source, int line) {
    std::string pattern = "platform\\\\shared\\\\math\\\\";
    for (const char* c = source; *c != '\0'; ++c) pattern += *c == '\\' ? std::string("\\\\") : std::string(1, *c);
    return pattern + ", Line: " + std::to_string(line) + "\n";
}
