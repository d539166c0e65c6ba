// Housing coupling at realistic size: a condensed stiffness over 600 interface nodes × 6 DOF
// (3600 rows, about 100 MB), coupled to 40 or to 200 bearing points.
//
//   BM_Construct/M    NFEMCasing construction with M mapped nodes
//   BM_Floor/M        what any construction must do: read the kept 6M × 6M entries (in SI) and
//                     invert them, by the fewest flops known for a symmetric positive definite
//                     matrix (Cholesky inversion, n³: housing/symmetric_inverse.h)
//   BM_LuInverse/M    the same gather with an LU inverse (2n³ + …), for comparison
//   BM_Deflection/M   calculateCasingDeflection for all M bearing points
//   BM_MatVec/M       bare compliance × load vector product (its floor)
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "drivesys/housing/nfemcasing.h"
#include "drivesys/housing/symmetric_inverse.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"

namespace {
constexpr size_t kNodes = 600;
constexpr size_t kShafts = 4;

double noise(uint64_t i, uint64_t j) {
    uint64_t h = (i * 0x9E3779B97F4A7C15ull) ^ (j * 0xC2B2AE3D27D4EB4Full);
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 29;
    return static_cast<double>(h >> 11) * 0x1.0p-53 - 0.5;
}

NFEMCasing::Frame frame(const NVektor& o, double angle) {
    const NVektor x(std::cos(angle), std::sin(angle), 0), y(-std::sin(angle), std::cos(angle), 0);
    return {o, x, y, x.cross(y)};
}

struct Housing {
    NMatrix k;
    std::vector<NVektor> nodes;
    std::vector<NFEMCasing::Frame> shafts;
    NFEMCasing::Frame systemCS = frame({}, 0.0);
    NFEMCasing::Frame femCS = frame({5, 5, 0}, 0.3);

    Housing() {
        const size_t n = kNodes * 6;
        k = NMatrix(n);
        auto e = nmath::eigenView(k);
        for (Eigen::Index j = 0; j < e.cols(); ++j)
            for (Eigen::Index i = 0; i < j; ++i) e(i, j) = e(j, i) = 100.0 * noise(static_cast<uint64_t>(i), static_cast<uint64_t>(j));
        for (Eigen::Index i = 0; i < e.rows(); ++i) e(i, i) = 100.0 * static_cast<double>(n);  // diagonally dominant
        for (size_t i = 0; i < kNodes; ++i)  // a 10 × 10 × 6 grid, 50 mm apart
            nodes.emplace_back(50.0 * static_cast<double>(i % 10), 50.0 * static_cast<double>(i / 10 % 10),
                               50.0 * static_cast<double>(i / 100));
        for (size_t s = 0; s < kShafts; ++s) shafts.push_back(frame({10.0 * s, 0, 0}, 0.5 * s));
    }

    /// Bearing points on every (600/mapped)-th node, 0.1 mm off, spread over the shafts.
    NFEMCasing::PerShaftVectors points(size_t mapped) const {
        const NTransformationMatrix femToSystem(femCS[1], femCS[2], true, femCS[0], systemCS[1], systemCS[2], systemCS[0]);
        NFEMCasing::PerShaftVectors out(kShafts);
        for (size_t b = 0; b < mapped; ++b)
            out[b % kShafts].push_back(femToSystem * nodes[b * (kNodes / mapped)] + NVektor(0.1, 0, 0));
        return out;
    }

    std::unique_ptr<NFEMCasing> build(size_t mapped) const {
        std::vector<unsigned> numbers;
        return std::make_unique<NFEMCasing>(true, 1.0, k, shafts, points(mapped), nodes, systemCS, femCS,
                                            FEStiffnessMatrixSystemOfUnits{}, numbers, false, false, false);
    }
};

const Housing& housing() {
    static const Housing h;
    return h;
}

void BM_Construct(benchmark::State& state) {
    const Housing& h = housing();
    const size_t mapped = static_cast<size_t>(state.range(0));
    for (auto _ : state) {
        auto casing = h.build(mapped);
        if (casing->getConstructorStatus() != CasingOk) state.SkipWithError("construction failed");
        benchmark::DoNotOptimize(nmath::eigenView(casing->getCompliance()).data());
    }
}

/// The kept DOF of M mapped nodes, as the casing keeps them.
std::vector<Eigen::Index> keptDofs(size_t mapped) {
    std::vector<Eigen::Index> dofs;
    for (size_t b = 0; b < mapped; ++b)
        for (size_t d = 0; d < 6; ++d) dofs.push_back(static_cast<Eigen::Index>(b * (kNodes / mapped) * 6 + d));
    return dofs;
}

/// The kept entries in SI (mm, N → m, N): N/mm × 1000, N·mm/rad × 0.001, couplings as they are.
Eigen::MatrixXd gatherSI(const Eigen::Map<const Eigen::MatrixXd>& k, const std::vector<Eigen::Index>& dofs) {
    const Eigen::Index m = static_cast<Eigen::Index>(dofs.size());
    Eigen::MatrixXd out(m, m);
    for (Eigen::Index j = 0; j < m; ++j)
        for (Eigen::Index i = 0; i < m; ++i) {
            const bool ri = i % 6 >= 3, rj = j % 6 >= 3;
            out(i, j) = k(dofs[size_t(i)], dofs[size_t(j)]) * (!ri && !rj ? 1e3 : (ri && rj ? 1e-3 : 1.0));
        }
    return out;
}

void BM_Floor(benchmark::State& state) {
    const Housing& h = housing();
    const std::vector<Eigen::Index> dofs = keptDofs(static_cast<size_t>(state.range(0)));
    const Eigen::Map<const Eigen::MatrixXd> k = nmath::eigenView(h.k);
    for (auto _ : state) {
        Eigen::MatrixXd c = gatherSI(k, dofs);
        if (!ds::housing::invertSymmetric(c)) state.SkipWithError("not invertible");
        benchmark::DoNotOptimize(c.data());
    }
}

void BM_LuInverse(benchmark::State& state) {
    const Housing& h = housing();
    const std::vector<Eigen::Index> dofs = keptDofs(static_cast<size_t>(state.range(0)));
    const Eigen::Map<const Eigen::MatrixXd> k = nmath::eigenView(h.k);
    for (auto _ : state) {
        Eigen::MatrixXd c = Eigen::PartialPivLU<Eigen::MatrixXd>(gatherSI(k, dofs)).inverse();
        benchmark::DoNotOptimize(c.data());
    }
}

NFEMCasing::PerShaftVectors loads(const NFEMCasing::PerShaftVectors& points, double scale) {
    NFEMCasing::PerShaftVectors out(points.size());
    for (size_t s = 0; s < points.size(); ++s)
        for (size_t j = 0; j < points[s].size(); ++j) out[s].emplace_back(scale * (1.0 + j), -scale, 0.5 * scale);
    return out;
}

void BM_Deflection(benchmark::State& state) {
    const Housing& h = housing();
    const size_t mapped = static_cast<size_t>(state.range(0));
    const auto casing = h.build(mapped);
    const auto points = h.points(mapped);
    const auto forces = loads(points, 1000.0), moments = loads(points, 10.0);
    NFEMCasing::PerShaftVectors disp, rot;
    for (auto _ : state) {
        casing->calculateCasingDeflection(forces, moments, disp, rot);
        benchmark::DoNotOptimize(disp.data());
    }
}

void BM_MatVec(benchmark::State& state) {
    const Housing& h = housing();
    const auto casing = h.build(static_cast<size_t>(state.range(0)));
    const auto c = nmath::eigenView(casing->getCompliance());
    const Eigen::VectorXd f = Eigen::VectorXd::Ones(c.cols());
    Eigen::VectorXd u(c.rows());
    for (auto _ : state) {
        u.noalias() = c * f;
        benchmark::DoNotOptimize(u.data());
    }
}
}  // namespace

BENCHMARK(BM_Construct)->Arg(40)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor)->Arg(40)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LuInverse)->Arg(40)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Deflection)->Arg(40)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MatVec)->Arg(40)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
