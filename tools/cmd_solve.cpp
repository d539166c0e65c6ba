// drivesys solve DEFINITION.json [--modal | --campbell | --forced] [--out RESULTS.json]
#include <chrono>
#include <iostream>
#include <nlohmann/json.hpp>

#include "solver/definition_json.h"
#include "solver/solver.h"
#include "tools/commands.h"

namespace {
using json = nlohmann::json;

struct SolveOptions {
    std::string definitionPath;
    std::string outPath;
    bool modal = false, campbell = false, forced = false;
};

drivesys_cli::CommandRegistrar solveCommand(45, [](CLI::App& app, drivesys_cli::Registry& registry) {
    auto* cmd = app.add_subcommand("solve", "Solve a vibration definition: modal analysis, Campbell diagram or forced response");
    auto opt = std::make_shared<SolveOptions>();
    cmd->add_option("definition", opt->definitionPath, "Definition file (JSON; - for standard input)")->required();
    auto* modal = cmd->add_flag("--modal", opt->modal, "Modal analysis at the nominal speed");
    auto* campbell = cmd->add_flag("--campbell", opt->campbell, "Campbell diagram over campbellSpeed");
    auto* forced = cmd->add_flag("--forced", opt->forced, "Forced response");
    modal->excludes(campbell)->excludes(forced);
    campbell->excludes(forced);
    cmd->add_option("--out", opt->outPath, "Write the SystemVibrationResults JSON here (default: standard output)");
    cmd->callback([opt, &registry] {
        SolverInput input;
        try {
            input = ReadSolverInput(json::parse(drivesys_cli::readInput(opt->definitionPath)));
        } catch (const std::exception& e) {
            std::cerr << "drivesys: error: " << opt->definitionPath << ": " << e.what() << "\n";
            registry.exitCode = 2;
            return;
        }
        for (const std::string& key : input.unknownKeys)
            std::cerr << "drivesys: warning: " << opt->definitionPath << ": unknown key " << key << " (ignored)\n";
        if (opt->modal) input.options.calculation = 0;
        if (opt->forced) input.options.calculation = 1;
        if (opt->campbell) input.options.calculation = 2;
        if (input.hasForcedResponse) input.options.forcedResponse = &input.forcedResponse;
        // One progress line per speed once a solve has run for a second.
        const auto start = std::chrono::steady_clock::now();
        input.options.progress = [start](size_t done, size_t total) {
            if (std::chrono::steady_clock::now() - start > std::chrono::seconds(1))
                std::cerr << "solve: speed " << done << " of " << total << "\n";
        };
        SystemVibrationResults results;
        const SolverReport report = SolveSystemDynamics(input.definition, input.general, results, input.options);
        if (report.status != kSolverOk) {
            std::cerr << "drivesys: error: " << opt->definitionPath << ": " << report.message << " (solverStatus "
                      << report.status << ")\n";
            registry.exitCode = report.status == kSolverInputError ? 2 : 1;
            return;
        }
        const std::string text = results.toJson().dump(2) + "\n";
        if (opt->outPath.empty()) {
            std::cout << text;
            return;
        }
        std::ofstream out(std::filesystem::path(opt->outPath), std::ios::binary);
        out << text;
        if (!out.flush()) {
            std::cerr << "drivesys: error: cannot write " << opt->outPath << "\n";
            registry.exitCode = 1;
        }
    });
});
}  // namespace
