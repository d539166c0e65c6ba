// drivesys solve DEFINITION.json [--modal | --campbell | --forced] [--threads N] [--out RESULTS.json]
//                [--summary SUMMARY.json [--operating-range MIN:MAX] [--orders LIST]]
#include <chrono>
#include <iostream>
#include <nlohmann/json.hpp>

#include "drivesys/foundation/record_text.h"
#include "drivesys/solver/definition_json.h"
#include "drivesys/solver/solver.h"
#include "drivesys/solver/summary.h"
#include "tools/cli_io.h"
#include "tools/commands.h"
#include "tools/housing_report.h"
#include "tools/solver_cli.h"

namespace {
using json = nlohmann::json;

struct SolveOptions {
    std::string definitionPath;
    std::string outPath, housingReportPath;
    std::string summaryPath;
    drivesys_cli::SummaryArguments summary;
    bool modal = false, campbell = false, forced = false;
    int threads = -1;  // not given: the definition file's solverOptions.threads
};

drivesys_cli::CommandRegistrar solveCommand(45, [](CLI::App& app, drivesys_cli::Registry&) {
    auto* cmd = app.add_subcommand("solve", "Solve a vibration definition: modal analysis, Campbell diagram or forced response");
    auto opt = std::make_shared<SolveOptions>();
    cmd->add_option("definition", opt->definitionPath, "Definition file (JSON; - for standard input)")
        ->required()
        ->check(drivesys_cli::inputFileValidator());
    auto* modal = cmd->add_flag("--modal", opt->modal, "Modal analysis at the nominal speed");
    auto* campbell = cmd->add_flag("--campbell", opt->campbell, "Campbell diagram over campbellSpeed");
    auto* forced = cmd->add_flag("--forced", opt->forced, "Forced response");
    modal->excludes(campbell)->excludes(forced);
    campbell->excludes(forced);
    cmd->add_option("--threads", opt->threads,
                    "Threads that solve the speeds of a sweep (0: one per core; default: the definition's, else 0)")
        ->check(CLI::Range(0, 1024));
    cmd->add_option("--out", opt->outPath, "Write the SystemVibrationResults JSON here (default: standard output)");
    cmd->add_option("--housing-report", opt->housingReportPath,
                    "Write what the housing did (ring mapping, energy shares, its side of the forced response) as JSON here");
    cmd->add_option("--summary", opt->summaryPath,
                    "Also write the summary here: stability of every mode, the tracked Campbell curves, critical speeds with "
                    "their margins, amplification factors (JSON)");
    drivesys_cli::addSummaryArguments(*cmd, opt->summary);
    cmd->callback([opt] {
        const SummaryOptions summaryOptions = drivesys_cli::summaryOptions(opt->summary);
        SolverInput input = drivesys_cli::readDefinitionFile(opt->definitionPath);
        if (opt->modal) input.options.calculation = 0;
        if (opt->forced) input.options.calculation = 1;
        if (opt->campbell) input.options.calculation = 2;
        if (input.hasForcedResponse) input.options.forcedResponse = &input.forcedResponse;
        if (input.hasHousing) input.options.housing = &input.housing;
        if (!opt->housingReportPath.empty() && !input.hasHousing)
            throw drivesys_cli::UsageError(opt->definitionPath + ": --housing-report: the definition has no housing section");
        if (opt->threads >= 0) input.options.threads = unsigned(opt->threads);
        // One progress line per speed once a solve has run for a second.
        const auto start = std::chrono::steady_clock::now();
        input.options.progress = [start](size_t done, size_t total) {
            if (std::chrono::steady_clock::now() - start > std::chrono::seconds(1))
                std::cerr << "solve: speed " << done << " of " << total << "\n";
        };
        SystemVibrationResults results;
        const SolverReport report = SolveSystemDynamics(input.definition, input.general, results, input.options);
        for (const std::string& warning : report.warnings)
            std::cerr << "drivesys: warning: " << opt->definitionPath << ": " << warning << "\n";
        if (report.status != kSolverOk) {
            const std::string what = opt->definitionPath + ": " + report.message + " (solverStatus " + std::to_string(report.status) + ")";
            if (report.status == kSolverInputError) throw drivesys_cli::UsageError(what);
            throw drivesys_cli::RefusedError(what);
        }
        // Written as it goes, without the JSON tree of the results, which costs many times their text.
        auto write = [&results](std::ostream& out) {
            ds::writeRecordText(out, results, SystemVibrationResults::recordInfo(), 2);
            out << "\n";
        };
        if (!opt->summaryPath.empty()) {
            SummaryOptions o = summaryOptions;
            o.forcedResponse = input.options.forcedResponse;
            const SystemDynamicsSummary summary = SummarizeSystemDynamics(results, report, o);
            drivesys_cli::writeOutput(drivesys_cli::nativePath(opt->summaryPath), SummaryToJson(summary).dump(2) + "\n");
        }
        if (opt->outPath.empty()) write(std::cout);
        else drivesys_cli::writeOutput(drivesys_cli::nativePath(opt->outPath), write);
        if (!opt->housingReportPath.empty())
            drivesys_cli::writeOutput(drivesys_cli::nativePath(opt->housingReportPath),
                                      drivesys_cli::housingReportJson(report).dump(2) + "\n");
    });
});
}  // namespace
