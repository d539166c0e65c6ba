#include "drivesys/platform/nmath/ntransformation.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kDegenerate = 2;
constexpr int kWarning = 1;
// Relative thresholds of the three-point fit (see the header).
constexpr double kResidualRatio = 1e-3;
constexpr double kCollinearRatio = 1e-3;

// Axes of a frame as the columns of a matrix; false for a degenerate frame. Zero x and y axes
// stand for the reference system.
bool frameAxes(const NVektor& x, const NVektor& y, bool orthonormalize, NMatrix3x3& out) {
    if (!x.isFinite() || !y.isFinite()) return false;
    if (x.isZero() && y.isZero()) {
        out = NMatrix3x3::identity();
        return true;
    }
    const NVektor ex = x.normalized();
    const NVektor ey0 = y.normalized();
    const NVektor ez = ex.cross(ey0);
    if (ex.isZero() || ey0.isZero() || !(ez.length() > 1e-12)) return false;
    if (orthonormalize) {
        const NVektor z = ez.normalized();
        out = NMatrix3x3::fromColumns(ex, z.cross(ex), z);
    } else {
        out = NMatrix3x3::fromColumns(ex, ey0, ez.normalized());
    }
    return true;
}

NTransformationMatrix degenerate() { return NTransformationMatrix(NMatrix3x3(), NVektor(), kDegenerate); }

double longestEdge(const std::array<NVektor, 3>& p) {
    return std::max({p[0].distance(p[1]), p[0].distance(p[2]), p[1].distance(p[2])});
}

bool nearlyCollinear(const std::array<NVektor, 3>& p) {
    const double edge = longestEdge(p);
    const double twiceArea = (p[1] - p[0]).cross(p[2] - p[0]).length();
    return !(twiceArea >= kCollinearRatio * edge * edge) || edge == 0.0;
}
}  // namespace

NTransformationMatrix::NTransformationMatrix() : r_(NMatrix3x3::identity()) {}

NTransformationMatrix::NTransformationMatrix(const NMatrix3x3& rotation, const NVektor& translation, int state)
    : r_(rotation), t_(translation), state_(state) {}

NTransformationMatrix::NTransformationMatrix(const NVektor& xA, const NVektor& yA, bool orthonormalize,
                                             const NVektor& originA, const NVektor& xB, const NVektor& yB,
                                             const NVektor& originB) {
    NMatrix3x3 a, b;
    if (!frameAxes(xA, yA, orthonormalize, a) || !frameAxes(xB, yB, orthonormalize, b) || !originA.isFinite() ||
        !originB.isFinite()) {
        *this = degenerate();
        return;
    }
    // Reference coordinates of a point p given in A: originA + a·p; in B: b⁻¹·(that − originB).
    NMatrix3x3 bInv;
    try {
        bInv = b.inverse();
    } catch (const NMatrixSingularError&) {
        *this = degenerate();
        return;
    }
    r_ = bInv * a;
    t_ = bInv * (originA - originB);
    state_ = 0;
}

NTransformationMatrix::NTransformationMatrix(const std::array<NVektor, 3>& a, const std::array<NVektor, 3>& b) {
    for (int i = 0; i < 3; ++i)
        if (!a[static_cast<size_t>(i)].isFinite() || !b[static_cast<size_t>(i)].isFinite()) {
            *this = degenerate();
            return;
        }
    const NVektor ca = (a[0] + a[1] + a[2]) / 3.0;
    const NVektor cb = (b[0] + b[1] + b[2]) / 3.0;
    // Kabsch: the rotation maximising sum (b_i − cb)·R(a_i − ca), kept proper (det +1).
    Eigen::Matrix3d h = Eigen::Matrix3d::Zero();
    for (size_t i = 0; i < 3; ++i) {
        const NVektor pa = a[i] - ca;
        const NVektor pb = b[i] - cb;
        h += Eigen::Vector3d(pa.x, pa.y, pa.z) * Eigen::Vector3d(pb.x, pb.y, pb.z).transpose();
    }
    const Eigen::JacobiSVD<Eigen::Matrix3d> svd(h, Eigen::ComputeFullU | Eigen::ComputeFullV);
    Eigen::Matrix3d d = Eigen::Matrix3d::Identity();
    if ((svd.matrixV() * svd.matrixU().transpose()).determinant() < 0.0) d(2, 2) = -1.0;
    r_ = nmath::toNMatrix3x3(svd.matrixV() * d * svd.matrixU().transpose());
    t_ = cb - r_ * ca;

    double residual = 0.0;
    for (size_t i = 0; i < 3; ++i) residual = std::max(residual, (r_ * a[i] + t_).distance(b[i]));
    const double extent = std::max(longestEdge(a), longestEdge(b));
    const bool poorFit = residual > kResidualRatio * extent;
    state_ = (poorFit || nearlyCollinear(a) || nearlyCollinear(b)) ? kWarning : 0;
}

NTransformationMatrix NTransformationMatrix::operator*(const NTransformationMatrix& o) const {
    if (state_ == kDegenerate || o.state_ == kDegenerate) return degenerate();
    return NTransformationMatrix(r_ * o.r_, r_ * o.t_ + t_, std::max(state_, o.state_));
}

NVektor NTransformationMatrix::operator*(const NVektor& p) const { return r_ * p + t_; }

NTransformationMatrix NTransformationMatrix::Inverse() const {
    if (state_ == kDegenerate) return degenerate();
    try {
        const NMatrix3x3 inv = r_.inverse();
        return NTransformationMatrix(inv, -(inv * t_), state_);
    } catch (const NMatrixSingularError&) {
        return degenerate();
    }
}
