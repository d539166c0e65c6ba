#include <gtest/gtest.h>

#include <numbers>

#include "drivesys/drivesys.h"

namespace {
constexpr double steel = 7850.0;
constexpr double pi = std::numbers::pi;

// A 40 mm shaft (10 mm bore) from 0 to 200 mm with a gear of width 20 mm at 50 mm.
WelleTyp sampleShaft() {
    WelleTyp shaft;
    shaft.sections = {{0.0, 200.0, 40.0, 40.0, 10.0, 10.0}};
    shaft.gears = {{50.0, 20.0}, {200.0, 40.0}};
    return shaft;
}
// The material under the first gear: a hollow cylinder 20 mm long.
const double kUnderMass = steel * pi * (0.04 * 0.04 - 0.01 * 0.01) / 4 * 0.02;
const double kUnderInertia = kUnderMass * (0.04 * 0.04 + 0.01 * 0.01) / 8;
}  // namespace

TEST(GearMassCorrection, SubtractsTheShaftMaterialUnderTheGear) {
    double mass = 3.0, inertia = 0.004;
    EXPECT_TRUE(correctGearMassProperties(0, steel, 0.001, sampleShaft(), mass, inertia, 1.0));
    EXPECT_NEAR(mass, 3.0 - kUnderMass, 1e-12);
    EXPECT_NEAR(inertia, 0.004 - kUnderInertia, 1e-15);

    // A gear overhanging the shaft end only loses the material that is there (180 to 200 mm).
    double mass2 = 3.0, inertia2 = 1.0;
    EXPECT_TRUE(correctGearMassProperties(1, steel, 0.001, sampleShaft(), mass2, inertia2, 1.0));
    EXPECT_NEAR(mass2, 3.0 - kUnderMass, 1e-12);
}

TEST(GearMassCorrection, ClampsMassAndInertiaIndependently) {
    double mass = 0.5 * kUnderMass, inertia = 2.0 * kUnderInertia;
    EXPECT_TRUE(correctGearMassProperties(0, steel, 0.001, sampleShaft(), mass, inertia, 1.0));
    EXPECT_EQ(mass, 0.0);
    EXPECT_NEAR(inertia, kUnderInertia, 1e-15);

    mass = 2.0 * kUnderMass;
    inertia = 0.5 * kUnderInertia;
    EXPECT_TRUE(correctGearMassProperties(0, steel, 0.001, sampleShaft(), mass, inertia, 1.0));
    EXPECT_NEAR(mass, kUnderMass, 1e-12);
    EXPECT_EQ(inertia, 0.0);
}

TEST(GearMassCorrection, RefusedInputChangesNothing) {
    double mass = 3.0, inertia = 0.004;
    // No gear 2 in the table.
    EXPECT_FALSE(correctGearMassProperties(2, steel, 0.001, sampleShaft(), mass, inertia, 1.0));
    EXPECT_EQ(mass, 3.0);
    EXPECT_EQ(inertia, 0.004);
    // A length unit the section routine refuses takes nothing away; the call still succeeds.
    EXPECT_TRUE(correctGearMassProperties(0, steel, 0.0, sampleShaft(), mass, inertia, 1.0));
    EXPECT_EQ(mass, 3.0);
    EXPECT_EQ(inertia, 0.004);
}
