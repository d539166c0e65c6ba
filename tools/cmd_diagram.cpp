// drivesys diagram RESULTS.json COMMAND [options]: builds a result diagram (mode shape, Campbell
// diagram or forced-response curve) from a SystemVibrationResults JSON file and writes the
// diagram container as JSON and/or its picture as SVG.
#include <iomanip>
#include <iostream>
#include <limits>
#include <nlohmann/json.hpp>

#include "drivesys/diagrams.h"
#include "drivesys/foundation/catalog.h"
#include "drivesys/render/diagram_svg.h"
#include "tools/commands.h"
#include "tools/record_input.h"

namespace {

struct DiagramOptions {
    std::string resultsPath;
    std::string command;
    int modeCount = -1;
    unsigned crossingOrders = 4;
    int defaultShaft = 0;
    int defaultSubShaft = 0;
    int plotParameter = 0;
    int performedCalculation = -1;
    bool overFrequency = false;
    bool noMarkers = false;
    bool strict = false;
    std::string jsonOut;
    std::string svgOut;
};

/// performedCalculation the command's diagram is made from; -1 for a command that is not known.
int calculationFor(const std::string& command) {
    const std::string word = command.substr(0, command.find('_'));
    if (word == "DrawModeShape") return 0;
    if (word == "DrawForcedResponse") return 1;
    if (word == "DrawCampbell") return 2;
    return -1;
}

/// Which list of the Campbell results is too short for the curves it classifies.
std::string shortCampbellList(const ClassifiedCampbellResults& cls) {
    for (size_t k = 0; k < cls.eigenfrequencies.size(); ++k) {
        if (k >= cls.eigenID.size())
            return "resCampbellClassified.eigenID names " + std::to_string(cls.eigenID.size()) + " curves, but eigenfrequencies holds " +
                   std::to_string(cls.eigenfrequencies.size()) + " (curve " + std::to_string(k) + " has no name)";
        const size_t points = cls.eigenfrequencies[k].curve.size();
        if (points > cls.frequencyInputRange.size())
            return "resCampbellClassified.frequencyInputRange holds " + std::to_string(cls.frequencyInputRange.size()) +
                   " speeds, but eigenfrequencies[" + std::to_string(k) + "].curve has " + std::to_string(points) + " points";
    }
    return "a list of resCampbellClassified is shorter than the curves need (eigenID " + std::to_string(cls.eigenID.size()) +
           ", frequencyInputRange " + std::to_string(cls.frequencyInputRange.size()) + ", eigenfrequencies " +
           std::to_string(cls.eigenfrequencies.size()) + ")";
}

drivesys_cli::CommandRegistrar diagramCommand(50, [](CLI::App& app, drivesys_cli::Registry&) {
    auto* cmd = app.add_subcommand("diagram", "Build a result diagram from system-vibration results; write it as JSON and/or SVG");
    auto opt = std::make_shared<DiagramOptions>();
    cmd->add_option("results", opt->resultsPath, "SystemVibrationResults JSON file (- for standard input)")
        ->required()
        ->check(drivesys_cli::inputFileValidator());
    cmd->add_option("command", opt->command,
                    "Diagram command, e.g. DrawCampbell, DrawModeShape_Deflection_Y_0_0_1, "
                    "DrawForcedResponse_Deflection_Amplitude_Y_0_0_0")
        ->required();
    cmd->add_option("--mode-count", opt->modeCount, "Modes per Campbell speed (default: those of the first speed)")
        ->check(CLI::Range(0, std::numeric_limits<int>::max()));
    cmd->add_option("--crossing-orders", opt->crossingOrders, "Campbell order lines and crossings up to this order")
        ->capture_default_str()
        ->check(CLI::Range(0u, kMaxDiagramOrders));
    cmd->add_option("--default-shaft", opt->defaultShaft, "Shaft when the command names none")
        ->capture_default_str()
        ->check(CLI::Range(0, std::numeric_limits<int>::max()));
    cmd->add_option("--default-subshaft", opt->defaultSubShaft, "Sub-shaft when the command names none")
        ->capture_default_str()
        ->check(CLI::Range(0, std::numeric_limits<int>::max()));
    cmd->add_option("--plot-parameter", opt->plotParameter,
                    "Forced response: speed entry (over frequency) or harmonic column (over speed)")
        ->capture_default_str()
        ->check(CLI::Range(0, std::numeric_limits<int>::max()));
    cmd->add_option("--performed-calculation", opt->performedCalculation,
                    "Read the results as this calculation (0 modal, 1 forced response, 2 Campbell) instead of the one the command needs")
        ->check(CLI::Range(0, 2));
    cmd->add_flag("--over-frequency", opt->overFrequency, "Forced response over frequency instead of over speed");
    cmd->add_flag("--no-markers", opt->noMarkers, "No markers (the container is then not marked ok)");
    cmd->add_flag("--strict", opt->strict, "Validate the results against their JSON Schema before reading them");
    cmd->add_option("--json", opt->jsonOut, "Write the diagram container as JSON");
    cmd->add_option("--svg", opt->svgOut, "Write the diagram as an SVG picture");
    cmd->callback([opt] {
        const int wanted = calculationFor(opt->command);
        if (wanted < 0)
            throw drivesys_cli::UsageError("unknown diagram command '" + opt->command +
                                           "' (commands begin with DrawCampbell, DrawModeShape or DrawForcedResponse)");
        const std::string source = opt->resultsPath == "-" ? "standard input" : opt->resultsPath;
        SystemVibrationResults results;
        drivesys_cli::readRecordInput(opt->resultsPath, results, SystemVibrationResults::recordInfo(), opt->strict, [&](const nlohmann::json& j) {
            try {
                results.fromJson(j);
            } catch (const std::exception& e) {
                throw drivesys_cli::UsageError(source + ": not readable as SystemVibrationResults: " + e.what());
            }
        });
        // The diagram functions read the results as the calculation they hold; the tool reads
        // them as the one the command needs unless told otherwise.
        results.performedCalculation = opt->performedCalculation >= 0 ? opt->performedCalculation : wanted;
        unsigned modeCount = 0;
        if (opt->modeCount >= 0)
            modeCount = unsigned(opt->modeCount);
        else if (!results.resCampbell.empty())
            modeCount = unsigned(results.resCampbell.front().modeProperties.size());
        nGrafikData data;
        const nWString command = nWString::fromUtf8(opt->command);
        try {
            data = InitSystemDynamicGrafik(command.c_str(), data, !opt->noMarkers, NCalculationContext(), opt->overFrequency,
                                           modeCount, opt->crossingOrders, opt->defaultShaft, opt->defaultSubShaft,
                                           opt->plotParameter, false, results);
        } catch (const std::out_of_range& e) {
            throw drivesys_cli::UsageError(source + ": " +
                                           (results.performedCalculation == 2 ? shortCampbellList(results.resCampbellClassified)
                                                                              : std::string("a result list is too short")) +
                                           " (" + e.what() + ")");
        }
        // The container's text goes out as it is made (std::setw(2) is dump(2)): a large diagram's
        // text need not be held beside its tree.
        const nlohmann::json tree = data.toJson();
        auto writeJson = [&tree](std::ostream& out) { out << std::setw(2) << tree << "\n"; };
        if (!opt->jsonOut.empty()) drivesys_cli::writeOutput(drivesys_cli::nativePath(opt->jsonOut), writeJson);
        if (!opt->svgOut.empty()) drivesys_cli::writeOutput(drivesys_cli::nativePath(opt->svgOut), ds::renderDiagramSvg(data));
        if (opt->jsonOut.empty() && opt->svgOut.empty()) writeJson(std::cout);
        if (const nWString* error = data.textElement(L"error")) throw drivesys_cli::RefusedError(error->toUtf8());
    });
});

}  // namespace
