// The report of a solved definition against the solve it reports on, in one run:
//
//   BM_ReportOverSolve/S/E/N   a gear chain of S shafts × E elements (4 × 416: 10 008 DOF) with a
//                              Campbell diagram and a forced response at N speeds: the solve
//                              (solveDefinition: Campbell + forced response) and then the report
//                              (buildReport: summary, critical modes' shapes, pictures, HTML and
//                              CSV), each timed once. Counters: solve_s, report_s (wall), their
//                              ratio report_over_solve (target ≤ 0.10), html_MB (target < 5),
//                              critical speeds, peaks and DOF.
//   BM_ReportOnly/S/E/N        the report alone, repeated on one solved definition (its parts:
//                              the summary, the mode shapes and the HTML).
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "drivesys/report/html_report.h"
#include "drivesys/samples/gear_chain.h"

namespace {

SolverInput chain(const benchmark::State& state) {
    ds::GearChainOptions o;
    o.shafts = size_t(state.range(0));
    o.elementsPerShaft = size_t(state.range(1));
    o.speeds = size_t(state.range(2));
    o.forced = true;
    return ds::gearChainSolverInput(o);
}

ds::report::ReportOptions options() {
    ds::report::ReportOptions o;
    o.summary.operatingSpeedMin = 2700;
    o.summary.operatingSpeedMax = 3300;
    return o;
}

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_ReportOverSolve(benchmark::State& state) {
    const SolverInput input = chain(state);
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const ds::report::SolvedDefinition solved = ds::report::solveDefinition(input);
        const double solve = seconds(t0);
        const auto t1 = std::chrono::steady_clock::now();
        const ds::report::ReportDocument doc = ds::report::buildReport(input, solved, options());
        const double report = seconds(t1);
        benchmark::DoNotOptimize(doc.html.data());
        state.counters["solve_s"] = solve;
        state.counters["report_s"] = report;
        state.counters["report_over_solve"] = report / solve;
        state.counters["html_MB"] = double(doc.html.size()) / 1e6;
        state.counters["critical_speeds"] = double(doc.summary.criticalSpeeds.size());
        state.counters["peaks"] = double(doc.summary.peaks.size());
        state.counters["DOF"] = double(solved.report.dofCount);
    }
}

void BM_ReportOnly(benchmark::State& state) {
    const SolverInput input = chain(state);
    const ds::report::SolvedDefinition solved = ds::report::solveDefinition(input);
    for (auto _ : state) {
        const ds::report::ReportDocument doc = ds::report::buildReport(input, solved, options());
        benchmark::DoNotOptimize(doc.html.data());
        state.counters["html_MB"] = double(doc.html.size()) / 1e6;
    }
}

BENCHMARK(BM_ReportOverSolve)->Args({4, 416, 100})->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ReportOnly)->Args({2, 40, 20})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
