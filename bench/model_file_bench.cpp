// The sample gearbox through the model file: building it, writing the model object, dumping
// it as text, parsing and reading it back through the catalog.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"
#include "drivesys/samples/sample_gearbox.h"

namespace {
void BM_BuildSampleGearbox(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ds::makeSampleGearbox());
}
BENCHMARK(BM_BuildSampleGearbox);

void BM_ModelToText(benchmark::State& state) {
    const ds::SampleGearbox box = ds::makeSampleGearbox();
    const auto records = box.records();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = ds::modelToJson(records).dump(2);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["records"] = static_cast<double>(records.size());
}
BENCHMARK(BM_ModelToText);

void BM_TextToModel(benchmark::State& state) {
    const ds::SampleGearbox box = ds::makeSampleGearbox();
    const std::string text = ds::modelToJson(box.records()).dump(2);
    for (auto _ : state) {
        ds::RecordList back = ds::modelFromJson(nlohmann::json::parse(text));
        benchmark::DoNotOptimize(back.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_TextToModel);
}  // namespace

BENCHMARK_MAIN();
