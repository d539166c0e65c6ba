#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <cmath>

#include "drivesys/housing/symmetric_inverse.h"

using ds::housing::invertSymmetric;

namespace {
/// A symmetric matrix with eigenvalues `values` and reproducible eigenvectors (a Householder
/// reflection, orthogonal and symmetric).
Eigen::MatrixXd withEigenvalues(const Eigen::VectorXd& values) {
    const Eigen::Index n = values.size();
    Eigen::VectorXd v(n);
    for (Eigen::Index i = 0; i < n; ++i) v(i) = std::sin(0.3 + 1.7 * double(i));
    v.normalize();
    const Eigen::MatrixXd q = Eigen::MatrixXd::Identity(n, n) - 2.0 * v * v.transpose();
    return q * values.asDiagonal() * q;  // q = qᵀ = q⁻¹
}
}  // namespace

// The inverse of Q·diag(λ)·Q is Q·diag(1/λ)·Q: the expected matrix comes from the eigenvalues,
// not from a factorisation. 150 rows cross the solver's blocks of 64 twice, with a partial last
// block; 1 row is the smallest case.
TEST(InvertSymmetric, PositiveDefiniteAndIndefiniteMatchTheSpectralInverse) {
    for (Eigen::Index n : {1, 7, 150}) {
        Eigen::VectorXd spd(n), indefinite(n);
        for (Eigen::Index i = 0; i < n; ++i) {
            spd(i) = 1.0 + 1e3 * double(i) / double(n);      // condition number up to 1e3
            indefinite(i) = (i % 3 == 1 ? -1.0 : 1.0) * spd(i);  // negative stiffness directions
        }
        for (const Eigen::VectorXd& values : {spd, indefinite}) {
            if (n == 1 && values(0) < 0) continue;
            Eigen::MatrixXd a = withEigenvalues(values);
            const Eigen::MatrixXd expected = withEigenvalues(values.cwiseInverse());
            // Only the lower triangle is read: garbage above it changes nothing.
            a.triangularView<Eigen::StrictlyUpper>().setConstant(1e30);
            ASSERT_TRUE(invertSymmetric(a)) << n;
            EXPECT_LT((a - expected).norm(), 1e-12 * expected.norm()) << n;
            EXPECT_EQ(a, a.transpose()) << n;
        }
    }
}

TEST(InvertSymmetric, RefusesSingularAndNonFiniteMatrices) {
    Eigen::VectorXd values = Eigen::VectorXd::LinSpaced(9, 1.0, 9.0);
    values(4) = 0.0;  // a free motion, as a housing without supports has
    Eigen::MatrixXd a = withEigenvalues(values);
    EXPECT_FALSE(invertSymmetric(a));
    a = withEigenvalues(Eigen::VectorXd::LinSpaced(9, 1.0, 9.0));
    a(5, 2) = std::nan("");
    EXPECT_FALSE(invertSymmetric(a));
    Eigen::MatrixXd empty;
    EXPECT_TRUE(invertSymmetric(empty));
}
