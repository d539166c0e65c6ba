#include "drivesys/solver/forced_response.h"

#include <Eigen/KLUSupport>
#include <algorithm>
#include <cmath>
#include <complex>
#include <fmt/format.h>
#include <memory>
#include <numbers>

#include "drivesys/solver/parallel.h"

namespace ds::solver {
namespace {

using Complex = std::complex<double>;
using ComplexSparse = Eigen::SparseMatrix<Complex>;
using ComplexVector = Eigen::VectorXcd;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kRpmToRadPerSecond = kTwoPi / 60.0;
/// Balance quality grade e·Ω of the gears' unbalance, m/s (grade G 6.3).
constexpr double kUnbalanceGrade = 6.3e-3;
/// Peak-to-peak transmission error of a mesh without one in gearCalcResults.PPTE, m.
constexpr double kDefaultPPTE = 1e-6;
/// Work limit: speeds × excitation frequencies solved in one run.
constexpr double kMaxSolves = 1e6;
constexpr unsigned kMaxHarmonics = 1000;

/// One excitation frequency of a speed: a force vector over the kept DOF.
struct Column {
    double omega = 0.0;  // rad/s
    ComplexVector force;
    /// Mesh whose transmission error drives this column (its TE amplitude, m), or kNone.
    size_t mesh = kNone;
    double te = 0.0;
    /// False for a column without any force (a shaft without unbalanced gears): nothing to solve.
    bool loaded = false;
};

std::vector<double> runSpeeds(const ForcedResponseDefinitionsStruct& run) {
    if (!run.speeds.empty()) return run.speeds;
    std::vector<double> out;
    const unsigned n = run.numPlotPoints;
    for (unsigned i = 0; i < n; ++i)
        out.push_back(n == 1 ? run.xAxisMin : run.xAxisMin + (run.xAxisMax - run.xAxisMin) * i / (n - 1));
    return out;
}

/// Appends v with its polar form to a series, built in place.
void appendRiap(RiapSeries& series, Complex v) {
    RealImaginaryAmplitudePhase& r = series.emplace_back();
    r.real = v.real();
    r.imaginary = v.imag();
    r.amplitude = std::abs(v);
    r.phase = r.amplitude > 0 ? std::arg(v) : 0.0;
}

/// Unbalance of every gear, kg·m: eccentricity G/Ω_ref at the gear's shaft speed Ω_ref of the
/// nominal operating point (or, when that is 0, the highest speed of the run).
std::vector<double> unbalances(const ShaftSystemModel& m, double referenceRpm) {
    std::vector<double> out;
    for (const GearInfo& g : m.gears) {
        const double omega = std::abs(m.shafts[g.shaft].speedRatio * referenceRpm) * kRpmToRadPerSecond;
        out.push_back(omega > 0 ? g.mass * kUnbalanceGrade / omega : 0.0);
    }
    return out;
}

double meshDamping(const ShaftSystemModel& m, const MeshInfo& mesh, const ForcedResponseDefinitionsStruct& run) {
    if (run.gearMeshDampingType == 0) return std::max(0.0, run.gearMeshDamping);
    // Damping ratio of the mesh spring on the two gears' equivalent mass along the line of action.
    auto inertiaAlong = [&](const GearInfo& g, const Vector6& b) {
        const double t = b(4) * b(4);  // torsion: (rb cos βb)² / Ip
        return (g.polarInertia > 0 ? t / g.polarInertia : 0.0) + (g.mass > 0 ? (b(0) * b(0) + b(2) * b(2)) / g.mass : 0.0);
    };
    const double inv = inertiaAlong(m.gears[mesh.gear1], mesh.b1) + inertiaAlong(m.gears[mesh.gear2], mesh.b2);
    return inv > 0 ? 2.0 * std::max(0.0, run.gearMeshDampingRatio) * std::sqrt(mesh.stiffness / inv) : 0.0;
}

/// Mesh coupling row over the kept DOF: δ = row · q.
ComplexVector meshRow(const ShaftSystemModel& m, const MeshInfo& mesh) {
    ComplexVector row = ComplexVector::Zero(Eigen::Index(m.dofCount()));
    for (int d = 0; d < 6; ++d) {
        const size_t i = m.dof(m.gears[mesh.gear1].node, d), j = m.dof(m.gears[mesh.gear2].node, d);
        if (i != kNone) row(Eigen::Index(i)) += mesh.b1(d);
        if (j != kNone) row(Eigen::Index(j)) -= mesh.b2(d);
    }
    return row;
}

/// Viscous damping of the meshes, Σ c_k · r_kᵀ r_k over their coupling rows (real parts), built
/// from the rows' few non-zero entries; a zero product is left out of the pattern.
SparseMatrix meshDampingMatrix(const std::vector<ComplexVector>& rows, const std::vector<double>& c, Eigen::Index n) {
    std::vector<Eigen::Triplet<double>> entries;
    for (size_t k = 0; k < rows.size(); ++k) {
        std::vector<Eigen::Index> nonZero;
        for (Eigen::Index i = 0; i < n; ++i)
            if (rows[k](i).real() != 0.0) nonZero.push_back(i);
        for (Eigen::Index j : nonZero)
            for (Eigen::Index i : nonZero) {
                const double v = rows[k](j).real() * (c[k] * rows[k](i).real());
                if (v != 0.0) entries.emplace_back(i, j, v);
            }
    }
    SparseMatrix out(n, n);
    out.setFromTriplets(entries.begin(), entries.end());  // sums the meshes' shares in mesh order
    return out;
}

/// What the section forces at the nodes need of the beam elements, made once per run: for every
/// node the element on its right (along +y), else the one on its left, and every element's
/// stiffness K_e and hysteretic part H_e (loss factor × strain stiffness of each kind); the mass
/// and gyroscopic matrices are the element's own.
class SectionForces {
public:
    explicit SectionForces(const ShaftSystemModel& m) : m_(m), at_(m.nodes.size()), K_(m.elements.size()), H_(m.elements.size()) {
        for (size_t e = m.elements.size(); e-- > 0;) {
            const ElementInfo& el = m.elements[e];
            at_[el.node1] = {e, true};
            if (at_[el.node2].element == kNone) at_[el.node2] = {e, false};
            const BeamElementMatrices& em = el.matrices;
            K_[e] = em.stiffness();
            H_[e] = m.lossAxial * em.axial + m.lossTorsion * em.torsion +
                    m.lossBending * (em.bendingXY + em.bendingYZ + em.shearXY + em.shearYZ);
        }
    }
    /// The force and moment (N, N·m) the element on the node's right (along +y) takes at the
    /// node; at the last node of a sub-shaft the element on its left, negated:
    /// (K_e + iH_e − ω²M_e + iω Ω_e G_e) q_e at excitation ω and shaft spin Ω_e (rad/s).
    Eigen::Matrix<Complex, 6, 1> at(const ComplexVector& u, size_t node, double omega, double spin) const {
        const Side side = at_[node];
        if (side.element == kNone) return Eigen::Matrix<Complex, 6, 1>::Zero();
        const ElementInfo& e = m_.elements[side.element];
        Eigen::Matrix<double, 12, 1> qr, qi;
        for (int d = 0; d < 6; ++d) {
            const size_t i = m_.dof(e.node1, d), j = m_.dof(e.node2, d);
            const Complex a = i == kNone ? Complex(0) : u(Eigen::Index(i)), b = j == kNone ? Complex(0) : u(Eigen::Index(j));
            qr(d) = a.real(), qi(d) = a.imag(), qr(d + 6) = b.real(), qi(d + 6) = b.imag();
        }
        // Real and imaginary parts of A q with A = (K − ω²M) + i(H + ωΩG).
        const Matrix12 re = K_[side.element] - omega * omega * e.matrices.mass;
        const Matrix12 im = H_[side.element] + (omega * spin * m_.shafts[e.shaft].speedRatio) * e.matrices.gyroscopic;
        const Eigen::Matrix<double, 12, 1> fr = re * qr - im * qi, fi = re * qi + im * qr;
        Eigen::Matrix<Complex, 6, 1> out;
        for (int d = 0; d < 6; ++d) out(d) = side.left ? Complex(fr(d), fi(d)) : -Complex(fr(d + 6), fi(d + 6));
        return out;
    }

private:
    struct Side {
        size_t element = kNone;
        bool left = false;  // the node is the element's first node
    };
    const ShaftSystemModel& m_;
    std::vector<Side> at_;
    std::vector<Matrix12> K_, H_;
};

/// Whirl ellipse of the lateral motion (ux, uz) at one frequency: the orbit z + i·x is
/// F e^{iωt} + B e^{−iωt} with F = (uz + i ux)/2 (forward about +y) and B = (conj uz + i conj ux)/2.
/// Major semi-axis |F| + |B|; minor |F| − |B| (negative: the orbit turns against the shaft);
/// phase: the major axis' angle from z towards x, rad.
void whirl(Complex ux, Complex uz, double spinSign, double& major, double& minor, double& phase) {
    const Complex F = (uz + Complex(0, 1) * ux) / 2.0, B = (std::conj(uz) + Complex(0, 1) * std::conj(ux)) / 2.0;
    major = std::abs(F) + std::abs(B);
    minor = (std::abs(F) - std::abs(B)) * (spinSign < 0 ? -1.0 : 1.0);
    phase = (std::abs(F) > 0 && std::abs(B) > 0) ? (std::arg(F) + std::arg(B)) / 2 : std::abs(F) > 0 ? std::arg(F) : std::arg(B);
}

/// Fills a carrier's four directional series (rows x, y, z; one column per excitation) straight
/// into its speed-domain record, then copies them into the frequency domain: both domains hold
/// the same values.
class CarrierSeries {
public:
    CarrierSeries(ForcedResponseResultsSpeedDomain& sd, size_t columns) : sd_(sd) {
        for (RiapSeries2* s : {&sd.uVecVsSpeed, &sd.rVecVsSpeed, &sd.fVecVsSpeed, &sd.mVecVsSpeed}) {
            s->resize(3);
            for (RiapSeries& row : *s) row.reserve(columns);
        }
    }
    void add(const Eigen::Matrix<Complex, 6, 1>& disp, const Eigen::Matrix<Complex, 6, 1>& load) {
        for (size_t a = 0; a < 3; ++a) {
            appendRiap(sd_.uVecVsSpeed[a], disp(Eigen::Index(a)));
            appendRiap(sd_.rVecVsSpeed[a], disp(Eigen::Index(a + 3)));
            appendRiap(sd_.fVecVsSpeed[a], load(Eigen::Index(a)));
            appendRiap(sd_.mVecVsSpeed[a], load(Eigen::Index(a + 3)));
        }
    }
    /// Copies the series into the frequency domain and takes the whirl of the first excitation.
    void finish(ForcedResponseResultsFreqDomain& fd, const std::vector<double>& freqs) {
        fd.f = freqs;
        fd.fCarrier = freqs;
        fd.uVecVsFreq = sd_.uVecVsSpeed;
        fd.rVecVsFreq = sd_.rVecVsSpeed;
        fd.fVecVsFreq = sd_.fVecVsSpeed;
        fd.mVecVsFreq = sd_.mVecVsSpeed;
        const RiapSeries2& u = sd_.uVecVsSpeed;
        if (!u[0].empty()) {
            const Complex ux(u[0][0].real, u[0][0].imaginary), uz(u[2][0].real, u[2][0].imaginary);
            whirl(ux, uz, 1.0, sd_.whirlMajorBendingSemiAxis, sd_.whirlMinorBendingSemiAxis, sd_.whirlPhaseAngle);
        }
    }

private:
    ForcedResponseResultsSpeedDomain& sd_;
};

/// The system matrix K + iH − ω²M + iω(C + ΩG) of every excitation on one sparsity pattern, the
/// union of the terms' patterns. Each term's values are laid out along that pattern once (zero
/// where the term has no entry), so a new speed or frequency only rewrites the values in place:
/// no sparse expression is evaluated and nothing is allocated per solve.
class SystemMatrix {
public:
    SystemMatrix(const ComplexSparse& KH, const ComplexSparse& M, const SparseMatrix& C, const SparseMatrix& G)
        : a_(KH + M + (C + G).cast<Complex>()) {
        a_.makeCompressed();
        kh_ = along(KH);
        m_ = along(M);
        c_ = along(C);
        g_ = along(G);
        d_.resize(c_.size());
    }
    /// The damping C + ΩG of the shaft speed Ω, rad/s.
    void setSpin(double spin) {
        for (size_t k = 0; k < d_.size(); ++k) d_[k] = c_[k] + spin * g_[k];
    }
    /// The matrix at the excitation frequency ω (rad/s) and the speed of the last setSpin.
    const ComplexSparse& at(double omega) {
        // (K + iH) − ω²M + (0 + iω)(D + 0i), written out in real arithmetic: the same operations
        // as the complex expression, without the NaN-recovery call of a complex product.
        const double w2 = omega * omega;
        Complex* a = a_.valuePtr();
        for (size_t k = 0; k < d_.size(); ++k) {
            const double d = d_[k];
            a[k] = Complex((kh_[k].real() - w2 * m_[k].real()) + (0.0 * d - omega * 0.0),
                           (kh_[k].imag() - w2 * m_[k].imag()) + (0.0 * 0.0 + omega * d));
        }
        return a_;
    }

private:
    template <class Scalar>
    std::vector<Scalar> along(const Eigen::SparseMatrix<Scalar>& x) const {
        std::vector<Scalar> out(size_t(a_.nonZeros()), Scalar(0));
        const int* inner = a_.innerIndexPtr();
        for (Eigen::Index j = 0; j < a_.outerSize(); ++j) {
            int k = a_.outerIndexPtr()[j];
            for (typename Eigen::SparseMatrix<Scalar>::InnerIterator it(x, j); it; ++it) {
                while (inner[k] != it.index()) ++k;  // x's pattern is part of a_'s, both sorted
                out[size_t(k)] = it.value();
            }
        }
        return out;
    }

    ComplexSparse a_;
    std::vector<Complex> kh_, m_;
    std::vector<double> c_, g_, d_;
};

Eigen::Matrix<Complex, 6, 1> nodeSolution(const ShaftSystemModel& m, const ComplexVector& u, size_t node) {
    Eigen::Matrix<Complex, 6, 1> v = Eigen::Matrix<Complex, 6, 1>::Zero();
    for (int d = 0; d < 6; ++d) {
        const size_t i = m.dof(node, d);
        if (i != kNone) v(d) = u(Eigen::Index(i));
    }
    return v;
}

}  // namespace

void checkForcedResponseRun(const ShaftSystemModel& m, const SystemDefinitionData& data, const ForcedResponseDefinitionsStruct& run) {
    if (run.speeds.size() > 100000)
        throw ModelError(fmt::format("speeds holds {} entries; at most 100000 are solved", run.speeds.size()));
    if (run.speeds.empty() && run.numPlotPoints > 100000)
        throw ModelError(fmt::format("numPlotPoints is {}; at most 100000 are solved", run.numPlotPoints));
    if (run.numHarmonics > kMaxHarmonics)
        throw ModelError(fmt::format("numHarmonics is {}; at most {} harmonics are solved", run.numHarmonics, kMaxHarmonics));
    const std::vector<double> speeds = runSpeeds(run);
    if (speeds.empty()) throw ModelError("no speed to solve: speeds is empty and numPlotPoints is 0");
    for (size_t i = 0; i < speeds.size(); ++i)
        if (!std::isfinite(speeds[i])) throw ModelError(fmt::format("speed {} of the run is not a finite number", i));
    for (double v : {run.gearMeshDamping, run.gearMeshDampingRatio, run.hystereticDampingAxial})
        if (!std::isfinite(v)) throw ModelError("the gear-mesh damping of the run is not a finite number");
    const double columns = double(run.considerUnbalanceMasses ? m.shafts.size() : 0) +
                           double(run.considerGearMeshForces ? m.meshes.size() * std::max(1u, run.numHarmonics) : 0);
    if (double(speeds.size()) * columns > kMaxSolves)
        throw ModelError(fmt::format("{} speeds × {} excitations exceed the {} solves of one run", speeds.size(), columns, kMaxSolves));
    const auto& ppte = data.gearCalcResults.PPTE;
    for (size_t i = 0; i < ppte.size(); ++i)
        for (size_t k = 0; k < ppte[i].size(); ++k)
            if (!std::isfinite(ppte[i][k]) || ppte[i][k] < 0)
                throw ModelError(fmt::format("gearCalcResults.PPTE[{}][{}] must be a finite length ≥ 0", i, k));
}

void solveForcedResponse(const ShaftSystemModel& m, const SystemDefinitionData& data, const ForcedResponseDefinitionsStruct& run,
                         const std::function<void(size_t, size_t)>& progress, unsigned threads,
                         SystemVibrationResults& results, std::vector<std::vector<HousingRingResponse>>* housingResponse) {
    checkForcedResponseRun(m, data, run);
    const std::vector<double> speeds = runSpeeds(run);
    const Eigen::Index n = Eigen::Index(m.dofCount());
    const unsigned harmonics = std::max(1u, run.numHarmonics);
    const double nominal = results.controllingShaftNominalSpeed;
    const double referenceRpm = nominal != 0.0 ? nominal : *std::max_element(speeds.begin(), speeds.end(),
                                                                            [](double a, double b) { return std::abs(a) < std::abs(b); });
    const std::vector<double> unbalance = unbalances(m, referenceRpm);

    // Transmission error per mesh: PPTE of the mesh's position in gearCalcResults.PPTE (all
    // groups in order), else the default; harmonic h has the amplitude PPTE / (2h).
    std::vector<double> ppte;
    for (const auto& group : data.gearCalcResults.PPTE) ppte.insert(ppte.end(), group.begin(), group.end());
    std::vector<ComplexVector> rows;
    std::vector<double> meshC;
    for (size_t k = 0; k < m.meshes.size(); ++k) {
        rows.push_back(meshRow(m, m.meshes[k]));
        meshC.push_back(meshDamping(m, m.meshes[k], run));
    }

    // K + iH and the damping (bearings, connections, meshes), complex once; every worker refills
    // its own copy of the values per frequency.
    // With a housing, its block K_h(1 + iη) and M_h join them on its DOF.
    ComplexSparse KH = m.K.cast<Complex>() + Complex(0, 1) * m.H.cast<Complex>();
    ComplexSparse MM = m.M.cast<Complex>();
    if (!m.housing.empty()) {
        const SparseMatrix kh = housingBlock(m.housing, m.housing.K, size_t(n));
        KH += kh.cast<Complex>() + Complex(0, m.housing.lossFactor) * kh.cast<Complex>();
        if (m.housing.hasMass) MM += housingBlock(m.housing, m.housing.M, size_t(n)).cast<Complex>();
    }
    const SystemMatrix prototype(KH, MM, m.C + meshDampingMatrix(rows, meshC, n), m.G);
    // The rings on the housing, in model order.
    std::vector<size_t> rings;
    for (size_t i = 0; i < m.supports.size(); ++i)
        if (m.supports[i].housingNode != kNone) rings.push_back(i);
    const SectionForces sectionForces(m);

    // Excitations, the same list at every speed: 1× unbalance of each shaft's gears, then every
    // mesh's harmonics. Every shaft has its column (zero without unbalanced gears): column s is
    // shaft s. A mesh's force does not depend on the speed, only its frequency does.
    std::vector<Column> templateColumns;
    if (run.considerUnbalanceMasses)
        for (size_t s = 0; s < m.shafts.size(); ++s) templateColumns.push_back({0.0, ComplexVector::Zero(n)});
    if (run.considerGearMeshForces)
        for (size_t k = 0; k < m.meshes.size(); ++k) {
            const double pp = k < ppte.size() ? ppte[k] : kDefaultPPTE;
            for (unsigned h = 1; h <= harmonics; ++h) {
                Column c{0.0, ComplexVector(), k, pp / (2.0 * h)};
                // Transmission error e: the mesh spring pushes km·e along its row.
                c.force = (m.meshes[k].stiffness * c.te) * rows[k];
                c.loaded = c.te != 0.0;
                templateColumns.push_back(std::move(c));
            }
        }

    // One worker's matrix values, factorisation (pattern analysed once) and solutions.
    struct Worker {
        Worker(const SystemMatrix& s, const std::vector<Column>& c) : system(s), columns(c) {}
        SystemMatrix system;
        Eigen::KLU<ComplexSparse> lu;
        bool analysed = false;
        std::vector<Column> columns;
        std::vector<ComplexVector> solutions;
    };
    const unsigned workers = std::min<unsigned>(threadCount(threads), unsigned(std::max<size_t>(1, speeds.size())));
    std::vector<std::unique_ptr<Worker>> pool(workers);

    results.forcedResponseResults.reserve(speeds.size());
    std::vector<WhirlDataMembers> maxWhirl(m.docPoints.size());
    using SpeedResult = std::pair<NWelleResultForcedResponse, std::vector<HousingRingResponse>>;
    auto solveSpeed = [&](size_t j, unsigned self) {
        if (!pool[self]) pool[self] = std::make_unique<Worker>(prototype, templateColumns);
        Worker& w = *pool[self];
        std::vector<Column>& columns = w.columns;
        std::vector<ComplexVector>& solutions = w.solutions;
        solutions.assign(columns.size(), ComplexVector());
        std::vector<double> freqs(columns.size());
        const double spin = speeds[j] * kRpmToRadPerSecond;
        size_t next = 0;
        if (run.considerUnbalanceMasses)
            for (size_t s = 0; s < m.shafts.size(); ++s) {
                Column& c = columns[next++];
                const double w = m.shafts[s].speedRatio * spin;
                c.omega = std::abs(w);
                c.force.setZero();
                c.loaded = false;
                for (size_t g = 0; g < m.gears.size(); ++g) {
                    if (m.gears[g].shaft != s || unbalance[g] == 0.0) continue;
                    // A force m e Ω² turning with the shaft: along x at t = 0, then towards −z
                    // for a spin about +y (f_x = F, f_z = iF; the other way for negative spin).
                    const double F = unbalance[g] * w * w;
                    const size_t ix = m.dof(m.gears[g].node, 0), iz = m.dof(m.gears[g].node, 2);
                    if (ix == kNone || iz == kNone) continue;
                    c.force(Eigen::Index(ix)) += F;
                    c.force(Eigen::Index(iz)) += Complex(0, w >= 0 ? F : -F);
                    c.loaded = c.loaded || F != 0.0;
                }
            }
        if (run.considerGearMeshForces)
            for (size_t k = 0; k < m.meshes.size(); ++k) {
                const GearInfo& g1 = m.gears[m.meshes[k].gear1];
                const double meshOmega = g1.teeth * std::abs(m.shafts[g1.shaft].speedRatio * spin);
                for (unsigned h = 1; h <= harmonics; ++h) columns[next++].omega = meshOmega * h;
            }

        // (K + iH − ω²M + iω(C + ΩG)) u = f, one factorisation for the loaded columns of one
        // frequency (shafts of equal speed, harmonics that coincide).
        w.system.setSpin(spin);
        std::vector<bool> done(columns.size(), false);
        for (size_t c = 0; c < columns.size(); ++c) {
            if (done[c]) continue;
            if (!columns[c].loaded) {
                solutions[c] = ComplexVector::Zero(n);
                continue;
            }
            const double omega = columns[c].omega;
            const ComplexSparse& A = w.system.at(omega);
            if (!w.analysed) {
                w.lu.analyzePattern(A);
                w.analysed = true;
            }
            w.lu.factorize(A);
            if (w.lu.info() != Eigen::Success)
                throw NumericalError(fmt::format("the system matrix is singular at {} 1/min, {} Hz (an unsupported "
                                                 "rigid-body motion excited at rest?)", speeds[j], omega / kTwoPi));
            for (size_t d = c; d < columns.size(); ++d) {
                if (done[d] || !columns[d].loaded || std::abs(columns[d].omega - omega) > 1e-12 * omega) continue;
                solutions[d] = w.lu.solve(columns[d].force);
                if (!solutions[d].allFinite())
                    throw NumericalError(fmt::format("the response at {} 1/min, {} Hz is not finite", speeds[j], omega / kTwoPi));
                done[d] = true;
            }
        }
        for (size_t c = 0; c < columns.size(); ++c) freqs[c] = columns[c].omega / kTwoPi;

        SpeedResult out;
        NWelleResultForcedResponse& entry = out.first;
        entry.speedRefBound = speeds[j];
        entry.timeOutputs.baseFrequency = freqs.empty() ? 0.0 : freqs.front();
        // Documentation points.
        entry.docPointResults.resize(m.docPoints.size());
        for (size_t p = 0; p < m.docPoints.size(); ++p) {
            const DocPointInfo& dp = m.docPoints[p];
            DocPointForcedResponseResults& r = entry.docPointResults[p];
            r.docPointName = dp.name;
            r.docPointShaftName = m.subShafts[m.shafts[dp.shaft].subShafts[dp.subShaft]].name;
            r.docPointShaftCalcNum = int(dp.shaft);
            r.docPointSubShaftNum = int(dp.subShaft);
            r.docIndexInQuSpez = unsigned(p);
            r.docPointShaftNumTM = unsigned(dp.shaft);
            r.pos = dp.pos;
            r.speedShaft = m.shafts[dp.shaft].speedRatio * speeds[j];
            CarrierSeries series(r.docPointSpeedDomain, columns.size());
            for (size_t c = 0; c < columns.size(); ++c)
                series.add(nodeSolution(m, solutions[c], dp.node), sectionForces.at(solutions[c], dp.node, columns[c].omega, spin));
            series.finish(r.docPointFreqDomain, freqs);
            const double spinSign = m.shafts[dp.shaft].speedRatio * spin < 0 ? -1.0 : 1.0;
            r.docPointSpeedDomain.whirlMinorBendingSemiAxis *= spinSign;
        }
        // Bearings and connections: the force and moment they transmit, (K + iωC) u.
        entry.bearingResults.resize(m.supports.size());
        for (size_t i = 0; i < m.supports.size(); ++i) {
            const SupportInfo& sp = m.supports[i];
            BearingForcedResponseResults& b = entry.bearingResults[i];
            b.name = sp.name;
            b.shaftNumTM = int(sp.shaft);
            b.boundNum = int(i);
            b.speedShaft = m.shafts[sp.shaft].speedRatio * speeds[j];
            CarrierSeries series(b.bearingSpeedDomain, columns.size());
            for (size_t c = 0; c < columns.size(); ++c) {
                const Eigen::Matrix<Complex, 6, 1> disp = nodeSolution(m, solutions[c], sp.node);
                Eigen::Matrix<Complex, 6, 1> q = disp;
                if (sp.housingNode != kNone) {
                    q -= ringHousingMotion(ringDofs(m, sp), solutions[c]);
                } else if (sp.otherNode != kNone) {
                    const Eigen::Matrix3d T3 = m.shafts[sp.shaft].axes.transpose() * m.shafts[sp.otherShaft].axes;
                    const Eigen::Matrix<Complex, 6, 1> o = nodeSolution(m, solutions[c], sp.otherNode);
                    q.head<3>() -= T3.cast<Complex>() * o.head<3>();
                    q.tail<3>() -= T3.cast<Complex>() * o.tail<3>();
                }
                const Eigen::Matrix<Complex, 6, 1> load =
                    sp.stiffness.cast<Complex>() * q + Complex(0, columns[c].omega) * (sp.damping.cast<Complex>() * q);
                series.add(disp, load);
            }
            series.finish(b.bearingFreqDomain, freqs);
        }
        // The housing's side of the rings on it, in its FE frame: the node's motion, and the
        // bearing's load (shaft frame) turned into the FE frame, Tᵀ·load per three rows.
        if (housingResponse)
            for (size_t r = 0; r < rings.size(); ++r) {
                const SupportInfo& sp = m.supports[rings[r]];
                const RingDofs ring = ringDofs(m, sp);
                const ForcedResponseResultsSpeedDomain& bearing = entry.bearingResults[rings[r]].bearingSpeedDomain;
                HousingRingResponse& h = out.second.emplace_back();
                h.ring = r;
                CarrierSeries series(h.housing, columns.size());
                for (size_t c = 0; c < columns.size(); ++c) {
                    Eigen::Matrix<Complex, 6, 1> u = Eigen::Matrix<Complex, 6, 1>::Zero(), load;
                    for (int d = 0; d < 6; ++d)
                        if (ring.housing[size_t(d)] != kNone) u(d) = solutions[c](Eigen::Index(ring.housing[size_t(d)]));
                    for (int a = 0; a < 3; ++a) {
                        const RealImaginaryAmplitudePhase &f = bearing.fVecVsSpeed[size_t(a)][c], &mo = bearing.mVecVsSpeed[size_t(a)][c];
                        load(a) = Complex(f.real, f.imaginary);
                        load(a + 3) = Complex(mo.real, mo.imaginary);
                    }
                    load.head<3>() = ring.turn.transpose().cast<Complex>() * load.head<3>().eval();
                    load.tail<3>() = ring.turn.transpose().cast<Complex>() * load.tail<3>().eval();
                    series.add(u, load);
                }
            }
        // Gear meshes: deflection along the line of action, dynamic mesh force, stiffness.
        entry.gearMeshResults.resize(m.meshes.size());
        for (size_t k = 0; k < m.meshes.size(); ++k) {
            const MeshInfo& mesh = m.meshes[k];
            const GearInfo &g1 = m.gears[mesh.gear1], &g2 = m.gears[mesh.gear2];
            GearMeshForcedResponseResults& g = entry.gearMeshResults[k];
            g.nDataIdsOfGears = {int64_t(mesh.gear1) + 1, int64_t(mesh.gear2) + 1};
            g.name = mesh.name;
            g.shaftNumTMMain = g.shaftNumTMInput = int(g1.shaft);
            g.shaftNumTMOutput = int(g2.shaft);
            g.rGearInput = g1.pitchDiameter / 2;
            g.rGearOutput = g2.pitchDiameter / 2;
            g.posGearInputGlobal = g1.centre.dot(m.shafts[g1.shaft].axes.col(1));
            g.posGearOutGlobal = g2.centre.dot(m.shafts[g2.shaft].axes.col(1));
            g.speedShaftMain = m.shafts[g1.shaft].speedRatio * speeds[j];
            g.omega = g1.teeth * std::abs(m.shafts[g1.shaft].speedRatio * spin);
            GearMeshForcedResponseResultsFreqDomain& fd = g.gearMeshFreqDomain;
            fd.f = freqs;
            for (RiapSeries* s : {&fd.dispPLVsFreq, &fd.forcePLVsFreq, &fd.stiffPLVsFreq}) s->reserve(columns.size());
            double teAmplitude = 0.0;
            for (size_t c = 0; c < columns.size(); ++c) {
                if (columns[c].mesh == k && g.baseFreqInd < 0) g.baseFreqInd = int(c);
                const double e = columns[c].mesh == k ? columns[c].te : 0.0;
                teAmplitude = std::max(teAmplitude, e);
                const Complex delta = rows[k].transpose() * solutions[c];
                const Complex force = mesh.stiffness * (delta - e) + Complex(0, columns[c].omega * meshC[k]) * delta;
                appendRiap(fd.dispPLVsFreq, delta);
                appendRiap(fd.forcePLVsFreq, force);
                appendRiap(fd.stiffPLVsFreq, mesh.stiffness);
                g.maxDynamicForce = std::max(g.maxDynamicForce, fd.forcePLVsFreq.back().amplitude);
            }
            // Dynamic factor: the dynamic mesh force over the force the transmission error would
            // give between blocked gears (km·e).
            g.dynamicFactor = teAmplitude > 0 ? 1.0 + g.maxDynamicForce / (mesh.stiffness * teAmplitude) : 1.0;
            g.gearMeshSpeedDomain.dispPLVsSpeed = fd.dispPLVsFreq;  // the same series over speed
            g.gearMeshSpeedDomain.forcePLVsSpeed = fd.forcePLVsFreq;
            g.gearMeshSpeedDomain.stiffPLVsSpeed = fd.stiffPLVsFreq;
        }
        // Results at every node along the shafts.
        if (run.calculateResultsVsLength) {
            entry.resultsVsLength.resize(m.nodes.size());
            for (size_t node = 0; node < m.nodes.size(); ++node) {
                ForcedResponseResultsVsLength& l = entry.resultsVsLength[node];
                l.shaftNumTM = int(m.nodes[node].shaft);
                l.pos = m.nodes[node].pos;
                CarrierSeries series(l.speedDomainResult, columns.size());
                for (size_t c = 0; c < columns.size(); ++c)
                    series.add(nodeSolution(m, solutions[c], node), sectionForces.at(solutions[c], node, columns[c].omega, spin));
                series.finish(l.freqDomainResult, freqs);
            }
        }
        return out;
    };
    orderedParallel<SpeedResult>(
        speeds.size(), workers, 2 * size_t(workers) + 2, solveSpeed, [&](size_t j, SpeedResult&& result) {
            NWelleResultForcedResponse& entry = result.first;
            if (housingResponse) housingResponse->push_back(std::move(result.second));
            for (size_t p = 0; p < entry.docPointResults.size(); ++p) {
                const ForcedResponseResultsSpeedDomain& sd = entry.docPointResults[p].docPointSpeedDomain;
                if (maxWhirl[p].speedIndex < 0 || sd.whirlMajorBendingSemiAxis > maxWhirl[p].whirlMajorBendingSemiAxis) {
                    maxWhirl[p].speedIndex = int(j);
                    maxWhirl[p].speed = speeds[j];
                    maxWhirl[p].whirlMajorBendingSemiAxis = sd.whirlMajorBendingSemiAxis;
                    maxWhirl[p].whirlMinorBendingSemiAxis = sd.whirlMinorBendingSemiAxis;
                    maxWhirl[p].whirlPhaseAngle = sd.whirlPhaseAngle;
                }
            }
            results.forcedResponseResults.push_back(std::move(entry));
            if (progress) progress(j + 1, speeds.size());
        });
    for (const WhirlDataMembers& w : maxWhirl) {
        WhirlDataPerSpeedStruct s;
        s.whirlDataPerSpeed.push_back(w);
        results.forcedResponseDocPointMaxWhirlMajorBendingSemiAxis.push_back(std::move(s));
    }
}

}  // namespace ds::solver
