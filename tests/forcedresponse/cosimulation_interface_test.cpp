#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

using json = nlohmann::json;

namespace {
nNorvaneRecurDynInterface filledInterface() {
    nNorvaneRecurDynInterface r;
    r.getGearStep = r.getShaftStep = r.getBushingElementsData = true;
    r.mBushingElements.resize(1);
    r.gearElements.resize(2);
    r.gearElements[1].stepFile = L"gear.stp";
    r.shaftElements.resize(1);
    r.shaftElements[0].shaftId = 42;
    return r;
}
}  // namespace

TEST(CoSimulationInterface, BodyListsAndCheckBoxesStayOutOfJson) {
    nNorvaneRecurDynInterface r = filledInterface();
    const json j = r;
    EXPECT_EQ(j.size(), 4u);
    EXPECT_FALSE(j.contains("gearElements"));
    EXPECT_FALSE(j.contains("shaftElements"));
    EXPECT_FALSE(j.contains("getGearStep"));
    EXPECT_EQ(r.getMeta()->GetNumberOfVars(), 4u);

    from_json(json{{"gearElements", json::array()},
                   {"shaftElements", json::array()},
                   {"getGearStep", false},
                   {"mBushingElements", json::array()},
                   {"numNormalModesRecurDyn", 30}},
              r);
    EXPECT_EQ(r.gearElements.size(), 2u);
    EXPECT_EQ(r.shaftElements.size(), 1u);
    EXPECT_TRUE(r.getGearStep);
    EXPECT_TRUE(r.mBushingElements.empty());
    EXPECT_EQ(r.numNormalModesRecurDyn, 30u);
}

TEST(CoSimulationInterface, BodyListsAreCopiedMovedAndReset) {
    nNorvaneRecurDynInterface r = filledInterface();
    auto copy = r.clone();
    auto& c = static_cast<nNorvaneRecurDynInterface&>(*copy);
    ASSERT_EQ(c.gearElements.size(), 2u);
    EXPECT_EQ(c.gearElements[1].stepFile, nWString(L"gear.stp"));
    EXPECT_EQ(c.shaftElements[0].shaftId, 42);
    EXPECT_TRUE(c.getBushingElementsData);

    nNorvaneRecurDynInterface moved(std::move(c));
    EXPECT_EQ(moved.gearElements.size(), 2u);

    nNorvaneRecurDynInterface target;
    target.resetTo(r.clone());
    EXPECT_EQ(target.shaftElements.size(), 1u);

    r.reset();
    EXPECT_TRUE(r.gearElements.empty());
    EXPECT_TRUE(r.shaftElements.empty());
    EXPECT_TRUE(r.mBushingElements.empty());
    EXPECT_FALSE(r.getGearStep);
    EXPECT_EQ(r.maxElementSizeRecurDyn, 10.0);
    EXPECT_EQ(r.minElementSizeRecurDyn, 0.1);
    EXPECT_EQ(r.numNormalModesRecurDyn, 20u);
}

TEST(CoSimulationInterface, NewBushingIsNamedWithTheTranslatedText) {
    nBushingElement b;
    EXPECT_EQ(b.name, pool.GetString(740));
    EXPECT_FALSE(b.name.empty());
}
