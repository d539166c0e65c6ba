#include "solver/dense_reference.h"

#include <Eigen/Dense>
#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace ds::test {
namespace {

using solver::Mode;
using solver::ShaftSystemModel;
using solver::SparseMatrix;
using Index = Eigen::Index;

/// Number of rigid-body motions: the null space of K scaled to unit diagonal.
Index rigidBodyCount(const SparseMatrix& Ks) {
    Eigen::VectorXd d = Eigen::VectorXd(Ks.diagonal());
    for (Index i = 0; i < d.size(); ++i) d(i) = d(i) > 0 ? 1.0 / std::sqrt(d(i)) : 1.0;
    const Eigen::MatrixXd Kh = d.asDiagonal() * Eigen::MatrixXd(Ks) * d.asDiagonal();
    Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> es(Kh, Eigen::EigenvaluesOnly);
    const double top = std::max(1.0, es.eigenvalues().cwiseAbs().maxCoeff());
    return Index((es.eigenvalues().array() < 1e-11 * top).count());
}

}  // namespace

std::vector<Mode> denseModes(const ShaftSystemModel& m, double omega, size_t count, bool withRigid) {
    // Undamped basis, scaled to unit mass diagonal for accuracy.
    const Eigen::VectorXd scale = Eigen::VectorXd(m.M.diagonal()).cwiseSqrt().cwiseInverse();
    const Eigen::MatrixXd K = scale.asDiagonal() * Eigen::MatrixXd(m.K) * scale.asDiagonal();
    const Eigen::MatrixXd M = scale.asDiagonal() * Eigen::MatrixXd(m.M) * scale.asDiagonal();
    Eigen::GeneralizedSelfAdjointEigenSolver<Eigen::MatrixXd> basis(K, M);
    const Eigen::MatrixXd phi = scale.asDiagonal() * basis.eigenvectors();
    Eigen::VectorXd omega2 = basis.eigenvalues();
    const Index n = phi.cols(), r = rigidBodyCount(m.K);
    for (Index i = 0; i < r; ++i) omega2(i) = 0.0;

    const SparseMatrix D = m.C + omega * m.G;
    const Eigen::MatrixXd Dphi = D * phi;
    std::vector<Index> cols, freeRigid;
    const double dscale = Dphi.norm() > 0 ? Dphi.norm() : 1.0;
    for (Index i = 0; i < r; ++i) (Dphi.col(i).norm() > 1e-12 * dscale ? cols : freeRigid).push_back(i);
    for (Index i = r; i < n; ++i) cols.push_back(i);
    const Index k = Index(cols.size());

    std::vector<Mode> out;
    if (withRigid)
        for (Index i : freeRigid) {
            Mode mode;
            mode.rigid = true;
            mode.shape = phi.col(i).cast<std::complex<double>>();
            out.push_back(std::move(mode));
        }
    Eigen::MatrixXd Phi(phi.rows(), k);
    for (Index c = 0; c < k; ++c) Phi.col(c) = phi.col(cols[size_t(c)]);
    const Eigen::MatrixXd Dm = Phi.transpose() * (D * Phi);
    // State (Ω_m η, η̇): [[0, Ω_m], [−Ω_m, −D_m]].
    Eigen::MatrixXd A = Eigen::MatrixXd::Zero(2 * k, 2 * k);
    for (Index c = 0; c < k; ++c) {
        const double w = std::sqrt(std::max(0.0, omega2(cols[size_t(c)])));
        A(c, k + c) = w;
        A(k + c, c) = -w;
    }
    A.bottomRightCorner(k, k) = -Dm;
    Eigen::EigenSolver<Eigen::MatrixXd> es(A, true);
    const Eigen::VectorXcd lambda = es.eigenvalues();
    const double top = std::sqrt(std::max(0.0, omega2.maxCoeff()));
    std::vector<Index> order;
    for (Index i = 0; i < lambda.size(); ++i)
        if (lambda(i).imag() > 1e-14 * top + 1e-9) order.push_back(i);
    std::sort(order.begin(), order.end(), [&](Index a, Index b) { return lambda(a).imag() < lambda(b).imag(); });
    if (order.size() > count) order.resize(count);
    const Eigen::MatrixXcd PhiC = Phi.cast<std::complex<double>>();
    for (Index i : order) {
        Mode mode;
        mode.lambda = lambda(i);
        mode.frequency = lambda(i).imag() / (2 * std::numbers::pi);
        mode.dampingRatio = -lambda(i).real() / std::abs(lambda(i));
        mode.shape = PhiC * (es.eigenvectors().col(i).tail(k) / lambda(i));
        out.push_back(std::move(mode));
    }
    solver::describeModes(m, out, omega);
    return out;
}

}  // namespace ds::test
