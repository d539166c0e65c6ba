// Demo step: the report of the solved sample gearbox under report/: the HTML page, its mode and
// critical-speed tables as CSV, and the summary as JSON. The operating range is 1400 to 1550 1/min
// of the input shaft (its nominal speed is 1480 1/min).
#include <nlohmann/json.hpp>
#include <ostream>

#include "drivesys/report/html_report.h"
#include "tools/commands.h"
#include "tools/demo_solved.h"

namespace {

drivesys_cli::DemoStepRegistrar reportStep(85, "report", [](drivesys_cli::DemoContext& ctx) {
    const drivesys_cli::DemoSolution& demo = drivesys_cli::demoSolution();
    ds::report::SolvedDefinition solved;
    solved.results = demo.results;
    solved.report = demo.report;
    solved.campbell = true;
    solved.forcedResponse = true;
    ds::report::ReportOptions options;
    options.summary.operatingSpeedMin = 1400.0;
    options.summary.operatingSpeedMax = 1550.0;
    options.source = "sample gearbox";
    const ds::report::ReportDocument doc = ds::report::buildReport(demo.input, solved, options);
    ctx.writeFile("report/report.html", doc.html);
    ctx.writeFile("report/report-modes.csv", doc.modesCsv);
    ctx.writeFile("report/report-critical-speeds.csv", doc.criticalSpeedsCsv);
    ctx.writeFile("report/summary.json", SummaryToJson(doc.summary).dump(2) + "\n");
    ctx.summary << "  report: " << doc.summary.modes.size() << " modes, " << doc.summary.criticalSpeeds.size()
                << " critical speeds, " << doc.summary.peaks.size() << " forced-response peaks, " << doc.summary.warnings.size()
                << " warnings in report/report.html (" << doc.html.size() / 1024 << " kB)\n";
});

}  // namespace
