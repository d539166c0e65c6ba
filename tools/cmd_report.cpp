// drivesys report DEFINITION.json --out REPORT.html [--operating-range MIN:MAX] [--orders LIST]
//                 [--log-amplitude] [--summary SUMMARY.json]
//
// Solves what the definition allows (modal analysis or Campbell diagram, forced response) and
// writes one self-contained HTML report, with its mode and critical-speed tables as CSV beside
// it (REPORT-modes.csv, REPORT-critical-speeds.csv).
#include <iostream>
#include <nlohmann/json.hpp>

#include "drivesys/report/html_report.h"
#include "tools/cli_io.h"
#include "tools/commands.h"
#include "tools/solver_cli.h"

namespace {

struct ReportArguments {
    std::string definitionPath, outPath, summaryPath;
    drivesys_cli::SummaryArguments summary;
    bool logAmplitude = false;
};

drivesys_cli::CommandRegistrar reportCommand(46, [](CLI::App& app, drivesys_cli::Registry&) {
    auto* cmd = app.add_subcommand("report", "Solve a vibration definition and write a self-contained HTML report of its results");
    auto a = std::make_shared<ReportArguments>();
    cmd->add_option("definition", a->definitionPath, "Definition file (JSON; - for standard input)")
        ->required()
        ->check(drivesys_cli::inputFileValidator());
    cmd->add_option("--out", a->outPath, "The HTML file to write; the CSV tables go beside it")->required();
    cmd->add_option("--summary", a->summaryPath, "Also write the summary as JSON here");
    cmd->add_flag("--log-amplitude", a->logAmplitude, "Forced responses on a logarithmic amplitude axis");
    drivesys_cli::addSummaryArguments(*cmd, a->summary);
    cmd->callback([a] {
        ds::report::ReportOptions options;
        options.summary = drivesys_cli::summaryOptions(a->summary);
        options.logAmplitude = a->logAmplitude;
        const SolverInput input = drivesys_cli::readDefinitionFile(a->definitionPath);
        options.source = drivesys_cli::inputName(a->definitionPath);
        ds::report::SolvedDefinition solved;
        try {
            solved = ds::report::solveDefinition(input);
        } catch (const std::runtime_error& e) {
            throw drivesys_cli::UsageError(a->definitionPath + ": " + e.what());
        }
        const ds::report::ReportDocument doc = ds::report::buildReport(input, solved, options);
        const std::filesystem::path html = drivesys_cli::nativePath(a->outPath);
        std::filesystem::path stem = html;
        stem.replace_extension();
        const std::filesystem::path modes = stem.string() + "-modes.csv", critical = stem.string() + "-critical-speeds.csv";
        drivesys_cli::writeOutput(html, doc.html);
        drivesys_cli::writeOutput(modes, doc.modesCsv);
        drivesys_cli::writeOutput(critical, doc.criticalSpeedsCsv);
        if (!a->summaryPath.empty())
            drivesys_cli::writeOutput(drivesys_cli::nativePath(a->summaryPath), SummaryToJson(doc.summary).dump(2) + "\n");
        nlohmann::json out = {{"html", html.string()},
                              {"csv", {modes.string(), critical.string()}},
                              {"modes", doc.summary.modes.size()},
                              {"criticalSpeeds", doc.summary.criticalSpeeds.size()},
                              {"peaks", doc.summary.peaks.size()},
                              {"warnings", doc.summary.warnings},
                              {"missing", doc.summary.missing}};
        std::cout << out.dump(2) << "\n";
    });
});

}  // namespace
