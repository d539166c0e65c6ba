#pragma once
// Solving Q(σ) x = r, Q(σ) = σ²M + σ(C + ΩG) + K, for a model with an elastic housing, with the
// housing's dense block eliminated once per shift.
//
// The housing's DOF split into the boundary B (the DOF of nodes that rings sit on: the only ones
// the sparse matrices touch) and the interior I (every other node's DOF and the generalised
// coordinates). Q0 = σ²M_h + K_h, the housing's own block, is symmetric positive definite for
// σ > 0 (K_h positive definite, M_h semi-definite), so in the order (I, B) it has the Cholesky
// factor L = [[L_II, 0], [L_BI, L_BB]]. Write the rows of Q x = r out:
//   shafts:   Q_ss x_s + Q_sB x_B                        = r_s
//   interior: Q0_II x_I + Q0_IB x_B                      = r_I
//   boundary: Q_Bs x_s + Q0_BI x_I + (Q0_BB + X) x_B     = r_B     (X: the rings' terms on B)
// The interior row gives x_I = Q0_II⁻¹(r_I − Q0_IB x_B); put into the boundary row, it leaves the
// reduced system over the shafts and B
//   [[Q_ss, Q_sB], [Q_Bs, S + X]] (x_s, x_B) = (r_s, r_B − Q0_BI Q0_II⁻¹ r_I),
// where S = Q0_BB − Q0_BI Q0_II⁻¹ Q0_IB = L_BB L_BBᵀ (the Schur complement of a Cholesky factor is
// its trailing block's product), and with y = L⁻¹(r_I, r_B) the right side's boundary part is
// r_B − L_BI L_II⁻¹ r_I = L_BB y_B. Back substitution: x_I = L_IIᵀ⁻¹(y_I − L_BIᵀ x_B).
//
// The Arnoldi runs go one step further and change the housing's coordinates: with
// T = L⁻ᵀ diag(I, L_BBᵀ) = [[L_II⁻ᵀ, −L_II⁻ᵀ L_BIᵀ], [0, I]] and x_h = T x̃_h (the boundary's
// coordinates stay), Tᵀ Q0 T = diag(I, S): the interior decouples and its block is the identity.
// The eigenvalues do not change under the congruence; the sparse parts act on the shafts and B
// only, where T is the identity, so they stay as they are, and the housing's mass becomes
// M̃ = Tᵀ M_h T, made once per shift (2 n_h³ flops, two triangular solves with n_h right sides).
// A solve is then the reduced sparse solve and x̃_I = r̃_I, and the one dense pass per operator
// application is the product with M̃, instead of that with M_h and both substitutions over L.
// Eigenvectors come back as x_I = L_II⁻ᵀ(x̃_I − L_BIᵀ x_B); a starting vector goes in as
// x̃_I = L_IIᵀ x_I + L_BIᵀ x_B.
//
// So per shift: one dense Cholesky factorisation of the housing (n_h³/3 flops), shared by every
// speed of a sweep, since σ stays fixed across it and nothing of the housing depends on the speed.
// Per speed: one sparse LU (KLU) of the reduced matrix, the shafts' sparse pattern with a dense
// |B| × |B| block. Per solve: one forward and one backward pass over L (2 n_h² flops) and the
// reduced sparse solve. X may be unsymmetric (cross-coupled bearings): it stays in the sparse LU.
#include <Eigen/Core>
#include <Eigen/SparseCore>
#include <memory>
#include <mutex>
#include <vector>

#include "drivesys/solver/housing_model.h"

namespace ds::solver {

/// The dense Cholesky factor of one shift: L of Q0 = σ²M_h + K_h in the order (I, B), and the
/// boundary block S = L_BB L_BBᵀ. Read-only once made; shared between the threads of a sweep.
struct HousingFactor {
    double sigma = 0.0;
    Eigen::MatrixXd L;
    Eigen::MatrixXd boundary;
};

/// What stays the same for a model: which housing DOF are boundary and interior, and the reduced
/// matrix's pattern with the place of every entry of the pencil's union pattern in it. Made once
/// per model; shared read-only, except for the factor of the last shift, which it keeps under a
/// lock.
class HousingElimination {
public:
    /// `pattern`: the union pattern over all DOF of M, C, G and K (the housing's DOF after
    /// housing.offset), and each part's values along it.
    HousingElimination(const HousingModel& housing, const Eigen::SparseMatrix<double>& pattern,
                       const std::vector<const std::vector<double>*>& parts);

    const HousingModel& housing() const { return housing_; }
    Eigen::Index boundaryCount() const { return Eigen::Index(boundary_.size()); }
    Eigen::Index reducedSize() const { return reduced_.rows(); }
    /// Nonzeros of the reduced matrix (the dense boundary block included).
    Eigen::Index reducedNonZeros() const { return reduced_.nonZeros(); }

    /// The factor for σ: the one kept when σ is the last shift asked for, else made (under the
    /// lock) and kept. Throws NumericalError when Q0 is not positive definite.
    std::shared_ptr<const HousingFactor> factorFor(double sigma) const;
    /// M̃ = Tᵀ M_h T for the factor (see the file comment), in the housing's DOF order: the one
    /// kept when it was made for this factor, else made (under the lock) and kept. Only the
    /// Arnoldi runs need it.
    std::shared_ptr<const Eigen::MatrixXd> transformedMassFor(const std::shared_ptr<const HousingFactor>& factor) const;

private:
    friend class EliminatedQuadratic;
    const HousingModel& housing_;
    /// Housing-local indices (0 … n_h − 1) in the factor's order: the interior, then the boundary.
    std::vector<Eigen::Index> order_;
    std::vector<Eigen::Index> boundary_;
    /// The reduced matrix's pattern (values unused); for every entry of the pencil's pattern its
    /// place in the reduced values, or −1 (an interior DOF's diagonal); the dense boundary block's
    /// places, column by column.
    Eigen::SparseMatrix<double> reduced_;
    std::vector<int> fromPencil_;
    std::vector<int> boundaryBlock_;
    mutable std::mutex mutex_;
    mutable std::shared_ptr<const HousingFactor> last_;
    mutable std::shared_ptr<const Eigen::MatrixXd> lastMass_;
    mutable const HousingFactor* lastMassOf_ = nullptr;
};

/// y += A x for a symmetric A of which the lower triangle is read, once, by panels of columns
/// that serve both halves while they are in the cache.
void addSymmetricProduct(const Eigen::MatrixXd& a, const Eigen::VectorXd& x, Eigen::Ref<Eigen::VectorXd> y);

/// One thread's solver of Q(σ) x = r with the housing eliminated (see the file comment).
class EliminatedQuadratic {
public:
    explicit EliminatedQuadratic(const HousingElimination& elimination);
    ~EliminatedQuadratic();
    /// Factorises for Q's values (the pencil's union pattern: σ²M + σ(C + ΩG) + K without the
    /// housing's dense blocks) and σ, with the changed coordinates' mass when `transformed`.
    /// Throws NumericalError when the factorisation fails.
    void factorize(const Eigen::SparseMatrix<double>& q, double sigma, bool transformed = false);
    /// x = Q(σ)⁻¹ r over all DOF (x may not alias r).
    void solve(const Eigen::VectorXd& r, Eigen::VectorXd& x) const;
    /// The same in the changed coordinates (see the file comment): x̃ = Q̃(σ)⁻¹ r̃.
    void solveTransformed(const Eigen::VectorXd& r, Eigen::VectorXd& x) const;
    /// M̃ in the housing's DOF order (factorised with `transformed`, and the housing with a mass).
    const Eigen::MatrixXd& transformedMass() const { return *mass_; }
    /// y += M̃ x (housing DOF), reading M̃'s lower triangle once.
    void addTransformedMass(const Eigen::VectorXd& x, Eigen::Ref<Eigen::VectorXd> y) const;
    /// The housing rows of vectors over all DOF (columns) from x̃ to x, and back.
    void toPhysical(Eigen::MatrixXcd& x) const;
    void toTransformed(Eigen::Ref<Eigen::VectorXd> x) const;
    /// The reduced matrix of the last factorize (shafts and boundary; the benchmark's fill count).
    const Eigen::SparseMatrix<double>& reducedMatrix() const { return reduced_; }

private:
    /// The reduced sparse solve of rr_ into xr_, and its shafts' and boundary's part into x.
    void solveReduced(Eigen::VectorXd& x) const;
    /// interior ← L_II⁻ᵀ(interior − L_BIᵀ boundary), column by column (order (I, B)).
    void backSubstitute(Eigen::Ref<Eigen::MatrixXd> interior, const Eigen::Ref<const Eigen::MatrixXd>& boundary) const;

    const HousingElimination& e_;
    std::shared_ptr<const HousingFactor> factor_;
    std::shared_ptr<const Eigen::MatrixXd> mass_;
    Eigen::SparseMatrix<double> reduced_;
    struct Lu;  // the sparse LU (KLU) of the reduced matrix
    std::unique_ptr<Lu> lu_;
    bool analysed_ = false;
    mutable Eigen::VectorXd y_, rr_, xr_;
};

}  // namespace ds::solver
