#include "drivesys/solver/quadratic_eigen.h"

#include <Eigen/Dense>
#include <Eigen/Eigenvalues>
#include <Eigen/KLUSupport>
#include <Spectra/GenEigsBase.h>
#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <stdexcept>
#include <vector>

#include "drivesys/solver/housing_elimination.h"
#include "drivesys/solver/model.h"

namespace ds::solver {

using Index = Eigen::Index;
using Sparse = Eigen::SparseMatrix<double>;

struct QuadraticPencil::Impl {
    /// The union pattern (values unused) and each part's values laid out along it.
    Sparse pattern;
    std::vector<double> m, c, g, k;
    /// The elastic housing's dense block and its elimination, or null.
    const HousingModel* housing = nullptr;
    std::unique_ptr<HousingElimination> elimination;

    std::vector<double> along(const Sparse& x) const {
        std::vector<double> out(size_t(pattern.nonZeros()), 0.0);
        const int* inner = pattern.innerIndexPtr();
        for (Index j = 0; j < pattern.outerSize(); ++j) {
            int at = pattern.outerIndexPtr()[j];
            for (Sparse::InnerIterator it(x, j); it; ++it) {
                while (inner[at] != it.index()) ++at;  // x's pattern is part of the union, both sorted
                out[size_t(at)] = it.value();
            }
        }
        return out;
    }
    /// a·M + b·C + c·G + d·K into `out`, which has the union pattern.
    void combine(double a, double b, double cc, double d, Sparse& out) const {
        double* v = out.valuePtr();
        for (size_t i = 0; i < m.size(); ++i) v[i] = a * m[i] + b * c[i] + cc * g[i] + d * k[i];
    }
};

QuadraticPencil::QuadraticPencil(const Sparse& M, const Sparse& C, const Sparse& G, const Sparse& K, const HousingModel* housing)
    : impl_(std::make_unique<Impl>()) {
    Sparse sum = M.cwiseAbs() + C.cwiseAbs() + G.cwiseAbs() + K.cwiseAbs();
    // The diagonal is always in the pattern: a DOF without stiffness still has mass.
    for (Index i = 0; i < sum.rows(); ++i) sum.coeffRef(i, i) += 1.0;
    sum.makeCompressed();
    impl_->pattern = std::move(sum);
    impl_->m = impl_->along(M);
    impl_->c = impl_->along(C);
    impl_->g = impl_->along(G);
    impl_->k = impl_->along(K);
    if (housing && !housing->empty()) {
        impl_->housing = housing;
        impl_->elimination = std::make_unique<HousingElimination>(*housing, impl_->pattern,
                                                                  std::vector<const std::vector<double>*>{&impl_->m, &impl_->c, &impl_->g, &impl_->k});
    }
}

QuadraticPencil::~QuadraticPencil() = default;

Index QuadraticPencil::size() const { return impl_->pattern.rows(); }
Index QuadraticPencil::nonZeros() const { return impl_->pattern.nonZeros(); }
Index QuadraticPencil::factorisedNonZeros() const {
    return impl_->elimination ? impl_->elimination->reducedNonZeros() : impl_->pattern.nonZeros();
}

Sparse QuadraticPencil::combine(double a, double b, double c, double d) const {
    Sparse out = impl_->pattern;
    impl_->combine(a, b, c, d, out);
    return out;
}

namespace {

/// The sparse LU of Q(σ): KLU (AMD ordering on the block triangular form, partial pivoting), about
/// twice as fast as Eigen's SparseLU on these matrices, whose pattern is a chain of small blocks
/// (bench/factorization_bench.cpp).
using Factorisation = Eigen::KLU<Sparse>;

/// The products of the Krylov basis V (column-major, long columns) with small vectors that take
/// something off a long vector: y −= V c, and v −= V c, w −= V d in one sweep. Eigen's
/// matrix-vector product takes all columns of a matrix with fewer than 128 at once, as many
/// strided streams through memory as columns, which the prefetchers do not follow: it runs at a
/// third to a half of the speed of the transposed product Vᵀw over the same columns. Here eight
/// columns at a time, each read in one sequential stream, with the sum of their eight terms
/// taken off y in one step: as fast per byte as Vᵀw (bench/README.md).
constexpr Index kSweepColumns = 8;

/// v −= V c, and with a second output also w −= V d from the same loads (rows × k, column-major,
/// leading dimension ld).
template <bool kSecond>
void subtractSweep(double* __restrict v, double* __restrict w, const double* V, Index ld, Index rows, Index k,
                   const double* c, const double* d) {
    Index j = 0;
    for (; j + kSweepColumns <= k; j += kSweepColumns) {
        const double* a[kSweepColumns];
        double cj[kSweepColumns], dj[kSweepColumns];
        for (Index q = 0; q < kSweepColumns; ++q) a[q] = V + (j + q) * ld, cj[q] = c[j + q], dj[q] = kSecond ? d[j + q] : 0.0;
        for (Index i = 0; i < rows; ++i) {
            double sv = 0.0, sw = 0.0;
            for (Index q = 0; q < kSweepColumns; ++q) {
                const double x = a[q][i];
                sv += x * cj[q];
                if constexpr (kSecond) sw += x * dj[q];
            }
            v[i] -= sv;
            if constexpr (kSecond) w[i] -= sw;
        }
    }
    for (; j < k; ++j) {
        const double* a = V + j * ld;
        for (Index i = 0; i < rows; ++i) {
            v[i] -= a[i] * c[j];
            if constexpr (kSecond) w[i] -= a[i] * d[j];
        }
    }
}

void subtractProduct(double* y, const double* V, Index ld, Index rows, Index k, const double* c) {
    subtractSweep<false>(y, nullptr, V, ld, rows, k, c, nullptr);
}

void subtractProducts(double* v, double* w, const double* V, Index ld, Index rows, Index k, const double* c,
                      const double* d) {
    subtractSweep<true>(v, w, V, ld, rows, k, c, d);
}

/// (L − σI)⁻¹ of the scaled linearisation, for Spectra: see the header for the algebra. With a
/// housing, Q(σ)⁻¹ is applied with its block eliminated, and M's dense block adds M_h(s b + σ a)
/// to the right side (P = D + σM holds σM_h there).
class ShiftInvert {
public:
    using Scalar = double;
    ShiftInvert(const Factorisation& lu, const Sparse& M, const Sparse& P, double sigma, double scale,
                const Eigen::MatrixXd* deflate, const EliminatedQuadratic* eliminated = nullptr,
                const HousingModel* housing = nullptr)
        : lu_(lu), M_(M), P_(P), sigma_(sigma), scale_(scale), n_(M.rows()), rhs_(n_), p_(n_), deflate_(deflate),
          eliminated_(eliminated), housing_(housing) {
        if (deflate_ && deflate_->cols() > 0) massDeflate_ = Eigen::MatrixXd(M_ * *deflate_);
        else deflate_ = nullptr;
    }
    Index rows() const { return 2 * n_; }
    Index cols() const { return 2 * n_; }
    void set_shift(double) {}  // the factorisation was made for σ before
    void perform_op(const double* x, double* y) const {
        const double *xa = x, *xb = x + n_;
        if (deflate_) {
            // (I − P)(a, b): the rigid-body motions taken out of both halves.
            a_ = Eigen::Map<const Eigen::VectorXd>(x, n_);
            b_ = Eigen::Map<const Eigen::VectorXd>(x + n_, n_);
            a_.noalias() -= *deflate_ * (massDeflate_.transpose() * a_);
            b_.noalias() -= *deflate_ * (massDeflate_.transpose() * b_);
            xa = a_.data();
            xb = b_.data();
        }
        const Eigen::Map<const Eigen::VectorXd> a(xa, n_), b(xb, n_);
        Eigen::Map<Eigen::VectorXd> p(y, n_), q(y + n_, n_);
        rhs_.noalias() = M_ * b;
        rhs_ *= scale_;
        rhs_.noalias() += P_ * a;
        if (eliminated_) {
            // In the housing's changed coordinates (solver/housing_elimination.h): M̃ in place
            // of M_h, and the solve without a pass over the Cholesky factor.
            if (housing_->hasMass) {
                const Index o = Index(housing_->offset), nh = Index(housing_->dofs);
                w_ = scale_ * b.segment(o, nh) + sigma_ * a.segment(o, nh);
                eliminated_->addTransformedMass(w_, rhs_.segment(o, nh));
            }
            eliminated_->solveTransformed(rhs_, p_);
        } else {
            p_ = lu_.solve(rhs_);
        }
        p = -p_;
        q = (a + sigma_ * p) / scale_;
    }

private:
    const Factorisation& lu_;
    const Sparse &M_, &P_;
    double sigma_, scale_;
    Index n_;
    mutable Eigen::VectorXd rhs_, p_, a_, b_, w_;
    const Eigen::MatrixXd* deflate_;
    Eigen::MatrixXd massDeflate_;
    const EliminatedQuadratic* eliminated_;
    const HousingModel* housing_;
};

/// The displacement part u of each state z = (u, λu/s): from the larger half, so that a mode
/// far above or below the scale keeps its accuracy.
Eigen::MatrixXcd displacements(const Eigen::MatrixXcd& z, const Eigen::VectorXcd& lambda, double scale) {
    const Index n = z.rows() / 2;
    Eigen::MatrixXcd u(n, z.cols());
    for (Index i = 0; i < z.cols(); ++i) {
        if (std::abs(lambda(i)) > scale) u.col(i) = z.col(i).tail(n) * (scale / lambda(i));
        else u.col(i) = z.col(i).head(n);
    }
    return u;
}

/// Spectra's Arnoldi operator for ShiftInvert as a type of its own, the base of the factorisation
/// below (a specialisation cannot derive from the template it specialises).
struct ShiftInvertArnoldiOp : Spectra::ArnoldiOp<double, ShiftInvert, Spectra::IdentityBOp> {
    using Base = Spectra::ArnoldiOp<double, ShiftInvert, Spectra::IdentityBOp>;
    explicit ShiftInvertArnoldiOp(const Base& op) : Base(op) {}
};

}  // namespace
}  // namespace ds::solver

namespace Spectra {

/// The Arnoldi factorisation of ShiftInvert: Spectra's, with the re-orthogonalisation of the new
/// residual made the way ARPACK's dnaitr makes it (the DGKS correction). Spectra repeats classical
/// Gram-Schmidt until |Vᵀf| ≤ ε‖f‖, up to five more passes over the basis per vector; once the
/// Krylov space nearly holds the wanted eigenvectors (a warm start, the last vectors of a run), the
/// new residual f is small against the product w it came from and that test fails every time —
/// the basis products then were four fifths of a Campbell speed's time. Here a pass is repeated
/// only while it removes more than 1 − 1/√2 of what is left ("twice is enough": Giraud, Langou,
/// Rozložník 2005), at most twice, and a residual that keeps collapsing is taken as zero, so that
/// the next vector is a new direction (Spectra's restart with expand_basis). Nearly every vector
/// needs the first correction and almost none a second: the first is left to the next column's
/// pass over the basis, which then corrects the residual, normalises it and forms its product
/// from the Arnoldi relation (nextColumnLagged), so that a vector costs two passes instead of
/// three. The operator, the restarts and the convergence test are Spectra's.
template <>
class Arnoldi<double, ArnoldiOp<double, ds::solver::ShiftInvert, IdentityBOp>>
    : public Arnoldi<double, ds::solver::ShiftInvertArnoldiOp> {
    using Base = Arnoldi<double, ds::solver::ShiftInvertArnoldiOp>;
    using Index = Eigen::Index;
    using Matrix = Eigen::MatrixXd;
    using MapConstMat = Eigen::Map<const Matrix>;
    using MapVec = Eigen::Map<Eigen::VectorXd>;

public:
    Arnoldi(const ArnoldiOp<double, ds::solver::ShiftInvert, IdentityBOp>& op, Index m)
        : Base(ds::solver::ShiftInvertArnoldiOp(op), m) {}

    void factorize_from(Index from_k, Index to_m, Index& op_counter) override {
        if (to_m <= from_k) return;
        if (from_k > m_k) throw std::invalid_argument("Arnoldi: the factorisation is extended from beyond its length");
        constexpr double kKeep = 0.7071067811865476;  // 1/√2
        Eigen::VectorXd w(m_n), c(to_m), hc(to_m);
        // Keep the upper-left k × k block of H.
        m_fac_H.rightCols(m_m - from_k).setZero();
        m_fac_H.block(from_k, 0, m_m - from_k, from_k).setZero();
        // Lagged: m_fac_f is the last column's residual before its re-orthogonalisation, c its
        // correction Vᵀf (already added to H), and m_beta the norm of the corrected f − Vc.
        bool lagged = false;
        for (Index i = from_k; i < to_m; ++i) {
            const Index i1 = i + 1;
            MapVec h(&m_fac_H(0, i), i1);
            if (lagged) {
                nextColumnLagged(i, c.head(i), hc.head(i), w, h, op_counter);
            } else {
                bool restart = false;
                if (m_beta < m_near_0) {  // f = 0: a new direction orthogonal to V
                    MapConstMat V(m_fac_V.data(), m_n, i);
                    expand_basis(V, 2 * i, m_fac_f, m_beta, op_counter);
                    restart = true;
                }
                m_fac_V.col(i).noalias() = m_fac_f / m_beta;
                m_fac_H(i, i - 1) = restart ? 0.0 : m_beta;
                m_op.perform_op(&m_fac_V(0, i), w.data());
                ++op_counter;
                h.noalias() = MapConstMat(m_fac_V.data(), m_n, i1).transpose() * w;
            }
            MapConstMat Vs(m_fac_V.data(), m_n, i1);
            // f = w − V h, and with it the first correction c = Vᵀf, block of rows by block of
            // rows while the block of V is in the cache.
            auto correction = c.head(i1);
            correction.setZero();
            forRowBlocks(i1, [&](Index r, Index nr) {
                const auto Vb = Vs.middleRows(r, nr);
                auto fb = m_fac_f.segment(r, nr);
                fb = w.segment(r, nr);
                ds::solver::subtractProduct(fb.data(), Vb.data(), m_n, nr, i1, h.data());
                correction.noalias() += Vb.transpose() * fb;
            });
            double before = w.norm();
            m_beta = m_fac_f.norm();
            // One correction is enough when it keeps more than 1/√2 of f (‖f − Vc‖² = ‖f‖² − ‖c‖²
            // for an orthonormal V): then it is left to the next column's pass over V. The last
            // column's is made here, since the restarts and the convergence test read f.
            const double kept = m_beta * m_beta - correction.squaredNorm();
            lagged = i1 < to_m && kept > 0.5 * m_beta * m_beta && m_beta >= m_near_0;
            if (lagged) {
                h += correction;
                m_beta = std::sqrt(kept);
                continue;
            }
            int passes = 0;
            while (m_beta < kKeep * before && passes < 2) {
                if (passes > 0) correction.noalias() = Vs.transpose() * m_fac_f;  // the first came with f
                ds::solver::subtractProduct(m_fac_f.data(), Vs.data(), m_n, m_n, i1, correction.data());
                h += correction;
                before = m_beta;
                m_beta = m_fac_f.norm();
                ++passes;
            }
            if (m_beta < kKeep * before) {  // w lies in span(V) to working precision
                m_fac_f.setZero();
                m_beta = 0.0;
            }
        }
        m_k = to_m;
    }

    /// V ← V Q on the first k + 1 columns after a restart's compression of H, as one matrix
    /// product (Spectra makes a matrix-vector product per column, k passes over the basis).
    void compress_V(const Matrix& Q) {
        Matrix Vs(m_n, m_k + 1);
        Vs.noalias() = m_fac_V * Q.leftCols(m_k + 1);
        m_fac_V.leftCols(m_k + 1) = Vs;
        Eigen::VectorXd fk = m_fac_f * Q(m_m - 1, m_k - 1) + m_fac_V.col(m_k) * m_fac_H(m_k, m_k - 1);
        m_fac_f.swap(fk);
        m_beta = m_fac_f.norm();
    }

private:
    /// Calls f(first row, rows) for blocks of rows of the first `cols` columns of V that stay in
    /// the cache (512 kB) while several products use them.
    template <class F>
    void forRowBlocks(Index cols, F&& f) const {
        constexpr Index kCacheDoubles = Index(1) << 16;
        const Index rows = std::max<Index>(64, kCacheDoubles / std::max<Index>(1, cols));
        for (Index r = 0; r < m_n; r += rows) f(r, std::min(rows, m_n - r));
    }

    /// Column i from the lagged residual f, its correction c (length i) and the norm β of
    /// f − Vc: v_i = (f − Vc)/β, and since the columns before satisfy A V = V H + β v_i e_{i−1}ᵀ,
    /// A v_i = (A f − V H c)/β − c_{i−1} v_i. So one operator application to f and one pass over
    /// V correct f, give v_i and w = A v_i, and take h = [V v_i]ᵀ w — where the correction made
    /// at once would cost a pass of its own.
    void nextColumnLagged(Index i, Eigen::Ref<const Eigen::VectorXd> c, Eigen::Ref<Eigen::VectorXd> hc,
                          Eigen::VectorXd& w, MapVec& h, Index& op_counter) {
        m_fac_H(i, i - 1) = m_beta;
        m_op.perform_op(m_fac_f.data(), w.data());
        ++op_counter;
        hc.noalias() = m_fac_H.topLeftCorner(i, i) * c;
        const double last = c(i - 1), inverse = 1.0 / m_beta;
        MapConstMat V(m_fac_V.data(), m_n, i);
        h.setZero();
        forRowBlocks(i, [&](Index r, Index nr) {
            const auto Vb = V.middleRows(r, nr);
            auto vb = m_fac_V.col(i).segment(r, nr);
            vb = m_fac_f.segment(r, nr);
            auto wb = w.segment(r, nr);
            ds::solver::subtractProducts(vb.data(), wb.data(), Vb.data(), m_n, nr, i, c.data(), hc.data());
            vb *= inverse;
            wb *= inverse;
            wb -= last * vb;
            h.head(i).noalias() += Vb.transpose() * wb;
            h(i) += vb.dot(wb);
        });
    }
};

}  // namespace Spectra

namespace ds::solver {
namespace {

/// Spectra's shift-invert solver, with the eigenvectors made only where they are needed: for the
/// converged eigenvalues with Im λ ≥ 0 (the others are their conjugates), and only the half of the
/// state the displacement is read from, as real products V·Re y and V·Im y — a quarter of the work
/// of every complex Ritz vector in full.
///
/// (The real-shift solver of Spectra is GenEigsBase with the Ritz values turned back into λ before
/// they are sorted; it hides the base's Ritz pairs, so this derives from the base itself.)
class ShiftInvertEigs : public Spectra::GenEigsBase<ShiftInvert, Spectra::IdentityBOp> {
    using Base = Spectra::GenEigsBase<ShiftInvert, Spectra::IdentityBOp>;
    const double sigma_;

    void sort_ritzpair(Spectra::SortRule rule) override {
        // The iteration's values are ν = 1 / (λ − σ).
        m_ritz_val.head(m_nev) = 1.0 / m_ritz_val.head(m_nev).array() + sigma_;
        Base::sort_ritzpair(rule);
    }

public:
    ShiftInvertEigs(ShiftInvert& op, Eigen::Index nev, Eigen::Index ncv, double sigma)
        : Base(op, Spectra::IdentityBOp(), nev, ncv), sigma_(sigma) {}

    void upperHalfPlane(double scale, Eigen::VectorXcd& lambda, Eigen::MatrixXcd& shapes) const {
        const Eigen::VectorXcd all = eigenvalues();
        // The converged values are copies of Ritz values, in their order: find their columns.
        std::vector<Eigen::Index> columns;
        std::vector<std::complex<double>> values;
        Eigen::Index next = 0;
        for (Eigen::Index j = 0; j < all.size(); ++j) {
            while (next < m_nev && m_ritz_val[next] != all[j]) ++next;
            if (next == m_nev) break;
            if (all[j].imag() >= 0.0) columns.push_back(next), values.push_back(all[j]);
            ++next;
        }
        const Eigen::Index k = Eigen::Index(columns.size()), n = m_n / 2;
        lambda.resize(k);
        shapes.resize(n, k);
        if (k == 0) return;
        Eigen::MatrixXd yr(m_ncv, k), yi(m_ncv, k);
        for (Eigen::Index c = 0; c < k; ++c) {
            yr.col(c) = m_ritz_vec.col(columns[size_t(c)]).real();
            yi.col(c) = m_ritz_vec.col(columns[size_t(c)]).imag();
            lambda(c) = values[size_t(c)];
        }
        const auto& V = m_fac.matrix_V();
        // The displacement from the larger half of z = (u, λu/s) (see displacements()).
        std::vector<Eigen::Index> top, bottom;
        for (Eigen::Index c = 0; c < k; ++c) (std::abs(lambda(c)) > scale ? bottom : top).push_back(c);
        auto fill = [&](const std::vector<Eigen::Index>& cols, Eigen::Index row0, bool velocity) {
            if (cols.empty()) return;
            Eigen::MatrixXd cr(m_ncv, Eigen::Index(cols.size())), ci(m_ncv, Eigen::Index(cols.size()));
            for (size_t q = 0; q < cols.size(); ++q) cr.col(Eigen::Index(q)) = yr.col(cols[q]), ci.col(Eigen::Index(q)) = yi.col(cols[q]);
            const Eigen::MatrixXd re = V.middleRows(row0, n) * cr, im = V.middleRows(row0, n) * ci;
            for (size_t q = 0; q < cols.size(); ++q) {
                const Eigen::Index c = cols[q];
                Eigen::VectorXcd u(n);
                u.real() = re.col(Eigen::Index(q));
                u.imag() = im.col(Eigen::Index(q));
                shapes.col(c) = velocity ? Eigen::VectorXcd(u * (scale / lambda(c))) : u;
            }
        };
        fill(top, 0, false);
        fill(bottom, n, true);
    }
};

/// Every eigenpair of a small problem from the dense linearisation (same scaling). A singular M
/// (DOF without mass, as a massless housing has) has no inverse: then the pencil A z = λ B z with
/// A = [[0, sI], [−K/s, −D]], B = diag(I, M) (the same rows, M not divided out) is solved by QZ,
/// and its infinite eigenvalues (β = 0, one per massless DOF) are left out.
QuadraticEigenResult solveWhole(const Eigen::MatrixXd& Md, const Eigen::MatrixXd& Dd, const Eigen::MatrixXd& Kd, double scale) {
    const Index n = Md.rows();
    QuadraticEigenResult r;
    r.dense = true;
    Eigen::LLT<Eigen::MatrixXd> llt(Md);
    if (llt.info() == Eigen::Success) {
        Eigen::MatrixXd L = Eigen::MatrixXd::Zero(2 * n, 2 * n);
        L.topRightCorner(n, n).setIdentity();
        L.topRightCorner(n, n) *= scale;
        L.bottomLeftCorner(n, n) = -llt.solve(Kd) / scale;
        L.bottomRightCorner(n, n) = -llt.solve(Dd);
        Eigen::EigenSolver<Eigen::MatrixXd> es(L, true);
        if (es.info() != Eigen::Success) throw NumericalError("the eigenvalue solver did not converge");
        r.lambda = es.eigenvalues();
        r.shapes = displacements(es.eigenvectors(), r.lambda, scale);
    } else {
        Eigen::MatrixXd A = Eigen::MatrixXd::Zero(2 * n, 2 * n), B = Eigen::MatrixXd::Zero(2 * n, 2 * n);
        A.topRightCorner(n, n) = scale * Eigen::MatrixXd::Identity(n, n);
        A.bottomLeftCorner(n, n) = -Kd / scale;
        A.bottomRightCorner(n, n) = -Dd;
        B.topLeftCorner(n, n).setIdentity();
        B.bottomRightCorner(n, n) = Md;
        Eigen::GeneralizedEigenSolver<Eigen::MatrixXd> ges(A, B, true);
        if (ges.info() != Eigen::Success) throw NumericalError("the eigenvalue solver did not converge");
        std::vector<Index> finite;
        for (Index i = 0; i < 2 * n; ++i) {
            const std::complex<double> alpha = ges.alphas()(i);
            const double beta = ges.betas()(i);
            if (std::abs(alpha) < 1e8 * scale * std::abs(beta)) finite.push_back(i);
        }
        r.lambda.resize(Index(finite.size()));
        Eigen::MatrixXcd z(2 * n, Index(finite.size()));
        for (size_t k = 0; k < finite.size(); ++k) {
            r.lambda(Index(k)) = ges.alphas()(finite[k]) / ges.betas()(finite[k]);
            z.col(Index(k)) = ges.eigenvectors().col(finite[k]);
        }
        r.shapes = displacements(z, r.lambda, scale);
    }
    r.requested = r.converged = r.lambda.size();
    return r;
}

/// A sparse matrix over all DOF as a dense one, the housing's block `extra` added on its DOF.
Eigen::MatrixXd denseWith(const Sparse& a, const HousingModel* h, const Eigen::MatrixXd* extra) {
    Eigen::MatrixXd out(a);
    if (h && extra) out.block(Index(h->offset), Index(h->offset), Index(h->dofs), Index(h->dofs)) += *extra;
    return out;
}

}  // namespace

struct QuadraticEigenSolver::Impl {
    const QuadraticPencil& pencil;
    Sparse Q, P, M, K;
    Factorisation lu;
    bool analysed = false;
    /// With a housing: Q(σ) with its block eliminated (instead of lu).
    std::unique_ptr<EliminatedQuadratic> eliminated;
    explicit Impl(const QuadraticPencil& p) : pencil(p) {}
};

QuadraticEigenSolver::QuadraticEigenSolver(const QuadraticPencil& pencil) : impl_(std::make_unique<Impl>(pencil)) {}
QuadraticEigenSolver::~QuadraticEigenSolver() = default;

QuadraticEigenResult QuadraticEigenSolver::solve(double omega, Index count, const QuadraticEigenSettings& s,
                                                 const Eigen::MatrixXd* deflate) {
    Impl& w = *impl_;
    const QuadraticPencil::Impl& pen = *w.pencil.impl_;
    const Index n = pen.pattern.rows(), states = 2 * n;
    const double sigma = s.shift;
    count = std::max<Index>(1, count);
    // Krylov dimension: twice the eigenvalues asked for, and room to spare for few of them.
    const Index ncv = std::max<Index>(Index(s.krylovFactor * double(count)) + 1, count + 20);
    if (ncv >= states) {
        // (An Arnoldi run of this solver may have made M before, but never K.)
        if (w.M.size() == 0) w.M = w.pencil.combine(1, 0, 0, 0);
        if (w.K.size() == 0) w.K = w.pencil.combine(0, 0, 0, 1);
        const HousingModel* h = pen.housing;
        return solveWhole(denseWith(w.M, h, h && h->hasMass ? &h->M : nullptr), denseWith(w.pencil.combine(0, 1, omega, 0), h, nullptr),
                          denseWith(w.K, h, h ? &h->K : nullptr), s.scale);
    }
    if (w.Q.size() == 0) w.Q = pen.pattern, w.P = pen.pattern, w.M = w.pencil.combine(1, 0, 0, 0);
    // Q(σ) = σ²M + σ(C + ΩG) + K and P = D + σM = σM + C + ΩG.
    pen.combine(sigma * sigma, sigma, sigma * omega, 1.0, w.Q);
    pen.combine(sigma, 1.0, omega, 0.0, w.P);
    if (pen.elimination) {
        if (!w.eliminated) w.eliminated = std::make_unique<EliminatedQuadratic>(*pen.elimination);
        w.eliminated->factorize(w.Q, sigma, true);
    } else {
        if (!w.analysed) {
            w.lu.analyzePattern(w.Q);
            w.analysed = true;
        }
        w.lu.factorize(w.Q);
        if (w.lu.info() != Eigen::Success)
            throw NumericalError("the factorisation of σ²M + σD + K failed (a matrix entry that is not finite?)");
    }

    ShiftInvert op(w.lu, w.M, w.P, sigma, s.scale, deflate, w.eliminated.get(), pen.housing);
    ShiftInvertEigs eigs(op, count, ncv, sigma);
    if (s.start && s.start->size() == states) {
        Eigen::VectorXd start = *s.start;
        if (w.eliminated) w.eliminated->toTransformed(start.head(n)), w.eliminated->toTransformed(start.tail(n));
        eigs.init(start.data());
    } else {
        eigs.init();
    }
    QuadraticEigenResult r;
    r.requested = count;
    Index nconv = 0;
    try {
        nconv = eigs.compute(Spectra::SortRule::LargestMagn, s.maxRestarts, s.tolerance, Spectra::SortRule::LargestMagn);
    } catch (const std::runtime_error&) {
        // The small Hessenberg eigenproblem of a restart failed (numbers out of range in a badly
        // conditioned pencil): no eigenvalue converged, which the caller retries or reports.
        r.converged = 0;
        return r;
    }
    r.converged = nconv;
    r.operations = eigs.num_operations();
    r.restarts = eigs.num_iterations();
    if (nconv > 0) eigs.upperHalfPlane(s.scale, r.lambda, r.shapes);
    if (w.eliminated) w.eliminated->toPhysical(r.shapes);
    return r;
}

}  // namespace ds::solver
