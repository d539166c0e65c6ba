// Demo step: result diagrams of the sample vibration results: a Campbell diagram, a mode shape
// and a forced-response curve, each as diagram JSON and SVG picture under diagrams/.
#include <fmt/format.h>
#include <nlohmann/json.hpp>
#include <ostream>

#include "drivesys/diagrams.h"
#include "tools/commands.h"

namespace {

struct DemoDiagram {
    const char* file;
    int calculation;  // performedCalculation the diagram is made from
    const wchar_t* command;
};

drivesys_cli::DemoStepRegistrar diagramsStep(80, "diagrams", [](drivesys_cli::DemoContext& ctx) {
    SystemVibrationResults results = sampleVibrationResults();
    const DemoDiagram diagrams[] = {
        {"campbell", 2, L"DrawCampbell"},
        {"mode_shape", 0, L"DrawModeShape_Deflection_Y_0_0_1"},
        {"forced_response", 1, L"DrawForcedResponse_Deflection_Amplitude_Y_0_0_0"},
    };
    const unsigned modeCount = unsigned(results.resCampbell.front().modeProperties.size());
    for (const auto& d : diagrams) {
        results.performedCalculation = d.calculation;
        nGrafikData data;
        data = InitSystemDynamicGrafik(d.command, data, true, NCalculationContext(), false, modeCount, 4, 0, 0, 0, false, results);
        if (const nWString* error = data.textElement(L"error"))
            throw std::runtime_error(fmt::format("{}: {}", d.file, error->toUtf8()));
        ctx.writeFile(fmt::format("diagrams/{}.json", d.file), data.toJson().dump(2) + "\n");
        ctx.writeFile(fmt::format("diagrams/{}.svg", d.file), renderDiagramSvg(data));
        const nGrafikDiagram& diagram = data.diagrams().front();
        size_t points = 0;
        for (const auto& c : diagram.curves) points += c.x.size();
        ctx.summary << fmt::format("  diagram {}: {} curves, {} points, {} markers, {} comment lines\n", d.file,
                                   diagram.curves.size(), points, diagram.markers.size(), diagram.comment.size());
    }
});

}  // namespace
