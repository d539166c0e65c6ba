// A small host: creates records, describes the module screen, stores and restores records as
// JSON, writes the module variables of a result and computes a housing deflection.
#include <drivesys/drivesys.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

namespace {
int fail(const char* what) {
    std::cerr << "host_app: " << what << "\n";
    return 1;
}
}  // namespace

int main() {
    // 1. Create a record from its class name, as a host restoring a project does.
    const ds::CatalogEntry* entry = ds::Catalog::instance().find("NvCoordinateSystem");
    if (!entry) return fail("record class missing");
    auto frame = entry->info->create();
    frame->getMeta()->GetMetaVar(L"position.x")->SetVar(120.0);  // as the host's screen does

    // 2. Store and restore.
    const nlohmann::json stored = frame->toJson();
    auto restored = entry->info->create();
    restored->fromJson(stored);
    if (restored->toJson() != stored) return fail("round trip failed");
    std::cout << "records catalogued: " << ds::Catalog::instance().entries().size() << "\n";
    std::cout << "frame: " << stored.dump() << "\n";

    // 3. Describe the module screen over the host's tab records, then change a member through it.
    ds::S020Records tabs;
    Meta screen;
    if (tabs.describe(screen) != 1) return fail("screen description failed");
    nlohmann::json dump;
    screen.dump(dump);
    std::cout << "module screen: " << dump["items"].size() << " items\n";

    // 4. Module variables of a (tiny) system-dynamics result.
    SystemVibrationResults results;
    results.solverStatus = 0;
    results.resCampbellClassified.frequencyInputRange = {0.0, 3000.0};
    const std::string modvars = "host_app_modvars.txt";
    std::remove(modvars.c_str());
    WriteModuleVariablesSystemDynamics(nWString::fromUtf8(modvars).c_str(), results);
    std::ifstream in(modvars);
    size_t lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    std::cout << "module variables: " << lines << " lines\n";
    if (lines != 6) return fail("unexpected module-variable lines");

    // 5. A housing deflection: one FE node with a diagonal stiffness, one bearing on it.
    NMatrix k = NMatrix::identity(6);
    for (size_t i = 0; i < 6; ++i) k(i, i) = i < 3 ? 1e5 : 1e7;  // N/mm, N·mm/rad
    const NFEMCasing::Frame reference = {NVektor(0, 0, 0), NVektor(1, 0, 0), NVektor(0, 1, 0), NVektor(0, 0, 1)};
    std::vector<unsigned> nodeNumbers = {101};
    NFEMCasing casing(true, 1.0, k, {reference}, {{NVektor(0, 0, 0)}}, {NVektor(0, 0, 0)}, reference, reference,
                      FEStiffnessMatrixSystemOfUnits(), nodeNumbers, false, false, false);
    if (casing.getConstructorStatus() != CasingOk) return fail("housing coupling failed");
    NFEMCasing::PerShaftVectors u, r;
    casing.calculateCasingDeflection({{NVektor(0, 1000, 0)}}, {{NVektor(0, 0, 0)}}, u, r);
    // Deflections come back in metres: 1 kN on 1e5 N/mm is 0.01 mm.
    std::cout << "housing deflection under 1 kN: " << u[0][0].y << " m\n";
    if (std::abs(u[0][0].y - 1e-5) > 1e-12) return fail("unexpected housing deflection");
    return 0;
}
