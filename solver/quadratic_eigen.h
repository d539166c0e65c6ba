#pragma once
// The eigenvalues of the quadratic problem (λ² M + λ D + K) u = 0 nearest a real shift σ, from a
// sparse factorisation of Q(σ) = σ² M + σ D + K and shift-invert Arnoldi (Spectra) on the
// linearised problem.
//
// Linearisation. With the state z = (u, λu/s) for a frequency scale s > 0 (rad/s), the problem
// is L z = λ z with L = [[0, s I], [−M⁻¹K / s, −M⁻¹D]]: the same eigenvalues, and both halves of
// z of one size for modes near |λ| ≈ s. Shift-invert turns the eigenvalues nearest σ into the
// largest of (L − σI)⁻¹, whose product with (a, b) needs one solve with Q(σ) and no M⁻¹:
//   p = −Q(σ)⁻¹ (s M b + (D + σM) a),   q = (a + σ p) / s,   (L − σI)⁻¹ (a, b) = (p, q).
// (Write (L − σI)(p, q) = (a, b) out by rows and eliminate q.)
//
// Why σ > 0 on the real axis: the symmetric part of Q(σ) is K + σC + σ²M (a gyroscopic G is
// skew), positive definite for symmetric positive semi-definite K and C and positive definite M,
// so Q(σ) is never singular, not even for a free shaft's rigid-body motions at λ = 0. And
// |λ − σ|² = σ² + 2σζω + ω² for λ = −ζω ± iω√(1 − ζ²): the nearest eigenvalues are the lowest
// modes, for every σ > 0, as long as the damping is light.
//
// Free rigid-body motions (K R = 0, C R = 0, G R = 0) are a double root at λ = 0 (u = a + b t):
// a defective eigenvalue, on which Arnoldi converges slowly and inaccurately. Given them
// M-orthonormal, the solver takes them out of every vector before the operator acts: with
// V = span{(R, 0), (0, R)} (invariant under L) and W = span{(MR, 0), (0, MR)} (left invariant),
// W ᵀV = I and P(z1, z2) = (R RᵀM z1, R RᵀM z2) is the spectral projector on the root, which
// commutes with (L − σI)⁻¹; (L − σI)⁻¹(I − P) has the other eigenvalues and 0 there instead.
//
// Memory: the matrices, the factors and the Krylov basis, 2n × ncv. No n × n dense matrix, but
// for an elastic housing's block (n_h × n_h: its matrices and, per shift, its Cholesky factor;
// solver/housing_elimination.h), which Q(σ) holds besides the sparse matrices.
#include <Eigen/Core>
#include <Eigen/SparseCore>
#include <complex>
#include <cstddef>
#include <memory>

namespace ds::solver {

struct HousingModel;

/// The speed-independent parts of a quadratic eigenproblem and the union of their patterns, on
/// which Q(σ) and D + σM are laid out. Built once per model; shared read-only between threads.
class QuadraticPencil {
public:
    /// D = C + Ω G for the speed Ω given to solve(). With a housing (not empty), its dense
    /// stiffness and mass add to K and M on its DOF; it must outlive the pencil.
    QuadraticPencil(const Eigen::SparseMatrix<double>& M, const Eigen::SparseMatrix<double>& C,
                    const Eigen::SparseMatrix<double>& G, const Eigen::SparseMatrix<double>& K,
                    const HousingModel* housing = nullptr);
    ~QuadraticPencil();
    QuadraticPencil(const QuadraticPencil&) = delete;
    QuadraticPencil& operator=(const QuadraticPencil&) = delete;

    Eigen::Index size() const;
    /// Nonzeros of the union pattern of M, C, G and K (the pattern of Q(σ)).
    Eigen::Index nonZeros() const;
    /// a·M + b·C + c·G + d·K on the union pattern (the sparse parts: without a housing's block).
    Eigen::SparseMatrix<double> combine(double a, double b, double c, double d) const;
    /// Nonzeros of the matrix the sparse LU factorises per speed: the union pattern, or with a
    /// housing the shafts' and the rings' DOF with the dense block of the rings' housing DOF.
    Eigen::Index factorisedNonZeros() const;

private:
    friend class QuadraticEigenSolver;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

struct QuadraticEigenSettings {
    /// Real shift σ > 0, rad/s.
    double shift = 1.0;
    /// Frequency scale s of the velocity half of the state, rad/s.
    double scale = 1.0;
    /// Convergence test of the Ritz pairs of (L − σI)⁻¹: residual below tolerance · |ν|. The
    /// eigenvalues come out far more accurate than that (about its square for the well separated
    /// modes of these problems: 1e-8 gives frequencies to about 1e-14, the same as 1e-12 at
    /// 1.7 times the cost).
    double tolerance = 1e-8;
    /// Krylov dimension per eigenvalue asked for (at least 20 more than them).
    double krylovFactor = 2.0;
    /// Starting vector of the Arnoldi runs (2n: the displacement and the scaled velocity half),
    /// or null for Spectra's own pseudo-random one.
    const Eigen::VectorXd* start = nullptr;
    /// Restarts of the implicitly restarted Arnoldi method before it gives up.
    int maxRestarts = 60;
};

struct QuadraticEigenResult {
    /// Eigenvalues λ (1/s) and the displacement part u of their eigenvectors (columns): of the
    /// Arnoldi runs those with Im λ ≥ 0 only (the others are their conjugates), of a problem
    /// solved whole every one.
    Eigen::VectorXcd lambda;
    Eigen::MatrixXcd shapes;
    /// Eigenvalues asked for, and how many converged (all of them unless Arnoldi gave up).
    Eigen::Index requested = 0, converged = 0;
    /// True when the problem was small enough to be solved whole (every eigenvalue, dense).
    bool dense = false;
    /// Operator applications and restarts of the Arnoldi run.
    Eigen::Index operations = 0, restarts = 0;
};

/// One speed's solver; not shared between threads (each holds its factorisation).
class QuadraticEigenSolver {
public:
    explicit QuadraticEigenSolver(const QuadraticPencil& pencil);
    ~QuadraticEigenSolver();
    QuadraticEigenSolver(const QuadraticEigenSolver&) = delete;
    QuadraticEigenSolver& operator=(const QuadraticEigenSolver&) = delete;

    /// The `count` eigenvalues nearest settings.shift of the problem with D = C + Ω G, and their
    /// shapes. Problems of fewer than about 2·count + 20 states are solved whole instead, and
    /// every eigenvalue is returned. Throws NumericalError when the factorisation fails.
    /// `deflate`: M-orthonormal free rigid-body motions (columns) to leave out, or null.
    QuadraticEigenResult solve(double omega, Eigen::Index count, const QuadraticEigenSettings& settings,
                               const Eigen::MatrixXd* deflate = nullptr);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace ds::solver
