// Demo step: the sample gearbox's vibration definition, solved (Campbell diagram, modal analysis
// at the nominal speed, forced response under gear-mesh excitation), as JSON and as the
// module-variables file the suite reads.
#include <filesystem>
#include <algorithm>
#include <fmt/format.h>
#include <nlohmann/json.hpp>
#include <ostream>

#include "drivesys/drivesys.h"
#include "tools/commands.h"
#include "tools/demo_solved.h"
#include "tools/housing_report.h"
#include "tools/modvars_text.h"

namespace {
drivesys_cli::DemoStepRegistrar resultsStep(75, "vibration results", [](drivesys_cli::DemoContext& ctx) {
    const drivesys_cli::DemoSolution& solved = drivesys_cli::demoSolution();
    const SystemVibrationResults& results = solved.results;
    ctx.writeFile("solver/sample_definition.json", WriteSolverInput(solved.input).dump(2) + "\n");
    ctx.writeFile("solver/box_housing.txt", solved.housingFile);
    nlohmann::json housing = drivesys_cli::housingReportJson(solved.report);
    housing["forcedResponse"] = drivesys_cli::housingReportJson(solved.forcedReport)["forcedResponse"];
    ctx.writeFile("results/housing_report.json", housing.dump(2) + "\n");
    ctx.writeRecordFile("results/vibration_results.json", results, SystemVibrationResults::recordInfo(), -1);

    const std::string modvars = drivesys_cli::moduleVariablesText(results);
    ctx.writeFile("results/module_variables.txt", modvars);
    const size_t lines = size_t(std::count(modvars.begin(), modvars.end(), '\n'));

    size_t modes = 0;
    for (const auto& shaft : results.resultsPerShaft)
        for (const auto& sub : shaft.shaftResultsPerSubShaft) modes += sub.mode.size();
    ctx.summary << fmt::format(
        "  solved the sample gearbox ({} DOF with its housing) in {:.1f} s: {} modes at {} 1/min, Campbell over {} speeds, "
        "forced response at {} speeds; {} module-variable lines in results/module_variables.txt\n",
        solved.dofCount, solved.seconds, modes, results.controllingShaftNominalSpeed, results.resCampbell.size() - 1,
        results.forcedResponseResults.size(), lines);
    // The lowest elastic modes without and with the housing, matched by their names, and the
    // housing's own modes (results/housing_report.json has every mode's shares).
    ctx.summary << "  modes at " << results.controllingShaftNominalSpeed << " 1/min, bearings on the ground -> in the box housing:\n";
    const SolverReport& coupled = solved.report;
    for (const ModeStability& g : solved.grounded.modes) {
        if (g.rigid) continue;
        for (size_t i = 0; i < coupled.modes.size(); ++i)
            if (coupled.modes[i].description == g.description)
                ctx.summary << fmt::format("    {:<22} {:7.1f} Hz -> {:7.1f} Hz (housing: {:2.0f} % of the strain energy)\n", g.description,
                                           g.frequency, coupled.modes[i].frequency, 100.0 * coupled.housing.modeStrainShare.at(i));
    }
    std::string housingModes;
    for (const ModeStability& m : coupled.modes)
        if (m.description.find("housing") != std::string::npos) housingModes += fmt::format(" {:.0f}", m.frequency);
    ctx.summary << "    housing modes (Hz):" << housingModes << "; stiffness from " << solved.housingSource << "\n";
});
}  // namespace
