#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

using json = nlohmann::json;

namespace {
// Distinct values for every element, so a value read into the wrong place shows.
struct Counter {
    double next = 1.0;
    double operator()() { return next += 0.125; }
};

void fill(RiapSeries& s, Counter& c, size_t n = 3) {
    s.resize(n);
    for (auto& v : s) {
        v.real = c();
        v.imaginary = c();
        v.amplitude = c();
        v.phase = c();
    }
}
void fill(RiapSeries2& s, Counter& c) {
    s.resize(2);
    fill(s[0], c, 7);
    fill(s[1], c, 2);
}
void fill(std::vector<double>& v, Counter& c) { v = {c(), c()}; }

void fill(ForcedResponseResultsFreqDomain& d, Counter& c) {
    fill(d.f, c);
    fill(d.fCarrier, c);
    fill(d.fSingleSide, c);
    for (auto* s : {&d.uVecVsFreq, &d.rVecVsFreq, &d.fVecVsFreq, &d.mVecVsFreq, &d.uVecVsFreqSingleSide, &d.rVecVsFreqSingleSide,
                    &d.fVecVsFreqSingleSide, &d.mVecVsFreqSingleSide})
        fill(*s, c);
}
void fill(ForcedResponseResultsTimeDomain& d, Counter& c) {
    fill(d.whirlMajorBendingSemiAxis, c);
    fill(d.whirlMinorBendingSemiAxis, c);
    fill(d.whirlPhaseAngle, c);
    for (auto* s : {&d.uVecVsTime, &d.rVecVsTime, &d.vVecVsTime, &d.aVecVsTime, &d.fVecVsTime, &d.mVecVsTime}) fill(*s, c);
}
void fill(ForcedResponseResultsSpeedDomain& d, Counter& c) {
    d.whirlMajorBendingSemiAxis = c();
    d.whirlMinorBendingSemiAxis = c();
    d.whirlPhaseAngle = c();
    for (auto* s : {&d.uVecVsSpeed, &d.rVecVsSpeed, &d.vVecVsSpeed, &d.aVecVsSpeed, &d.fVecVsSpeed, &d.mVecVsSpeed}) fill(*s, c);
}

// One speed with one documentation point and one bearing, every domain record filled.
SystemVibrationResults sampleTree() {
    Counter c;
    SystemVibrationResults r;
    r.solverStatus = 0;
    r.performedCalculation = 1;
    r.controllingShaftName = L"Antriebswelle";
    r.forcedResponseResults.resize(1);
    NWelleResultForcedResponse& speed = r.forcedResponseResults[0];
    speed.speedRefBound = 1500.0;
    speed.timeOutputs.time = {0.0, 0.001};
    speed.docPointResults.resize(1);
    DocPointForcedResponseResults& dp = speed.docPointResults[0];
    dp.docPointName = L"Messstelle \u00e4";
    dp.pos = 12.5;
    dp.staticUvec = NVektor(1e-6, -2e-6, 3e-6);
    fill(dp.docPointFreqDomain, c);
    fill(dp.docPointTimeDomain, c);
    fill(dp.docPointSpeedDomain, c);
    speed.bearingResults.resize(1);
    BearingForcedResponseResults& b = speed.bearingResults[0];
    b.name = L"Lager A";
    b.staticForce = NVektor(10, 20, 30);
    fill(b.bearingFreqDomain, c);
    fill(b.bearingTimeDomain, c);
    fill(b.bearingSpeedDomain, c);
    r.resultsPerShaft.resize(1);
    r.resultsPerShaft[0].bearingResults.resize(1);
    r.resultsPerShaft[0].bearingResults[0].bearingStiffnessMatrix = NMatrix{{1e8, 0.5}, {0.5, 2e8}};
    r.resultsPerGear.resize(1);
    r.resultsPerGear[0].timeDomainTE = {{{c(), c()}, {c()}}};
    r.resCampbellClassified.eigenID = {L"mode 1"};
    r.resCampbellClassified.eigenfrequencies.resize(1);
    r.resCampbellClassified.eigenfrequencies[0].curve = {c(), c()};
    return r;
}

// Every array under a domain record of `j` is non-empty (so the round trip compares real data).
void expectFilled(const json& domain, const std::string& where) {
    for (auto it = domain.begin(); it != domain.end(); ++it) {
        if (it->is_array()) {
            EXPECT_FALSE(it->empty()) << where << "." << it.key();
        }
    }
}
}  // namespace

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

TEST(VibrationResults, JsonRoundTripReproducesEveryNestedDomainRecordAndSeries) {
    const SystemVibrationResults original = sampleTree();
    const std::string text = original.toJson().dump();
    const json written = json::parse(text);
    const json& dp = written["forcedResponseResults"][0]["docPointResults"][0];
    const json& bearing = written["forcedResponseResults"][0]["bearingResults"][0];
    for (const char* d : {"docPointFreqDomain", "docPointTimeDomain", "docPointSpeedDomain"}) expectFilled(dp[d], d);
    for (const char* d : {"bearingFreqDomain", "bearingTimeDomain", "bearingSpeedDomain"}) expectFilled(bearing[d], d);
    EXPECT_EQ(dp["staticUvec"], json::parse("[1e-6, -2e-6, 3e-6]"));
    EXPECT_EQ(written["resultsPerShaft"][0]["bearingResults"][0]["bearingStiffnessMatrix"], json::parse("[[1e8, 0.5], [0.5, 2e8]]"));

    SystemVibrationResults back;
    back.fromJson(written);
    EXPECT_TRUE(ds::equalFields(back, original, SystemVibrationResults::recordInfo()));
    EXPECT_EQ(back.toJson().dump(), text);
    // Spot checks deep in the tree: rows keep their lengths and elements their places.
    const auto& series = back.forcedResponseResults[0].docPointResults[0].docPointTimeDomain.aVecVsTime;
    ASSERT_EQ(series.size(), 2u);
    ASSERT_EQ(series[0].size(), 7u);
    ASSERT_EQ(series[1].size(), 2u);
    EXPECT_EQ(series[1][1].phase, original.forcedResponseResults[0].docPointResults[0].docPointTimeDomain.aVecVsTime[1][1].phase);
    EXPECT_EQ(back.forcedResponseResults[0].bearingResults[0].staticForce, NVektor(10, 20, 30));
    EXPECT_EQ(back.resultsPerShaft[0].bearingResults[0].bearingStiffnessMatrix.getElem(1, 1), 2e8);
    EXPECT_EQ(back.resultsPerGear[0].timeDomainTE, original.resultsPerGear[0].timeDomainTE);
    EXPECT_EQ(back.forcedResponseResults[0].docPointResults[0].docPointName, L"Messstelle \u00e4");
}

TEST(VibrationResults, JsonAssignmentReadsTheScalarsAndLeavesTheListsAlone) {
    SystemVibrationResults r = sampleTree();
    const json before = r.toJson();
    json j = SystemVibrationResults().toJson();
    j["solverStatus"] = 3;
    j["performedCalculation"] = 2;
    j["includeTE"] = 1;
    j["wrongShaftOrGearCalcNum"] = 12;
    j["controllingShaftNumTM"] = 4;
    j["controllingShaftName"] = "Abtrieb";
    j["controllingShaftNominalSpeed"] = 3000;
    j["resCampbellClassified"]["eigenID"] = {"a", "b"};
    // Lists in the value are not read, not even when they hold something.
    j["resCampbell"] = json::array({json::object()});
    r = j;
    EXPECT_EQ(r.solverStatus, 3);
    EXPECT_EQ(r.performedCalculation, 2);
    EXPECT_EQ(r.includeTE, 1);
    EXPECT_EQ(r.wrongShaftOrGearCalcNum, 12);
    EXPECT_EQ(r.controllingShaftNumTM, 4);
    EXPECT_EQ(r.controllingShaftName, L"Abtrieb");
    EXPECT_EQ(r.controllingShaftNominalSpeed, 3000.0);
    EXPECT_EQ(r.resCampbellClassified.eigenID.size(), 2u);
    const json after = r.toJson();
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
    Counter c;
    fill(d, c);
    Meta* meta = d.getMeta();
    EXPECT_EQ(meta->GetVar("uVecVsSpeed")->GetType(), nmath::kTypeRecordVector2D);
    EXPECT_EQ(meta->GetVar("uVecVsSpeed")->size(), 2u);
    MetaVar* phase = d.GetMetaVar(L"mVecVsSpeed[0].6].phase");
    ASSERT_NE(phase, nullptr);
    EXPECT_EQ(phase->GetAsReal(), d.mVecVsSpeed[0][6].phase);

    GearMeshForcedResponseResultsFreqDomain g;
    EXPECT_EQ(g.getMeta()->GetVar("dispPLVsFreq")->GetType(), nmath::kTypeRecordVector);
    SystemVibrationResultsPerGear perGear;
    EXPECT_EQ(perGear.getMeta()->GetVar("timeDomainTE")->typeWord(), "list3<double>");
}
