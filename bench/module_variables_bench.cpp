// Module variables of a large system-dynamics result (2.09 million lines, about 130 MB):
//
//   BM_WriteModuleVariables   WriteModuleVariablesSystemDynamics into /dev/null
//   BM_FmtFloor               the same lines formatted with {fmt} into a buffer and fwrite'd
//                             to /dev/null in 64 kB blocks (the floor)
//
// Both write to /dev/null so that the figures compare the formatting, not the disk. The floor
// is checked once to produce exactly the writer's bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fmt/format.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "drivesys/dynamics/module_variables.h"

namespace {
constexpr size_t kShafts = 40;
constexpr size_t kBearingsPerShaft = 25;
constexpr size_t kSpeeds = 1000;
constexpr size_t kModes = 1000;
constexpr size_t kCurves = 100;

double value(size_t i, size_t j) { return 1e-3 * static_cast<double>((i * 7919 + j * 104729) % 1000003) + 0.125; }

const SystemVibrationResults& largeResult() {
    static const SystemVibrationResults r = [] {
        SystemVibrationResults out;
        out.solverStatus = 0;
        out.resultsPerShaft.resize(kShafts);
        for (size_t s = 0; s < kShafts; ++s) {
            for (size_t b = 0; b < kBearingsPerShaft; ++b) {
                BearingResultsForSystem bearing;
                bearing.shaftName = L"Shaft " + nWString(static_cast<unsigned>(s));
                bearing.bearingName = L"Bearing " + nWString(static_cast<unsigned>(b));
                bearing.bearingStiffnessMatrix = NMatrix(6, 6);
                for (size_t i = 0; i < 6; ++i)
                    for (size_t j = 0; j < 6; ++j) bearing.bearingStiffnessMatrix(i, j) = 1e8 * value(b * 6 + i, j);
                out.resultsPerShaft[s].bearingResults.push_back(bearing);
            }
        }
        out.resCampbell.resize(kSpeeds);
        for (size_t i = 0; i < kSpeeds; ++i) {
            out.resCampbell[i].speed = 10.0 * static_cast<double>(i);
            out.resCampbell[i].modeProperties.resize(kModes);
            for (size_t m = 0; m < kModes; ++m) {
                out.resCampbell[i].modeProperties[m].frequency = value(i, m);
                out.resCampbell[i].modeProperties[m].whirl = static_cast<int>(m % 3) - 1;
            }
        }
        for (size_t k = 0; k < kCurves; ++k) {
            out.resCampbellClassified.eigenID.push_back(L"Mode " + nWString(static_cast<unsigned>(k)));
            CampbellCurve c;
            for (size_t i = 0; i < kSpeeds / 2; ++i) c.curve.push_back(value(k, i));
            out.resCampbellClassified.eigenfrequencies.push_back(c);
        }
        return out;
    }();
    return r;
}

/// The writer's lines for largeResult(), spelled out with {fmt}.
struct FloorWriter {
    explicit FloorWriter(std::FILE* f) : file(f) {}
    std::FILE* file;
    fmt::memory_buffer buffer;
    void flushIfFull() {
        if (buffer.size() >= (1 << 16)) flush();
    }
    void flush() {
        std::fwrite(buffer.data(), 1, buffer.size(), file);
        buffer.clear();
    }
    void write(const SystemVibrationResults& r) {
        auto out = std::back_inserter(buffer);
        fmt::format_to(out, "system_dynamics_status={}\nsystem_dynamics_performedCalculation={}\n", r.solverStatus,
                       r.performedCalculation);
        fmt::format_to(out, "system_dynamics_wrongShaftOrGearCalcNum={}\nsystem_dynamics_controllingShaftNumTM={}\n",
                       r.wrongShaftOrGearCalcNum, r.controllingShaftNumTM);
        for (size_t i = 0; i < r.resultsPerShaft.size(); ++i)
            for (size_t j = 0; j < r.resultsPerShaft[i].bearingResults.size(); ++j) {
                const auto& b = r.resultsPerShaft[i].bearingResults[j];
                fmt::format_to(out, "system_dynamics_bearingResults_{}_{}_shaftName={}\n", i, j, b.shaftName.toUtf8());
                fmt::format_to(out, "system_dynamics_bearingResults_{}_{}_bearingName={}\n", i, j, b.bearingName.toUtf8());
                fmt::format_to(out, "system_dynamics_bearingResults_{}_{}_isConnecting={}\n", i, j, int(b.isConnecting));
                fmt::format_to(out, "system_dynamics_bearingResults_{}_{}_isGeneralSupport={}\n", i, j,
                               int(b.isGeneralSupport));
                for (size_t row = 0; row < 6; ++row)
                    for (size_t col = 0; col < 6; ++col)
                        fmt::format_to(out, "system_dynamics_bearingResults_{}_{}_{}_{}_stiffness={}\n", i, j, row, col,
                                       b.bearingStiffnessMatrix(row, col));
                flushIfFull();
            }
        for (size_t i = 0; i < r.resCampbell.size(); ++i) {
            fmt::format_to(out, "system_dynamics_campbell_{}_speed={}\n", i, r.resCampbell[i].speed);
            for (size_t j = 0; j < r.resCampbell[i].modeProperties.size(); ++j) {
                const auto& m = r.resCampbell[i].modeProperties[j];
                fmt::format_to(out, "system_dynamics_campbell_{}_{}_properties_frequency={}\n", i, j, m.frequency);
                fmt::format_to(out, "system_dynamics_campbell_{}_{}_properties_whirl={}\n", i, j, m.whirl);
                flushIfFull();
            }
        }
        const auto& c = r.resCampbellClassified;
        for (size_t k = 0; k < c.eigenID.size(); ++k) {
            fmt::format_to(out, "system_dynamics_campbell_classified_{}_eigenID={}\n", k, c.eigenID[k].toUtf8());
            for (size_t m = 0; m < c.eigenfrequencies[k].curve.size(); ++m) {
                fmt::format_to(out, "system_dynamics_campbell_classified_{}_{}_eigenfrequencies={}\n", k, m,
                               c.eigenfrequencies[k].curve[m]);
                flushIfFull();
            }
        }
        flush();
    }
};

constexpr size_t kLines = 4 + kShafts * kBearingsPerShaft * 40 + kSpeeds * (1 + 2 * kModes) + kCurves * (1 + kSpeeds / 2);

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

/// Once: the floor writes exactly the writer's bytes.
void checkFloorMatches() {
    static const bool checked = [] {
        const std::string a = "/tmp/drivesys_bench_modvars_a.txt", b = "/tmp/drivesys_bench_modvars_b.txt";
        std::remove(a.c_str());
        WriteModuleVariablesSystemDynamics(nWString::fromUtf8(a).c_str(), largeResult());
        std::FILE* f = std::fopen(b.c_str(), "wb");
        if (!f) throw std::runtime_error("cannot write " + b);
        FloorWriter{f}.write(largeResult());
        std::fclose(f);
        const bool same = slurp(a) == slurp(b);
        std::remove(a.c_str());
        std::remove(b.c_str());
        if (!same) throw std::logic_error("the floor does not write the writer's lines");
        return true;
    }();
    (void)checked;
}

void BM_WriteModuleVariables(benchmark::State& state) {
    checkFloorMatches();
    const SystemVibrationResults& r = largeResult();
    for (auto _ : state) benchmark::DoNotOptimize(WriteModuleVariablesSystemDynamics(L"/dev/null", r));
    state.counters["lines"] = static_cast<double>(kLines);
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(kLines), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_FmtFloor(benchmark::State& state) {
    const SystemVibrationResults& r = largeResult();
    for (auto _ : state) {
        std::FILE* f = std::fopen("/dev/null", "ab");
        FloorWriter{f}.write(r);
        std::fclose(f);
    }
    state.counters["lines"] = static_cast<double>(kLines);
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(kLines), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_WriteModuleVariables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FmtFloor)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
