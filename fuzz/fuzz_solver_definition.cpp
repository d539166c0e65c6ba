// The solver's definition file on arbitrary text: reading refuses or accepts, and a small
// accepted definition solves to a status without a crash, a hang or a non-finite result.
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "drivesys/solver/definition_json.h"
#include "drivesys/solver/solver.h"

namespace {
/// Small enough to solve in milliseconds: a few sub-shafts of a few sections, nodes only at
/// section boundaries and elements.
bool small(const SystemDefinitionData& d) {
    size_t sections = 0, items = 0;
    for (const auto& shaft : d.secLength)
        for (const auto& sub : shaft) sections += sub.size() + 1;
    for (const auto& shaft : d.bearingName)
        for (const auto& sub : shaft) items += sub.size();
    for (const auto& shaft : d.gearName)
        for (const auto& sub : shaft) items += sub.size();
    return sections + items + d.docPointName.size() <= 24 && d.campbellSpeed.size() <= 4;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    nlohmann::json j = nlohmann::json::parse(data, data + size, nullptr, false);
    if (j.is_discarded()) return 0;
    if (j.is_object()) j.erase("housing");  // names a file; fuzzed by the housing_section harness
    SolverInput in;
    try {
        in = ReadSolverInput(j);
    } catch (const std::invalid_argument&) {
        return 0;
    }
    if (!small(in.definition.data)) return 0;
    in.options.maxElementLength = 0.0;
    in.options.threads = 1;
    in.options.memoryLimit = 256e6;
    in.options.numModes = std::min(in.options.numModes, 6u);
    in.forcedResponse.speeds.resize(std::min<size_t>(in.forcedResponse.speeds.size(), 3));
    in.forcedResponse.numPlotPoints = std::min(in.forcedResponse.numPlotPoints, 3u);
    in.forcedResponse.numHarmonics = std::min(in.forcedResponse.numHarmonics, 2u);
    in.options.forcedResponse = &in.forcedResponse;
    SystemVibrationResults r;
    const SolverReport report = SolveSystemDynamics(in.definition, in.general, r, in.options);
    if (report.status != r.solverStatus) std::abort();
    if (report.status == kSolverOk && report.message.size()) std::abort();
    if (report.status != kSolverOk && report.message.empty()) std::abort();
    return 0;
}
