// The system dynamics with an elastic housing at size: the gear chain of 4 shafts × 207 elements
// (4 992 DOF, samples/gear_chain.h) standing on a housing of 600 interface nodes (3 600 DOF, its
// stiffness and mass dense), one ring per bearing on a bore node of its own.
//
//   BM_Modal/1             modal analysis, 30 modes, one thread
//   BM_Campbell/T          Campbell diagram, 50 speeds, on T threads
//   BM_ModalGrounded,      the floor, what any shift-invert solution must do: the grounded drive
//   BM_ModalHousingWork    train's modal analysis (the same solver, every ring on the ground) and
//                          the housing's dense work: one Cholesky factorisation LLᵀ of
//                          σ²M_h + K_h and the mass where that is the identity, L⁻¹M_hL⁻ᵀ, and
//                          per Arnoldi operator application one product with it, for the
//                          applications of one Krylov space of the modes asked for
//                          (ncv = 2·nev + 1, nev = 2·modes + 2, no restart): a lower bound on the
//                          applications of any restarted run
//   BM_CampbellGrounded/T, the same per speed of the sweep (one factorisation for the sweep)
//   BM_CampbellHousingWork
//   BM_QWhole<Backend>/H   Q(σ) with a housing of H nodes as one sparse matrix (the dense block
//                          as sparse entries): its sparse LU (KLU or Eigen's supernodal SparseLU),
//                          analysis included, and the factors' nonzeros ("fill")
//   BM_QEliminated/H       the housing eliminated (solver/housing_elimination.h): its Cholesky
//                          factor and the KLU of the reduced matrix, and that matrix's factors' nonzeros
//
// Figures and the choice: bench/README.md, docs/solver.md.
#include <benchmark/benchmark.h>

#include <Eigen/Cholesky>
#include <Eigen/KLUSupport>
#include <Eigen/SparseLU>
#include <klu.h>
#include <cmath>
#include <map>
#include <memory>

#include "drivesys/samples/frame_housing.h"
#include "drivesys/samples/gear_chain.h"
#include "drivesys/solver/housing_elimination.h"
#include "drivesys/solver/model.h"
#include "drivesys/solver/solver.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"

namespace {
using Sparse = Eigen::SparseMatrix<double>;
constexpr size_t kShafts = 4, kElements = 207, kModes = 30, kSpeeds = 50;

/// The drive train, and a housing condensed onto `nodes` interface nodes around it, as an FE
/// program exports one: a lattice of steel beams (40 × 40 mm) of twice as many nodes filling the
/// box around the shafts, a bore node at every bearing tied to its four nearest lattice nodes, the
/// lowest layer on feet; reduced (samples/frame_housing.h, static condensation) onto the bores and
/// the lattice's two outer layers, whose interior between them is one connected piece: K and M over
/// 6·nodes DOF, both full, as condensed matrices are.
struct Scene {
    SolverInput input;
    HousingDefinition housing;

    explicit Scene(size_t nodes, size_t speeds) {
        ds::GearChainOptions o;
        o.shafts = kShafts;
        o.elementsPerShaft = kElements;
        o.speeds = speeds;
        input = ds::gearChainSolverInput(o);
        input.options.numModes = unsigned(kModes);
        const SystemDefinitionData& d = input.definition.data;
        std::vector<NVektor> bores;  // mm, global
        std::vector<HousingRing> rings;
        for (size_t s = 0; s < d.bearingPosition.size(); ++s)
            for (size_t k = 0; k < d.bearingPosition[s][0].size(); ++k) {
                const NVektor& origin = d.shaftOrigin[s][0];
                bores.push_back(NVektor(origin.x, origin.y + d.bearingPosition[s][0][k].y, origin.z) * 1000.0);
                rings.push_back({HousingRing::Kind::Bearing, s, 0, k, int64_t(bores.size())});
            }
        NVektor lo = bores[0], hi = bores[0];
        for (const NVektor& b : bores)
            for (int c = 0; c < 3; ++c) lo[c] = std::min(lo[c], b[c]), hi[c] = std::max(hi[c], b[c]);
        // Lattice nx × ny × nz with nx = 4, nz = 6 across and ny along the shafts.
        const size_t nx = 4, nz = 6, ny = (2 * nodes - bores.size()) / (nx * nz);
        ds::FrameHousing frame;
        for (size_t b = 0; b < bores.size(); ++b) frame.addNode(unsigned(b + 1), bores[b]);
        const ds::FrameHousing::Section beam{1600.0, 213333.0, 213333.0, 360000.0};
        auto at = [&](size_t i, size_t j, size_t k) { return bores.size() + (k * ny + j) * nx + i; };
        for (size_t k = 0; k < nz; ++k)
            for (size_t j = 0; j < ny; ++j)
                for (size_t i = 0; i < nx; ++i)
                    frame.addNode(unsigned(1000 + at(i, j, k)),
                                  NVektor(lo.x - 200 + 400.0 * double(i) / double(nx - 1),
                                          lo.y - 50 + (hi.y - lo.y + 100) * double(j) / double(ny - 1),
                                          lo.z - 150 + (hi.z - lo.z + 300) * double(k) / double(nz - 1)));
        for (size_t k = 0; k < nz; ++k)
            for (size_t j = 0; j < ny; ++j)
                for (size_t i = 0; i < nx; ++i) {
                    if (i + 1 < nx) frame.connect(at(i, j, k), at(i + 1, j, k), beam);
                    if (j + 1 < ny) frame.connect(at(i, j, k), at(i, j + 1, k), beam);
                    if (k + 1 < nz) frame.connect(at(i, j, k), at(i, j, k + 1), beam);
                    if (k == 0) frame.foot(at(i, j, k), 1e6, 1e9);
                }
        for (size_t b = 0; b < bores.size(); ++b) {
            std::vector<std::pair<double, size_t>> near;
            for (size_t n = bores.size(); n < frame.nodeCount(); ++n) near.push_back({frame.position(n).distance(bores[b]), n});
            std::partial_sort(near.begin(), near.begin() + 4, near.end());
            for (size_t q = 0; q < 4; ++q) frame.connect(b, near[q].second, beam);
        }
        std::vector<size_t> interface;
        for (size_t b = 0; b < bores.size(); ++b) interface.push_back(b);
        for (size_t k = 0; k < nz; ++k)
            for (size_t j = 0; j < ny; ++j)
                for (size_t i = 0; i < nx; ++i)
                    if ((i == 0 || i == nx - 1) && interface.size() < nodes) interface.push_back(at(i, j, k));
        housing.matrices = frame.reduce(interface, 0);
        housing.stiffnessFile = "lattice";
        housing.rings = std::move(rings);
    }
};

const Scene& scene(size_t nodes) {
    static std::map<size_t, std::unique_ptr<Scene>> scenes;
    auto& s = scenes[nodes];
    if (!s) s = std::make_unique<Scene>(nodes, kSpeeds);
    return *s;
}

void solve(benchmark::State& state, int calculation, bool withHousing, unsigned threads) {
    const Scene& sc = scene(600);
    SolverOptions o = sc.input.options;
    o.calculation = calculation;
    o.threads = threads;
    o.housing = withHousing ? &sc.housing : nullptr;
    SolverReport report;
    for (auto _ : state) {
        SystemVibrationResults r;
        report = SolveSystemDynamics(sc.input.definition, sc.input.general, r, o);
        if (report.status != kSolverOk) state.SkipWithError(report.message.c_str());
        benchmark::DoNotOptimize(r.solverStatus);
    }
    state.counters["dof"] = double(report.dofCount);
    if (withHousing) state.counters["housingDof"] = double(report.housing.dofCount);
}

/// The housing's dense work for `speeds` Arnoldi runs of `modes` modes at one shift.
void housingDenseWork(benchmark::State& state, size_t modes, size_t speeds) {
    const Scene& sc = scene(600);
    const double sigma = 2 * 3.141592653589793 * 50;
    // SI: N/mm → N/m (×1000) on translations, etc. do not change the work; the mm, t values are
    // used as they stand.
    const Eigen::MatrixXd K = nmath::eigenView(sc.housing.matrices.stiffness), M = nmath::eigenView(sc.housing.matrices.mass);
    const Eigen::Index n = K.rows(), ncv = 2 * Eigen::Index(2 * modes + 2) + 1;
    Eigen::VectorXd x = Eigen::VectorXd::LinSpaced(n, 1.0, 2.0), y(n);
    for (auto _ : state) {
        Eigen::MatrixXd q = K + sigma * sigma * M;
        Eigen::LLT<Eigen::Ref<Eigen::MatrixXd>> llt(q);
        // The mass in the coordinates where σ²M + K is the identity: L⁻¹ M L⁻ᵀ.
        Eigen::MatrixXd t = M;
        llt.matrixL().solveInPlace(t);
        t.transposeInPlace();
        llt.matrixL().solveInPlace(t);
        for (size_t s = 0; s < speeds; ++s)
            for (Eigen::Index k = 0; k < ncv; ++k) {
                y.setZero();
                ds::solver::addSymmetricProduct(t, x, y);
                x = y / y.norm();
            }
        benchmark::DoNotOptimize(x.data());
    }
}

void BM_Modal(benchmark::State& state) { solve(state, 0, true, 1); }
void BM_ModalGrounded(benchmark::State& state) { solve(state, 0, false, 1); }
void BM_ModalHousingWork(benchmark::State& state) { housingDenseWork(state, kModes, 1); }
void BM_Campbell(benchmark::State& state) { solve(state, 2, true, unsigned(state.range(0))); }
void BM_CampbellGrounded(benchmark::State& state) { solve(state, 2, false, unsigned(state.range(0))); }
void BM_CampbellHousingWork(benchmark::State& state) { housingDenseWork(state, kModes + std::max<size_t>(4, kModes / 5), kSpeeds); }

// ---- Q(σ) whole against eliminated ----------------------------------------------------------------

struct Assembled {
    ds::solver::ShaftSystemModel model;
    Sparse q;  // the pencil's union pattern values: σ²M + σ(C + ΩG) + K, sparse parts
};

const Assembled& assembled(size_t nodes) {
    static std::map<size_t, std::unique_ptr<Assembled>> cache;
    auto& a = cache[nodes];
    if (!a) {
        const Scene& sc = scene(nodes);
        ds::solver::ModelOptions mo;
        mo.maxElementLength = sc.input.options.maxElementLength;
        mo.housing = &sc.housing;
        a = std::make_unique<Assembled>(Assembled{ds::solver::ShaftSystemModel::build(sc.input.definition.data, mo), {}});
        const double sigma = 300.0, omega = 300.0;
        const ds::solver::ShaftSystemModel& m = a->model;
        a->q = sigma * sigma * m.M + sigma * (m.C + omega * m.G) + m.K;
        for (Eigen::Index i = 0; i < a->q.rows(); ++i) a->q.coeffRef(i, i) += 0.0;
        a->q.makeCompressed();
    }
    return *a;
}

Sparse wholeMatrix(const Assembled& a) {
    const double sigma = 300.0;
    const ds::solver::HousingModel& h = a.model.housing;
    Sparse whole = a.q + ds::solver::housingBlock(h, h.K + sigma * sigma * h.M, size_t(a.q.rows()));
    whole.makeCompressed();
    return whole;
}

/// KLU's factorisation of q (analysis included): the factors' nonzeros, L + U + off-diagonal blocks.
double kluFill(const Sparse& q, bool& ok) {
    std::vector<int> p(q.outerIndexPtr(), q.outerIndexPtr() + q.cols() + 1), i(q.innerIndexPtr(), q.innerIndexPtr() + q.nonZeros());
    std::vector<double> v(q.valuePtr(), q.valuePtr() + q.nonZeros());
    klu_common common;
    klu_defaults(&common);
    klu_symbolic* symbolic = klu_analyze(int(q.rows()), p.data(), i.data(), &common);
    klu_numeric* numeric = symbolic ? klu_factor(p.data(), i.data(), v.data(), symbolic, &common) : nullptr;
    ok = numeric != nullptr;
    const double fill = ok ? double(numeric->lnz + numeric->unz + numeric->nzoff) : 0.0;
    klu_free_numeric(&numeric, &common);
    klu_free_symbolic(&symbolic, &common);
    return fill;
}

void BM_QWholeKlu(benchmark::State& state) {
    const Sparse q = wholeMatrix(assembled(size_t(state.range(0))));
    double fill = 0;
    for (auto _ : state) {
        bool ok = false;
        fill = kluFill(q, ok);
        if (!ok) state.SkipWithError("KLU failed");
    }
    state.counters["nnzQ"] = double(q.nonZeros());
    state.counters["fill"] = fill;
}

void BM_QWholeSparseLU(benchmark::State& state) {
    const Sparse q = wholeMatrix(assembled(size_t(state.range(0))));
    for (auto _ : state) {
        Eigen::SparseLU<Sparse> lu;
        lu.analyzePattern(q);
        lu.factorize(q);
        if (lu.info() != Eigen::Success) state.SkipWithError("SparseLU failed");
        benchmark::DoNotOptimize(&lu);
    }
    state.counters["nnzQ"] = double(q.nonZeros());
}

void BM_QEliminated(benchmark::State& state) {
    const Assembled& a = assembled(size_t(state.range(0)));
    const ds::solver::HousingModel& h = a.model.housing;
    std::vector<double> values(a.q.valuePtr(), a.q.valuePtr() + a.q.nonZeros()), none(values.size(), 0.0);
    const ds::solver::HousingElimination elimination(h, a.q, {&values, &none, &none, &none});
    double sigma = 300.0;
    Sparse reduced;
    for (auto _ : state) {
        sigma += 1e-9;  // a new shift each time: the housing's factor is made, not reused
        ds::solver::EliminatedQuadratic q(elimination);
        q.factorize(a.q, sigma);
        reduced = q.reducedMatrix();
        benchmark::DoNotOptimize(&q);
    }
    // The reduced matrix's factors' nonzeros (KLU on it again, outside the timing), and the dense
    // factor of the housing, n_h(n_h + 1)/2.
    bool ok = false;
    state.counters["nnzReduced"] = double(reduced.nonZeros());
    state.counters["fill"] = kluFill(reduced, ok);
    state.counters["denseFactor"] = double(a.model.housing.dofs) * double(a.model.housing.dofs + 1) / 2;
    state.counters["boundary"] = double(elimination.boundaryCount());
}
}  // namespace

BENCHMARK(BM_Modal)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_ModalGrounded)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_ModalHousingWork)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Campbell)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_CampbellGrounded)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_CampbellHousingWork)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_QWholeKlu)->Arg(100)->Arg(300)->Arg(600)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_QWholeSparseLU)->Arg(100)->Arg(300)->Arg(600)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_QEliminated)->Arg(100)->Arg(300)->Arg(600)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK_MAIN();
