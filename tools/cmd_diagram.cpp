// drivesys diagram RESULTS.json COMMAND [options]: builds a result diagram (mode shape, Campbell
// diagram or forced-response curve) from a SystemVibrationResults JSON file and writes the
// diagram container as JSON and/or its picture as SVG.
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>

#include "drivesys/diagrams.h"
#include "tools/commands.h"

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
    std::string jsonOut;
    std::string svgOut;
};

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path);
}

/// performedCalculation the command's diagram is made from.
int calculationFor(const std::string& command) {
    if (command.rfind("DrawModeShape", 0) == 0) return 0;
    if (command.rfind("DrawForcedResponse", 0) == 0) return 1;
    if (command.rfind("DrawCampbell", 0) == 0) return 2;
    return -1;
}

drivesys_cli::CommandRegistrar diagramCommand(50, [](CLI::App& app, drivesys_cli::Registry& registry) {
    auto* cmd = app.add_subcommand("diagram", "Build a result diagram from system-vibration results; write it as JSON and/or SVG");
    auto opt = std::make_shared<DiagramOptions>();
    cmd->add_option("results", opt->resultsPath, "SystemVibrationResults JSON file (- for standard input)")->required();
    cmd->add_option("command", opt->command,
                    "Diagram command, e.g. DrawCampbell, DrawModeShape_Deflection_Y_0_0_1, "
                    "DrawForcedResponse_Deflection_Amplitude_Y_0_0_0")
        ->required();
    cmd->add_option("--mode-count", opt->modeCount, "Modes per Campbell speed (default: those of the first speed)");
    cmd->add_option("--crossing-orders", opt->crossingOrders, "Campbell order lines and crossings up to this order")
        ->capture_default_str();
    cmd->add_option("--default-shaft", opt->defaultShaft, "Shaft when the command names none")->capture_default_str();
    cmd->add_option("--default-subshaft", opt->defaultSubShaft, "Sub-shaft when the command names none")->capture_default_str();
    cmd->add_option("--plot-parameter", opt->plotParameter,
                    "Forced response: speed entry (over frequency) or harmonic column (over speed)")
        ->capture_default_str();
    cmd->add_option("--performed-calculation", opt->performedCalculation,
                    "Read the results as this calculation (0 modal, 1 forced response, 2 Campbell) instead of their own");
    cmd->add_flag("--over-frequency", opt->overFrequency, "Forced response over frequency instead of over speed");
    cmd->add_flag("--no-markers", opt->noMarkers, "No markers (the container is then not marked ok)");
    cmd->add_option("--json", opt->jsonOut, "Write the diagram container as JSON");
    cmd->add_option("--svg", opt->svgOut, "Write the diagram as an SVG picture");
    cmd->callback([opt, &registry] {
        try {
            SystemVibrationResults results;
            try {
                results.fromJson(nlohmann::json::parse(drivesys_cli::readInput(opt->resultsPath)));
            } catch (const std::exception& e) {
                throw std::runtime_error(opt->resultsPath + ": not a SystemVibrationResults JSON object (" + e.what() + ")");
            }
            if (opt->performedCalculation >= 0) results.performedCalculation = opt->performedCalculation;
            const int wanted = calculationFor(opt->command);
            if (wanted >= 0 && wanted != results.performedCalculation)
                std::cerr << "note: the results hold performedCalculation " << results.performedCalculation << ", the "
                          << opt->command.substr(0, opt->command.find('_')) << " diagram is made from " << wanted
                          << " (--performed-calculation " << wanted << " reads them so)\n";
            unsigned modeCount = 0;
            if (opt->modeCount >= 0)
                modeCount = unsigned(opt->modeCount);
            else if (!results.resCampbell.empty())
                modeCount = unsigned(results.resCampbell.front().modeProperties.size());
            nGrafikData data;
            const nWString command = nWString::fromUtf8(opt->command);
            data = InitSystemDynamicGrafik(command.c_str(), data, !opt->noMarkers, NCalculationContext(), opt->overFrequency,
                                           modeCount, opt->crossingOrders, opt->defaultShaft, opt->defaultSubShaft,
                                           opt->plotParameter, false, results);
            const std::string json = data.toJson().dump(2) + "\n";
            if (!opt->jsonOut.empty()) writeText(opt->jsonOut, json);
            if (!opt->svgOut.empty()) writeText(opt->svgOut, renderDiagramSvg(data));
            if (opt->jsonOut.empty() && opt->svgOut.empty()) std::cout << json;
            if (const nWString* error = data.textElement(L"error")) {
                std::cerr << "error: " << error->toUtf8() << "\n";
                registry.exitCode = 1;
            }
        } catch (const std::exception& e) {
            std::cerr << "error: " << e.what() << "\n";
            registry.exitCode = 2;
        }
    });
});

}  // namespace
