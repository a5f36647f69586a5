#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>

#include "platform/shared/math/CMatrix3d.h"
#include "platform/shared/math/CMatrix4d.h"
#include "platform/shared/math/CMatrix4dh.h"
#include "platform/shared/math/CVector4d.h"

namespace {

using V = CVector3d;
using XYZ = std::array<std::int32_t, 3>;
XYZ Of(const V& v) { return {v.x, v.y, v.z}; }
constexpr std::int32_t ONE = 1024;

template <typename Matrix>
std::array<std::int32_t, 16> Elements(const Matrix& m, std::uint32_t count = 16) {
    std::array<std::int32_t, 16> e{};
    for (std::uint32_t i = 0; i < count; ++i) e[i] = m[i];
    return e;
}

TEST(CVector3d, ArithmeticAndOperations) {
    V v(0, 0, 0);
    EXPECT_EQ(Of(v.Normalize()), XYZ({0, 0, 0}));
    v.Set(3072, 0, 0);
    EXPECT_EQ(Of(v.Normalize()), XYZ({ONE, 0, 0}));
    for (const auto& [t, expected] : {std::pair{0, XYZ{0, ONE, -2048}}, {ONE, {2048, 3072, 2048}}, {512, {1024, 2048, 0}}}) {
        V l(0, ONE, -2048);
        l.Lerp(V(2048, 3072, 2048), t);
        EXPECT_EQ(Of(l), expected) << t;
    }
    EXPECT_EQ(V::AngleBetween(V(0, 0, 0), V(ONE, 0, 0)), 0);
    EXPECT_EQ(V::AngleBetween(V(ONE, 0, 0), V(0, 2048, 0)), 92160);
    EXPECT_EQ(V::AngleBetween(V(ONE, 0, 0), V(-ONE, 0, 0)), 184320);
    EXPECT_EQ(V(-5, -7, -6).MaxComponent(), -5);
    EXPECT_EQ(Of(V(ONE, 0, 0).Cross(V(0, ONE, 0))), XYZ({0, 0, ONE}));
    V r(ONE, 0, 0);
    r.RotateZ(92160);
    EXPECT_EQ(Of(r), XYZ({0, -ONE, 0}));
    r.Set(0, ONE, 0);
    r.RotateX(92160);
    EXPECT_EQ(Of(r), XYZ({0, 0, -ONE}));
    r.RotateY(92160);
    EXPECT_EQ(Of(r), XYZ({ONE, 0, 0}));
    EXPECT_EQ(V(1, 2, 3)[2], 3);
    const std::int32_t words[] = {4, 5, 6};
    r = words;
    EXPECT_EQ(Of(r), XYZ({4, 5, 6}));
    EXPECT_EQ(Of(V(words)), XYZ({4, 5, 6}));
}

TEST(CVector3d, ClosestPointOnSegment) {
    const V a(0, 0, 0), b(2048, 0, 0);
    const struct {
        V p, closest;
        std::int32_t distance;
    } cases[] = {{{-ONE, ONE, 0}, a, 1440},  // before a (the root steps by 32)
                 {{3072, 0, ONE}, b, 1440},  // beyond b
                 {{512, ONE, 0}, {512, 0, 0}, ONE}};
    for (const auto& c : cases) {
        V closest;
        EXPECT_EQ(V::ClosestPointOnSegment(c.p, a, b, closest), c.distance) << c.p.x;
        EXPECT_EQ(Of(closest), Of(c.closest)) << c.p.x;
    }
    V closest;
    EXPECT_EQ(V::ClosestPointOnSegment(V(100, 0, 0), V(5, 5, 5), V(5, 5, 5), closest), 64);  // a point segment: a
    EXPECT_EQ(Of(closest), XYZ({5, 5, 5}));
}

TEST(CVector4d, FourthComponent) {
    EXPECT_EQ(CVector4dh(V(1, 2, 3), true).w, 0);
    EXPECT_EQ(CVector4dh(V(1, 2, 3), false).w, ONE);
    const std::int32_t words[] = {7, 8, 9, 10};
    EXPECT_EQ(CVector4dh(words, false).z, 9);
    CVector4d four(words);
    four = V(1, 2, 3);
    EXPECT_EQ(four.w, 10);  // assigning three components keeps w
    CVector4dh homogeneous(4, 5, 6, true);
    homogeneous = V(1, 2, 3);
    EXPECT_EQ(homogeneous.w, 0);
}

TEST(CMatrix3d, ProductsTransformsAndDriftControl) {
    const CMatrix3d scaleX(2048, 0, 0, 0, ONE, 0, 0, 0, ONE, 0);
    CMatrix3d turn(0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    turn.SetIdentity();
    turn.RotateZ(92160);
    EXPECT_EQ(Elements(turn, 9), Elements(CMatrix3d(0, ONE, 0, -ONE, 0, 0, 0, 0, ONE, 0), 9));
    CMatrix3d axis(0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    axis.SetIdentity();
    axis.RotateAxis(92160, 0, 0, ONE);
    EXPECT_EQ(Elements(axis, 9), Elements(turn, 9));
    // The right operand acts first: (1, 0, 0) turns to (0, 1, 0), then the scale of x leaves it.
    const CMatrix3d both = scaleX * turn;
    EXPECT_EQ(Of(both * V(ONE, 0, 0)), XYZ({0, ONE, 0}));
    EXPECT_EQ(Of(V(ONE, 0, 0).Transform(turn * scaleX)), XYZ({0, 2048, 0}));
    CMatrix3d product = scaleX;
    product *= turn;
    EXPECT_EQ(Elements(product, 9), Elements(both, 9));
    CMatrix3d transposed = both;
    transposed.Transpose();
    EXPECT_EQ(Elements(transposed, 9), Elements(CMatrix3d(0, -2048, 0, ONE, 0, 0, 0, 0, ONE, 0), 9));
    transposed.Transpose();
    EXPECT_EQ(Elements(transposed, 9), Elements(both, 9));

    const std::int32_t elements[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    CMatrix4d big(elements, 7);
    big.opCount = 3;
    const CMatrix3d upper(big);
    EXPECT_EQ(Elements(upper, 9), Elements(CMatrix3d(1, 2, 3, 5, 6, 7, 9, 10, 11, 0), 9));
    EXPECT_EQ(XYZ({upper.renormalize, upper.opCount, upper.GetRenormalizeInterval()}), XYZ({1, 3, 7}));

    // With interval 3 the third rotation re-orthonormalises a drifted matrix.
    CMatrix3d drifting(1300, 0, 0, 0, 900, 0, 0, 0, ONE, 3);
    drifting.RotateX(12345);
    drifting.RotateY(23456);
    drifting.RotateAxis(34567, 0, 0, ONE);
    EXPECT_EQ(drifting.opCount, 0);
    const V c0(drifting[0], drifting[3], drifting[6]), c1(drifting[1], drifting[4], drifting[7]);
    EXPECT_NEAR(c0.Length(), ONE, 72);
    EXPECT_NEAR(c1.Length(), ONE, 72);
    EXPECT_NEAR(V::Dot(c0, c1), 0, 8);
    CMatrix3d never(ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, 0);
    for (int i = 0; i < 70000; ++i) never.RotateZ(1);
    EXPECT_EQ(never.opCount, 65535);
}

TEST(CMatrix3d, DirectionFrames) {
    const struct {
        XYZ direction;
        bool zAxis;
        std::array<std::int32_t, 16> elements;
    } frames[] = {
        {{0, ONE, 0}, true, {ONE, 0, 0, 0, 0, ONE, 0, -ONE, 0}},  // near y: column 0 from the x axis
        {{0, 0, 4096}, true, {ONE, 0, 0, 0, ONE, 0, 0, 0, ONE}},
        {{0, 0, 4096}, false, {ONE, 0, 0, 0, 0, -ONE, 0, ONE, 0}},  // near z: column 0 from the x axis
        {{0, 4096, 0}, false, {ONE, 0, 0, 0, ONE, 0, 0, 0, ONE}},
    };
    for (const auto& f : frames) {
        CMatrix3d m(1, 2, 3, 4, 5, 6, 7, 8, 9, 0);
        CMatrix4dh h(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0);
        if (f.zAxis) {
            m.SetDirectionZ(f.direction[0], f.direction[1], f.direction[2]);
            h.PointZAxis(f.direction[0], f.direction[1], f.direction[2]);
        } else {
            m.SetDirectionY(f.direction[0], f.direction[1], f.direction[2]);
            h.PointYAxis(f.direction[0], f.direction[1], f.direction[2]);
        }
        EXPECT_EQ(Elements(m, 9), f.elements) << f.direction[1];
        const auto& e = f.elements;
        EXPECT_EQ(Elements(h), (std::array<std::int32_t, 16>{e[0], e[1], e[2], 0, e[3], e[4], e[5], 0, e[6], e[7], e[8],
                                                            0, 10, 11, 12, ONE}))
            << f.direction[1];
    }
}

TEST(CMatrix4dh, AffineProductsRotationsAndDriftControl) {
    CMatrix4dh m(ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, 0, 0, 0, 0);
    m.RotateZ(92160);
    EXPECT_EQ(Elements(m), (std::array<std::int32_t, 16>{0, ONE, 0, 0, -ONE, 0, 0, 0, 0, 0, ONE, 0, 0, 0, 0, ONE}));
    const CMatrix4dh shift(ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, ONE, 0, 0, 5);
    // The turn acts first, then the shift.
    const CMatrix4dh both = shift * m;
    EXPECT_EQ(Of(both * V(ONE, 0, 0)), XYZ({ONE, ONE, 0}));
    EXPECT_EQ(Of(V(ONE, 0, 0) *= m * shift), XYZ({0, 2 * ONE, 0}));
    EXPECT_EQ(both.GetRenormalizeInterval(), 5);
    CMatrix4dh product = shift;
    product *= m;
    EXPECT_EQ(Elements(product), Elements(both));
    EXPECT_EQ(product.opCount, 1);

    CMatrix4dh turns(ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, 5, 6, 7, 3);
    turns[0] = 1300;
    for (int i = 0; i < 3; ++i) turns.RotateX(20000);
    EXPECT_EQ(turns.opCount, 0);
    EXPECT_NEAR(V(turns[0], turns[4], turns[8]).Length(), ONE, 72);
    EXPECT_EQ(XYZ({turns[12], turns[13], turns[14]}), XYZ({5, 6, 7}));
    CMatrix4dh axis(ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, 0, 0, 0, 0);
    axis.RotateAxis(92160, 0, 0, ONE);  // two operations counted
    EXPECT_EQ(axis.opCount, 2);
    EXPECT_EQ(Elements(axis), Elements(m));

    CMatrix4dh moved(1300, 0, 0, 0, ONE, 0, 0, 0, ONE, 0, 0, 0, 5);
    moved.Translate(ONE, 2, 3);
    EXPECT_FALSE(moved.renormalize);  // a moved matrix no longer renormalises
    for (int i = 0; i < 6; ++i) moved.RotateY(0);
    EXPECT_EQ(XYZ({moved[0], moved.opCount, moved[12]}), XYZ({1300, 6, ONE}));
    moved.SetRotationIdentity();
    EXPECT_EQ(XYZ({moved[0], moved.opCount, moved[13]}), XYZ({ONE, 0, 2}));
    moved.CopyRotation(turns);
    EXPECT_EQ(XYZ({moved[12], moved[13], moved[14]}), XYZ({ONE, 2, 3}));
    EXPECT_EQ(XYZ({moved[1], moved[5], moved.renormalize}), XYZ({turns[1], turns[5], 1}));
    moved.SetIdentity();
    EXPECT_EQ(Elements(moved), Elements(CMatrix4dh(ONE, 0, 0, 0, ONE, 0, 0, 0, ONE, 0, 0, 0, 0)));
}

TEST(CMatrix4d, ProductsAndTranspose) {
    std::int32_t counting[16], identity[16] = {}, swap[16] = {};
    for (int i = 0; i < 16; ++i) counting[i] = (i + 1) * ONE;
    for (int i = 0; i < 4; ++i) identity[5 * i] = swap[5 * i] = ONE;
    swap[0] = swap[5] = 0;
    swap[1] = swap[4] = ONE;
    const CMatrix4d a(counting, 9), id(identity, 0);
    EXPECT_EQ(Elements(a * id), Elements(a));
    EXPECT_EQ(Elements(id * a), Elements(a));
    const CMatrix4d swapped = a * CMatrix4d(swap, 0);  // rows 0 and 1 of a exchanged
    EXPECT_EQ(XYZ({swapped[0], swapped[4], swapped[15]}), XYZ({5 * ONE, ONE, 16 * ONE}));
    EXPECT_EQ(XYZ({swapped.opCount, swapped.GetRenormalizeInterval(), swapped.renormalize}), XYZ({0, 9, 1}));
    CMatrix4d t = a;
    t.Transpose();
    EXPECT_EQ(XYZ({t[1], t[4], t[14]}), XYZ({5 * ONE, 2 * ONE, 12 * ONE}));
    t.Transpose();
    EXPECT_EQ(Elements(t), Elements(a));
    t *= CMatrix4d(swap, 0);
    EXPECT_EQ(Elements(t), Elements(swapped));
    EXPECT_EQ(t.opCount, 1);
}

}  // namespace
