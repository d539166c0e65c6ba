// Describing the module screen into a fresh Meta: median time and heap allocations per item.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>
#include <nlohmann/json.hpp>
#include <optional>

#include "drivesys/module_screen.h"
#include "drivesys/module/meta_s020.h"
#include "drivesys/platform/nmath/meta.h"

// Counts every allocation of the process (the library's included: the executable's operator
// new takes the place of the runtime's for the whole process). The benchmarks run on one
// thread, so a plain counter does.
namespace {
size_t g_allocations = 0;
}
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {
// Runs `describe` into a fresh Meta per iteration; the previous description is destroyed
// outside the measured time.
template <class Describe>
void describeIntoFreshMeta(benchmark::State& state, Describe describe) {
    size_t items = 0;
    size_t allocations = 0;
    std::optional<Meta> meta;
    for (auto _ : state) {
        state.PauseTiming();
        meta.reset();
        meta.emplace();
        state.ResumeTiming();
        const size_t before = g_allocations;
        describe(*meta);
        allocations = g_allocations - before;
        items = meta->GetNumberOfItems();
        benchmark::DoNotOptimize(items);
    }
    state.counters["items"] = static_cast<double>(items);
    state.counters["allocs/item"] = static_cast<double>(allocations) / static_cast<double>(items);
}

void BM_MetaS020(benchmark::State& state) {
    ds::S020Records records;
    describeIntoFreshMeta(state, [&](Meta& meta) { records.describe(meta); });
}
BENCHMARK(BM_MetaS020)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_ElementPanel(benchmark::State& state) {
    describeIntoFreshMeta(state, [](Meta& meta) { ds::s020::describeElementPanel(meta); });
}
BENCHMARK(BM_ElementPanel)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The dump with evaluated states, as `drivesys describe S020` prints it.
void BM_MetaS020DumpWithState(benchmark::State& state) {
    ds::S020Records records;
    Meta meta;
    records.describe(meta);
    for (auto _ : state) {
        nlohmann::json out;
        meta.dumpWithState(out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_MetaS020DumpWithState)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
}  // namespace

BENCHMARK_MAIN();
