// Demo step: the sample system-dynamics result (sample data from closed-form shaft physics, not
// a solver run) as JSON and as the module-variables file the suite reads.
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>

#include "drivesys/drivesys.h"
#include "dynamics/sample_results.h"
#include "tools/commands.h"

namespace {
drivesys_cli::DemoStepRegistrar resultsStep(75, "sample results", [](drivesys_cli::DemoContext& ctx) {
    const SystemVibrationResults results = sampleVibrationResults();
    ctx.writeRecordFile("results/sample_vibration_results.json", results.toJson().dump() + "\n",
                        "SystemVibrationResults");

    // The writer appends: start from an empty file so that a second demo run gives the same file.
    const std::filesystem::path modvars = ctx.outDir / "results" / "module_variables.txt";
    std::filesystem::remove(modvars);
    WriteModuleVariablesSystemDynamics(nWString::fromUtf8(modvars.string()).c_str(), results);
    ctx.written.push_back("results/module_variables.txt");
    size_t lines = 0;
    std::ifstream in(modvars);
    for (std::string line; std::getline(in, line);) ++lines;

    size_t modes = 0;
    for (const auto& shaft : results.resultsPerShaft)
        for (const auto& sub : shaft.shaftResultsPerSubShaft) modes += sub.mode.size();
    ctx.summary << "  sample results (sample data, not a solver run): " << results.resultsPerShaft.size() << " shafts, "
                << modes << " modes, Campbell over " << results.resCampbell.size() << " speeds, forced response at "
                << results.forcedResponseResults.size() << " speeds; " << lines
                << " module-variable lines in results/module_variables.txt\n";
});
}  // namespace
