// Module variables of a system-dynamics result: exact lines of small hand-built results.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "drivesys/dynamics/module_variables.h"

namespace {

std::vector<std::string> writeAndRead(const SystemVibrationResults& r, const std::string& name) {
    const std::string path = ::testing::TempDir() + name;
    std::remove(path.c_str());
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(nWString::fromUtf8(path).c_str(), r));
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::remove(path.c_str());
    return lines;
}

const std::vector<std::string> kDefaultHeader = {
    "system_dynamics_status=10", "system_dynamics_performedCalculation=0",
    "system_dynamics_wrongShaftOrGearCalcNum=0", "system_dynamics_controllingShaftNumTM=-1"};

RiapSeries2 seriesWithElement6(double amplitude, double phase) {
    RiapSeries2 s(1, RiapSeries(7));
    s[0][6].amplitude = amplitude;
    s[0][6].phase = phase;
    return s;
}

TEST(ModuleVariablesSystemDynamics, EmptyResultGivesTheFourHeaderLines) {
    SystemVibrationResults r;
    EXPECT_EQ(writeAndRead(r, "mv_empty.txt"), kDefaultHeader);
    r.solverStatus = 0;
    r.wrongShaftOrGearCalcNum = int64_t{-9000000000};
    r.resultsPerShaft.resize(2);  // shafts without bearings or sub-shafts add nothing
    const auto lines = writeAndRead(r, "mv_empty2.txt");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "system_dynamics_status=0");
    EXPECT_EQ(lines[2], "system_dynamics_wrongShaftOrGearCalcNum=-9000000000");
}

TEST(ModuleVariablesSystemDynamics, BearingStiffnessIsWrittenRowByRow) {
    SystemVibrationResults r;
    r.resultsPerShaft.resize(2);
    BearingResultsForSystem b;
    b.shaftName = L"Welle \u00e4";
    b.bearingName = L"B1";
    b.isGeneralSupport = true;
    b.bearingStiffnessMatrix = NMatrix(6, 6);
    for (size_t i = 0; i < 6; ++i)
        for (size_t j = 0; j < 6; ++j) b.bearingStiffnessMatrix(i, j) = 10.0 * i + j + 0.5;
    r.resultsPerShaft[1].bearingResults = {BearingResultsForSystem(), b};
    const auto lines = writeAndRead(r, "mv_bearing.txt");
    // Four header lines, the first bearing (empty matrix: four lines), the second (4 + 36).
    ASSERT_EQ(lines.size(), 4u + 4u + 40u);
    EXPECT_EQ(lines[4], "system_dynamics_bearingResults_1_0_shaftName=");
    EXPECT_EQ(lines[8], "system_dynamics_bearingResults_1_1_shaftName=Welle \xC3\xA4");
    EXPECT_EQ(lines[10], "system_dynamics_bearingResults_1_1_isConnecting=0");
    EXPECT_EQ(lines[11], "system_dynamics_bearingResults_1_1_isGeneralSupport=1");
    EXPECT_EQ(lines[12], "system_dynamics_bearingResults_1_1_0_0_stiffness=0.5");
    EXPECT_EQ(lines[13], "system_dynamics_bearingResults_1_1_0_1_stiffness=1.5");
    EXPECT_EQ(lines[18], "system_dynamics_bearingResults_1_1_1_0_stiffness=10.5");
    EXPECT_EQ(lines.back(), "system_dynamics_bearingResults_1_1_5_5_stiffness=55.5");
}

TEST(ModuleVariablesSystemDynamics, ShaftsGearsAndModesInTheirOrder) {
    SystemVibrationResults r;
    r.resultsPerShaft.resize(1);
    ShaftResultsForSystem s;
    s.shaftName = L"S";
    s.shaftMass = 12.25;
    s.shaftMassMomentOfInertia = 0.1;
    NWelleResultEigenmodeProperties m;
    m.frequency = 0.0099999;
    m.description = L"bending";
    m.whirl = -1;
    s.mode = {m, m};
    s.mode[1].frequency = 0.01;
    r.resultsPerShaft[0].shaftResultsPerSubShaft = {s};
    GearCalcResultsForSystem g;
    g.gearName = L"Z1";
    g.shaftName = L"S";
    g.calcMethod = 3;
    g.calcMethodString = L"method 3";
    g.calcMethodStr = L"never written";
    g.gearMeshStiffness = 2e9;
    r.resultsPerGear.resize(1);
    r.resultsPerGear[0].gearCalcResults = {g};

    const auto lines = writeAndRead(r, "mv_modes.txt");
    const std::vector<std::string> expected = {
        "system_dynamics_shaftResults_0_0_shaftName=S",
        "system_dynamics_shaftResults_0_0_shaftMass=12.25",
        "system_dynamics_shaftResults_0_0_shaftMassMomentOfInertia=0.1",
        "system_dynamics_gearCalcResults_0_0_gearMeshStiffness=2000000000",
        "system_dynamics_gearCalcResults_0_0_nominalGearMeshFrequency=0",
        "system_dynamics_gearCalcResults_0_0_nominalGearSpeed=0",
        "system_dynamics_gearCalcResults_0_0_calcMethodString=method 3",
        "system_dynamics_gearCalcResults_0_0_calcMethod=3",
        "system_dynamics_gearCalcResults_0_0_shaftName=S",
        "system_dynamics_gearCalcResults_0_0_gearName=Z1",
        "system_dynamics_gearCalcResults_0_0_gearMass=0",
        "system_dynamics_gearCalcResults_0_0_gearMassMomentOfInertia=0",
        "system_dynamics_modalResults_0_0_shaftName=S",
        "system_dynamics_modalResults_0_0_mode_0_frequency=0",
        "system_dynamics_modalResults_0_0_mode_0_description=bending",
        "system_dynamics_modalResults_0_0_mode_0_whirl=-1",
        "system_dynamics_modalResults_0_0_mode_1_frequency=0.01",
        "system_dynamics_modalResults_0_0_mode_1_description=bending",
        "system_dynamics_modalResults_0_0_mode_1_whirl=-1",
    };
    ASSERT_EQ(lines.size(), 4 + expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.end()), expected);
}

TEST(ModuleVariablesSystemDynamics, ForcedResponseLines) {
    SystemVibrationResults r;
    NWelleResultForcedResponse fr;
    fr.speedRefBound = 1500;
    GearMeshForcedResponseResults mesh;
    mesh.dynamicFactor = 1.25;
    mesh.maxDynamicForce = 300;
    fr.gearMeshResults = {mesh};
    DocPointForcedResponseResults point;
    point.pos = 42.5;
    point.docPointShaftNumTM = 3;
    point.docPointSpeedDomain.whirlMajorBendingSemiAxis = 1e-6;
    point.docPointSpeedDomain.uVecVsSpeed = seriesWithElement6(5e-11, -5e-11);
    point.docPointSpeedDomain.rVecVsSpeed = seriesWithElement6(1e-10, 2.5);
    point.docPointSpeedDomain.fVecVsSpeed = RiapSeries2(1, RiapSeries(6));  // one element short
    // mVecVsSpeed left empty: no row at all
    fr.docPointResults = {point};
    BearingForcedResponseResults withSpectrum;
    withSpectrum.shaftNumTM = -2;
    withSpectrum.bearingFreqDomain.f = {10, 20};
    withSpectrum.bearingFreqDomain.fVecVsFreq = {RiapSeries(7), RiapSeries(3)};
    withSpectrum.bearingFreqDomain.fVecVsFreq[0][6].amplitude = 7.5;
    fr.bearingResults = {BearingForcedResponseResults(), withSpectrum};
    r.forcedResponseResults = {fr};

    const auto lines = writeAndRead(r, "mv_forced.txt");
    const std::vector<std::string> expected = {
        "system_dynamics_forcedResponse_0_speed=1500",
        "system_dynamics_forcedResponse_0_0_pos=42.5",
        "system_dynamics_forcedResponse_0_0_data_dynamicFactor=1.25",
        "system_dynamics_forcedResponse_0_0_data_maxDynamicForce=300",
        "system_dynamics_forcedResponse_0_0_data_whirlMajorBendingSemiAxis=1e-06",
        "system_dynamics_forcedResponse_0_0_data_whirlMinorBendingSemiAxis=0",
        "system_dynamics_forcedResponse_0_0_data_whirlPhaseAngle=0",
        "forcedResponse_0_3_0_data_uVecAmplitude_x=0",
        "forcedResponse_0_3_0_data_uVecPhase_x=0",
        "forcedResponse_0_3_0_data_rVecAmplitude_x=1e-10",
        "forcedResponse_0_3_0_data_rVecPhase_x=2.5",
        "forcedResponse_0_3_0_data_forceVecAmplitude_x=0",
        "forcedResponse_0_3_0_data_forceVecPhase_x=0",
        "forcedResponse_0_3_0_data_momentVecAmplitude_x=0",
        "forcedResponse_0_3_0_data_momentVecPhase_x=0",
        // The bearing without a spectrum writes nothing; the second's short row writes 0.
        "system_dynamics_forcedResponse_0_-2_1_0_data_forceXYZ=7.5",
        "system_dynamics_forcedResponse_0_-2_1_1_data_forceXYZ=0",
    };
    ASSERT_EQ(lines.size(), 4 + expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.end()), expected);
}

TEST(ModuleVariablesSystemDynamics, CampbellAndClassifiedCampbell) {
    SystemVibrationResults r;
    NWelleResultCampbells c;
    c.speed = 100;
    NWelleResultEigenmodeProperties m;
    m.frequency = 0.005;  // no threshold for Campbell modes
    m.whirl = 1;
    c.modeProperties = {m};
    r.resCampbell = {c};
    r.resCampbellClassified.frequencyInputRange = {0, 500, 500};
    r.resCampbellClassified.eigenID = {L"B1", L"T1"};
    CampbellCurve curve;
    curve.curve = {12.5, 13};
    r.resCampbellClassified.eigenfrequencies = {curve};  // no curve for the second identifier

    const auto lines = writeAndRead(r, "mv_campbell.txt");
    const std::vector<std::string> expected = {
        "system_dynamics_campbell_0_speed=100",
        "system_dynamics_campbell_0_0_properties_frequency=0.005",
        "system_dynamics_campbell_0_0_properties_whirl=1",
        "system_dynamics_frequencyInputRange=0",
        "system_dynamics_frequencyInputRange=500",
        "system_dynamics_frequencyInputRange=500",
        "system_dynamics_campbell_classified_0_eigenID=B1",
        "system_dynamics_campbell_classified_0_0_eigenfrequencies=12.5",
        "system_dynamics_campbell_classified_0_1_eigenfrequencies=13",
        "system_dynamics_campbell_classified_1_eigenID=T1",
    };
    ASSERT_EQ(lines.size(), 4 + expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.end()), expected);
}

TEST(ModuleVariablesSystemDynamics, AppendsAndNeverFails) {
    const std::string path = ::testing::TempDir() + "mv_append.txt";
    { std::ofstream(path, std::ios::binary) << "existing=1\n"; }
    SystemVibrationResults r;
    const nWString wide = nWString::fromUtf8(path);
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(wide.c_str(), r));
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(wide.c_str(), r));
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    std::string block;
    for (const auto& l : kDefaultHeader) block += l + "\n";
    EXPECT_EQ(all.str(), "existing=1\n" + block + block);
    std::remove(path.c_str());

    // A folder that does not exist, an empty name and a null name: nothing written, still true.
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(L"/nonexistent-folder/x/mv.txt", r));
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(L"", r));
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(nullptr, r));
}

}  // namespace
