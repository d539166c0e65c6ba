// The sparse factorisations the system-dynamics solver could make per speed, on the gear-chain
// models (samples/gear_chain.h) of 738 and 10 008 DOF:
//
//   BM_Modal<Backend>/DOF      Q(σ) = σ²M + σ(C + ΩG) + K, real, unsymmetric (gyroscopic):
//                              numerical factorisation (pattern analysed once) and 100 solves,
//                              what one modal speed costs in the factorisation
//   BM_Forced<Backend>/DOF     K + iH − ω²M + iω(C + ΩG), complex: factorisation and one solve,
//                              what one forced-response excitation costs
//
// Backends: Eigen's SparseLU (supernodal, COLAMD), KLU (SuiteSparse, AMD + BTF, left-looking)
// and UMFPACK (SuiteSparse, multifrontal). Figures and the choice: bench/README.md.
#include <benchmark/benchmark.h>

#include <Eigen/KLUSupport>
#include <Eigen/SparseLU>
#include <Eigen/UmfPackSupport>
#include <complex>

#include "drivesys/samples/gear_chain.h"
#include "drivesys/solver/model.h"

namespace {
using ds::solver::ShaftSystemModel;
using Sparse = Eigen::SparseMatrix<double>;
using ComplexSparse = Eigen::SparseMatrix<std::complex<double>>;

const ShaftSystemModel& chain(int64_t dof) {
    static std::map<int64_t, ShaftSystemModel> models;
    auto it = models.find(dof);
    if (it != models.end()) return it->second;
    ds::GearChainOptions o;
    o.shafts = dof > 1000 ? 4 : 3;
    o.elementsPerShaft = dof > 1000 ? 416 : 40;
    SolverInput in = ds::gearChainSolverInput(o);
    ds::solver::ModelOptions mo;
    mo.maxElementLength = in.options.maxElementLength;
    return models.emplace(dof, ShaftSystemModel::build(in.definition.data, mo)).first->second;
}

Sparse modalMatrix(const ShaftSystemModel& m) {
    const double sigma = 300.0, omega = 300.0;
    Sparse Q = sigma * sigma * m.M + sigma * (m.C + omega * m.G) + m.K;
    Q.makeCompressed();
    return Q;
}

ComplexSparse forcedMatrix(const ShaftSystemModel& m) {
    const double w = 2000.0, spin = 300.0;
    const std::complex<double> i(0, 1);
    ComplexSparse A = m.K.cast<std::complex<double>>() + i * m.H.cast<std::complex<double>>() -
                      (w * w) * m.M.cast<std::complex<double>>() + (i * w) * (m.C + spin * m.G).cast<std::complex<double>>();
    A.makeCompressed();
    return A;
}

template <class Solver>
void modal(benchmark::State& state) {
    const Sparse Q = modalMatrix(chain(state.range(0)));
    Solver lu;
    lu.analyzePattern(Q);
    Eigen::VectorXd b = Eigen::VectorXd::Ones(Q.rows()), x(Q.rows());
    for (auto _ : state) {
        lu.factorize(Q);
        for (int k = 0; k < 100; ++k) {
            x = lu.solve(b);
            benchmark::DoNotOptimize(x.data());
        }
    }
    state.counters["dof"] = double(Q.rows());
    state.counters["nnz"] = double(Q.nonZeros());
}

template <class Solver>
void forced(benchmark::State& state) {
    const ComplexSparse A = forcedMatrix(chain(state.range(0)));
    Solver lu;
    lu.analyzePattern(A);
    Eigen::VectorXcd b = Eigen::VectorXcd::Ones(A.rows()), x(A.rows());
    for (auto _ : state) {
        lu.factorize(A);
        x = lu.solve(b);
        benchmark::DoNotOptimize(x.data());
    }
    state.counters["dof"] = double(A.rows());
}

template <class M>
using EigenLU = Eigen::SparseLU<M>;

BENCHMARK(modal<Eigen::SparseLU<Sparse>>)->Name("BM_ModalSparseLU")->Arg(738)->Arg(10008)->Unit(benchmark::kMillisecond);
BENCHMARK(modal<Eigen::KLU<Sparse>>)->Name("BM_ModalKLU")->Arg(738)->Arg(10008)->Unit(benchmark::kMillisecond);
BENCHMARK(modal<Eigen::UmfPackLU<Sparse>>)->Name("BM_ModalUMFPACK")->Arg(738)->Arg(10008)->Unit(benchmark::kMillisecond);
BENCHMARK(forced<Eigen::SparseLU<ComplexSparse>>)->Name("BM_ForcedSparseLU")->Arg(738)->Arg(10008)->Unit(benchmark::kMillisecond);
BENCHMARK(forced<Eigen::KLU<ComplexSparse>>)->Name("BM_ForcedKLU")->Arg(738)->Arg(10008)->Unit(benchmark::kMillisecond);
BENCHMARK(forced<Eigen::UmfPackLU<ComplexSparse>>)->Name("BM_ForcedUMFPACK")->Arg(738)->Arg(10008)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
