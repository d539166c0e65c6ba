// The system-dynamics solver at scale, on the gear-chain family (samples/gear_chain.h), against
// floors measured in the same run (wall time where threads run: the rates of the threaded ones are
// per second of wall time). Every benchmark reports the DOF, the nonzeros of the system
// matrices, the modes, the time per speed and the process's peak RSS; run the large ones one per
// process (--benchmark_filter) so that the peak is theirs (bench/README.md has the commands).
//
//   BM_Campbell/DOF/threads          Campbell diagram: 20 modes at 100 speeds (738 DOF), 30 modes
//                                    at 100 speeds (10 008 DOF)
//   BM_Modal/DOF                     modal analysis at the nominal speed, 30 modes
//   BM_ForcedResponse/DOF/threads    forced response at 200 speeds: unbalance of the three shafts
//                                    and two meshes × 3 harmonics (9 excitations a speed)
//   BM_ForcedResponseFloor/DOF       the same factorisations and solves (KLU, one per speed and
//                                    excitation frequency) with nothing else: the floor
//   BM_SampleGearbox                 the demo's sample gearbox: modal analysis, Campbell diagram
//                                    (31 speeds) and forced response, as the demo solves it
//   BM_ShiftInvertSpeed/DOF          one speed's eigenproblem alone (the modes of a Campbell
//                                    speed), for the comparison with scipy (bench/scipy_eigs.py,
//                                    which reads the matrices this writes with --write-matrices)
#include <benchmark/benchmark.h>

#include <Eigen/KLUSupport>
#include <cmath>
#include <complex>
#include <cstring>
#include <fstream>
#include <numbers>
#include <sys/resource.h>

#include "drivesys/samples/gear_chain.h"
#include "drivesys/samples/sample_definition.h"
#include "drivesys/solver/modal.h"
#include "drivesys/solver/model.h"
#include "drivesys/solver/solver.h"

namespace {
using ds::solver::ShaftSystemModel;
using Complex = std::complex<double>;
constexpr double kRpm = 2 * std::numbers::pi / 60;

/// The gear chain of about `dof` DOF (6 · shafts · (elements + 1)): 3 shafts up to 3 000 DOF, 4 up
/// to 10 008 (4 × 416 elements), 5 up to 30 000, 10 beyond (10 × 1666 elements: 100 020 DOF).
ds::GearChainOptions chainOf(int64_t dof) {
    ds::GearChainOptions o;
    o.shafts = dof <= 3100 ? 3 : dof <= 10100 ? 4 : dof <= 31000 ? 5 : 10;
    o.elementsPerShaft = size_t(std::llround(double(dof) / (6.0 * double(o.shafts)))) - 1;
    return o;
}

double peakRssMB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

void report(benchmark::State& state, const SolverReport& r, double speeds, double modes) {
    state.counters["DOF"] = double(r.dofCount);
    state.counters["nnz"] = double(r.nonZeros);
    state.counters["modes"] = modes;
    state.counters["speeds"] = speeds;
    state.counters["s_per_speed"] = benchmark::Counter(speeds, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["peak_RSS_MB"] = peakRssMB();
}

SolverReport solve(benchmark::State& state, const SolverInput& in, unsigned threads) {
    SolverOptions o = in.options;
    o.threads = threads;
    if (in.hasForcedResponse) o.forcedResponse = &in.forcedResponse;
    SystemVibrationResults r;
    const SolverReport rep = SolveSystemDynamics(in.definition, in.general, r, o);
    if (rep.status != kSolverOk) state.SkipWithError(rep.message.c_str());
    benchmark::DoNotOptimize(r);
    return rep;
}

void BM_Campbell(benchmark::State& state) {
    ds::GearChainOptions o = chainOf(state.range(0));
    o.speeds = 100;
    SolverInput in = ds::gearChainSolverInput(o);
    in.options.numModes = state.range(0) > 1000 ? 30 : 20;
    SolverReport rep;
    for (auto _ : state) rep = solve(state, in, unsigned(state.range(1)));
    report(state, rep, 100, in.options.numModes);
}

void BM_Modal(benchmark::State& state) {
    ds::GearChainOptions o = chainOf(state.range(0));
    o.speeds = 0;
    SolverInput in = ds::gearChainSolverInput(o);
    in.options.numModes = 30;
    SolverReport rep;
    for (auto _ : state) rep = solve(state, in, 1);
    report(state, rep, 1, 30);
}

SolverInput forcedChain(int64_t dof) {
    ds::GearChainOptions o;
    o.shafts = 3;
    o.elementsPerShaft = size_t(dof / 18 - 1);
    o.speeds = 200;
    o.forced = true;
    return ds::gearChainSolverInput(o);
}

void BM_ForcedResponse(benchmark::State& state) {
    const SolverInput in = forcedChain(state.range(0));
    SolverReport rep;
    for (auto _ : state) rep = solve(state, in, unsigned(state.range(1)));
    report(state, rep, 200, 0);
}

/// The floor of the forced response: per speed, one KLU factorisation and solve of
/// K + iH − ω²M + iω(C + ΩG) per distinct excitation frequency (3 shaft speeds, 2 × 3 mesh
/// frequencies), the matrix assembled in place on a fixed pattern, one load vector each.
void BM_ForcedResponseFloor(benchmark::State& state) {
    const SolverInput in = forcedChain(state.range(0));
    ds::solver::ModelOptions mo;
    mo.maxElementLength = in.options.maxElementLength;
    const ShaftSystemModel m = ShaftSystemModel::build(in.definition.data, mo);
    using CS = Eigen::SparseMatrix<Complex>;
    const CS KH = m.K.cast<Complex>() + Complex(0, 1) * m.H.cast<Complex>(), Mc = m.M.cast<Complex>();
    const CS Cc = m.C.cast<Complex>(), Gc = m.G.cast<Complex>();
    CS A = KH + Mc + Cc + Gc;
    A.makeCompressed();
    // Each part's values along A's pattern, so that a frequency only rewrites values.
    auto along = [&](const CS& x) {
        std::vector<Complex> v(size_t(A.nonZeros()), 0.0);
        for (Eigen::Index j = 0; j < A.outerSize(); ++j) {
            int k = A.outerIndexPtr()[j];
            for (CS::InnerIterator it(x, j); it; ++it) {
                while (A.innerIndexPtr()[k] != it.index()) ++k;
                v[size_t(k)] = it.value();
            }
        }
        return v;
    };
    const std::vector<Complex> kh = along(KH), mm = along(Mc), cc = along(Cc), gg = along(Gc);
    const Eigen::VectorXcd f = Eigen::VectorXcd::Ones(A.rows());
    Eigen::VectorXcd u(f.size());
    Eigen::KLU<CS> lu;
    lu.analyzePattern(A);
    std::vector<double> ratios;
    for (const auto& s : m.shafts) ratios.push_back(std::abs(s.speedRatio));
    for (auto _ : state) {
        for (double rpm : in.forcedResponse.speeds) {
            const double spin = rpm * kRpm;
            std::vector<double> omegas;
            for (double r : ratios) omegas.push_back(r * spin);
            for (const auto& mesh : m.meshes) {
                const auto& g = m.gears[mesh.gear1];
                for (int h = 1; h <= 3; ++h) omegas.push_back(g.teeth * std::abs(m.shafts[g.shaft].speedRatio) * spin * h);
            }
            for (double w : omegas) {
                Complex* a = A.valuePtr();
                for (size_t k = 0; k < kh.size(); ++k) a[k] = kh[k] - (w * w) * mm[k] + Complex(0, w) * (cc[k] + spin * gg[k]);
                lu.factorize(A);
                u = lu.solve(f);
                benchmark::DoNotOptimize(u.data());
            }
        }
    }
    state.counters["DOF"] = double(m.dofCount());
    state.counters["peak_RSS_MB"] = peakRssMB();
}

void BM_SampleGearbox(benchmark::State& state) {
    SolverInput in = ds::sampleGearboxSolverInput();
    ForcedResponseDefinitionsStruct run;
    run.numPlotPoints = 60;
    run.xAxisMin = 100;
    run.xAxisMax = 3000;
    run.numHarmonics = 2;
    run.considerUnbalanceMasses = true;
    for (auto _ : state) {
        for (int calculation : {2, 1}) {
            in.general.calculationToPerform = calculation;
            in.hasForcedResponse = calculation == 1;
            in.forcedResponse = run;
            solve(state, in, 1);
        }
    }
}

/// One Campbell speed's eigenproblem: the modes + margin a sweep asks for at 3000 1/min.
const char* gMatrixFolder = nullptr;

void writeMatrixMarket(const std::string& path, const Eigen::SparseMatrix<double>& A) {
    std::ofstream out(path);
    out << "%%MatrixMarket matrix coordinate real general\n" << A.rows() << " " << A.cols() << " " << A.nonZeros() << "\n";
    out.precision(17);
    for (Eigen::Index j = 0; j < A.outerSize(); ++j)
        for (Eigen::SparseMatrix<double>::InnerIterator it(A, j); it; ++it)
            out << it.row() + 1 << " " << it.col() + 1 << " " << it.value() << "\n";
}

void BM_ShiftInvertSpeed(benchmark::State& state) {
    ds::GearChainOptions o = chainOf(state.range(0));
    const SolverInput in = ds::gearChainSolverInput(o);
    ds::solver::ModelOptions mo;
    mo.maxElementLength = in.options.maxElementLength;
    const ShaftSystemModel m = ShaftSystemModel::build(in.definition.data, mo);
    ds::solver::ModalProblem problem(m);
    ds::solver::QuadraticEigenSolver solver(problem.pencil);
    const size_t modes = state.range(0) > 1000 ? 30 : 20, count = modes + std::max<size_t>(4, modes / 5);
    problem.tune(ds::solver::solveModes(problem, solver, 3000 * kRpm, count, false), count);
    const double omega = 3000 * kRpm;
    if (gMatrixFolder) {
        const std::string base = std::string(gMatrixFolder) + "/chain" + std::to_string(m.dofCount());
        writeMatrixMarket(base + "_M.mtx", m.M);
        writeMatrixMarket(base + "_K.mtx", m.K);
        writeMatrixMarket(base + "_D.mtx", m.C + omega * m.G);
        std::ofstream(base + "_settings.txt") << 2 * count + 2 << " " << problem.settings.shift << " " << problem.settings.scale
                                              << "\n";
    }
    std::vector<ds::solver::Mode> result;
    for (auto _ : state) result = ds::solver::solveModes(problem, solver, omega, count, false);
    state.counters["DOF"] = double(m.dofCount());
    state.counters["eigenvalues"] = double(2 * count + 2);
    state.counters["f1_Hz"] = result.empty() ? 0.0 : result.front().frequency;
}

BENCHMARK(BM_SampleGearbox)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Campbell)->Args({738, 1})->Args({738, 2})->Args({10008, 1})->Args({10008, 2})->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
// The small models as the mean of two seconds of runs: one run of 30 ms varies by a third from run
// to run, which moves the fitted size exponent by up to 0.1.
BENCHMARK(BM_Modal)->Arg(1002)->Arg(3006)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Modal)->Arg(10008)->Arg(30000)->Arg(100020)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ForcedResponse)->Args({10008, 1})->Args({10008, 2})->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ForcedResponseFloor)->Arg(10008)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ShiftInvertSpeed)->Arg(738)->Arg(10008)->Unit(benchmark::kMillisecond)->Iterations(3);
// The size series of one speed against the floor: the same sizes as BM_Modal's, each model's
// matrices for scipy_eigs.py, so that the size exponent of the floor is measured beside ours.
BENCHMARK(BM_ShiftInvertSpeed)->Name("BM_ShiftInvertSize")->Arg(1002)->Arg(3006)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ShiftInvertSpeed)->Name("BM_ShiftInvertSize")->Arg(30000)->Arg(100020)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    // --write-matrices=DIR: BM_ShiftInvertSpeed writes M, K, D and its settings for scipy_eigs.py.
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--write-matrices=", 17) == 0) {
            gMatrixFolder = argv[i] + 17;
            for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
            --argc;
            break;
        }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
