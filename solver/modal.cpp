#include "drivesys/solver/modal.h"

#include <Eigen/Dense>
#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <map>
#include <numbers>

namespace ds::solver {
namespace {

using Index = Eigen::Index;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
/// Rayleigh quotients of the stiffness scaled to unit diagonal below this share of its largest
/// eigenvalue count as zero: rounding leaves them near 1e-16, while the softest elastic
/// deformation of a chain of a few thousand elements stays above 1e-8.
constexpr double kNullShare = 1e-11;
/// Eigenvalues below this share of the frequency scale are roots at λ = 0 (a rigid-body motion
/// that damping touches; the free ones are not in the runs).
constexpr double kZeroRoot = 1e-3;
/// A rigid-body shape that keeps less than this share of its M-norm after the ones before it
/// are taken out is one of them again.
constexpr double kSameShape = 1e-3;

double quad(const SparseMatrix& A, const Eigen::VectorXcd& x) { return (x.adjoint() * (A * x)).real()(0, 0); }

const char* familyWord(int motion) {
    switch (motion) {
        case kTorsionMotion: return "torsion";
        case kAxialMotion: return "axial";
        case kHousingMotion: return "housing";
        default: return "bending";
    }
}

/// x's quadratic form with the whole mass matrix, the housing's dense block included.
double massQuad(const ShaftSystemModel& m, const Eigen::VectorXcd& x) { return x.dot(m.massTimes(x)).real(); }

/// The housing's quadratic forms of every mode that lacks them, in one product per block.
void addHousingForms(const ShaftSystemModel& m, std::vector<Mode>& modes) {
    if (m.housing.empty()) return;
    std::vector<const Eigen::VectorXcd*> shapes;
    std::vector<Mode*> which;
    for (Mode& mode : modes)
        if (!mode.hasHousingForms) shapes.push_back(&mode.shape), which.push_back(&mode);
    std::vector<Eigen::VectorXcd> massParts;
    const std::vector<HousingForms> forms = housingForms(m.housing, shapes, &massParts);
    for (size_t i = 0; i < which.size(); ++i) {
        Mode& mode = *which[i];
        mode.housing = forms[i];
        mode.hasHousingForms = true;
        mode.massShape = m.M * mode.shape;
        mode.massShape.segment(Index(m.housing.offset), Index(m.housing.dofs)) += massParts[i];
    }
}

/// Whirl of a mode from the orbit of the lateral DOF of the shaft that moves most laterally.
int whirlOf(const ShaftSystemModel& m, const Eigen::VectorXcd& phi, double omega) {
    if (m.torsionOnly) return 0;
    double bestA = 0.0, bestS = 0.0;
    size_t bestShaft = 0;
    for (size_t s = 0; s < m.shafts.size(); ++s) {
        double A = 0.0, S = 0.0;
        for (size_t sub : m.shafts[s].subShafts) {
            const SubShaftInfo& info = m.subShafts[sub];
            for (size_t n = info.firstNode; n < info.firstNode + info.nodeCount; ++n) {
                const std::complex<double> ux = phi(Index(m.dof(n, 0))), uz = phi(Index(m.dof(n, 2)));
                A += std::norm(ux) + std::norm(uz);
                // Forward whirl about +y carries z into x: x = sin ωt, z = cos ωt, i.e.
                // ux = −i, uz = 1 and Im(conj(ux)·uz) > 0.
                S += (std::conj(ux) * uz).imag();
            }
        }
        if (A > bestA) bestA = A, bestS = S, bestShaft = s;
    }
    if (bestA == 0.0 || std::abs(bestS) < 0.02 * bestA) return 0;
    double spin = m.shafts[bestShaft].speedRatio * (omega != 0.0 ? omega : 1.0);
    if (spin == 0.0) spin = 1.0;
    return (bestS > 0) == (spin > 0) ? 1 : -1;
}

/// Strain and kinetic energy fractions; the housing's from its forms (addHousingForms).
void fillEnergies(const ShaftSystemModel& m, Mode& mode) {
    double total = 0.0, kinetic = 0.0;
    for (int k = 0; k < kEnergyKinds; ++k) {
        if (k == kHousingTranslation) mode.strain[k] = std::max(0.0, mode.housing.translation);
        else if (k == kHousingRotation) mode.strain[k] = std::max(0.0, mode.housing.strain - mode.housing.translation);
        else mode.strain[k] = std::max(0.0, quad(m.energyParts[k], mode.shape));
        total += mode.strain[k];
    }
    for (int k = 0; k < kMotionKinds; ++k) {
        mode.kinetic[k] = std::max(0.0, k == kHousingMotion ? mode.housing.kinetic : quad(m.motionParts[k], mode.shape));
        kinetic += mode.kinetic[k];
    }
    for (double& e : mode.strain) e = total > 0 ? e / total : 0.0;
    for (double& e : mode.kinetic) e = kinetic > 0 ? e / kinetic : 0.0;
}

int dominantMotion(const Mode& mode) {
    return int(std::max_element(std::begin(mode.kinetic), std::end(mode.kinetic)) - std::begin(mode.kinetic));
}

/// The rigid-body shapes among `shapes`, made M-orthonormal (duplicates of a double root
/// dropped) and turned to the kinds of motion: the eigenvectors of their kinetic energy weighted
/// 1, 2, 3 by kind (lateral, axial, torsion), which split a space of pure kinds into pure shapes.
std::vector<Eigen::VectorXcd> rigidShapes(const ShaftSystemModel& m, const std::vector<Eigen::VectorXcd>& shapes) {
    std::vector<Eigen::VectorXcd> basis;
    for (const Eigen::VectorXcd& s : shapes) {
        Eigen::VectorXcd v = s;
        const double before = std::sqrt(std::max(0.0, massQuad(m, v)));
        if (!(before > 0)) continue;
        for (int pass = 0; pass < 2; ++pass)
            for (const Eigen::VectorXcd& b : basis) v -= b * b.dot(m.massTimes(v));
        const double after = std::sqrt(std::max(0.0, massQuad(m, v)));
        if (after > kSameShape * before) basis.push_back(v / after);
    }
    if (basis.size() < 2) return basis;
    const Index r = Index(basis.size());
    Eigen::MatrixXcd W(r, r);
    std::vector<Eigen::VectorXcd> weighted;
    for (const Eigen::VectorXcd& b : basis)
        weighted.push_back(m.motionParts[kLateral] * b + 2.0 * (m.motionParts[kAxialMotion] * b) +
                           3.0 * (m.motionParts[kTorsionMotion] * b));
    for (Index i = 0; i < r; ++i)
        for (Index j = 0; j < r; ++j) W(i, j) = basis[size_t(i)].dot(weighted[size_t(j)]);
    Eigen::SelfAdjointEigenSolver<Eigen::MatrixXcd> es(W);
    std::vector<Eigen::VectorXcd> out;
    for (Index k = 0; k < r; ++k) {
        Eigen::VectorXcd v = Eigen::VectorXcd::Zero(basis[0].size());
        for (Index i = 0; i < r; ++i) v += basis[size_t(i)] * es.eigenvectors()(i, k);
        // Real up to one phase: turn the largest component real.
        Index at = 0;
        v.cwiseAbs().maxCoeff(&at);
        if (std::abs(v(at)) > 0) v *= std::abs(v(at)) / v(at);
        out.push_back(std::move(v));
    }
    return out;
}

/// The span of the six rigid motions of every sub-shaft (columns with at least one kept DOF).
SparseMatrix subShaftMotions(const ShaftSystemModel& m) {
    std::vector<Eigen::Triplet<double>> t;
    Index col = 0;
    for (const SubShaftInfo& sub : m.subShafts)
        for (int p = 0; p < 6; ++p) {
            const size_t before = t.size();
            auto put = [&](size_t node, int d, double v) {
                const size_t i = m.dof(node, d);
                if (i != kNone && v != 0.0) t.emplace_back(Index(i), col, v);
            };
            for (size_t n = sub.firstNode; n < sub.firstNode + sub.nodeCount; ++n) {
                const double y = m.nodes[n].pos;
                switch (p) {
                    case 0: put(n, 0, 1.0); break;                   // translation x
                    case 1: put(n, 1, 1.0); break;                   // translation y (axial)
                    case 2: put(n, 2, 1.0); break;                   // translation z
                    case 3: put(n, 2, y), put(n, 3, 1.0); break;     // rotation θx: uz = θx y
                    case 4: put(n, 4, 1.0); break;                   // rotation θy (torsion)
                    default: put(n, 0, -y), put(n, 5, 1.0); break;  // rotation θz: ux = −θz y
                }
            }
            if (t.size() > before) ++col;
        }
    SparseMatrix S(Index(m.dofCount()), col);
    S.setFromTriplets(t.begin(), t.end());
    return S;
}

/// Columns of X made M-orthonormal (X real, of full column rank).
Eigen::MatrixXd massOrthonormal(const SparseMatrix& M, const Eigen::MatrixXd& X) {
    if (X.cols() == 0) return X;
    const Eigen::MatrixXd G = X.transpose() * (M * X);
    Eigen::LLT<Eigen::MatrixXd> llt(G);
    return llt.matrixU().solve<Eigen::OnTheRight>(X);
}

/// Modes of one eigenvalue (a round shaft's two planes at rest): any combination of their shapes
/// is a shape of the eigenvalue, and Arnoldi returns an arbitrary one. They are made
/// M-orthonormal and turned to the combinations of most and least motion in the x-y plane (ux,
/// rz), so that a round shaft's twins come out planar, the same on every run.
void separateTwins(const ShaftSystemModel& m, std::vector<Mode>& modes) {
    std::vector<Index> planeXY;
    for (size_t n = 0; n < m.nodes.size(); ++n)
        for (int d : {0, 5})
            if (m.dof(n, d) != kNone) planeXY.push_back(Index(m.dof(n, d)));
    for (size_t i = 0; i < modes.size();) {
        size_t j = i + 1;
        while (j < modes.size() && std::abs(modes[j].lambda - modes[i].lambda) <= 1e-9 * std::abs(modes[i].lambda)) ++j;
        if (j - i >= 2) {
            std::vector<Eigen::VectorXcd> basis;
            for (size_t k = i; k < j; ++k) {
                Eigen::VectorXcd v = modes[k].shape;
                for (int pass = 0; pass < 2; ++pass)
                    for (const Eigen::VectorXcd& b : basis) v -= b * b.dot(m.massTimes(v));
                const double norm = std::sqrt(std::max(0.0, massQuad(m, v)));
                if (norm > 0) basis.push_back(v / norm);
            }
            const Index r = Index(basis.size());
            Eigen::MatrixXcd W(r, r);
            for (Index a = 0; a < r; ++a)
                for (Index b = 0; b < r; ++b) {
                    std::complex<double> sum = 0.0;
                    for (Index k : planeXY) sum += std::conj(basis[size_t(a)](k)) * basis[size_t(b)](k);
                    W(a, b) = sum;
                }
            Eigen::SelfAdjointEigenSolver<Eigen::MatrixXcd> es(W);
            for (Index c = 0; c < r; ++c) {
                Eigen::VectorXcd v = Eigen::VectorXcd::Zero(basis[0].size());
                for (Index a = 0; a < r; ++a) v += basis[size_t(a)] * es.eigenvectors()(a, r - 1 - c);
                Index at = 0;
                v.cwiseAbs().maxCoeff(&at);
                if (std::abs(v(at)) > 0) v *= std::abs(v(at)) / v(at);
                modes[i + size_t(c)].shape = std::move(v);
            }
        }
        i = j;
    }
}

}  // namespace

std::string ordinal(int n) {
    const int tens = n % 100;
    const char* suffix = "th";
    if (tens < 11 || tens > 13) {
        switch (n % 10) {
            case 1: suffix = "st"; break;
            case 2: suffix = "nd"; break;
            case 3: suffix = "rd"; break;
            default: break;
        }
    }
    return fmt::format("{}{}", n, suffix);
}

ModalProblem::ModalProblem(const ShaftSystemModel& m) : model(m), pencil(m.M, m.C, m.G, m.K, &m.housing) {
    // Every shaft DOF has mass; the housing's mass was checked to be semi-definite.
    const Index shaftDofs = m.housing.empty() ? Index(m.dofCount()) : Index(m.housing.offset);
    const Eigen::VectorXd md = Eigen::VectorXd(m.M.diagonal()).head(shaftDofs);
    if ((md.array() <= 0).any() || !md.allFinite())
        throw ModelError("the mass matrix is not positive definite (a DOF without mass)");
    // Stiffness scaled to unit diagonal, D^-1/2 K D^-1/2: its largest eigenvalue is at most its
    // largest absolute row sum (Gershgorin), and at least 1.
    stiffnessDiagonal_ = Eigen::VectorXd(m.K.diagonal());
    const HousingModel& h = m.housing;
    if (!h.empty()) stiffnessDiagonal_.segment(Index(h.offset), Index(h.dofs)) += h.K.diagonal();
    for (Index i = 0; i < stiffnessDiagonal_.size(); ++i)
        if (!(stiffnessDiagonal_(i) > 0)) stiffnessDiagonal_(i) = 1.0;
    Eigen::VectorXd rowSum = Eigen::VectorXd::Zero(stiffnessDiagonal_.size());
    for (Index j = 0; j < m.K.outerSize(); ++j)
        for (SparseMatrix::InnerIterator it(m.K, j); it; ++it)
            rowSum(it.row()) += std::abs(it.value()) / std::sqrt(stiffnessDiagonal_(it.row()) * stiffnessDiagonal_(it.col()));
    if (!h.empty()) {
        const Eigen::ArrayXd d = stiffnessDiagonal_.segment(Index(h.offset), Index(h.dofs)).array().rsqrt();
        rowSum.segment(Index(h.offset), Index(h.dofs)) += ((h.K.cwiseAbs().array().colwise() * d).rowwise() * d.transpose()).rowwise().sum().matrix();
    }
    stiffnessTop_ = std::max(1.0, rowSum.size() ? rowSum.maxCoeff() : 1.0);

    // Null space of K inside the sub-shafts' rigid motions S: the Rayleigh quotients of SᵀKS over
    // Sᵀ diag(K) S are those of the scaled stiffness. With a housing, S has no part on the
    // housing's DOF, and it need not: the housing's stiffness is positive definite (checked when
    // it is prepared), so uᴴKu = 0 needs u = 0 on the housing, and then the rings act on the
    // shafts as springs to the ground, which SᵀKS holds.
    const SparseMatrix S = subShaftMotions(m);
    if (S.cols() > 0) {
        const Eigen::MatrixXd Ks = Eigen::MatrixXd(S.transpose() * (m.K * S));
        const Eigen::MatrixXd Ws = Eigen::MatrixXd(S.transpose() * (stiffnessDiagonal_.asDiagonal() * S));
        Eigen::GeneralizedSelfAdjointEigenSolver<Eigen::MatrixXd> es(Ks, Ws);
        if (es.info() != Eigen::Success) throw NumericalError("the eigenvalue solver did not converge (rigid-body motions)");
        Index r = 0;
        while (r < es.eigenvalues().size() && es.eigenvalues()(r) < kNullShare * stiffnessTop_) ++r;
        if (r > 0) rigidMotions = massOrthonormal(m.M, S * es.eigenvectors().leftCols(r));
    }
    // A first guess of the scale (rad/s): 100 Hz, tuned once modes are known.
    settings.shift = settings.scale = kTwoPi * 100.0;
}

Eigen::MatrixXd ModalProblem::freeRigidMotions(double omega) const {
    const Index r = rigidMotions.cols();
    if (r == 0) return rigidMotions;
    // ‖(C R c, Ω G R c)‖ against s ‖M R c‖: damping measured against the scale's inertia forces.
    const Eigen::MatrixXd CR = model.C * rigidMotions, GR = omega * (model.G * rigidMotions);
    const Eigen::MatrixXd MR = model.M * rigidMotions;
    const Eigen::MatrixXd A = CR.transpose() * CR + GR.transpose() * GR;
    const Eigen::MatrixXd B = settings.scale * settings.scale * (MR.transpose() * MR);
    Eigen::GeneralizedSelfAdjointEigenSolver<Eigen::MatrixXd> es(A, B);
    Index free = 0;
    while (free < r && es.eigenvalues()(free) < 1e-20) ++free;
    if (free == r) return rigidMotions;
    return massOrthonormal(model.M, rigidMotions * es.eigenvectors().leftCols(free));
}

bool ModalProblem::isUnstrained(const Eigen::VectorXcd& shape) const {
    const double strain = shape.dot(model.stiffnessTimes(shape)).real();
    const double scaled = (shape.cwiseAbs2().array() * stiffnessDiagonal_.array()).sum();
    return scaled > 0 && strain < kNullShare * stiffnessTop_ * scaled;
}

void ModalProblem::tune(const std::vector<Mode>& modes, size_t wanted) {
    double first = 0.0, last = 0.0;
    size_t found = 0;
    for (const Mode& mode : modes) {
        if (mode.rigid) continue;
        const double w = std::abs(mode.lambda);
        if (!(w > 0)) continue;
        ++found;
        if (first == 0.0 || w < first) first = w;
        last = std::max(last, w);
    }
    if (found == 0) return;
    if (wanted > found) last *= double(wanted) / double(found);
    settings.scale = std::sqrt(first * last);
    settings.shift = std::max(first / 2, settings.scale / 20);
}

std::vector<Mode> solveModes(const ModalProblem& problem, QuadraticEigenSolver& solver, double omega, size_t count,
                             bool withRigid, const std::vector<Mode>* near) {
    const ShaftSystemModel& m = problem.model;
    const Index states = 2 * Index(m.dofCount());
    const double zero = kZeroRoot * problem.settings.scale;
    QuadraticEigenSettings settings = problem.settings;
    // Eigenvalues to ask for: both roots of every wanted mode, and two more so that a pair is not
    // cut in half at the edge. Free rigid-body motions are left out of the runs.
    const Eigen::MatrixXd free = problem.freeRigidMotions(omega);
    Index nev = Index(2 * count + 2);
    // A warm start: the sum of the nearby modes' states z = (u, λu/s), real and imaginary parts
    // (so both roots of a pair), each mode M-normalised; as many roots asked for as it holds.
    Eigen::VectorXd start;
    if (near && near->size() >= count && count > 0) {
        start = Eigen::VectorXd::Zero(states);
        size_t used = 0;
        for (const Mode& mode : *near) {
            if (mode.rigid) continue;
            const double norm = std::sqrt(std::max(0.0, quad(m.M, mode.shape)));
            if (!(norm > 0) || mode.shape.size() != Index(m.dofCount())) continue;
            const Eigen::VectorXcd u = mode.shape / norm, v = u * (mode.linearRoot / settings.scale);
            start.head(u.size()) += u.real() + u.imag();
            start.tail(u.size()) += v.real() + v.imag();
            ++used;
        }
        if (used >= count && start.allFinite()) {
            settings.start = &start;
            nev = Index(2 * used);
            // The space looked for is nearly in the first Krylov vectors: a smaller basis
            // converges at its first factorisation.
            settings.krylovFactor = 1.5;
        }
    }
    std::vector<Mode> elastic;
    std::vector<Eigen::VectorXcd> rigid;
    for (int attempt = 0;; ++attempt) {
        const QuadraticEigenResult r = solver.solve(omega, std::min(nev, states), settings, &free);
        elastic.clear();
        rigid.clear();
        for (Index i = 0; i < free.cols(); ++i) rigid.push_back(free.col(i).cast<std::complex<double>>());
        for (Index i = 0; i < r.lambda.size(); ++i) {
            const std::complex<double> lambda = r.lambda(i);
            if (!std::isfinite(lambda.real()) || !std::isfinite(lambda.imag()) || !r.shapes.col(i).allFinite()) continue;
            if (std::abs(lambda) < zero && problem.isUnstrained(r.shapes.col(i))) {
                rigid.push_back(r.shapes.col(i));
                continue;
            }
            if (!(lambda.imag() > 1e-12 * problem.settings.scale)) continue;
            Mode mode;
            mode.lambda = mode.linearRoot = lambda;
            mode.shape = r.shapes.col(i);
            elastic.push_back(std::move(mode));
        }
        const bool complete = r.converged == r.requested;
        // Enough when the modes asked for converged; the ones beyond them may not have (far
        // above the others, they converge last).
        if (r.dense || elastic.size() >= count || (complete && r.requested >= states - 2)) break;
        if (attempt >= 4) {
            throw NumericalError(fmt::format("the eigenvalue solver reached {} of {} modes at {:.6g} rad/s ({} of {} "
                                             "eigenvalues converged)",
                                             std::min(elastic.size(), count), count, omega, r.converged, r.requested));
        }
        settings.start = nullptr;                                       // a cold start from here on
        settings.krylovFactor = problem.settings.krylovFactor;
        if (complete) nev += Index(2 * (count - elastic.size()) + 4);  // rigid or overdamped roots took the room
        else settings.maxRestarts *= 3;                                 // more restarts, then give up
    }

    std::sort(elastic.begin(), elastic.end(), [](const Mode& a, const Mode& b) { return a.lambda.imag() < b.lambda.imag(); });
    separateTwins(m, elastic);
    addHousingForms(m, elastic);
    // Hysteretic damping to first order (see the header), then in frequency order. The housing's
    // loss factor η adds η·uᴴK_h u to the numerator, its mass uᴴM_h u to the denominator.
    const bool hysteretic = m.H.nonZeros() > 0 || (!m.housing.empty() && m.housing.lossFactor > 0);
    const SparseMatrix D = m.C + omega * m.G;
    for (Mode& mode : elastic) {
        if (hysteretic) {
            const Eigen::VectorXcd& x = mode.shape;
            const std::complex<double> num = x.dot(m.H * x) + m.housing.lossFactor * mode.housing.strain;
            const std::complex<double> den =
                2.0 * mode.lambda * (x.dot(m.M * x) + mode.housing.kinetic) + x.dot(D * x);
            if (std::abs(den) > 0) mode.lambda -= std::complex<double>(0, 1) * num / den;
        }
        mode.frequency = mode.lambda.imag() / kTwoPi;
        mode.dampingRatio = std::abs(mode.lambda) > 0 ? -mode.lambda.real() / std::abs(mode.lambda) : 0.0;
    }
    std::stable_sort(elastic.begin(), elastic.end(), [](const Mode& a, const Mode& b) { return a.frequency < b.frequency; });
    if (elastic.size() > count) elastic.resize(count);

    std::vector<Mode> out;
    if (withRigid)
        for (Eigen::VectorXcd& shape : rigidShapes(m, rigid)) {
            Mode mode;
            mode.rigid = true;
            mode.shape = std::move(shape);
            out.push_back(std::move(mode));
        }
    for (Mode& mode : elastic) out.push_back(std::move(mode));
    describeModes(m, out, omega);
    return out;
}

void describeModes(const ShaftSystemModel& m, std::vector<Mode>& modes, double omega) {
    addHousingForms(m, modes);
    // Ordinals count per family and whirl in frequency order.
    std::map<std::pair<int, int>, int> counters;
    std::map<std::pair<int, int>, double> lastFrequency;
    for (Mode& mode : modes) {
        fillEnergies(m, mode);
        const int family = dominantMotion(mode);
        if (mode.rigid) {
            mode.description = fmt::format("rigid body {}", family == kLateral ? "lateral" : familyWord(family));
            continue;
        }
        mode.whirl = family == kLateral ? whirlOf(m, mode.shape, omega) : 0;
        // Without whirl, a mode of the same frequency as the one before is its twin in the other
        // plane (a round shaft at rest): it keeps the ordinal.
        const std::pair<int, int> key{family, mode.whirl};
        const auto last = lastFrequency.find(key);
        const bool twin = mode.whirl == 0 && last != lastFrequency.end() &&
                          std::abs(mode.frequency - last->second) <= 1e-6 * mode.frequency;
        const int nth = twin ? counters[key] : ++counters[key];
        lastFrequency[key] = mode.frequency;
        mode.description = fmt::format("{} {}", ordinal(nth), familyWord(family));
        if (mode.whirl > 0) mode.description += " forward";
        if (mode.whirl < 0) mode.description += " backward";
    }
}

double modalAssurance(const ShaftSystemModel& m, const Eigen::VectorXcd& a, const Eigen::VectorXcd& b) {
    const Eigen::VectorXcd Mb = m.massTimes(b), Ma = m.massTimes(a);
    const double ab = std::norm(a.dot(Mb)), aa = a.dot(Ma).real(), bb = b.dot(Mb).real();
    return aa > 0 && bb > 0 ? ab / (aa * bb) : 0.0;
}

}  // namespace ds::solver
