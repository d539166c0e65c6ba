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

constexpr double kTwoPi = 2.0 * std::numbers::pi;
/// Eigenvalues of the stiffness scaled to unit diagonal below this count as zero: rounding
/// leaves them near 1e-16, while the softest elastic deformation of a chain of a few thousand
/// elements stays above 1e-8.
constexpr double kNullShare = 1e-11;

/// Number of rigid-body motions: the null space of K, found on K scaled to unit diagonal so that
/// stiff supports and soft shafts are measured alike.
Eigen::Index rigidBodyCount(const SparseMatrix& Ks) {
    Eigen::VectorXd d = Eigen::VectorXd(Ks.diagonal());
    for (Eigen::Index i = 0; i < d.size(); ++i) d(i) = d(i) > 0 ? 1.0 / std::sqrt(d(i)) : 1.0;
    const Eigen::MatrixXd Kh = d.asDiagonal() * Eigen::MatrixXd(Ks) * d.asDiagonal();
    Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> es(Kh, Eigen::EigenvaluesOnly);
    if (es.info() != Eigen::Success) throw NumericalError("the eigenvalue solver did not converge");
    const double top = std::max(1.0, es.eigenvalues().cwiseAbs().maxCoeff());
    return Eigen::Index((es.eigenvalues().array() < kNullShare * top).count());
}

double quad(const SparseMatrix& A, const Eigen::VectorXcd& x) {
    return (x.adjoint() * (A * x)).real()(0, 0);
}

const char* familyWord(int motion) {
    switch (motion) {
        case kTorsionMotion: return "torsion";
        case kAxialMotion: return "axial";
        default: return "bending";
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
                const std::complex<double> ux = phi(Eigen::Index(m.dof(n, 0))), uz = phi(Eigen::Index(m.dof(n, 2)));
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

void fillEnergies(const ShaftSystemModel& m, Mode& mode) {
    double total = 0.0, kinetic = 0.0;
    for (int k = 0; k < kEnergyKinds; ++k) total += mode.strain[k] = std::max(0.0, quad(m.energyParts[k], mode.shape));
    for (int k = 0; k < kMotionKinds; ++k) kinetic += mode.kinetic[k] = std::max(0.0, quad(m.motionParts[k], mode.shape));
    for (double& e : mode.strain) e = total > 0 ? e / total : 0.0;
    for (double& e : mode.kinetic) e = kinetic > 0 ? e / kinetic : 0.0;
}

int dominantMotion(const Mode& mode) {
    return int(std::max_element(std::begin(mode.kinetic), std::end(mode.kinetic)) - std::begin(mode.kinetic));
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

ModalBasis modalBasis(const ShaftSystemModel& model) {
    // Scaled to unit mass diagonal: the eigenvalues do not change, the Cholesky reduction of a
    // model with very light and very heavy DOF stays accurate.
    const Eigen::VectorXd md = Eigen::VectorXd(model.M.diagonal());
    if ((md.array() <= 0).any() || !md.allFinite())
        throw ModelError("the mass matrix is not positive definite (a DOF without mass)");
    const Eigen::VectorXd scale = md.cwiseSqrt().cwiseInverse();
    const Eigen::MatrixXd K = scale.asDiagonal() * Eigen::MatrixXd(model.K) * scale.asDiagonal();
    const Eigen::MatrixXd M = scale.asDiagonal() * Eigen::MatrixXd(model.M) * scale.asDiagonal();
    Eigen::LLT<Eigen::MatrixXd> llt(M);
    if (llt.info() != Eigen::Success) throw ModelError("the mass matrix is not positive definite (a DOF without mass)");
    Eigen::GeneralizedSelfAdjointEigenSolver<Eigen::MatrixXd> es(K, M);
    if (es.info() != Eigen::Success) throw NumericalError("the eigenvalue solver did not converge");
    ModalBasis b;
    b.phi = scale.asDiagonal() * es.eigenvectors();
    b.omega2 = es.eigenvalues();
    b.rigidCount = rigidBodyCount(model.K);
    for (Eigen::Index i = 0; i < b.rigidCount && i < b.omega2.size(); ++i) b.omega2(i) = 0.0;
    // Loss factor of each mode: η_i = φᵢᵀ H φᵢ / φᵢᵀ K φᵢ.
    const Eigen::MatrixXd Hphi = model.H * b.phi;
    b.loss = Eigen::VectorXd::Zero(b.omega2.size());
    for (Eigen::Index i = b.rigidCount; i < b.omega2.size(); ++i)
        b.loss(i) = b.phi.col(i).dot(Hphi.col(i)) / b.omega2(i);
    return b;
}

double modalAssurance(const ShaftSystemModel& m, const Eigen::VectorXcd& a, const Eigen::VectorXcd& b) {
    const Eigen::VectorXcd Mb = m.M * b, Ma = m.M * a;
    const double ab = std::norm(a.dot(Mb)), aa = a.dot(Ma).real(), bb = b.dot(Mb).real();
    return aa > 0 && bb > 0 ? ab / (aa * bb) : 0.0;
}

std::vector<Mode> solveModes(const ShaftSystemModel& m, const ModalBasis& basis, double omega, size_t count,
                             bool withRigid) {
    const Eigen::Index n = basis.phi.cols(), r = basis.rigidCount;
    const SparseMatrix D = m.C + omega * m.G;
    const Eigen::MatrixXd Dphi = D * basis.phi;

    // Rigid-body modes that damping and gyroscopic terms leave alone stay out of the state space.
    std::vector<Eigen::Index> cols;
    std::vector<Eigen::Index> freeRigid;
    const double scale = Dphi.norm() > 0 ? Dphi.norm() : 1.0;
    for (Eigen::Index i = 0; i < r; ++i) {
        if (Dphi.col(i).norm() > 1e-12 * scale) cols.push_back(i);
        else freeRigid.push_back(i);
    }
    for (Eigen::Index i = r; i < n; ++i) cols.push_back(i);
    const Eigen::Index k = Eigen::Index(cols.size());

    std::vector<Mode> out;
    for (Eigen::Index i : freeRigid) {
        if (!withRigid) break;
        Mode mode;
        mode.rigid = true;
        mode.shape = basis.phi.col(i).cast<std::complex<double>>();
        out.push_back(std::move(mode));
    }

    if (k > 0) {
        Eigen::MatrixXd Phi(basis.phi.rows(), k);
        for (Eigen::Index c = 0; c < k; ++c) Phi.col(c) = basis.phi.col(cols[size_t(c)]);
        Eigen::MatrixXd Dm = Phi.transpose() * (D * Phi);
        for (Eigen::Index c = 0; c < k; ++c) {
            const Eigen::Index i = cols[size_t(c)];
            Dm(c, c) += basis.loss(i) * std::sqrt(basis.omega2(i));
        }
        // State x = (Ω_m η, η̇) with Ω_m = diag(ω_i): ẋ = [[0, Ω_m], [−Ω_m, −D]] x. Scaled this
        // way the matrix holds frequencies, not their squares, so the low modes keep their
        // accuracy beside the very stiff ones.
        Eigen::MatrixXd A = Eigen::MatrixXd::Zero(2 * k, 2 * k);
        for (Eigen::Index c = 0; c < k; ++c) {
            const double w = std::sqrt(std::max(0.0, basis.omega2(cols[size_t(c)])));
            A(c, k + c) = w;
            A(k + c, c) = -w;
        }
        A.bottomRightCorner(k, k) = -Dm;
        Eigen::EigenSolver<Eigen::MatrixXd> es(A, true);
        if (es.info() != Eigen::Success) throw NumericalError("the eigenvalue solver did not converge");
        const Eigen::VectorXcd lambda = es.eigenvalues();
        const double top = basis.omega2.size() ? std::sqrt(std::max(0.0, basis.omega2.maxCoeff())) : 1.0;
        std::vector<Eigen::Index> order;
        for (Eigen::Index i = 0; i < lambda.size(); ++i)
            if (lambda(i).imag() > 1e-14 * top + 1e-9) order.push_back(i);
        std::sort(order.begin(), order.end(), [&](Eigen::Index a, Eigen::Index b) { return lambda(a).imag() < lambda(b).imag(); });
        if (order.size() > count) order.resize(count);
        const Eigen::MatrixXcd PhiC = Phi.cast<std::complex<double>>();
        for (Eigen::Index i : order) {
            Mode mode;
            mode.frequency = lambda(i).imag() / kTwoPi;
            mode.dampingRatio = std::abs(lambda(i)) > 0 ? -lambda(i).real() / std::abs(lambda(i)) : 0.0;
            // η̇ = λ η: the modal coordinates from the velocity half of the state.
            mode.shape = PhiC * (es.eigenvectors().col(i).tail(k) / lambda(i));
            out.push_back(std::move(mode));
        }
    }

    // Energies, whirl and names; ordinals count per family and whirl in frequency order.
    std::map<std::pair<int, int>, int> counters;
    std::map<std::pair<int, int>, double> lastFrequency;
    for (Mode& mode : out) {
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
    return out;
}

}  // namespace ds::solver
