// The system-dynamics solver against the floor of its dense and sparse linear algebra:
//
//   BM_CampbellSample/100         Campbell diagram of the sample gearbox at 100 speeds
//   BM_CampbellSampleFloor/100    100 Eigen eigen-decompositions (values and vectors) of the
//                                 sample's state matrix [[0, I], [−M⁻¹K, −M⁻¹(C + ΩG)]]
//   BM_CampbellTwoShaft/50        the same for a two-shaft geared system of about 600 DOF, 50 speeds
//   BM_CampbellTwoShaftFloor/50
//   BM_ForcedTwoShaft/200         forced response of that system at 200 speeds × 3 harmonics
//   BM_ForcedTwoShaftFloor/200    600 Eigen sparse complex LU factorisations and solves of
//                                 K + iH − ω²M + iω(C + ΩG)
//   BM_CampbellGrowth/N           one Campbell speed of a two-shaft system of N nodes per shaft
//                                 (how the time grows with the DOF count)
//
// The ratio to report is each solver figure over its floor from the same run.
#include <benchmark/benchmark.h>

#include <Eigen/Dense>
#include <Eigen/Eigenvalues>
#include <Eigen/SparseLU>
#include <cmath>
#include <complex>
#include <numbers>

#include "drivesys/solver/model.h"
#include "drivesys/samples/sample_definition.h"
#include "drivesys/solver/solver.h"

namespace {
using ds::solver::ShaftSystemModel;
constexpr double kPi = std::numbers::pi;

/// Two parallel shafts of `nodes` nodes each (elements of 10 mm), geared together, on four bearings.
SystemDefinition twoShaft(int nodes, std::vector<double> speeds) {
    SystemDefinitionData d;
    const double length = 0.01 * (nodes - 1);
    for (int s = 0; s < 2; ++s) {
        d.shaftsNames.push_back({s == 0 ? L"input" : L"output"});
        d.shaftOrigin.push_back({NVektor(0, 0, s * 0.15)});
        d.shaftE.push_back({2.1e11});
        d.shaftG.push_back({8.1e10});
        d.shaftRo.push_back({7850});
        d.shaftKappa.push_back({0.886});
        d.secLength.push_back({{length}});
        d.secLda.push_back({{s == 0 ? 0.04 : 0.06}});
        d.bearingName.push_back({{L"A", L"B"}});
        d.bearingPosition.push_back({{NVektor(0, 0.05, 0), NVektor(0, length - 0.05, 0)}});
        d.bearingStiffnessFxUx.push_back({{2e8, 2e8}});
        d.bearingStiffnessFyUy.push_back({{5e7, 0}});
        d.bearingStiffnessFzUz.push_back({{2e8, 2e8}});
        d.bearingDampingX.push_back({{300, 300}});
        d.bearingDampingZ.push_back({{300, 300}});
        d.gearName.push_back({{s == 0 ? L"pinion" : L"wheel"}});
        d.gearPosition.push_back({{NVektor(0, length / 2, 0)}});
        d.gearMass.push_back({{s == 0 ? 2.0 : 8.0}});
        d.gearMassMomentOfInertia.push_back({{s == 0 ? 2e-3 : 3e-2}});
        d.gearWidth.push_back({{0.03}});
        d.gearZ.push_back({{s == 0 ? 25 : 75}});
        d.gearDw.push_back({{s == 0 ? 0.075 : 0.225}});
        d.gearAlfwt.push_back({{20.0 * kPi / 180}});
    }
    d.constraintConnectionShaft1 = {{0}};
    d.constraintConnectionGear1 = {{0}};
    d.constraintConnectionShaft2 = {{1}};
    d.constraintConnectionGear2 = {{0}};
    d.constraintConnectionGearMeshStiffness = {{6e8}};
    d.constraintConnectionGearRatio = {{3.0}};
    d.hystereticDampingBending = d.hystereticDampingTorsion = d.hystereticDampingAxial = 0.01;
    d.campbellSpeed = std::move(speeds);
    SystemDefinition def;
    def.data = std::move(d);
    return def;
}

std::vector<double> sweep(int count, double top) {
    std::vector<double> out;
    for (int i = 0; i < count; ++i) out.push_back(top * i / std::max(1, count - 1));
    return out;
}

/// Solves `calculation` once per iteration.
void solveLoop(benchmark::State& state, const SystemDefinition& def, const SolverOptions& options, int calculation) {
    GeneralSystemDynamicsDefinitions general;
    general.calculationToPerform = calculation;
    for (auto _ : state) {
        SystemVibrationResults r;
        const SolverReport report = SolveSystemDynamics(def, general, r, options);
        if (report.status != kSolverOk) state.SkipWithError(report.message.c_str());
        benchmark::DoNotOptimize(r);
        state.counters["DOF"] = double(report.dofCount);
    }
}

/// The floor: one dense eigen-decomposition per speed of the physical state matrix.
void campbellFloor(benchmark::State& state, const SystemDefinition& def, double maxElementLength) {
    ds::solver::ModelOptions mo;
    mo.maxElementLength = maxElementLength;
    const ShaftSystemModel m = ShaftSystemModel::build(def.data, mo);
    const Eigen::Index n = Eigen::Index(m.dofCount());
    const Eigen::MatrixXd M = Eigen::MatrixXd(m.M);
    const Eigen::LDLT<Eigen::MatrixXd> Minv(M);
    const Eigen::MatrixXd MK = Minv.solve(Eigen::MatrixXd(m.K));
    for (auto _ : state) {
        for (double rpm : def.data.campbellSpeed) {
            const Eigen::MatrixXd D = Eigen::MatrixXd(m.C + (rpm * 2 * kPi / 60) * m.G);
            Eigen::MatrixXd A = Eigen::MatrixXd::Zero(2 * n, 2 * n);
            A.topRightCorner(n, n).setIdentity();
            A.bottomLeftCorner(n, n) = -MK;
            A.bottomRightCorner(n, n) = -Minv.solve(D);
            Eigen::EigenSolver<Eigen::MatrixXd> es(A, true);
            benchmark::DoNotOptimize(es.eigenvalues());
        }
        state.counters["DOF"] = double(n);
    }
}

void BM_CampbellSample(benchmark::State& state) {
    SolverInput in = ds::sampleGearboxSolverInput();
    in.definition.data.campbellSpeed = sweep(int(state.range(0)), 3000);
    solveLoop(state, in.definition, in.options, 2);
}
void BM_CampbellSampleFloor(benchmark::State& state) {
    SolverInput in = ds::sampleGearboxSolverInput();
    in.definition.data.campbellSpeed = sweep(int(state.range(0)), 3000);
    campbellFloor(state, in.definition, in.options.maxElementLength);
}
void BM_CampbellTwoShaft(benchmark::State& state) {
    SolverOptions o;
    o.maxElementLength = 0.0101;
    solveLoop(state, twoShaft(50, sweep(int(state.range(0)), 6000)), o, 2);
}
void BM_CampbellTwoShaftFloor(benchmark::State& state) {
    campbellFloor(state, twoShaft(50, sweep(int(state.range(0)), 6000)), 0.0101);
}
void BM_CampbellGrowth(benchmark::State& state) {
    SolverOptions o;
    o.maxElementLength = 0.0101;
    solveLoop(state, twoShaft(int(state.range(0)), {3000}), o, 2);
}

void BM_ForcedTwoShaft(benchmark::State& state) {
    const SystemDefinition def = twoShaft(50, {});
    ForcedResponseDefinitionsStruct run;
    run.numPlotPoints = unsigned(state.range(0));
    run.xAxisMin = 100;
    run.xAxisMax = 6000;
    run.numHarmonics = 3;
    SolverOptions o;
    o.maxElementLength = 0.0101;
    o.forcedResponse = &run;
    solveLoop(state, def, o, 1);
}
void BM_ForcedTwoShaftFloor(benchmark::State& state) {
    using Complex = std::complex<double>;
    using CS = Eigen::SparseMatrix<Complex>;
    ds::solver::ModelOptions mo;
    mo.maxElementLength = 0.0101;
    const ShaftSystemModel m = ShaftSystemModel::build(twoShaft(50, {}).data, mo);
    const CS KH = m.K.cast<Complex>() + Complex(0, 1) * m.H.cast<Complex>();
    const CS Mc = m.M.cast<Complex>();
    const Eigen::VectorXcd f = Eigen::VectorXcd::Ones(Eigen::Index(m.dofCount()));
    Eigen::VectorXcd u(f.size());
    for (auto _ : state) {
        Eigen::SparseLU<CS> lu;
        bool analysed = false;
        for (int j = 0; j < state.range(0); ++j) {
            const double spin = (100 + 5900.0 * j / (state.range(0) - 1)) * 2 * kPi / 60;
            const CS D = (m.C + spin * m.G).cast<Complex>();
            for (int h = 1; h <= 3; ++h) {
                const double w = 25 * spin * h;
                const CS A = KH - (w * w) * Mc + Complex(0, w) * D;
                if (!analysed) lu.analyzePattern(A), analysed = true;
                lu.factorize(A);
                u = lu.solve(f);  // evaluated: solve() alone only returns an expression
                benchmark::DoNotOptimize(u.data());
                benchmark::ClobberMemory();
            }
        }
    }
}

BENCHMARK(BM_CampbellSample)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CampbellSampleFloor)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CampbellGrowth)->Arg(10)->Arg(20)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ForcedTwoShaft)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ForcedTwoShaftFloor)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CampbellTwoShaft)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CampbellTwoShaftFloor)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
