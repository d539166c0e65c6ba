// The vibration-calculation definitions: their defaults, what is stored but not described, the
// JSON assignment, and the plain structures the host keeps.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

using json = nlohmann::json;

TEST(ForcedResponseDefinitions, DefaultsDifferFromTheDefinitionBlocksLookAlikes) {
    const json j = ForcedResponseDefinitionsStruct().toJson();
    size_t flags = 0;
    for (auto it = j.begin(); it != j.end(); ++it) {
        if (!it->is_boolean()) continue;
        ++flags;
        const bool expectedOn = it.key() == "plotVsSpeed" || it.key() == "considerGearMeshForces" ||
                                it.key() == "shaftOutputsDocumentation" || it.key() == "generateFrequencyOutputData";
        EXPECT_EQ(it->get<bool>(), expectedOn) << it.key();
    }
    EXPECT_EQ(flags, 23u);  // only the four named above are on
    EXPECT_EQ(j["controllingShaftIdTM"], -1);
    EXPECT_EQ(j["controllingShaftNumTM"], -1);
    EXPECT_EQ(j["convergenceTolerance"], 0.01);
    for (const char* h : {"hystereticDampingTorsion", "hystereticDampingAxial", "hystereticDampingBending"}) EXPECT_EQ(j[h], 1.0);
    EXPECT_EQ(j["gearMeshDamping"], 1000.0);
    EXPECT_EQ(j["gearMeshDampingRatio"], 0.1);
    for (const char* n : {"numHarmonics", "numHarmonicsSingle", "numResponseHarmonics", "plotMultiplierStepFactor"}) EXPECT_EQ(j[n], 1u);

    // The definition block's dampings are 1e-5, not 1.0.
    const SystemDefinition definition;
    EXPECT_EQ(definition.data.hystereticDampingAxial, 1e-5);
    EXPECT_EQ(definition.data.hystereticDampingBending, 1e-5);
    EXPECT_EQ(definition.data.hystereticDampingTorsion, 1e-5);
}

// Storing them is the record contract's round trip of every listed member; here: what the
// description leaves out.
TEST(ForcedResponseDefinitions, TheDescriptionLeavesOutTheLastThreeMembersAndMostDefaults) {
    ForcedResponseDefinitionsStruct r;
    Meta* meta = r.getMeta();
    EXPECT_EQ(meta->GetNumberOfVars(), ForcedResponseDefinitionsStruct::recordInfo().fields().size() - 3);
    EXPECT_EQ(meta->GetVarAt(meta->GetNumberOfVars() - 1)->GetName(), "saveTimeDomainData");
    for (const char* n : {"outputTimeDataFilePath", "userDefinedEndTime", "useUserDefinedEndTime"}) EXPECT_EQ(meta->GetVar(n), nullptr) << n;
    EXPECT_EQ(r.getNumberOfMembers(), ForcedResponseDefinitionsStruct::recordInfo().fields().size());
    EXPECT_EQ(r.getMemberName(r.getNumberOfMembers() - 1).toUtf8(), "useUserDefinedEndTime");

    // The contract holds the described defaults to the members'; here: only the screen's are handed over.
    for (const char* n : {"gearMeshDamping", "controllingShaftIdTM", "hystereticDampingBending", "plotVsSpeed"})
        EXPECT_TRUE(meta->GetVar(n)->hasDefault()) << n;
    for (const char* n : {"controllingShaftNumTM", "considerGearMeshForces", "convergenceTolerance", "numHarmonics", "speeds"}) {
        EXPECT_FALSE(meta->GetVar(n)->hasDefault()) << n;
        EXPECT_EQ(meta->GetVar(n)->map(), NMetaMapPlain) << n;
    }
    EXPECT_EQ(meta->GetVar("documentationPoints")->GetType(), nmath::kTypeRecordVector);

    // Documentation points are reachable by path; growing the list gives default points (uId −1).
    MetaVar* uId = r.GetMetaVar(L"documentationPoints[1].uId");
    ASSERT_NE(uId, nullptr);
    ASSERT_EQ(r.documentationPoints.size(), 2u);
    EXPECT_EQ(uId->GetAsInt64(), -1);
    uId->SetVar(int64_t{77});
    EXPECT_EQ(r.documentationPoints[1].uId, 77);
}

TEST(GeneralSystemDynamicsDefinitions, JsonAssignmentReadsBothKeysAndFailsLikeTheJsonLibrary) {
    GeneralSystemDynamicsDefinitions g;
    g = json{{"GearMeshStiffnessCalculationType", 2}, {"calculationToPerform", 3.0}, {"other", "ignored"}};
    EXPECT_EQ(g.GearMeshStiffnessCalculationType, 2);
    EXPECT_EQ(g.calculationToPerform, 3);

    try {
        g = json::array({1, 2});
        FAIL() << "no exception";
    } catch (const json::type_error& e) {
        EXPECT_EQ(e.id, 305);
        EXPECT_NE(std::string(e.what()).find("cannot use operator[] with a string argument with array"), std::string::npos);
    }
    try {
        g = json{{"GearMeshStiffnessCalculationType", "two"}, {"calculationToPerform", 1}};
        FAIL() << "no exception";
    } catch (const json::type_error& e) {
        EXPECT_EQ(e.id, 302);
    }
    EXPECT_THROW((g = json{{"GearMeshStiffnessCalculationType", 1}}), json::out_of_range);
    EXPECT_EQ(g.calculationToPerform, 3);
}

TEST(PlainDefinitionStructures, DefaultsAndEmptyContainersAfterAMove) {
    const SystemConstraintDefinition c;
    EXPECT_EQ(c.slots[0], 0);
    for (size_t i = 1; i < c.slots.size(); ++i) EXPECT_EQ(c.slots[i], -1) << i;

    SystemDynamicsSettings s;
    EXPECT_TRUE(s.flag1);
    EXPECT_FALSE(s.flag2);
    EXPECT_FALSE(s.flag3);
    EXPECT_TRUE(s.forcedResponse.plotVsSpeed);
    s.selections.resize(2);
    s.selection[3] = 2.0;
    SystemDynamicsSettings moved = std::move(s);
    EXPECT_EQ(moved.selections.size(), 2u);
    EXPECT_EQ(moved.selection.at(3), 2.0);
    EXPECT_TRUE(s.selections.empty());
    EXPECT_TRUE(s.selection.empty());
}
