// Module variables of a system-dynamics result: the exact lines of small hand-built results, and
// blocks that land whole or not at all: a write failure leaves the file as it was and are reported by the checked writers, blocks of concurrent writers in
// threads and processes never mix, a block always starts on a line of its own, and no text value
// can break its line.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "drivesys/dynamics/module_variables.h"
#include "drivesys/housing/housing_deformation.h"

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

void writeFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string tempPath(const std::string& name) {
    const std::string path = ::testing::TempDir() + name;
    std::remove(path.c_str());
    return path;
}

const std::string kHeader =
    "system_dynamics_status=10\n"
    "system_dynamics_performedCalculation=0\n"
    "system_dynamics_wrongShaftOrGearCalcNum=0\n"
    "system_dynamics_controllingShaftNumTM=-1\n";

/// A result of writer `tag` whose block is large (n × n stiffness lines, over 64 KiB for n = 40):
/// status `tag`, one bearing named "writer <tag>" whose stiffness values are all `tag`.
SystemVibrationResults taggedResult(int tag, size_t n) {
    SystemVibrationResults r;
    r.solverStatus = tag;
    r.resultsPerShaft.resize(1);
    BearingResultsForSystem b;
    b.shaftName = L"S";
    b.bearingName = L"writer " + nWString(tag);
    b.bearingStiffnessMatrix = NMatrix(n, n);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) b.bearingStiffnessMatrix(i, j) = tag;
    r.resultsPerShaft[0].bearingResults = {b};
    return r;
}

/// The block of taggedResult(tag, n), spelled out from the file format.
std::string taggedBlock(int tag, size_t n) {
    const std::string t = std::to_string(tag);
    const std::string b = "system_dynamics_bearingResults_0_0_";
    std::string s = "system_dynamics_status=" + t + "\nsystem_dynamics_performedCalculation=0\n"
                    "system_dynamics_wrongShaftOrGearCalcNum=0\nsystem_dynamics_controllingShaftNumTM=-1\n" +
                    b + "shaftName=S\n" + b + "bearingName=writer " + t + "\n" + b + "isConnecting=0\n" + b +
                    "isGeneralSupport=0\n";
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) s += b + std::to_string(i) + "_" + std::to_string(j) + "_stiffness=" + t + "\n";
    return s;
}

/// How many whole blocks of each tag the file holds; fails the test at the first byte that does
/// not continue a whole block.
std::map<int, int> countWholeBlocks(const std::string& text, size_t n) {
    std::map<int, int> counts;
    size_t at = 0;
    const std::string status = "system_dynamics_status=";
    while (at < text.size()) {
        if (text.compare(at, status.size(), status) != 0) {
            ADD_FAILURE() << "no block starts at byte " << at << ": " << text.substr(at, 80);
            break;
        }
        const int tag = std::atoi(text.c_str() + at + status.size());
        const std::string block = taggedBlock(tag, n);
        if (text.compare(at, block.size(), block) != 0) {
            ADD_FAILURE() << "block of writer " << tag << " at byte " << at << " is not whole";
            break;
        }
        ++counts[tag];
        at += block.size();
    }
    return counts;
}

/// The lines the writer gives `r`, without the first `skip` (the four of the header).
std::vector<std::string> writtenLines(const SystemVibrationResults& r, const std::string& name, size_t skip = 4) {
    const std::string path = tempPath(name);
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(nWString::fromUtf8(path).c_str(), r));
    std::istringstream in(readAll(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::remove(path.c_str());
    EXPECT_GE(lines.size(), skip);
    return std::vector<std::string>(lines.begin() + std::min(skip, lines.size()), lines.end());
}

// ---- the lines of a result ---------------------------------------------------------------------

RiapSeries2 seriesWithElement6(double amplitude, double phase) {
    RiapSeries2 s(1, RiapSeries(7));
    s[0][6].amplitude = amplitude;
    s[0][6].phase = phase;
    return s;
}

TEST(ModuleVariablesSystemDynamics, EmptyResultGivesTheFourHeaderLines) {
    SystemVibrationResults r;
    r.solverStatus = 0;
    r.wrongShaftOrGearCalcNum = int64_t{-9000000000};
    r.resultsPerShaft.resize(2);  // shafts without bearings or sub-shafts add nothing
    EXPECT_EQ(writtenLines(r, "mv_empty2.txt", 0),
              (std::vector<std::string>{"system_dynamics_status=0", "system_dynamics_performedCalculation=0",
                                        "system_dynamics_wrongShaftOrGearCalcNum=-9000000000",
                                        "system_dynamics_controllingShaftNumTM=-1"}));
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
    const auto lines = writtenLines(r, "mv_bearing.txt");
    // The first bearing (empty matrix: four lines), the second (4 + 36).
    ASSERT_EQ(lines.size(), 4u + 40u);
    EXPECT_EQ(lines[0], "system_dynamics_bearingResults_1_0_shaftName=");
    EXPECT_EQ(lines[4], "system_dynamics_bearingResults_1_1_shaftName=Welle \xC3\xA4");
    EXPECT_EQ(lines[6], "system_dynamics_bearingResults_1_1_isConnecting=0");
    EXPECT_EQ(lines[7], "system_dynamics_bearingResults_1_1_isGeneralSupport=1");
    EXPECT_EQ(lines[8], "system_dynamics_bearingResults_1_1_0_0_stiffness=0.5");
    EXPECT_EQ(lines[9], "system_dynamics_bearingResults_1_1_0_1_stiffness=1.5");
    EXPECT_EQ(lines[14], "system_dynamics_bearingResults_1_1_1_0_stiffness=10.5");
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

    EXPECT_EQ(writtenLines(r, "mv_modes.txt"), (std::vector<std::string>{
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
                                                       }));
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

    EXPECT_EQ(writtenLines(r, "mv_forced.txt"), (std::vector<std::string>{
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
                                                       }));
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

    EXPECT_EQ(writtenLines(r, "mv_campbell.txt"), (std::vector<std::string>{
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
                                                       }));
}

// ---- failures are reported and leave the file as it was ----------------------------------------

TEST(ModuleVariablesFile, CheckedWritersReportWhatTheUncheckedOnesIgnore) {
    const SystemVibrationResults r;
    std::string error;
    EXPECT_FALSE(WriteModuleVariablesSystemDynamicsChecked(L"/nonexistent-folder/x/mv.txt", r, &error));
    EXPECT_NE(error.find("cannot open /nonexistent-folder/x/mv.txt"), std::string::npos) << error;
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    EXPECT_FALSE(WriteModuleVariablesSystemDynamicsChecked(L"", r, &error));
    EXPECT_FALSE(WriteModuleVariablesSystemDynamicsChecked(nullptr, r));
    EXPECT_FALSE(WriteModuleVariablesHousingDeformationChecked(L"/nonexistent-folder/h.txt", HousingDeformationResults(), &error));
    EXPECT_NE(error.find("/nonexistent-folder/h.txt"), std::string::npos) << error;
    // The unchecked writers report success whatever happens: no folder, an empty or a null name.
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(L"/nonexistent-folder/x/mv.txt", r));
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(L"", r));
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(nullptr, r));
    EXPECT_TRUE(WriteModuleVariablesHousingDeformation(L"/nonexistent-folder/h.txt", HousingDeformationResults()));
    // A device that is always full: the error is the device's.
    EXPECT_FALSE(WriteModuleVariablesSystemDynamicsChecked(L"/dev/full", r, &error));
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;

    const std::string path = tempPath("mv_checked.txt");
    EXPECT_TRUE(WriteModuleVariablesSystemDynamicsChecked(nWString::fromUtf8(path).c_str(), r, &error));
    EXPECT_EQ(readAll(path), kHeader);
    std::remove(path.c_str());
}

TEST(ModuleVariablesFile, AWriteCutShortByTheFileSizeLimitLeavesTheFileAsItWas) {
    // The limit lets the first 100 bytes of the block through and refuses the rest: the kernel
    // writes part of the block before the writer sees the failure. Run in a child process so the
    // limit does not touch this one.
    const std::string path = tempPath("mv_limit.txt");
    writeFile(path, "keep=1\n");
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeFds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 7 + 100;
        setrlimit(RLIMIT_FSIZE, &limit);
        const nWString wide = nWString::fromUtf8(path);
        std::string error;
        const bool checked = WriteModuleVariablesSystemDynamicsChecked(wide.c_str(), taggedResult(1, 40), &error);
        const bool plain = WriteModuleVariablesSystemDynamics(wide.c_str(), taggedResult(2, 40));
        HousingDeformationResults h;
        h.bearingResultsShaftsCS.resize(20);
        std::string housingError;
        const bool housing = WriteModuleVariablesHousingDeformationChecked(wide.c_str(), h, &housingError);
        error += "\n" + housingError;
        (void)!write(pipeFds[1], error.data(), error.size());
        _exit((checked ? 1 : 0) | (plain ? 0 : 2) | (housing ? 4 : 0));
    }
    close(pipeFds[1]);
    std::string error;
    char chunk[256];
    for (ssize_t n; (n = read(pipeFds[0], chunk, sizeof chunk)) > 0;) error.append(chunk, size_t(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: checked writer said yes, 2: unchecked writer said no, 4: housing said yes";
    EXPECT_EQ(error, "cannot write " + path + ": File too large (nothing was appended)\ncannot write " + path +
                         ": File too large (nothing was appended)");
    EXPECT_EQ(readAll(path), "keep=1\n");
    std::remove(path.c_str());
}

// ---- concurrent writers -----------------------------------------------------------------------

TEST(ModuleVariablesFile, BlocksOfConcurrentThreadsNeverMix) {
    const std::string path = tempPath("mv_threads.txt");
    const nWString wide = nWString::fromUtf8(path);
    constexpr int kThreads = 4;
    constexpr int kBlocks = 12;
    std::vector<std::thread> threads;
    std::vector<int> failures(kThreads, 0);
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            const SystemVibrationResults r = taggedResult(t + 1, 40);
            for (int i = 0; i < kBlocks; ++i)
                if (!WriteModuleVariablesSystemDynamicsChecked(wide.c_str(), r)) ++failures[t];
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(failures, std::vector<int>(kThreads, 0));
    const std::map<int, int> counts = countWholeBlocks(readAll(path), 40);
    EXPECT_EQ(counts, (std::map<int, int>{{1, kBlocks}, {2, kBlocks}, {3, kBlocks}, {4, kBlocks}}));
    std::remove(path.c_str());
}

TEST(ModuleVariablesFile, BlocksOfTwoProcessesNeverMix) {
    const std::string path = tempPath("mv_processes.txt");
    const nWString wide = nWString::fromUtf8(path);
    constexpr int kBlocks = 20;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    const int tag = child == 0 ? 2 : 1;
    const SystemVibrationResults r = taggedResult(tag, 40);
    int failures = 0;
    for (int i = 0; i < kBlocks; ++i)
        if (!WriteModuleVariablesSystemDynamicsChecked(wide.c_str(), r)) ++failures;
    if (child == 0) _exit(failures == 0 ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(countWholeBlocks(readAll(path), 40), (std::map<int, int>{{1, kBlocks}, {2, kBlocks}}));
    std::remove(path.c_str());
}

// ---- where a block starts, what a value may hold ------------------------------------------------

TEST(ModuleVariablesFile, ABlockStartsOnALineOfItsOwn) {
    const std::string path = tempPath("mv_lastline.txt");
    const nWString wide = nWString::fromUtf8(path);
    writeFile(path, "user_key=42");
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(wide.c_str(), SystemVibrationResults()));
    EXPECT_EQ(readAll(path), "user_key=42\n" + kHeader);
    // Ending with a line feed already (here: after the block): no blank line in between.
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(wide.c_str(), SystemVibrationResults()));
    EXPECT_EQ(readAll(path), "user_key=42\n" + kHeader + kHeader);
    // An empty file gets no line feed in front.
    writeFile(path, "");
    EXPECT_TRUE(WriteModuleVariablesHousingDeformation(wide.c_str(), HousingDeformationResults()));
    EXPECT_EQ(readAll(path).substr(0, 30), "housing_deformation_status=-1\n");
    // A last line ending in a carriage return alone is still unfinished.
    writeFile(path, "a=1\r");
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(wide.c_str(), SystemVibrationResults()));
    EXPECT_EQ(readAll(path), "a=1\r\n" + kHeader);
    std::remove(path.c_str());
}

TEST(ModuleVariablesFile, NoTextValueBreaksItsLine) {
    const std::string path = tempPath("mv_names.txt");
    const nWString wide = nWString::fromUtf8(path);
    SystemVibrationResults r;
    r.resultsPerShaft.resize(1);
    BearingResultsForSystem b;
    b.shaftName = L"A\rB\tC\x7f" L"D";
    b.bearingName = L"B\nsystem_dynamics_status=0";
    r.resultsPerShaft[0].bearingResults = {b};
    ShaftResultsForSystem sub;
    sub.shaftName = L"x\u0085y\u2028z\u2029\u00e4";
    NWelleResultEigenmodeProperties mode;
    mode.frequency = 5;
    mode.description = nWString(L"bend\0ing", 8);
    sub.mode = {mode};
    r.resultsPerShaft[0].shaftResultsPerSubShaft = {sub};
    r.resCampbellClassified.eigenID = {L"\x1b[31mred"};
    EXPECT_TRUE(WriteModuleVariablesSystemDynamics(wide.c_str(), r));
    const std::string text = readAll(path);
    const std::string p = "system_dynamics_";
    EXPECT_EQ(text, kHeader +
                        p + "bearingResults_0_0_shaftName=A B C D\n" +
                        p + "bearingResults_0_0_bearingName=B system_dynamics_status=0\n" +
                        p + "bearingResults_0_0_isConnecting=0\n" +
                        p + "bearingResults_0_0_isGeneralSupport=0\n" +
                        p + "shaftResults_0_0_shaftName=x y z \xC3\xA4\n" +
                        p + "shaftResults_0_0_shaftMass=0\n" +
                        p + "shaftResults_0_0_shaftMassMomentOfInertia=0\n" +
                        p + "modalResults_0_0_shaftName=x y z \xC3\xA4\n" +
                        p + "modalResults_0_0_mode_0_frequency=5\n" +
                        p + "modalResults_0_0_mode_0_description=bend ing\n" +
                        p + "modalResults_0_0_mode_0_whirl=0\n" +
                        p + "campbell_classified_0_eigenID= [31mred\n");

    HousingDeformationResults h;
    h.housingName = L"H\n";
    h.stiffnessMatrixFileName = L"a\r\nhousing_deformation_status=0";
    writeFile(path, "");
    EXPECT_TRUE(WriteModuleVariablesHousingDeformation(wide.c_str(), h));
    EXPECT_EQ(readAll(path), "housing_deformation_status=-1\n"
                             "housing_deformation_convergenceAccuracy=-1\n"
                             "housing_deformation_housingName=H \n"
                             "housing_deformation_stiffnessMatrixFileName=a  housing_deformation_status=0\n"
                             "housing_deformation_maxNumIterations=-1\n");
    std::remove(path.c_str());
}

}  // namespace
