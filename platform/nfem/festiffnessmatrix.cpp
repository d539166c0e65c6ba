#include "drivesys/platform/nfem/festiffnessmatrix.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <fmt/format.h>
#include <stdexcept>
#include <unordered_set>

// ---- units -----------------------------------------------------------------------------------
double feLengthUnitInMillimetres(unsigned code) {
    switch (static_cast<FELengthUnit>(code)) {
        case FELengthUnit::Centimetre: return 10.0;
        case FELengthUnit::Foot: return 304.8;
        case FELengthUnit::Inch: return 25.4;
        case FELengthUnit::Millimetre: return 1.0;
        case FELengthUnit::Micrometre: return 0.001;
        case FELengthUnit::Metre:
        default: return 1000.0;
    }
}

double FEStiffnessMatrixSystemOfUnits::metresPerLengthUnit() const {
    return feLengthUnitInMillimetres(static_cast<unsigned>(length)) * 1e-3;
}

double FEStiffnessMatrixSystemOfUnits::newtonsPerForceUnit() const {
    switch (force) {
        case FEForceUnit::Kilonewton: return 1e3;
        case FEForceUnit::Meganewton: return 1e6;
        case FEForceUnit::PoundForce: return 4.4482216152605;
        case FEForceUnit::Newton:
        default: return 1.0;
    }
}

namespace {
struct LengthSymbol {
    FELengthUnit unit;
    const char* symbol;
};
constexpr std::array<LengthSymbol, 6> kLengthSymbols{{{FELengthUnit::Metre, "m"},
                                                      {FELengthUnit::Centimetre, "cm"},
                                                      {FELengthUnit::Millimetre, "mm"},
                                                      {FELengthUnit::Micrometre, "um"},
                                                      {FELengthUnit::Inch, "in"},
                                                      {FELengthUnit::Foot, "ft"}}};
struct ForceSymbol {
    FEForceUnit unit;
    const char* symbol;
};
constexpr std::array<ForceSymbol, 4> kForceSymbols{{{FEForceUnit::Newton, "N"},
                                                    {FEForceUnit::Kilonewton, "kN"},
                                                    {FEForceUnit::Meganewton, "MN"},
                                                    {FEForceUnit::PoundForce, "lbf"}}};
}  // namespace

std::string FEStiffnessMatrixSystemOfUnits::lengthSymbol() const {
    for (const auto& s : kLengthSymbols)
        if (s.unit == length) return s.symbol;
    return {};
}

std::string FEStiffnessMatrixSystemOfUnits::forceSymbol() const {
    for (const auto& s : kForceSymbols)
        if (s.unit == force) return s.symbol;
    return {};
}

bool FEStiffnessMatrixSystemOfUnits::setFromSymbols(const std::string& lengthSym, const std::string& forceSym) {
    const LengthSymbol* l = nullptr;
    const ForceSymbol* f = nullptr;
    for (const auto& s : kLengthSymbols)
        if (lengthSym == s.symbol) l = &s;
    for (const auto& s : kForceSymbols)
        if (forceSym == s.symbol) f = &s;
    if (!l || !f) return false;
    length = l->unit;
    force = f->unit;
    return true;
}

// ---- definition ------------------------------------------------------------------------------
FEStiffnessMatrixDefs::FEStiffnessMatrixDefs() : matrix_(std::make_shared<const NMatrix>()) {}

void FEStiffnessMatrixDefs::setStiffnessMatrix(const NMatrix& matrix) { matrix_ = std::make_shared<const NMatrix>(matrix); }

void FEStiffnessMatrixDefs::setStiffnessMatrix(NMatrix&& matrix) {
    matrix_ = std::make_shared<const NMatrix>(std::move(matrix));
}

void FEStiffnessMatrixDefs::referToStiffnessMatrix(const NMatrix& matrix) {
    matrix_ = std::shared_ptr<const NMatrix>(&matrix, [](const NMatrix*) {});
}

// ---- validation ------------------------------------------------------------------------------
namespace {
constexpr Eigen::Index kTile = 32;
constexpr Eigen::Index kPanel = 4;

/// Fixed pseudo-random sign of index j.
double sign(Eigen::Index j) {
    uint64_t h = static_cast<uint64_t>(j) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return (h >> 63) ? 1.0 : -1.0;
}

/// Diagonal scale of row j: sqrt|K(j,j)|, or 1 where that is zero or not finite.
double diagonalScale(double kjj) {
    const double d = std::sqrt(std::abs(kjj));
    return (d > 0.0 && std::isfinite(d)) ? d : 1.0;
}

/// The single-pass screen: true when K is finite and K·x ≈ Kᵀ·x row by row (see the header).
/// K·x and Kᵀ·x come from the same panels of four columns, so the matrix is streamed once.
bool passesProjectionScreen(const Eigen::Map<const Eigen::MatrixXd>& k) {
    const Eigen::Index n = k.rows();
    Eigen::VectorXd d(n), x(n);
    for (Eigen::Index j = 0; j < n; ++j) {
        d[j] = diagonalScale(k(j, j));
        x[j] = sign(j) / d[j];
    }
    Eigen::VectorXd y = Eigen::VectorXd::Zero(n), z(n);
    Eigen::Index j = 0;
    for (; j + kPanel <= n; j += kPanel) {
        const auto panel = k.middleCols(j, kPanel);
        y.noalias() += panel * x.segment<kPanel>(j);
        z.segment<kPanel>(j).noalias() = panel.transpose() * x;
    }
    for (; j < n; ++j) {
        y.noalias() += k.col(j) * x[j];
        z[j] = k.col(j).dot(x);
    }
    for (Eigen::Index i = 0; i < n; ++i) {
        const double scale = d[i] + std::max(std::abs(y[i]), std::abs(z[i]));
        // Written so that NaN and infinity fail.
        if (!(std::abs(y[i] - z[i]) <= NFEStiffnessMatrix::kSymmetryTolerance * scale)) return false;
    }
    return true;
}

struct PairCheck {
    bool finite = true;
    Eigen::Index badRow = -1, badCol = -1;
};

bool asymmetric(double x, double y, double di, double dj) {
    return std::abs(x - y) > NFEStiffnessMatrix::kSymmetryTolerance * std::max({std::abs(x), std::abs(y), di * dj});
}

// Element-wise check of the tile pair (rows r0.., cols c0..) and its mirror, r0 <= c0.
void checkTilePair(const Eigen::Map<const Eigen::MatrixXd>& k, const std::vector<double>& diag, Eigen::Index r0, Eigen::Index c0,
                   PairCheck& out) {
    const Eigen::Index n = k.rows();
    const Eigen::Index nr = std::min(kTile, n - r0);
    const Eigen::Index nc = std::min(kTile, n - c0);
    for (Eigen::Index j = 0; j < nc; ++j)
        for (Eigen::Index i = 0; i < nr; ++i) {
            const double x = k(r0 + i, c0 + j), y = k(c0 + j, r0 + i);
            if (!std::isfinite(x) || !std::isfinite(y)) {
                out.finite = false;
                return;
            }
            if (out.badRow < 0 && asymmetric(x, y, diag[static_cast<size_t>(r0 + i)], diag[static_cast<size_t>(c0 + j)])) {
                out.badRow = std::min(r0 + i, c0 + j);
                out.badCol = std::max(r0 + i, c0 + j);
            }
        }
}
}  // namespace

NFEStiffnessMatrix::NFEStiffnessMatrix(const FEStiffnessMatrixDefs& defs) : defs_(defs) { validate(); }

void NFEStiffnessMatrix::validate() {
    const auto k = nmath::eigenView(defs_.stiffnessMatrix());
    const size_t nodes = defs_.nodeCoords.size();
    const size_t dof = static_cast<size_t>(dofPerNode());
    auto fail = [this](FEStiffnessMatrixStatus s, std::string text) {
        status_ = s;
        statusText_ = std::move(text);
    };
    if (k.rows() == 0) return fail(FEMatrixEmpty, "the stiffness matrix is empty");
    if (k.rows() != k.cols())
        return fail(FEMatrixNotSquare, fmt::format("the stiffness matrix has {} rows but {} columns", k.rows(), k.cols()));
    if (static_cast<size_t>(k.rows()) != numDofs()) {
        if (defs_.generalisedCoordinates == 0)
            return fail(FEMatrixLayoutMismatch, fmt::format("the stiffness matrix has {} rows, but {} nodes with {} DOF need {}",
                                                            k.rows(), nodes, dof, dof * nodes));
        return fail(FEMatrixLayoutMismatch,
                    fmt::format("the stiffness matrix has {} rows, but {} nodes with {} DOF and {} generalised coordinates need {}",
                                k.rows(), nodes, dof, defs_.generalisedCoordinates, numDofs()));
    }
    if (!defs_.nodeNumbers.empty()) {
        if (defs_.nodeNumbers.size() != nodes)
            return fail(FEMatrixLayoutMismatch,
                        fmt::format("{} node numbers for {} nodes", defs_.nodeNumbers.size(), nodes));
        std::unordered_set<unsigned> seen;
        seen.reserve(nodes);
        for (unsigned number : defs_.nodeNumbers)
            if (!seen.insert(number).second)
                return fail(FEMatrixLayoutMismatch, fmt::format("node number {} appears twice", number));
    }
    for (size_t i = 0; i < nodes; ++i)
        if (!defs_.nodeCoords[i].isFinite())
            return fail(FEMatrixNotFinite, fmt::format("the coordinates of node index {} are not finite", i));

    if (defs_.entryCheck == FEEntryCheck::OnGather || passesProjectionScreen(k)) return;
    // The screen flagged something: the element-wise check decides and names the entry.
    std::string text;
    const int entries = checkEntries(defs_.stiffnessMatrix(), "the stiffness matrix", text);
    if (entries != FEMatrixOk) fail(static_cast<FEStiffnessMatrixStatus>(entries), std::move(text));
}

int NFEStiffnessMatrix::checkEntries(const NMatrix& m, const std::string& name, std::string& text) {
    const auto k = nmath::eigenView(m);
    const Eigen::Index n = std::min(k.rows(), k.cols());
    std::vector<double> diag(static_cast<size_t>(n));
    for (Eigen::Index i = 0; i < n; ++i) diag[static_cast<size_t>(i)] = std::sqrt(std::abs(k(i, i)));
    PairCheck check;
    for (Eigen::Index c0 = 0; c0 < n; c0 += kTile)
        for (Eigen::Index r0 = 0; r0 <= c0; r0 += kTile) {
            checkTilePair(k, diag, r0, c0, check);
            if (!check.finite) {
                text = name + " holds an infinite or NaN entry";
                return FEMatrixNotFinite;
            }
        }
    if (check.badRow < 0) return FEMatrixOk;
    text = fmt::format("{} is not symmetric: entry ({}, {}) = {} but ({}, {}) = {}", name, check.badRow, check.badCol,
                       k(check.badRow, check.badCol), check.badCol, check.badRow, k(check.badCol, check.badRow));
    return FEMatrixNotSymmetric;
}

// ---- SI conversion ---------------------------------------------------------------------------
// K_SI(i, j) = K(i, j) · loadScale(i) · displacementScale(j): a row's load is a force (newtons
// per force unit) or, for rotational rows, a moment (newtons × metres per force and length
// unit); a column's displacement is a translation (per length unit → per metre) or a rotation
// (rad either way).
// Generalised coordinates (after the nodes' DOF) scale as rotations: a dimensionless amplitude
// whose conjugate load is a work.
double NFEStiffnessMatrix::loadScale(size_t dof) const {
    const size_t perNode = static_cast<size_t>(dofPerNode());
    const bool translation = dof < numNodes() * perNode && dof % perNode < 3;
    const double f = defs_.systemOfUnits.newtonsPerForceUnit();
    return translation ? f : f * defs_.systemOfUnits.metresPerLengthUnit();
}

double NFEStiffnessMatrix::displacementScale(size_t dof) const {
    const size_t perNode = static_cast<size_t>(dofPerNode());
    const bool translation = dof < numNodes() * perNode && dof % perNode < 3;
    return translation ? 1.0 / defs_.systemOfUnits.metresPerLengthUnit() : 1.0;
}

NMatrix NFEStiffnessMatrix::getFEStiffnessMatrix(bool si) const {
    const NMatrix& k = defs_.stiffnessMatrix();
    if (!si || status_ == FEMatrixEmpty || status_ == FEMatrixNotSquare || status_ == FEMatrixLayoutMismatch) return k;
    std::vector<size_t> all(numDofs());
    for (size_t i = 0; i < all.size(); ++i) all[i] = i;
    return gather(all, true);
}

std::vector<NVektor> NFEStiffnessMatrix::getFEStiffnessMatrixNodeCoords(bool si) const {
    std::vector<NVektor> out = defs_.nodeCoords;
    if (si) {
        const double f = defs_.systemOfUnits.metresPerLengthUnit();
        for (auto& p : out) p *= f;
    }
    return out;
}

NMatrix NFEStiffnessMatrix::getFEStiffnessSubMatrix(const std::vector<size_t>& nodes, bool si) const {
    const size_t dof = static_cast<size_t>(dofPerNode());
    const size_t rows = static_cast<size_t>(std::min(defs_.stiffnessMatrix().numRows(), defs_.stiffnessMatrix().numCols()));
    std::vector<size_t> index;
    index.reserve(nodes.size() * dof);
    for (size_t node : nodes) {
        if (node >= numNodes() || (node + 1) * dof > rows)
            throw std::out_of_range(fmt::format("node index {} out of range ({} nodes)", node, numNodes()));
        for (size_t d = 0; d < dof; ++d) index.push_back(node * dof + d);
    }
    return gather(index, si);
}

NFEStiffnessMatrix::CheckedSubMatrix NFEStiffnessMatrix::getCheckedFEStiffnessSubMatrix(const std::vector<size_t>& nodes,
                                                                                        bool si) const {
    CheckedSubMatrix out;
    out.matrix = getFEStiffnessSubMatrix(nodes, si);
    std::string text;
    out.status = checkEntries(out.matrix, "the stiffness matrix", text);
    if (out.status == FEMatrixOk) return out;
    // Name the entry by its row and column in the whole matrix: re-check the gathered rows
    // pairwise to find it (only on failure).
    const size_t dof = static_cast<size_t>(dofPerNode());
    std::vector<size_t> index;
    for (size_t node : nodes)
        for (size_t d = 0; d < dof; ++d) index.push_back(node * dof + d);
    const auto k = nmath::eigenView(out.matrix);
    std::vector<double> diag(index.size());
    for (size_t i = 0; i < index.size(); ++i) diag[i] = std::sqrt(std::abs(k(Eigen::Index(i), Eigen::Index(i))));
    for (size_t j = 0; j < index.size() && out.statusText.empty(); ++j)
        for (size_t i = 0; i <= j; ++i) {
            const double x = k(Eigen::Index(i), Eigen::Index(j)), y = k(Eigen::Index(j), Eigen::Index(i));
            const size_t r = std::min(index[i], index[j]), c = std::max(index[i], index[j]);
            if (!std::isfinite(x) || !std::isfinite(y)) {
                out.statusText = fmt::format("the stiffness matrix holds an infinite or NaN entry at ({}, {})", r, c);
                break;
            }
            if (out.status == FEMatrixNotSymmetric && asymmetric(x, y, diag[i], diag[j])) {
                const double vrc = index[i] <= index[j] ? x : y, vcr = index[i] <= index[j] ? y : x;
                out.statusText = fmt::format("the stiffness matrix is not symmetric: entry ({}, {}) = {} but ({}, {}) = {}", r, c,
                                             vrc, c, r, vcr);
                break;
            }
        }
    if (out.statusText.empty()) out.statusText = text;
    out.matrix = NMatrix();
    return out;
}

NMatrix NFEStiffnessMatrix::convertToSI(const NMatrix& sameLayout) const {
    const size_t n = numDofs();
    if (sameLayout.numRows() != n || sameLayout.numCols() != n)
        throw std::invalid_argument(fmt::format("a matrix of {} × {} over the {} DOF of the stiffness matrix", sameLayout.numRows(),
                                                sameLayout.numCols(), n));
    NMatrix out = sameLayout;
    auto m = nmath::eigenView(out);
    std::vector<double> row(n), col(n);
    for (size_t i = 0; i < n; ++i) row[i] = loadScale(i), col[i] = displacementScale(i);
    for (size_t j = 0; j < n; ++j)
        for (size_t i = 0; i < n; ++i) m(Eigen::Index(i), Eigen::Index(j)) *= row[i] * col[j];
    return out;
}

NMatrix NFEStiffnessMatrix::gather(const std::vector<size_t>& index, bool si) const {
    const auto k = nmath::eigenView(defs_.stiffnessMatrix());
    std::vector<double> rowScale, colScale;
    rowScale.reserve(index.size());
    colScale.reserve(index.size());
    for (size_t i : index) {
        rowScale.push_back(si ? loadScale(i) : 1.0);
        colScale.push_back(si ? displacementScale(i) : 1.0);
    }
    const size_t m = index.size();
    NMatrix out;
    out.resize(m, m, true);
    const Eigen::Index ld = k.rows();
    for (size_t j = 0; j < m; ++j) {
        const double* src = k.data() + static_cast<Eigen::Index>(index[j]) * ld;
        double* dst = out.data() + j * m;
        const double cj = colScale[j];
        for (size_t i = 0; i < m; ++i) dst[i] = src[index[i]] * rowScale[i] * cj;
    }
    return out;
}
