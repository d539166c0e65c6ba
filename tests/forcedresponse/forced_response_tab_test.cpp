#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "drivesys/drivesys.h"
#include "support/record_contract.h"

using json = nlohmann::json;

TEST(ForcedResponseTab, ToleratedMembersAreEqualStrictlyBelowTheirBound) {
    struct Case {
        double nvForcedResponseTab::*member;
        double bound;
        const char* name;
    };
    const Case cases[] = {
        {&nvForcedResponseTab::xAxisMin, 0.01, "xAxisMin"},
        {&nvForcedResponseTab::xAxisMax, 0.01, "xAxisMax"},
        {&nvForcedResponseTab::refSpeed, 0.01, "refSpeed"},
        {&nvForcedResponseTab::convergenceTolerance, 0.001, "convergenceTolerance"},
        {&nvForcedResponseTab::hystereticDampingTorsion, 0.01, "hystereticDampingTorsion"},
        {&nvForcedResponseTab::hystereticDampingAxial, 0.01, "hystereticDampingAxial"},
        {&nvForcedResponseTab::hystereticDampingBending, 0.01, "hystereticDampingBending"},
        {&nvForcedResponseTab::gearMeshDamping, 0.1, "gearMeshDamping"},
        {&nvForcedResponseTab::gearMeshDampingRatio, 0.01, "gearMeshDampingRatio"},
    };
    for (const Case& c : cases) {
        nvForcedResponseTab a, b;
        a.*c.member = 0.0;
        b.*c.member = c.bound / 2;
        EXPECT_TRUE(a == b) << c.name;
        b.*c.member = -c.bound / 2;
        EXPECT_TRUE(a == b) << c.name;
        b.*c.member = c.bound;  // exactly the bound: not below it
        EXPECT_FALSE(a == b) << c.name;
        EXPECT_TRUE(a != b) << c.name;
        b.*c.member = -c.bound;
        EXPECT_FALSE(a == b) << c.name;
    }
}

TEST(ForcedResponseTab, EqualityComparesTheCalculationInputsOnly) {
    // Changing any one of these members leaves two tabs equal; changing any other listed member
    // makes them differ.
    const std::set<std::string> ignored = {
        "controlingBoundaryID", "accuracyForcedResponse", "bearingForcesTimeDomain", "bearingForcesFreqDomain",
        "bearingForcesSpeedDomain", "gearMeshOutputsFreqDomain", "gearMeshOutputsTimeDomain",
        "gearMeshOutputsSpeedDomain", "shaftOutputsDocumentation", "saveDynamicFactor", "plotMultiplierStepFactor",
        "userDefinedEndTime", "useUserDefinedEndTime", "outputGearPairs", "outputBearings", "outputDocPoints",
        "selectOutputGearPairs", "selectOutputBearings", "selectOutputDocPoints"};
    const nvForcedResponseTab reference;
    const json defaults = reference.toJson();
    for (const auto& f : nvForcedResponseTab::recordInfo().fields()) {
        nvForcedResponseTab changed;
        from_json(json{{f.name, contract::nonDefault(f.ops->typeWord(), defaults[f.name])}}, changed);
        ASSERT_NE(changed.toJson(), defaults) << f.name;
        EXPECT_EQ(reference == changed, ignored.count(f.name) == 1) << f.name;
        EXPECT_EQ(reference != changed, ignored.count(f.name) == 0) << f.name;
    }

    nvForcedResponseTab ripple;
    ripple.forcedResponseCalculateTorqueRipple = true;
    EXPECT_NE(reference, ripple);
    nvForcedResponseTab save;
    save.saveRecurDynInterface = true;
    EXPECT_EQ(reference, save);
}

TEST(ForcedResponseTab, ListsAreComparedElementByElement) {
    nvForcedResponseTab a, b;
    a.inputGearPairs.resize(2);
    b.inputGearPairs.resize(2);
    b.inputGearPairs[1].gearPairData.gearPairIcon = L"other.png";
    EXPECT_EQ(a, b);  // icons do not count
    b.inputGearPairs[1].gearPairStiffnessConstant = 1;
    EXPECT_NE(a, b);
    b.inputGearPairs.pop_back();
    EXPECT_NE(a, b);

    nvForcedResponseTab c, d;
    c.datFilesVarTorque.resize(1);
    d.datFilesVarTorque.resize(1);
    EXPECT_EQ(c, d);
    d.datFilesVarTorque[0].nDataID = 7;
    EXPECT_NE(c, d);
}

TEST(ForcedResponseTab, TimeDomainInputs) {
    nvForcedResponseTab a, b;
    EXPECT_FALSE(a.timeDomainInputsHaveChanged(b));
    b.outputBearings.resize(2);  // outputs only
    b.outputBearings[0].bearingName = L"B1";
    EXPECT_FALSE(a.timeDomainInputsHaveChanged(b));

    b.userDefinedEndTime = 500.0;  // not used on either side
    EXPECT_FALSE(a.timeDomainInputsHaveChanged(b));

    a.useUserDefinedEndTime = b.useUserDefinedEndTime = true;
    a.userDefinedEndTime = 0.0;
    b.userDefinedEndTime = 0.01;  // exactly the bound: not more than it
    EXPECT_FALSE(a.timeDomainInputsHaveChanged(b));
    b.userDefinedEndTime = -0.02;
    EXPECT_TRUE(a.timeDomainInputsHaveChanged(b));
    a.userDefinedEndTime = 1.0;
    b.userDefinedEndTime = 1.02;
    EXPECT_TRUE(a.timeDomainInputsHaveChanged(b));
    EXPECT_TRUE(b.timeDomainInputsHaveChanged(a));
    EXPECT_EQ(a, b);  // the end time is no part of equality

    nvForcedResponseTab c, d;
    d.useUserDefinedEndTime = true;
    EXPECT_TRUE(c.timeDomainInputsHaveChanged(d));
    nvForcedResponseTab e, f;
    f.accuracyForcedResponse = 2;
    EXPECT_TRUE(e.timeDomainInputsHaveChanged(f));
    nvForcedResponseTab g, h;
    h.plotMultiplierStepFactor = 4;
    EXPECT_TRUE(g.timeDomainInputsHaveChanged(h));
}

TEST(ForcedResponseTab, CheckBoxFlagsStayOutOfJsonButTravelWithCopies) {
    nvForcedResponseTab tab;
    tab.forcedResponseCalculateTorqueRipple = true;
    tab.saveRecurDynInterface = true;
    const json j = tab;
    EXPECT_FALSE(j.contains("forcedResponseCalculateTorqueRipple"));
    EXPECT_FALSE(j.contains("saveRecurDynInterface"));
    EXPECT_EQ(tab.getMeta()->GetVar("saveRecurDynInterface"), nullptr);

    from_json(json{{"forcedResponseCalculateTorqueRipple", false}, {"saveRecurDynInterface", false}, {"refSpeed", 3.0}},
              tab);
    EXPECT_TRUE(tab.forcedResponseCalculateTorqueRipple);
    EXPECT_TRUE(tab.saveRecurDynInterface);
    EXPECT_EQ(tab.refSpeed, 3.0);

    auto copy = tab.clone();
    auto& c = static_cast<nvForcedResponseTab&>(*copy);
    EXPECT_TRUE(c.forcedResponseCalculateTorqueRipple);
    EXPECT_TRUE(c.saveRecurDynInterface);
    c.reset();
    EXPECT_FALSE(c.forcedResponseCalculateTorqueRipple);
    EXPECT_FALSE(c.saveRecurDynInterface);
}

TEST(ForcedResponseElements, GearPairIgnoresItsIconsOnly) {
    nGearPairForcedResponse a, b;
    a.gearNames = b.gearNames = {L"G1", L"G2"};
    a.gearIds = b.gearIds = {11, 12};
    b.gearPairIcon = L"x.png";
    b.gearCalcIcon = L"y.png";
    EXPECT_EQ(a, b);
    b.gearNames.push_back(L"G3");
    EXPECT_NE(a, b);
    b.gearNames = a.gearNames;
    b.gearIds = {11, 13};
    EXPECT_NE(a, b);
    b.gearIds = a.gearIds;
    b.gearPairPower = L"P";
    EXPECT_NE(a, b);

    nGearPairForcedResponseOutput o1, o2;
    o2.gearPairData.gearPairIcon = L"z.png";
    EXPECT_EQ(o1, o2);
    o2.calculateResults = false;
    EXPECT_NE(o1, o2);
    o2.calculateResults = true;
    o2.gearPairData.isGearPairActive = false;
    EXPECT_NE(o1, o2);
}

TEST(ForcedResponseElements, BearingComparesIconsButNotItsOutputSwitch) {
    nBearingForcedResponse a, b;
    b.calculateResults = true;
    EXPECT_EQ(a, b);
    b.shaftCalcIcon = L"s.png";
    EXPECT_NE(a, b);
    b.shaftCalcIcon.clear();
    b.uId = 0;
    EXPECT_NE(a, b);
}

TEST(ForcedResponseElements, VectorsAreEqualWithEqualLengthAndElements) {
    std::vector<nvDatFilePair> a, b;
    EXPECT_TRUE(areVectorsEqual(a, b));
    a.resize(2);
    EXPECT_FALSE(areVectorsEqual(a, b));
    b.resize(2);
    EXPECT_TRUE(areVectorsEqual(a, b));
    b[1].content = 3;
    EXPECT_FALSE(areVectorsEqual(a, b));
    b[1].content = 0;
    b[1].file = L"torque.dat";
    EXPECT_FALSE(areVectorsEqual(a, b));

    std::vector<nGearPairForcedResponseInput> x(1), y(1);
    y[0].gearPairData.gearCalcIcon = L"i.png";
    EXPECT_TRUE(areVectorsEqual(x, y));
    y[0].selectGearPairs = false;
    EXPECT_FALSE(areVectorsEqual(x, y));
}
