// Describing the module screen into a fresh Meta: median time and heap allocations per item.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>
#include <optional>

#include "module/meta_s020.h"
#include "platform/nmath/meta.h"

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
void BM_ElementPanel(benchmark::State& state) {
    size_t items = 0;
    size_t allocations = 0;
    std::optional<Meta> meta;
    for (auto _ : state) {
        // The previous description is destroyed outside the measured time.
        state.PauseTiming();
        meta.reset();
        meta.emplace();
        state.ResumeTiming();
        const size_t before = g_allocations;
        ds::s020::describeElementPanel(*meta);
        allocations = g_allocations - before;
        items = meta->GetNumberOfItems();
        benchmark::DoNotOptimize(items);
    }
    state.counters["items"] = static_cast<double>(items);
    state.counters["allocs/item"] = static_cast<double>(allocations) / static_cast<double>(items);
}
BENCHMARK(BM_ElementPanel)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
}  // namespace

BENCHMARK_MAIN();
