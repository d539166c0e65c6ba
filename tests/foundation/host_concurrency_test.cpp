// What a host does on several threads at once, each thread with its own objects: records of every
// class, the two screens, diagrams, module variables into separate files, a housing coupling and
// message capture. Every thread must get what one thread alone gets (built first, on the main
// thread); the ThreadSanitizer build runs this program (label "concurrency").
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <numeric>
#include <sstream>
#include <thread>
#include <unistd.h>

#include "drivesys/diagrams.h"
#include "drivesys/drivesys.h"
#include "drivesys/housing/nfemcasing.h"
#include "drivesys/platform/nfem/festiffnessfile.h"
#include "drivesys/platform/ntypes/internmessage.h"
#include "drivesys/samples/sample_results.h"
#include "drivesys/render/diagram_svg.h"

namespace {
namespace fs = std::filesystem;
constexpr int kThreads = 4;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

/// Every record class: default JSON, read back its own way, clone and describe.
std::string recordsOfEveryClass() {
    std::string out;
    for (const auto& e : ds::Catalog::instance().entries()) {
        auto record = e.info->create();
        const nlohmann::json j = record->toJson();
        auto copy = e.info->create();
        e.read(*copy, j);
        auto clone = copy->clone();
        out += e.info->className() + " " + clone->toJson().dump() + " " +
               std::to_string(clone->getMeta()->GetNumberOfVars()) + "\n";
    }
    return out;
}

std::string screens() {
    ds::S020Records records;
    Meta s020;
    records.describe(s020);
    SystemDefinition definition;
    Meta s010;
    Meta_S010(definition, &s010);
    return std::to_string(s020.GetNumberOfVars()) + " " + std::to_string(s010.GetNumberOfVars());
}

std::string diagrams() {
    SystemVibrationResults results = sampleVibrationResults();
    std::string out;
    const std::pair<int, const wchar_t*> requests[] = {
        {2, L"DrawCampbell"}, {0, L"DrawModeShape_Deflection_Y_0_0_1"}, {1, L"DrawForcedResponse_Deflection_Amplitude_Y_0_0_0"}};
    for (const auto& [calculation, command] : requests) {
        results.performedCalculation = calculation;
        nGrafikData data;
        data = InitSystemDynamicGrafik(command, data, true, NCalculationContext(), false, 0, 4, 0, 0, 0, false, results);
        out += data.toJson().dump() + ds::renderDiagramSvg(data);
    }
    return out;
}

/// Both module-variable writers into files of this thread's own.
std::string moduleVariables(const fs::path& folder, const std::string& tag) {
    const fs::path dynamics = folder / ("dynamics_" + tag + ".txt");
    const fs::path housing = folder / ("housing_" + tag + ".txt");
    fs::remove(dynamics);
    fs::remove(housing);
    WriteModuleVariablesSystemDynamics(dynamics.wstring().c_str(), sampleVibrationResults());
    HousingDeformationResults h;
    h.housingName = L"box";
    h.returnedStatus = 0;
    WriteModuleVariablesHousingDeformation(housing.wstring().c_str(), h);
    return readFile(dynamics) + readFile(housing);
}

std::string housing() {
    const FEStiffnessMatrixFile f =
        readFEStiffnessMatrixFile(nWString::fromUtf8(std::string(DRIVESYS_SOURCE_DIR) + "/examples/data/box_housing.txt"));
    const std::vector<NVektor> axisFrame{NVektor(), NVektor(0, 0, 1), NVektor(1, 0, 0), NVektor(0, 1, 0)};
    std::vector<unsigned> numbers = f.nodeNumbers;
    // The nodes' block (the file's modal coordinates follow it) and two shafts on the first two
    // bores of each wall.
    std::vector<size_t> nodeDofs(6 * f.nodeCoords.size());
    std::iota(nodeDofs.begin(), nodeDofs.end(), size_t(0));
    const NMatrix k = f.stiffness.gather(nodeDofs, nodeDofs);
    const NFEMCasing casing(true, 5.0, k, {axisFrame, axisFrame},
                            {{f.nodeCoords[0], f.nodeCoords[3]}, {f.nodeCoords[1], f.nodeCoords[4]}}, f.nodeCoords, {}, {},
                            f.systemOfUnits, numbers, true, false, false);
    const NFEMCasing::PerShaftVectors forces{{NVektor(500, 1000, -2000), NVektor(0, 1000, 300)},
                                             {NVektor(-500, -1000, 2000), NVektor(0, 200, -300)}};
    const NFEMCasing::PerShaftVectors moments{{NVektor(1, -2, 3), NVektor()}, {NVektor(), NVektor(0, 5, 0)}};
    NFEMCasing::PerShaftVectors u, r;
    casing.calculateCasingDeflection(forces, moments, u, r);
    std::ostringstream out;
    out.precision(17);
    out << casing.getConstructorStatus();
    for (const auto& shaft : u)
        for (const auto& p : shaft) out << " " << p.x << " " << p.y << " " << p.z;
    return out.str();
}

/// A refused index path reports one message naming the path; only this thread's capture sees it.
std::vector<std::wstring> capturedMessages(int t) {
    ntypes::InternMessageCapture capture;
    nvLoadSpectrumTab tab;
    for (int i = 0; i < 20; ++i)
        (void)tab.GetMetaVar(nWString(L"elements[x") + nWString(static_cast<unsigned long long>(t)) + L"]");
    std::vector<std::wstring> texts;
    for (const auto& m : capture.messages()) texts.push_back(m.text);
    return texts;
}

TEST(HostConcurrency, EveryThreadGetsWhatOneThreadAloneGets) {
    const fs::path folder = fs::temp_directory_path() / ("drivesys_host_concurrency_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string records = recordsOfEveryClass();
    const std::string screen = screens();
    const std::string diagram = diagrams();
    const std::string modvars = moduleVariables(folder, "reference");
    const std::string casing = housing();
    ASSERT_FALSE(modvars.empty());

    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            EXPECT_EQ(recordsOfEveryClass(), records);
            EXPECT_EQ(screens(), screen);
            EXPECT_EQ(diagrams(), diagram);
            EXPECT_EQ(moduleVariables(folder, std::to_string(t)), modvars);
            EXPECT_EQ(housing(), casing);
            const auto messages = capturedMessages(t);
            ASSERT_EQ(messages.size(), 20u);
            const std::wstring mine = L"x" + std::to_wstring(t) + L"]";
            for (const auto& text : messages) EXPECT_NE(text.find(mine), std::wstring::npos) << ntypes::toUtf8(text);
        });
    }
    for (auto& th : threads) th.join();
    fs::remove_all(folder);
}
}  // namespace
