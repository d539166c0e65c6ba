#pragma once
// The inverse of a symmetric matrix, in place.
//
// A symmetric positive definite matrix A = L·Lᵀ (Cholesky, n³/3 flops) has the inverse
// A⁻¹ = L⁻ᵀ·L⁻¹. W = L⁻¹ is lower triangular; its block column J (rows J… only, the rows above
// are zero) solves L[J:, J:]·W[J:, J] = I[J:, J], n³/3 flops over all blocks. The lower
// triangle of A⁻¹ = WᵀW has the block column A⁻¹[J:, J] = W[J:, J:]ᵀ·W[J:, J] (W[r, J] is zero
// for r above J), another n³/3. Together n³ flops: the Cholesky inversion (LAPACK's potrf and
// potri), a third of an LU inversion's 2n³ + … and each step one of Eigen's blocked kernels
// (Cholesky, triangular solve, triangular product).
//
// A symmetric matrix that is not positive definite (an indefinite one, or one with a round-off
// negative pivot) is inverted through Eigen's pivoted LDLᵀ instead, which is slower but exact for
// any nonsingular symmetric matrix.
#include <Eigen/Core>

namespace ds::housing {

/// Replaces the symmetric matrix `a` (its lower triangle is read) by its inverse. Returns false,
/// leaving `a` unspecified, when `a` is singular (a pivot below 1e-13 of the largest diagonal
/// entry) or holds a non-finite value. Temporary memory: one more n × n matrix.
bool invertSymmetric(Eigen::Ref<Eigen::MatrixXd> a);

}  // namespace ds::housing
