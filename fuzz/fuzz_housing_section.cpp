// The housing section of a solver definition on arbitrary JSON: reading refuses it or accepts it,
// a section it accepted writes and reads back to the same section, and a small rotor standing on
// it solves to a status (refused with a message, or solved) without a crash, a hang or a
// non-finite result. The stiffness file is always the shipped sample box housing (the file reader
// has its own harness), so no input reaches other files.
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "drivesys/solver/definition_json.h"
#include "drivesys/solver/solver.h"

#ifndef DRIVESYS_EXAMPLE_DATA
#error "DRIVESYS_EXAMPLE_DATA names the folder of the sample stiffness file"
#endif

namespace {
/// Two shafts of two bearings each near the box housing's bores (x = 0 and 0.15 m, walls at
/// z = 0 and 0.2 m), the shafts' axes along global z.
SystemDefinition rotors() {
    SystemDefinition def;
    SystemDefinitionData& d = def.data;
    d.shaftsNames = {{L"in"}, {L"out"}};
    d.shaftOrigin = {{NVektor(0, 0, -0.01)}, {NVektor(0.15, 0, -0.01)}};
    d.shaftX_axis = {NVektor(1, 0, 0), NVektor(1, 0, 0)};
    d.shaftY_axis = {NVektor(0, 0, 1), NVektor(0, 0, 1)};
    d.shaftZ_axis = {NVektor(0, -1, 0), NVektor(0, -1, 0)};
    d.shaftE = d.shaftG = d.shaftRo = {{0.0}, {0.0}};
    for (size_t s = 0; s < 2; ++s) {
        d.shaftE[s][0] = 2.1e11, d.shaftG[s][0] = 8.1e10, d.shaftRo[s][0] = 7850;
    }
    d.secLength = {{{0.22}}, {{0.22}}};
    d.secLda = {{{0.04}}, {{0.05}}};
    d.bearingName = {{{L"A1", L"A2"}}, {{L"B1", L"B2"}}};
    d.bearingPosition = {{{NVektor(0, 0.01, 0), NVektor(0, 0.21, 0)}}, {{NVektor(0, 0.01, 0), NVektor(0, 0.21, 0)}}};
    d.bearingStiffnessFxUx = d.bearingStiffnessFzUz = {{{2e8, 2e8}}, {{2e8, 2e8}}};
    d.bearingStiffnessFyUy = {{{5e7, 0}}, {{5e7, 0}}};
    d.bearingDampingX = {{{500, 500}}, {{0, 0}}};
    return def;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    nlohmann::json j = nlohmann::json::parse(data, data + size, nullptr, false);
    if (j.is_discarded()) return 0;
    if (j.is_object() && j.contains("stiffnessFile")) j["stiffnessFile"] = "box_housing.txt";
    std::vector<std::string> unknown;
    HousingDefinition housing;
    try {
        housing = ReadHousingDefinition(j, DRIVESYS_EXAMPLE_DATA, unknown);
    } catch (const std::invalid_argument&) {
        return 0;
    }
    const nlohmann::json written = WriteHousingDefinition(housing);
    const HousingDefinition again = ReadHousingDefinition(written, DRIVESYS_EXAMPLE_DATA, unknown);
    if (WriteHousingDefinition(again) != written || !(again.rings == housing.rings)) std::abort();

    const SystemDefinition def = rotors();
    GeneralSystemDynamicsDefinitions general;
    SolverOptions options;
    options.numModes = 4;
    options.maxElementLength = 0.0;
    options.housing = &housing;
    for (int calculation : {0, 1}) {
        options.calculation = calculation;
        SystemVibrationResults r;
        const SolverReport report = SolveSystemDynamics(def, general, r, options);
        if (report.status != r.solverStatus) std::abort();
        if ((report.status == kSolverOk) != report.message.empty()) std::abort();
    }
    return 0;
}
