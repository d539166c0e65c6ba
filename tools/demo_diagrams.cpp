// Demo step: result diagrams of the solved sample gearbox: its Campbell diagram, the mode shape of
// the input shaft's first bending mode and the first documentation point's response to the first
// mesh's excitation, each as diagram JSON and SVG picture under diagrams/.
#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <fmt/xchar.h>
#include <nlohmann/json.hpp>
#include <ostream>

#include "drivesys/diagrams.h"
#include "drivesys/render/diagram_svg.h"
#include "tools/commands.h"
#include "tools/demo_solved.h"

namespace {

struct DemoDiagram {
    const char* file;
    int calculation;  // performedCalculation the diagram is made from
    const wchar_t* command;
};

drivesys_cli::DemoStepRegistrar diagramsStep(80, "diagrams", [](drivesys_cli::DemoContext& ctx) {
    SystemVibrationResults results = drivesys_cli::demoSolution().results;
    // The first bending mode in which the input shaft itself deflects (its largest deflection
    // is that of the whole system).
    size_t bending = 0;
    const auto& modes = results.resultsPerShaft.at(0).shaftResultsPerSubShaft.at(0).mode;
    for (size_t k = 0; k < modes.size(); ++k) {
        double peak = 0.0;
        for (const auto& p : modes[k].modeShape) peak = std::max(peak, std::abs(p.u.x));
        if (modes[k].description.toUtf8().find("bending") != std::string::npos && peak > 0.5) {
            bending = k;
            break;
        }
    }
    const std::wstring modeShape = fmt::format(L"DrawModeShape_Deflection_X_0_0_{}", bending);
    const DemoDiagram diagrams[] = {
        {"campbell", 2, L"DrawCampbell"},
        {"mode_shape", 0, modeShape.c_str()},
        {"forced_response", 1, L"DrawForcedResponse_Deflection_Amplitude_X_0_0_0"},
    };
    const unsigned modeCount = unsigned(results.resCampbell.front().modeProperties.size());
    for (const auto& d : diagrams) {
        results.performedCalculation = d.calculation;
        nGrafikData data;
        data = InitSystemDynamicGrafik(d.command, data, true, NCalculationContext(), false, modeCount, 4, 0, 0, 0, false, results);
        if (const nWString* error = data.textElement(L"error"))
            throw std::runtime_error(fmt::format("{}: {}", d.file, error->toUtf8()));
        ctx.writeFile(fmt::format("diagrams/{}.json", d.file), data.toJson().dump(2) + "\n");
        ctx.writeFile(fmt::format("diagrams/{}.svg", d.file), ds::renderDiagramSvg(data));
        const nGrafikDiagram& diagram = data.diagrams().front();
        size_t points = 0;
        for (const auto& c : diagram.curves) points += c.x.size();
        ctx.summary << fmt::format("  diagram {}: {} curves, {} points, {} markers, {} comment lines\n", d.file,
                                   diagram.curves.size(), points, diagram.markers.size(), diagram.comment.size());
    }
});

}  // namespace
