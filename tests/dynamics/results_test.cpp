// The vibration result tree: its empty default and output markers, the JSON assignment that reads
// only the scalars, and the series described as record vectors.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

using json = nlohmann::json;

TEST(VibrationResults, DefaultTreeIsEmptyWithItsTwoMarkers) {
    const json j = SystemVibrationResults().toJson();
    EXPECT_EQ(j["solverStatus"], 10);
    EXPECT_EQ(j["controllingShaftNumTM"], -1);
    for (const char* list : {"resultsPerShaft", "resultsPerGear", "forcedResponseResults",
                             "forcedResponseDocPointMaxWhirlMajorBendingSemiAxis", "resCampbell"})
        EXPECT_EQ(j[list], json::array()) << list;
    EXPECT_EQ(j["resCampbellClassified"]["eigenID"], json::array());

    EXPECT_EQ(GearMeshForcedResponseResults().outputType, 1);
    EXPECT_EQ(BearingForcedResponseResults().outputType, 2);
    EXPECT_EQ(DocPointForcedResponseResults().outputType, 3);
    EXPECT_EQ(ForcedResponseResultsVsLength().outputType, 4);
    WhirlDataMembers w;
    w.speedIndex = 5;
    w.reset();
    EXPECT_EQ(w.speedIndex, -1);
}

TEST(VibrationResults, JsonAssignmentReadsTheScalarsAndLeavesTheListsAlone) {
    // Lists that hold something before the assignment, and hold it after.
    SystemVibrationResults r;
    r.resultsPerShaft.resize(2);
    r.resultsPerGear.resize(1);
    r.forcedResponseResults.resize(1);
    r.forcedResponseResults[0].speedRefBound = 1500.0;
    r.forcedResponseDocPointMaxWhirlMajorBendingSemiAxis.resize(1);
    const json before = r.toJson();
    json j = SystemVibrationResults().toJson();
    const json scalars = {{"solverStatus", 3}, {"performedCalculation", 2}, {"includeTE", 1}, {"wrongShaftOrGearCalcNum", 12},
                          {"controllingShaftNumTM", 4}, {"controllingShaftName", "Abtrieb"}, {"controllingShaftNominalSpeed", 3000}};
    j.update(scalars);
    j["resCampbellClassified"]["eigenID"] = {"a", "b"};
    // Lists in the value are not read, not even when they hold something.
    j["resCampbell"] = json::array({json::object()});
    r = j;
    EXPECT_EQ(r.controllingShaftName, L"Abtrieb");
    EXPECT_EQ(r.resCampbellClassified.eigenID.size(), 2u);
    const json after = r.toJson();
    for (const auto& [key, value] : scalars.items()) EXPECT_EQ(after[key], value) << key;
    for (const char* list : {"resultsPerShaft", "resultsPerGear", "forcedResponseResults",
                             "forcedResponseDocPointMaxWhirlMajorBendingSemiAxis", "resCampbell"})
        EXPECT_EQ(after[list], before[list]) << list;

    try {
        r = json("text");
        FAIL() << "no exception";
    } catch (const json::type_error& e) {
        EXPECT_EQ(e.id, 305);
    }
    json missing = j;
    missing.erase("includeTE");
    EXPECT_THROW(r = missing, json::out_of_range);
    json wrong = j;
    wrong["controllingShaftName"] = 7;
    EXPECT_THROW(r = wrong, json::type_error);
}

TEST(VibrationResults, SeriesAreDescribedAsRecordVectors) {
    ForcedResponseResultsSpeedDomain d;
    d.uVecVsSpeed = RiapSeries2(2, RiapSeries(3));
    d.mVecVsSpeed = RiapSeries2(1, RiapSeries(7));
    d.mVecVsSpeed[0][6].phase = 0.75;
    Meta* meta = d.getMeta();
    EXPECT_EQ(meta->GetVar("uVecVsSpeed")->GetType(), nmath::kTypeRecordVector2D);
    EXPECT_EQ(meta->GetVar("uVecVsSpeed")->size(), 2u);
    MetaVar* phase = d.GetMetaVar(L"mVecVsSpeed[0].6].phase");
    ASSERT_NE(phase, nullptr);
    EXPECT_EQ(phase->GetAsReal(), 0.75);

    GearMeshForcedResponseResultsFreqDomain g;
    EXPECT_EQ(g.getMeta()->GetVar("dispPLVsFreq")->GetType(), nmath::kTypeRecordVector);
    SystemVibrationResultsPerGear perGear;
    EXPECT_EQ(perGear.getMeta()->GetVar("timeDomainTE")->typeWord(), "list3<double>");
}
