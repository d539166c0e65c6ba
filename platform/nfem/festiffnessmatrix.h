#pragma once
// Condensed finite-element stiffness matrices of housings: the units they come in, the data
// that defines one (FEStiffnessMatrixDefs) and the validated matrix with its SI conversion
// (NFEStiffnessMatrix).
//
// Layout: node k owns rows and columns dof·k … dof·k + dof − 1, where dof is 6 (ux, uy, uz,
// rx, ry, rz) or 3 (ux, uy, uz). Translations are in the system's length unit, rotations in
// rad; loads are forces in its force unit and moments in force unit × length unit. A reduced
// model may append generalised coordinates after the nodes' DOF (rows dof·N … dof·N + q − 1,
// e.g. the amplitudes of fixed-interface modes): each is a dimensionless amplitude of a shape
// given in the length unit, so its conjugate load is a work, force unit × length unit, and it
// converts to SI as a rotation does.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/nmatrix.h"
#include "drivesys/platform/nmath/nvektor.h"

/// Length units of FE data, by unit code. These codes are also the ones
/// NFEMCasing::getFEMNodesInGlobalCoords takes; an unknown code counts as metre.
enum class FELengthUnit : unsigned {
    Metre = 1,
    Centimetre = 2,
    Foot = 3,
    Inch = 4,
    Millimetre = 6,
    Micrometre = 7,
};

/// Force units of FE data, by unit code; an unknown code counts as newton.
enum class FEForceUnit : unsigned {
    Newton = 1,
    Kilonewton = 2,
    Meganewton = 3,
    PoundForce = 4,
};

/// Size of one length unit in millimetres, by unit code (unknown codes: 1000, a metre).
DRIVESYS_API double feLengthUnitInMillimetres(unsigned code);

/// Units of a stiffness matrix and its node coordinates.
struct DRIVESYS_API FEStiffnessMatrixSystemOfUnits {
    FELengthUnit length = FELengthUnit::Millimetre;
    FEForceUnit force = FEForceUnit::Newton;

    /// Metres per length unit and newtons per force unit (unknown codes: 1).
    double metresPerLengthUnit() const;
    double newtonsPerForceUnit() const;
    /// Symbols as used in the stiffness file ("mm", "N"); empty for an unknown code.
    std::string lengthSymbol() const;
    std::string forceSymbol() const;
    /// Reads symbols (m, cm, mm, um, in, ft; N, kN, MN, lbf); false (unchanged) when unknown.
    bool setFromSymbols(const std::string& lengthSymbol, const std::string& forceSymbol);

    bool operator==(const FEStiffnessMatrixSystemOfUnits& o) const { return length == o.length && force == o.force; }
    bool operator!=(const FEStiffnessMatrixSystemOfUnits& o) const { return !(*this == o); }
};

/// Which entries NFEStiffnessMatrix checks for finiteness and symmetry.
enum class FEEntryCheck {
    /// Every entry, at construction (one streaming read of the matrix).
    WholeMatrix,
    /// Only the entries a caller takes (getCheckedFEStiffnessSubMatrix): when few nodes of a
    /// large matrix are used, the rest is never read.
    OnGather,
};

/// What defines one FE stiffness matrix. The matrix is shared, not copied, between a Defs and
/// the NFEStiffnessMatrix objects built from it: copying either is cheap.
class DRIVESYS_API FEStiffnessMatrixDefs {
public:
    FEStiffnessMatrixDefs();
    /// Stores a copy of the matrix.
    void setStiffnessMatrix(const NMatrix& matrix);
    /// Takes the matrix over.
    void setStiffnessMatrix(NMatrix&& matrix);
    /// Refers to the caller's matrix without copying it (large housing matrices are hundreds of
    /// megabytes). The matrix must outlive this object and every NFEStiffnessMatrix built from
    /// it, and must not change meanwhile.
    void referToStiffnessMatrix(const NMatrix& matrix);
    const NMatrix& stiffnessMatrix() const { return *matrix_; }

    /// FE node numbers by node index; may be empty.
    std::vector<unsigned> nodeNumbers;
    /// Node coordinates by node index, in the length unit of `systemOfUnits`.
    std::vector<NVektor> nodeCoords;
    FEStiffnessMatrixSystemOfUnits systemOfUnits;
    /// True: 6 rows per node (3 translations, 3 rotations); false: 3 translational rows.
    bool sixDofNodes = true;
    /// Generalised coordinates after the nodes' DOF (see the file comment); 0 for a plain
    /// condensed matrix.
    size_t generalisedCoordinates = 0;
    FEEntryCheck entryCheck = FEEntryCheck::WholeMatrix;

private:
    std::shared_ptr<const NMatrix> matrix_;
};

/// Construction status of an NFEStiffnessMatrix. The checks run in this order and the first
/// failing one is reported.
enum FEStiffnessMatrixStatus : int {
    FEMatrixOk = 0,
    /// The matrix is not square.
    FEMatrixNotSquare = 1,
    /// The row count is not dof × (number of nodes) + generalised coordinates, or the
    /// node-number list is neither empty nor one entry per node, or a node number repeats.
    FEMatrixLayoutMismatch = 2,
    /// A matrix entry or node coordinate is infinite or NaN.
    FEMatrixNotFinite = 3,
    /// The matrix is not symmetric within kSymmetryTolerance (see NFEStiffnessMatrix).
    FEMatrixNotSymmetric = 4,
    /// The matrix has no rows (no housing stiffness at all).
    FEMatrixEmpty = 5,
};

/// A validated FE stiffness matrix. Construction never copies the matrix and reads it at most
/// once (not at all with FEEntryCheck::OnGather: then only the layout and the node coordinates
/// are checked, and each gathered sub-matrix is checked as it is taken).
///
/// Finite and symmetric checks. A single streaming pass computes y = K·x and z = Kᵀ·x for
/// x(j) = ±1 / d(j) with fixed pseudo-random signs and d(j) = sqrt|K(j,j)| (1 where that is 0 or
/// not finite), and accepts the matrix when every row satisfies
///     |y(i) − z(i)| ≤ tol · (d(i) + max(|y(i)|, |z(i)|)),   tol = kSymmetryTolerance;
/// in the diagonally scaled matrix (unit diagonal) this asks the asymmetry seen along a random
/// sign vector to stay below tol. A non-finite entry always fails this screen. When a row fails,
/// the element-wise test decides, and names the first offending pair: every entry finite and
///     |K(i,j) − K(j,i)| ≤ tol · max(|K(i,j)|, |K(j,i)|, sqrt|K(i,i)·K(j,j)|)
/// for all pairs (relative to the pair and to the diagonal scale of its row and column, so
/// translational and rotational blocks of very different magnitude are judged on their own
/// scale). A matrix is thus accepted when it passes either test. The screen runs at the speed
/// of reading the matrix; the element-wise test, reading both triangles tile by tile, costs
/// about 2-3 times that and only runs on matrices that are likely bad.
class DRIVESYS_API NFEStiffnessMatrix {
public:
    static constexpr double kSymmetryTolerance = 1e-6;

    explicit NFEStiffnessMatrix(const FEStiffnessMatrixDefs& defs);

    /// FEStiffnessMatrixStatus as int (0 = usable).
    int getStatus() const { return status_; }
    /// What failed, with the offending row, column or node; empty on success.
    const std::string& getStatusText() const { return statusText_; }

    size_t numNodes() const { return defs_.nodeCoords.size(); }
    int dofPerNode() const { return defs_.sixDofNodes ? 6 : 3; }
    bool isSixDof() const { return defs_.sixDofNodes; }
    const std::vector<unsigned>& getNodeNumbers() const { return defs_.nodeNumbers; }
    const FEStiffnessMatrixSystemOfUnits& getSystemOfUnits() const { return defs_.systemOfUnits; }

    /// The whole matrix, in SI units (N/m, N, N·m/rad) when `si` is true. This copies the
    /// matrix; to keep only some nodes use getFEStiffnessSubMatrix.
    NMatrix getFEStiffnessMatrix(bool si) const;
    /// Node coordinates, in metres when `si` is true.
    std::vector<NVektor> getFEStiffnessMatrixNodeCoords(bool si) const;
    /// Rows and columns of the given nodes, in the given order, in SI units when `si` is true:
    /// the same values as the corresponding entries of getFEStiffnessMatrix(si), gathered in one
    /// pass over the kept entries. Throws std::out_of_range for a node index ≥ numNodes().
    NMatrix getFEStiffnessSubMatrix(const std::vector<size_t>& nodes, bool si) const;

    /// A sub-matrix and the check of its entries.
    struct CheckedSubMatrix {
        NMatrix matrix;
        /// FEMatrixOk, FEMatrixNotFinite or FEMatrixNotSymmetric (entries named by their row and
        /// column in the whole matrix); the matrix is empty unless FEMatrixOk.
        int status = FEMatrixOk;
        std::string statusText;
    };
    /// getFEStiffnessSubMatrix, with the finite and symmetric checks of the class comment
    /// applied to exactly the gathered entries (their row and column scales are those of the
    /// sub-matrix). Costs O(m²) for m gathered rows, whatever the size of the whole matrix.
    CheckedSubMatrix getCheckedFEStiffnessSubMatrix(const std::vector<size_t>& nodes, bool si) const;

    /// Rows and columns (DOF of the nodes, then the generalised coordinates) in all.
    size_t numDofs() const { return numNodes() * static_cast<size_t>(dofPerNode()) + defs_.generalisedCoordinates; }
    /// Another matrix over the same DOF in SI units, scaled as the stiffness is: a mass matrix
    /// in force unit · s² / length unit (translations), force unit · s² (couplings) and force
    /// unit · length unit · s² / rad (rotations) gives kg, kg·m and kg·m² (per rad²). Throws
    /// std::invalid_argument when its size is not numDofs() × numDofs().
    NMatrix convertToSI(const NMatrix& sameLayout) const;

    /// The finite and symmetric checks of the class comment on a whole matrix, entry by entry:
    /// FEMatrixOk, FEMatrixNotFinite or FEMatrixNotSymmetric with the first offending entry
    /// (row and column) in `text`, which calls the matrix `name`. The matrix must be square.
    static int checkEntries(const NMatrix& m, const std::string& name, std::string& text);

private:
    void validate();
    /// SI factors of a row (load) and a column (displacement) by DOF index in the matrix.
    double loadScale(size_t dof) const;
    double displacementScale(size_t dof) const;
    /// The given rows and columns (DOF indices), in SI units when `si` is true.
    NMatrix gather(const std::vector<size_t>& dofs, bool si) const;

    FEStiffnessMatrixDefs defs_;
    int status_ = FEMatrixOk;
    std::string statusText_;
};
