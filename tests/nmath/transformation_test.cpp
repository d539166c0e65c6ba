#include <gtest/gtest.h>

#include <cmath>

#include "drivesys/platform/nmath/nformat.h"
#include "drivesys/platform/nmath/ntransformation.h"

namespace {
void expectNear(const NVektor& a, const NVektor& b, double tol = 1e-12) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

// Rotation by `angle` about the unit axis `k` (Rodrigues), applied to v.
NVektor rotated(const NVektor& v, const NVektor& k, double angle) {
    return v * std::cos(angle) + k.cross(v) * std::sin(angle) + k * (k.dot(v) * (1 - std::cos(angle)));
}
}  // namespace

TEST(NTransformationMatrix, FrameToFrameMatchesReferenceCoordinates) {
    // Frame A: origin (1, 2, 3), axes rotated 90° about z. Frame B: origin (-1, 0, 4), axes
    // rotated 90° about x. A point given in A, written in reference coordinates by hand and then
    // read in B's axes, must equal the transformation's result.
    const NVektor oA(1, 2, 3), xA(0, 1, 0), yA(-1, 0, 0);
    const NVektor oB(-1, 0, 4), xB(1, 0, 0), yB(0, 0, 1);
    const NVektor zB = xB.cross(yB);
    const NTransformationMatrix t(xA, yA, true, oA, xB, yB, oB);
    EXPECT_EQ(t.state(), 0);
    const NVektor pA(0.5, -2, 7);
    const NVektor ref = oA + xA * pA.x + yA * pA.y + xA.cross(yA) * pA.z;
    const NVektor expected((ref - oB).dot(xB), (ref - oB).dot(yB), (ref - oB).dot(zB));
    expectNear(t * pA, expected);
    // The all-zero target frame is the reference system.
    expectNear(NTransformationMatrix(xA, yA, true, oA, {}, {}, {}) * pA, ref);
    // Composition applies the right operand first; the inverse undoes it.
    const NTransformationMatrix toRef(xA, yA, true, oA, {}, {}, {});
    const NTransformationMatrix refToB({}, {}, true, {}, xB, yB, oB);
    expectNear((refToB * toRef) * pA, expected);
    expectNear(t.Inverse() * (t * pA), pA);
    expectNear(t.rotate(NVektor(1, 0, 0)), t * NVektor(1, 0, 0) - t * NVektor());
}

TEST(NTransformationMatrix, OrthonormalisesAndFlagsDegenerateFrames) {
    const NTransformationMatrix skew(NVektor(2, 0, 0), NVektor(1, 1, 0), true, {}, {}, {}, {});
    expectNear(skew.matrix().column(1), NVektor(0, 1, 0));
    expectNear(skew.matrix().column(2), NVektor(0, 0, 1));
    const NTransformationMatrix parallel(NVektor(1, 0, 0), NVektor(3, 0, 0), true, {}, {}, {}, {});
    EXPECT_EQ(parallel.state(), 2);
    EXPECT_TRUE(parallel.matrix().isNull());
    EXPECT_EQ(parallel.Inverse().state(), 2);
    EXPECT_EQ((parallel * NTransformationMatrix()).state(), 2);
    EXPECT_EQ(NTransformationMatrix(NVektor(std::nan(""), 0, 0), NVektor(0, 1, 0), true, {}, {}, {}, {}).state(), 2);
}

TEST(NTransformationMatrix, ThreePointFitRecoversRigidMotion) {
    const NVektor axis = NVektor(1, 2, -0.5).normalized();
    const NVektor shift(10, -4, 2.5);
    const std::array<NVektor, 3> a{NVektor(0, 0, 0), NVektor(100, 0, 0), NVektor(30, 80, 10)};
    std::array<NVektor, 3> b;
    for (size_t i = 0; i < 3; ++i) b[i] = rotated(a[i], axis, 0.7) + shift;
    const NTransformationMatrix t(a, b);
    EXPECT_EQ(t.state(), 0);
    for (size_t i = 0; i < 3; ++i) expectNear(t * a[i], b[i], 1e-10);
    EXPECT_NEAR(t.matrix().determinant(), 1.0, 1e-12);
    const NVektor probe(-3, 5, 9);
    expectNear(t * probe, rotated(probe, axis, 0.7) + shift, 1e-10);
}

// A triangle and its mirror image are congruent by a proper rotation (turn it over), but the
// plain cross-covariance solution is then a reflection; the fit must flip the axis normal to the
// points' plane, not another, to fit them exactly with a rotation.
TEST(NTransformationMatrix, ThreePointFitOfAMirroredTriangleIsAnExactRotation) {
    const std::array<NVektor, 3> a{NVektor(0, 0, 0), NVektor(100, 0, 0), NVektor(30, 80, 10)};
    const std::array<NVektor, 3> mirrors{NVektor(-1, 1, 1), NVektor(1, -1, 1), NVektor(1, 1, -1)};
    for (const NVektor& m : mirrors) {
        std::array<NVektor, 3> b;
        for (size_t i = 0; i < 3; ++i) b[i] = NVektor(a[i].x * m.x, a[i].y * m.y, a[i].z * m.z) + NVektor(5, 6, 7);
        const NTransformationMatrix t(a, b);
        EXPECT_EQ(t.state(), 0);
        EXPECT_NEAR(t.matrix().determinant(), 1.0, 1e-12);
        for (size_t i = 0; i < 3; ++i) expectNear(t * a[i], b[i], 1e-9);
    }
}

TEST(NTransformationMatrix, ThreePointFitWarnings) {
    const std::array<NVektor, 3> a{NVektor(0, 0, 0), NVektor(100, 0, 0), NVektor(0, 100, 0)};
    // Same shape within 0.01 % of the extent: no warning.
    std::array<NVektor, 3> b{NVektor(0, 0, 0), NVektor(100.005, 0, 0), NVektor(0, 100, 0)};
    EXPECT_EQ(NTransformationMatrix(a, b).state(), 0);
    // A different shape (one point off by 1 % of the extent).
    b[2] = NVektor(0, 101, 0);
    EXPECT_EQ(NTransformationMatrix(a, b).state(), 1);
    // Collinear points leave the rotation about their line open.
    const std::array<NVektor, 3> line{NVektor(0, 0, 0), NVektor(50, 0, 0), NVektor(100, 0, 0)};
    EXPECT_EQ(NTransformationMatrix(line, line).state(), 1);
    const std::array<NVektor, 3> same{NVektor(1, 1, 1), NVektor(1, 1, 1), NVektor(1, 1, 1)};
    EXPECT_EQ(NTransformationMatrix(same, same).state(), 1);
}

TEST(Format, RundeRoundsHalfAwayFromZero) {
    EXPECT_EQ(Runde(2.5, 0), 3.0);
    EXPECT_EQ(Runde(-2.5, 0), -3.0);
    EXPECT_EQ(Runde(1.23456, 2), 1.23);
    EXPECT_EQ(Runde(1234.0, -2), 1200.0);
    EXPECT_EQ(Runde(1e300, 2), 1e300);
    EXPECT_TRUE(std::isnan(Runde(std::nan(""), 2)));
    EXPECT_FALSE(std::signbit(Runde(-0.001, 2)));
}

TEST(Format, LengthWithUnit) {
    EXPECT_EQ(getWertStringUnitLength(1234.5678, 2, 0, 2, false), L"1234.57 mm");
    EXPECT_EQ(getWertStringUnitLength(-0.004, 2, 0, 2, false), L"0.00 mm");
    EXPECT_EQ(getWertStringUnitLength(3, 2, 0, 2, true), L"3.00 [mm]");
    EXPECT_EQ(getWertStringUnitLength(3, 2, 8, 1, false), L"     3.0 mm");
    EXPECT_EQ(getWertStringUnitLength(0.5, 1, 0, 0, false), L"1 m");
    EXPECT_EQ(getWertStringUnitLength(7, 999, 0, 2, false), L"7.00");
}
