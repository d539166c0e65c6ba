// Demo step: the sample system-dynamics result (sample data from closed-form shaft physics, not
// a solver run) as JSON and as the module-variables file the suite reads.
#include <filesystem>
#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

#include "drivesys/drivesys.h"
#include "dynamics/sample_results.h"
#include "tools/commands.h"
#include "tools/modvars_text.h"

namespace {
drivesys_cli::DemoStepRegistrar resultsStep(75, "sample results", [](drivesys_cli::DemoContext& ctx) {
    const SystemVibrationResults results = sampleVibrationResults();
    ctx.writeRecordFile("results/sample_vibration_results.json", results.toJson().dump() + "\n",
                        "SystemVibrationResults");

    const std::string modvars = drivesys_cli::moduleVariablesText(results);
    ctx.writeFile("results/module_variables.txt", modvars);
    const size_t lines = size_t(std::count(modvars.begin(), modvars.end(), '\n'));

    size_t modes = 0;
    for (const auto& shaft : results.resultsPerShaft)
        for (const auto& sub : shaft.shaftResultsPerSubShaft) modes += sub.mode.size();
    ctx.summary << "  sample results (sample data, not a solver run): " << results.resultsPerShaft.size() << " shafts, "
                << modes << " modes, Campbell over " << results.resCampbell.size() << " speeds, forced response at "
                << results.forcedResponseResults.size() << " speeds; " << lines
                << " module-variable lines in results/module_variables.txt\n";
});
}  // namespace
