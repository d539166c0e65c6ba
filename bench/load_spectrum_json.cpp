// JSON write and read of a load-spectrum import whose files carry many samples: the records
// store measured channels as plain lists, so their JSON pair is the cost of storing a project.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

namespace {
nZFLKimport makeImport(size_t samples) {
    nZFLKimport imp;
    imp.fileData.resize(2);
    for (auto& file : imp.fileData) {
        file.points = static_cast<int>(samples);
        file.timeData.resize(samples);
        file.rotationData.resize(samples);
        file.ratioIndex.resize(samples);
        for (size_t i = 0; i < samples; ++i) {
            file.timeData[i] = 0.001 * static_cast<double>(i);
            file.rotationData[i] = 1500.0 + static_cast<double>(i % 97);
            file.ratioIndex[i] = static_cast<int>(i % 6);
        }
    }
    imp.genChannel.resize(1);
    imp.genChannel[0].data = imp.fileData[0].rotationData;
    return imp;
}

void BM_LoadSpectrumToJson(benchmark::State& state) {
    const nZFLKimport imp = makeImport(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        nlohmann::json j = imp;
        benchmark::DoNotOptimize(j);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 7);
}

void BM_LoadSpectrumFromJson(benchmark::State& state) {
    const nlohmann::json j = makeImport(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        nZFLKimport imp;
        from_json(j, imp);
        benchmark::DoNotOptimize(imp.fileData.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 7);
}
}  // namespace

BENCHMARK(BM_LoadSpectrumToJson)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSpectrumFromJson)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
