// Memory of a record list against a plain struct with the same members: a load-spectrum tab read
// from JSON holding N empty spectrum elements. Every allocation of the process is counted, so the
// counters give the bytes a list element holds once read (bytes_per_element), the same for a
// std::vector of a plain struct with the element's members (plain_bytes_per_element), their
// ratio, and per element the peak while reading and while writing the tab back to JSON: through
// a JSON tree (parse + fromJson, toJson + dump) and as a stream (readRecordText, writeRecordText).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <nlohmann/json.hpp>
#include <ostream>
#include <streambuf>

#include "drivesys/drivesys.h"
#include "drivesys/foundation/record_text.h"

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

/// Takes text and keeps nothing, as a file or pipe would.
class DiscardingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

/// Runs `step` and gives the highest heap level it reached above the level before it, per element.
template <class Step> double peakPerElement(size_t n, Step&& step) {
    const long long before = g_live.load();
    g_peak = before;
    step();
    return double(g_peak.load() - before) / double(n);
}

void BM_RecordListBytesPerElement(benchmark::State& state) {
    const auto n = static_cast<size_t>(state.range(0));
    const std::string text = emptyElements(n).dump();
    double perElement = 0, plainPerElement = 0, readPeak = 0, writePeak = 0, streamReadPeak = 0, streamWritePeak = 0;
    for (auto _ : state) {
        {
            const long long before = g_live.load();
            std::vector<PlainSpectrumElement> plain(n);
            benchmark::DoNotOptimize(plain.data());
            plainPerElement = double(g_live.load() - before) / double(n);
        }
        {
            nvLoadSpectrumTab tab;
            const long long before = g_live.load();
            readPeak = peakPerElement(n, [&] { tab.fromJson(nlohmann::json::parse(text)); });
            perElement = double(g_live.load() - before) / double(n);
            if (tab.elements.size() != n) state.SkipWithError("not every element was read");
            writePeak = peakPerElement(n, [&] {
                const std::string out = tab.toJson().dump(2);
                benchmark::DoNotOptimize(out.data());
            });
        }
        nvLoadSpectrumTab tab;
        ds::RecordTextReport report;
        streamReadPeak = peakPerElement(n, [&] {
            if (!ds::readRecordText(text, tab, nvLoadSpectrumTab::recordInfo(), report) || tab.elements.size() != n)
                state.SkipWithError("the stream read did not read every element");
        });
        DiscardingBuffer discard;
        std::ostream out(&discard);
        streamWritePeak = peakPerElement(n, [&] { ds::writeRecordText(out, tab, nvLoadSpectrumTab::recordInfo(), 2); });
    }
    state.counters["bytes_per_element"] = perElement;
    state.counters["plain_bytes_per_element"] = plainPerElement;
    state.counters["ratio_to_plain"] = perElement / plainPerElement;
    state.counters["text_bytes_per_element"] = double(text.size()) / double(n);
    state.counters["read_peak_per_element"] = readPeak;
    state.counters["write_peak_per_element"] = writePeak;
    state.counters["stream_read_peak_per_element"] = streamReadPeak;
    state.counters["stream_read_peak_over_plain"] = streamReadPeak - plainPerElement;
    state.counters["stream_write_peak_per_element"] = streamWritePeak;
}
}  // namespace

void* operator new(std::size_t n) { return counted(n); }
void* operator new[](std::size_t n) { return counted(n); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

BENCHMARK(BM_RecordListBytesPerElement)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
