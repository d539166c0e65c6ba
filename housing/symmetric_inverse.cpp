#include "drivesys/housing/symmetric_inverse.h"

#include <Eigen/Cholesky>
#include <algorithm>
#include <cmath>

namespace ds::housing {
namespace {
/// Columns per block: wide enough for Eigen's kernels to run at full speed, narrow enough that
/// the zero rows above each block are few (measured best at 48-64 for 240-1200 rows).
constexpr Eigen::Index kBlock = 64;
/// Pivots below this share of the largest diagonal entry count as zero.
constexpr double kSingular = 1e-13;

bool viaLdlt(Eigen::Ref<Eigen::MatrixXd> a) {
    const Eigen::Index n = a.rows();
    const Eigen::MatrixXd sym = a.selfadjointView<Eigen::Lower>();
    const Eigen::LDLT<Eigen::MatrixXd> ldlt(sym);
    if (ldlt.info() != Eigen::Success) return false;
    const double top = sym.diagonal().cwiseAbs().maxCoeff();
    if (!(top > 0) || !(ldlt.vectorD().cwiseAbs().minCoeff() > kSingular * top)) return false;
    const Eigen::MatrixXd x = ldlt.solve(Eigen::MatrixXd::Identity(n, n));
    a.triangularView<Eigen::Lower>() = x;  // symmetric to the last bit, as the Cholesky path
    a.triangularView<Eigen::StrictlyUpper>() = x.transpose();
    return a.allFinite();
}
}  // namespace

bool invertSymmetric(Eigen::Ref<Eigen::MatrixXd> a) {
    const Eigen::Index n = a.rows();
    if (n == 0 || a.cols() != n) return n == 0 && a.cols() == 0;
    if (!a.triangularView<Eigen::Lower>().toDenseMatrix().allFinite()) return false;
    const double top = a.diagonal().cwiseAbs().maxCoeff();
    if (!(top > 0)) return false;
    Eigen::MatrixXd w = a;
    Eigen::LLT<Eigen::Ref<Eigen::MatrixXd>> llt(w);  // L in w's lower triangle, a untouched
    if (llt.info() != Eigen::Success) return viaLdlt(a);
    if (!(w.diagonal().cwiseAbs2().minCoeff() > kSingular * top)) return false;
    // W = L⁻¹ into a, block column by block column.
    a.setZero();
    for (Eigen::Index j = 0; j < n; j += kBlock) {
        const Eigen::Index b = std::min(kBlock, n - j), m = n - j;
        a.block(j, j, b, b).setIdentity();
        w.block(j, j, m, m).triangularView<Eigen::Lower>().solveInPlace(a.block(j, j, m, b));
    }
    // A⁻¹ = WᵀW: its lower triangle into w, block column by block column, then back into a.
    for (Eigen::Index j = 0; j < n; j += kBlock) {
        const Eigen::Index b = std::min(kBlock, n - j), m = n - j;
        w.block(j, j, m, b).noalias() = a.block(j, j, m, m).transpose().triangularView<Eigen::Upper>() * a.block(j, j, m, b);
    }
    a.triangularView<Eigen::Lower>() = w;
    a.triangularView<Eigen::StrictlyUpper>() = w.transpose();
    return a.allFinite();
}

}  // namespace ds::housing
