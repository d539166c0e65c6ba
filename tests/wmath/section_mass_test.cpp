#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "drivesys/platform/wmath/welle.h"

namespace {
using wmath::getMassOfShaftSection;
using wmath::ShaftSection;
constexpr double pi = std::numbers::pi;
constexpr double steel = 7850.0;

ShaftSection cylinder(double z0, double z1, double d, double bore = 0.0) { return {z0, z1, d, d, bore, bore}; }

// Solid cone of base radius r and height h: mass and polar moment (3/10 m r²).
double coneMass(double rho, double r, double h) { return rho * pi * r * r * h / 3.0; }
double coneInertia(double rho, double r, double h) { return 0.3 * coneMass(rho, r, h) * r * r; }

void expectNear(double actual, double expected) { EXPECT_NEAR(actual, expected, 1e-12 * std::max(1.0, std::abs(expected))); }
}  // namespace

TEST(ShaftSectionMass, SolidAndHollowCylindersMatchTheClosedForm) {
    const double D = 0.06, d = 0.03, L = 0.2;
    auto solid = getMassOfShaftSection({cylinder(0.0, L, D)}, 0.0, L, steel, 1.0, 1.0);
    ASSERT_TRUE(solid.ok);
    const double m = steel * pi * D * D / 4.0 * L;
    expectNear(solid.mass, m);
    expectNear(solid.momentOfInertia, m * D * D / 8.0);

    auto hollow = getMassOfShaftSection({cylinder(0.0, L, D, d)}, 0.0, L, steel, 1.0, 1.0);
    ASSERT_TRUE(hollow.ok);
    const double mh = steel * pi * (D * D - d * d) / 4.0 * L;
    expectNear(hollow.mass, mh);
    expectNear(hollow.momentOfInertia, mh * (D * D + d * d) / 8.0);

    // With the bore switch off the same section counts as solid.
    auto ignored = getMassOfShaftSection({cylinder(0.0, L, D, d)}, 0.0, L, steel, 1.0, 0.0);
    expectNear(ignored.mass, m);
}

TEST(ShaftSectionMass, ConicalSectionsMatchConesAndFrustums) {
    // A full cone (diameter 0 at the tip).
    const double R = 0.05, H = 0.3;
    auto cone = getMassOfShaftSection({{0.0, H, 0.0, 2 * R, 0.0, 0.0}}, 0.0, H, steel, 1.0, 1.0);
    expectNear(cone.mass, coneMass(steel, R, H));
    expectNear(cone.momentOfInertia, coneInertia(steel, R, H));

    // The upper half of that cone is a frustum: the whole cone minus the small tip cone.
    auto frustum = getMassOfShaftSection({{0.0, H, 0.0, 2 * R, 0.0, 0.0}}, H / 2, H, steel, 1.0, 1.0);
    expectNear(frustum.mass, coneMass(steel, R, H) - coneMass(steel, R / 2, H / 2));
    expectNear(frustum.momentOfInertia, coneInertia(steel, R, H) - coneInertia(steel, R / 2, H / 2));

    // A conical bore inside a cylinder: cylinder minus the cone.
    auto bored = getMassOfShaftSection({{0.0, H, 2 * R, 2 * R, 0.0, 2 * R}}, 0.0, H, steel, 1.0, 1.0);
    const double cylMass = steel * pi * R * R * H;
    expectNear(bored.mass, cylMass - coneMass(steel, R, H));
    expectNear(bored.momentOfInertia, cylMass * R * R / 2 - coneInertia(steel, R, H));
}

TEST(ShaftSectionMass, PartialOverlapsTakeOnlyTheMaterialInRange) {
    // Lengths in millimetres (unit 0.001 m) against closed forms in metres: checks the unit too.
    const std::vector<ShaftSection> shaft{cylinder(0.0, 100.0, 40.0), cylinder(100.0, 250.0, 60.0, 20.0)};
    auto part = [&](double a, double b) { return getMassOfShaftSection(shaft, a, b, steel, 0.001, 1.0); };
    const double perMm1 = steel * pi * 0.04 * 0.04 / 4 * 0.001;
    const double perMm2 = steel * pi * (0.06 * 0.06 - 0.02 * 0.02) / 4 * 0.001;

    expectNear(part(20.0, 50.0).mass, 30 * perMm1);
    // Across the joint: 20 mm of the first section and 30 mm of the second.
    expectNear(part(80.0, 130.0).mass, 20 * perMm1 + 30 * perMm2);
    expectNear(part(80.0, 130.0).momentOfInertia,
               20 * perMm1 * 0.04 * 0.04 / 8 + 30 * perMm2 * (0.06 * 0.06 + 0.02 * 0.02) / 8);
    // Beyond the shaft's ends nothing is added; a range entirely outside gives zero.
    expectNear(part(-50.0, 300.0).mass, 100 * perMm1 + 150 * perMm2);
    auto outside = part(300.0, 400.0);
    EXPECT_TRUE(outside.ok);
    EXPECT_EQ(outside.mass, 0.0);
    EXPECT_EQ(outside.momentOfInertia, 0.0);
    EXPECT_EQ(part(30.0, 30.0).mass, 0.0);
}

TEST(ShaftSectionMass, RefusesInputItCannotMeasure) {
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    const auto inf = std::numeric_limits<double>::infinity();
    const std::vector<ShaftSection> shaft{cylinder(0.0, 1.0, 0.1)};
    EXPECT_FALSE(getMassOfShaftSection(shaft, 0.5, 0.2, steel, 1.0, 1.0).ok);
    EXPECT_FALSE(getMassOfShaftSection(shaft, nan, 0.2, steel, 1.0, 1.0).ok);
    EXPECT_FALSE(getMassOfShaftSection(shaft, 0.0, inf, steel, 1.0, 1.0).ok);
    EXPECT_FALSE(getMassOfShaftSection(shaft, 0.0, 1.0, -1.0, 1.0, 1.0).ok);
    EXPECT_FALSE(getMassOfShaftSection(shaft, 0.0, 1.0, steel, 0.0, 1.0).ok);
    EXPECT_FALSE(getMassOfShaftSection({{1.0, 0.0, 0.1, 0.1, 0.0, 0.0}}, 0.0, 1.0, steel, 1.0, 1.0).ok);
    EXPECT_FALSE(getMassOfShaftSection({{0.0, 1.0, -0.1, 0.1, 0.0, 0.0}}, 0.0, 1.0, steel, 1.0, 1.0).ok);
    EXPECT_FALSE(getMassOfShaftSection({cylinder(0.0, 1.0, 0.1, 0.2)}, 0.0, 1.0, steel, 1.0, 1.0).ok);
    EXPECT_FALSE(getMassOfShaftSection({{0.0, 1.0, 0.1, nan, 0.0, 0.0}}, 0.0, 1.0, steel, 1.0, 1.0).ok);
    // A bore wider than the shaft is only refused when the bore counts.
    EXPECT_TRUE(getMassOfShaftSection({cylinder(0.0, 1.0, 0.1, 0.2)}, 0.0, 1.0, steel, 1.0, 0.0).ok);
    auto refused = getMassOfShaftSection(shaft, 0.5, 0.2, steel, 1.0, 1.0);
    EXPECT_EQ(refused.mass, 0.0);
    EXPECT_EQ(refused.momentOfInertia, 0.0);
}
