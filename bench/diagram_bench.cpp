// Result diagrams on a large result: a Campbell diagram of 200 speeds with 30 eigenfrequency
// curves (with and without order lines and crossings), and its SVG picture.
#include <benchmark/benchmark.h>

#include <cmath>

#include "drivesys/diagrams.h"
#include "drivesys/samples/sample_results.h"
#include "drivesys/render/diagram_svg.h"

namespace {
SystemVibrationResults largeCampbell() {
    SystemVibrationResults r = sampleVibrationResults();
    r.performedCalculation = 2;
    const auto first = r.resCampbell.front();
    r.resCampbell.clear();
    ClassifiedCampbellResults& cls = r.resCampbellClassified;
    cls = ClassifiedCampbellResults();
    constexpr int kCurves = 30, kSpeeds = 200;
    for (int k = 0; k < kCurves; ++k) {
        cls.eigenID.push_back(L"Mode " + nWString(k + 1));
        cls.eigenfrequencies.emplace_back();
    }
    for (int j = 0; j < kSpeeds; ++j) {
        const double rpm = 50.0 * j;
        NWelleResultCampbells e = first;
        e.speed = rpm;
        e.shaftsSpeeds = {rpm / 60.0, -rpm / 60.0 * 23.0 / 67.0};
        e.gearMeshFrequency = {23.0 * rpm / 60.0};
        e.modeProperties.resize(kCurves);
        r.resCampbell.push_back(e);
        cls.frequencyInputRange.push_back(rpm);
        for (int k = 0; k < kCurves; ++k)
            cls.eigenfrequencies[size_t(k)].curve.push_back(120.0 * (k + 1) + (k % 2 ? 1 : -1) * 0.004 * rpm +
                                                             5.0 * std::sin(rpm / 900.0 + k));
    }
    return r;
}

void runCampbell(benchmark::State& state) {
    const SystemVibrationResults r = largeCampbell();
    const unsigned orders = unsigned(state.range(0));
    size_t markers = 0;
    for (auto _ : state) {
        nGrafikData data;
        data = InitSystemDynamicGrafik(L"DrawCampbell", data, true, NCalculationContext(), false, 30, orders, 0, 0, 0, false, r);
        markers = data.diagrams().front().markers.size();
        benchmark::DoNotOptimize(data);
    }
    state.counters["markers"] = double(markers);
}
BENCHMARK(runCampbell)->Arg(0)->Arg(8)->Arg(40)->Unit(benchmark::kMillisecond);

void campbellSvg(benchmark::State& state) {
    const SystemVibrationResults r = largeCampbell();
    nGrafikData data;
    data = InitSystemDynamicGrafik(L"DrawCampbell", data, true, NCalculationContext(), false, 30, 8, 0, 0, 0, false, r);
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string svg = ds::renderDiagramSvg(data);
        bytes = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(campbellSvg)->Unit(benchmark::kMillisecond);

void modeShapeCurve(benchmark::State& state) {
    SystemVibrationResults r = sampleVibrationResults();
    r.performedCalculation = 0;
    General2DPlotDefinitions defs{0, 0, 6};
    for (auto _ : state) {
        ShaftsSystemPlotPropertiesStruct props;
        props.shaftIndex = 1;
        props.modeIndex = 2;
        benchmark::DoNotOptimize(getSystemDynamicsResults2DData(r, props, defs));
    }
}
BENCHMARK(modeShapeCurve);
}  // namespace

BENCHMARK_MAIN();
