// Memory of a record list against a plain struct with the same members: a load-spectrum tab read
// from JSON holding N empty spectrum elements. Every allocation of the process is counted, so the
// counters give the bytes a list element holds once read (bytes_per_element), the same for a
// std::vector of a plain struct with the element's members (plain_bytes_per_element), their
// ratio, and the peak while reading and while writing the tab back to JSON, per element.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

namespace {
std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

void* counted(std::size_t n) {
    // The size sits in front of the block so that delete can subtract it.
    auto* p = static_cast<std::size_t*>(std::malloc(n + sizeof(std::max_align_t)));
    if (!p) throw std::bad_alloc();
    *p = n;
    const long long now = g_live.fetch_add(static_cast<long long>(n)) + static_cast<long long>(n);
    long long peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return reinterpret_cast<char*>(p) + sizeof(std::max_align_t);
}
void release(void* q) noexcept {
    if (!q) return;
    auto* p = reinterpret_cast<std::size_t*>(static_cast<char*>(q) - sizeof(std::max_align_t));
    g_live.fetch_sub(static_cast<long long>(*p));
    std::free(p);
}

/// The members of a spectrum element without the record base.
struct PlainSpectrumElement {
    int attribute = 0;
    int64_t elementId = -1;
    double referenceValue = 0.0;
    bool asFactor = false;
    double corrFactor = 1.0;
    bool active = true;
    std::vector<double> spectrumValues;
};

nlohmann::json emptyElements(size_t n) {
    nlohmann::json j = nlohmann::json::object();
    auto& list = j["elements"] = nlohmann::json::array();
    for (size_t i = 0; i < n; ++i) list.push_back(nlohmann::json::object());
    return j;
}

void BM_RecordListBytesPerElement(benchmark::State& state) {
    const auto n = static_cast<size_t>(state.range(0));
    const std::string text = emptyElements(n).dump();
    double perElement = 0, plainPerElement = 0, readPeak = 0, writePeak = 0;
    for (auto _ : state) {
        {
            const long long before = g_live.load();
            std::vector<PlainSpectrumElement> plain(n);
            benchmark::DoNotOptimize(plain.data());
            plainPerElement = double(g_live.load() - before) / double(n);
        }
        nvLoadSpectrumTab tab;
        const long long before = g_live.load();
        g_peak = before;
        tab.fromJson(nlohmann::json::parse(text));
        readPeak = double(g_peak.load() - before) / double(n);
        perElement = double(g_live.load() - before) / double(n);
        if (tab.elements.size() != n) state.SkipWithError("not every element was read");
        const long long held = g_live.load();
        g_peak = held;
        const std::string out = tab.toJson().dump();
        benchmark::DoNotOptimize(out.data());
        writePeak = double(g_peak.load() - held) / double(n);
    }
    state.counters["bytes_per_element"] = perElement;
    state.counters["plain_bytes_per_element"] = plainPerElement;
    state.counters["ratio_to_plain"] = perElement / plainPerElement;
    state.counters["read_peak_per_element"] = readPeak;
    state.counters["write_peak_per_element"] = writePeak;
}
}  // namespace

void* operator new(std::size_t n) { return counted(n); }
void* operator new[](std::size_t n) { return counted(n); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

BENCHMARK(BM_RecordListBytesPerElement)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
