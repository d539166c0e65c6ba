#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "drivesys/drivesys.h"

using json = nlohmann::json;

namespace {
std::vector<std::string> describedNames(SystemDefinition& definition) {
    Meta meta;
    EXPECT_EQ(Meta_S010(definition, &meta), 1);
    std::vector<std::string> names;
    for (size_t i = 0; i < meta.GetNumberOfVars(); ++i) names.push_back(meta.GetVarAt(i)->GetName());
    return names;
}

// Position of `name` in `names`; fails the test when it is missing.
size_t indexOf(const std::vector<std::string>& names, const std::string& name) {
    auto it = std::find(names.begin(), names.end(), name);
    EXPECT_NE(it, names.end()) << name;
    return static_cast<size_t>(it - names.begin());
}

void expectRunAfter(const std::vector<std::string>& names, const std::string& before, const std::vector<std::string>& run) {
    size_t at = indexOf(names, before) + 1;
    ASSERT_LE(at + run.size(), names.size());
    for (size_t i = 0; i < run.size(); ++i) EXPECT_EQ(names[at + i], run[i]) << "position " << at + i;
}
}  // namespace

TEST(MetaS010, DescribesTheScalarsFirstThenTheDottedGroups) {
    SystemDefinition definition;
    const auto names = describedNames(definition);
    const std::vector<std::string> head{"controlingShaftName", "numPlotPoints", "numResonanceCurves", "solveOnlyTorsionalVibrations",
                                        "numGearCalcResultsPerGearFileNum", "numGearsPerGearFileNum", "numShaftsPerShaftFileNum",
                                        "numBearingsPerShaftFileNum", "hystereticDampingAxial", "hystereticDampingBending",
                                        "hystereticDampingTorsion", "GearMeshStiffnessCalculationType", "calculationPerformed",
                                        "gearCalcResults.gearName", "gearCalcResults.shaftName", "gearCalcResults.gearMass",
                                        "gearCalcResults.gearMassMomentOfInertia", "gearCalcResults.gearMeshStiffness",
                                        "gearCalcResults.calcMethodStr", "gearCalcResults.calcMethodEnum", "gearCalcResults.calcName",
                                        "gearCalc.nominalGearMeshFrequency", "gearCalc.nominalGearSpeed", "gearCalcResults.PPTE",
                                        "bearingResults.shaftName", "bearingResults.bearingName",
                                        "bearingResults.bearingStiffnessMatrixVec", "shaftResults.shaftName", "shaftResults.shaftMass",
                                        "shaftResults.shaftMassMomentOfInertia", "eigenFrequencies", "torsionModalEnergy"};
    ASSERT_GE(names.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + head.size()), head);
    EXPECT_EQ(names.back(), "gearMaterialDensity");
    EXPECT_EQ(names.size(), 486u);
    // Every described name is distinct: the host addresses items by name.
    auto sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    EXPECT_EQ(Meta_S010(definition, nullptr), 1);
    EXPECT_EQ(GetQuelmVersion(), 2025u);
}

TEST(MetaS010, TheRuleBuiltFamiliesStandInTheirOrder) {
    SystemDefinition definition;
    const auto names = describedNames(definition);

    std::vector<std::string> forced;
    for (const char* part : {"Real", "Imaginary", "Amplitude", "Phase"})
        for (const char* axis : {"X", "Y", "Z"})
            for (const char* q : {"u", "r", "force", "moment"}) forced.push_back(std::string(q) + "Vec" + part + axis);
    ASSERT_EQ(forced.size(), 48u);
    expectRunAfter(names, "whirlPhaseAngle", forced);
    EXPECT_EQ(names[indexOf(names, "momentVecPhaseZ") + 1], "campbellSpeed");

    std::vector<std::string> bearing, connection;
    for (const char* load : {"Fx", "Fy", "Fz", "Mx", "My", "Mz"})
        for (const char* disp : {"Ux", "Uy", "Uz", "Rx", "Ry", "Rz"}) {
            bearing.push_back(std::string("bearingStiffness") + load + disp);
            connection.push_back(std::string("connectionStiffness") + load + disp);
        }
    expectRunAfter(names, "bearingDampingRotZ", bearing);
    EXPECT_EQ(names[indexOf(names, "bearingStiffnessMzRz") + 1], "constraintConnectionGearMeshStiffness");
    // Connections repeat the bearing suffixes from Dw to DampingRotZ, then the text "connectionStiffness".
    const size_t dw = indexOf(names, "bearingDw");
    for (size_t i = 0; i < 22; ++i) {
        const std::string suffix = names[dw + i].substr(std::string("bearing").size());
        EXPECT_EQ(names[indexOf(names, "connectionDw") + i], "connection" + suffix);
    }
    expectRunAfter(names, "connectionDampingRotZ", {"connectionStiffness"});
    expectRunAfter(names, "connectionStiffness", connection);
    expectRunAfter(names, "gearCorrToolHeight_asInput", {"gearCorrType", "gearCorrFlank", "gearCorrInfo"});
    expectRunAfter(names, "gearCorrTopoNumHeightSections", {"gearISOGeo", "gearDiCalc"});
}

TEST(MetaS010, OnlyThreeScalarsCarryDefaultsAndEveryVariableIsBoundToItsMember) {
    SystemDefinition definition;
    Meta meta;
    ASSERT_EQ(Meta_S010(definition, &meta), 1);
    json def;
    meta.GetVar("controlingShaftName")->defaultAsJson(def);
    EXPECT_EQ(def, "0");
    EXPECT_TRUE(definition.data.controlingShaftName.empty());
    meta.GetVar("numPlotPoints")->defaultAsJson(def);
    EXPECT_EQ(def, 0);
    size_t withDefault = 0;
    for (size_t i = 0; i < meta.GetNumberOfVars(); ++i) withDefault += meta.GetVarAt(i)->hasDefault() ? 1 : 0;
    EXPECT_EQ(withDefault, 3u);
    EXPECT_EQ(meta.GetVar("hystereticDampingTorsion")->GetAsReal(), 1e-5);

    // Writing through the description reaches the members, whatever their depth and type.
    ASSERT_TRUE(meta.GetVar("gearCalcResults.gearMass")->SetFromJson(json::parse("[[1.5, 2.5]]")));
    EXPECT_EQ(definition.data.gearCalcResults.gearMass[0][1], 2.5);
    ASSERT_TRUE(meta.GetVar("gearPosition")->SetFromJson(json::parse("[[[[1, 2, 3]]]]")));
    EXPECT_EQ(definition.data.gearPosition[0][0][0], NVektor(1, 2, 3));
    ASSERT_TRUE(meta.GetVar("shaftX_axis")->SetFromJson(json::parse("[[0, 0, 1]]")));
    EXPECT_EQ(definition.data.shaftX_axis[0], NVektor(0, 0, 1));
    ASSERT_TRUE(meta.GetVar("gearCorrInfo")->SetFromJson(json::parse(R"([[[["Kopfr\u00fccknahme"]]]])")));
    EXPECT_EQ(definition.data.gearCorrInfo[0][0][0][0], L"Kopfr\u00fccknahme");
    ASSERT_TRUE(meta.GetVar("gearCorrType")->SetFromJson(json::parse("[[[[4]]]]")));
    EXPECT_EQ(definition.data.gearCorrType[0][0][0][0], 4);
    ASSERT_TRUE(meta.GetVar("bearingResults.bearingStiffnessMatrixVec")->SetFromJson(json::parse("[[[[1e9]]]]")));
    EXPECT_EQ(definition.data.bearingResults.bearingStiffnessMatrixVec[0][0][0][0], 1e9);
    // A value of the wrong shape is refused and the member keeps its content.
    EXPECT_FALSE(meta.GetVar("gearPosition")->SetFromJson(json::parse("[[[[1, 2]]]]")));
    EXPECT_EQ(definition.data.gearPosition[0][0][0], NVektor(1, 2, 3));
}
