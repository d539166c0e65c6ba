#pragma once
// NFEMCasing: couples an elastic housing, given as a condensed FE stiffness matrix over its
// interface nodes, to the bearing points of the shafts, and answers housing deflections at the
// bearings for given bearing loads.
//
// Coordinate systems are lists of NVektor: origin, x axis, y axis, z axis, all in one common
// reference system. Only the first four entries are read; a shorter list is completed from the
// reference frame (origin 0, axes x, y, z). Lengths cross this interface in mm (bearing points,
// origins, maxMappingDistance, the results of the static helpers); FE node coordinates come in
// the length unit of the FE system of units. Inside, every length is held in metres.
//
// The object is fully computed by its constructor; status 0 means the compliance is usable.
// Everything later only reads the stored state, so a const NFEMCasing may be shared by threads.
//
// Construction cost: one gather of the rows and columns of the nodes that carry a bearing
// (converted to SI on the fly, and checked to be finite and symmetric), a block-wise rotation
// into the shaft systems and one Cholesky inversion of the kept matrix. The rest of the FE
// matrix is never read: the entries of nodes without a bearing take no part in the result, so
// a fault there (a NaN, an asymmetry) does not stop the coupling. The full matrix is never copied.
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nfem/festiffnessmatrix.h"
#include "drivesys/platform/nmath/nmatrix.h"
#include "drivesys/platform/nmath/ntransformation.h"
#include "drivesys/platform/nmath/nvektor.h"
#include "drivesys/platform/ntypes/nwstring.h"

/// Construction result of NFEMCasing.
enum CasingCalculationStatus : int {
    CasingOk = 0,
    /// The FE stiffness matrix is not square.
    CasingFEMatrixNotSquare = 1,
    /// No bearing point lies within maxMappingDistance of any node (replaces an FE failure).
    CasingNoBearingMapped = 2,
    /// Rows and nodes of the FE matrix do not fit together (3 or 6 rows per node, one node
    /// number per node).
    CasingFELayoutMismatch = 5,
    /// The FE data holds a non-finite value (or the FE check failed otherwise).
    CasingFEDataInvalid = 7,
    /// The compliance is null: the FE matrix is not symmetric, or the stiffness (or a frame
    /// rotation) could not be inverted.
    CasingNotInvertible = 8,
    /// The elastic housing is switched off, or the FE matrix is empty.
    CasingNotElastic = 9,
};

class DRIVESYS_API NFEMCasing {
public:
    using Frame = std::vector<NVektor>;
    using PerShaftVectors = std::vector<std::vector<NVektor>>;
    /// (shaft index, point index) → node index.
    using Mapping = std::map<std::pair<unsigned, unsigned>, unsigned>;

    /// See the class comment for units and frames. `nodeNumbers` (FE node numbers by node
    /// index, may be empty) is shortened in place to the nodes that are kept. Never throws for
    /// bad input: failures end in getConstructorStatus().
    NFEMCasing(bool enabled, double maxMappingDistance, const NMatrix& feStiffness, const PerShaftVectors& shaftCS,
               const PerShaftVectors& bearingPoints, const std::vector<NVektor>& nodeCoords, const Frame& systemCS,
               const Frame& femCS, const FEStiffnessMatrixSystemOfUnits& units, std::vector<unsigned>& nodeNumbers,
               bool reportUnmappedNodes, bool lengthFormatFlag, bool spareFlag);
    NFEMCasing(const NFEMCasing&);
    NFEMCasing& operator=(const NFEMCasing&);
    NFEMCasing(NFEMCasing&&) noexcept;
    NFEMCasing& operator=(NFEMCasing&&) noexcept;
    virtual ~NFEMCasing();

    /// CasingCalculationStatus as int.
    int getConstructorStatus() const { return status; }
    nWString getErrorMessage() const { return errorMessage; }
    /// The unmapped-node report for the user to confirm; empty when there is none.
    nWString getConfirmMessage() const { return confirmMessage; }
    Mapping getMappingInfo() const { return mapping; }
    NMatrix getshaftCSToFEMCSFullTransformationMatrix() const { return shaftCSToFEMCSFullTransformationMatrix; }

    // Read access beyond the operations above (tools, tests, diagnostics).
    const NMatrix& getCompliance() const { return compliance; }
    bool hasSixDofNodes() const { return sixDofNodes; }
    const std::vector<unsigned>& getUnmappedNodes() const { return unmappedNodes; }
    /// FE node coordinates, in metres after a successful SI conversion.
    const std::vector<NVektor>& getNodeCoords() const { return nodeCoords; }
    bool getSpareFlag() const { return spareFlag; }

    /// FE load vector (size: rows of the compliance) from per-shaft, per-point forces (N) and
    /// moments (N·m) in shaft coordinates. Points without a mapping, and entries missing from
    /// the argument lists, contribute nothing.
    std::vector<double> convertFromNVsetupToFEMsetup(PerShaftVectors forces, PerShaftVectors moments) const;
    /// Per-shaft, per-point displacements (m) and, with 6-DOF nodes, rotations (rad) from an
    /// FE displacement vector; unmapped points get zero. Entries missing from `u` count as zero.
    void convertFromFEMsetupToNVsetup(const std::vector<double>& u, PerShaftVectors& displacements,
                                      PerShaftVectors& rotations) const;
    /// Housing deflection at every bearing point: compliance × load, in shaft coordinates.
    void calculateCasingDeflection(const PerShaftVectors& forces, const PerShaftVectors& moments,
                                   PerShaftVectors& displacements, PerShaftVectors& rotations) const;

    /// Frame (origin in mm, unit axes) of the rigid motion that carries the points A onto the
    /// points B, all in mm; empty when a pairwise distance differs by more than `tolerance`
    /// (mm) between A and B (then `errorText` names the two points). A and B and the tolerance
    /// are scaled to metres in place. `warningText` is set when the fit deserves a warning
    /// (NTransformationMatrix::state() 1); the frame is returned all the same.
    static std::vector<NVektor> transformationThreePoints(double tolerance, std::array<NVektor, 3>& a,
                                                          std::array<NVektor, 3>& b, nWString& errorText,
                                                          nWString& warningText, bool lengthFormatFlag);
    /// FE node coordinates (in the FE length unit `unitCode`, see feLengthUnitInMillimetres) in
    /// reference coordinates in mm, the FE model placed by frame `cs` (origin in mm).
    static std::vector<NVektor> getFEMNodesInGlobalCoords(std::vector<NVektor> nodes, const Frame& cs, unsigned unitCode);

protected:
    /// Converts the stored lengths to metres and takes the FE library's SI node coordinates;
    /// returns the whole SI stiffness matrix (a copy; the constructor avoids it, see class comment).
    NMatrix convertToSI(const NFEStiffnessMatrix& fe);
    /// Attaches bearing points to nodes, lists the unmapped nodes, builds the report.
    void mapBearingsToNodes(const std::vector<unsigned>& nodeNumbers);
    /// Keeps only the mapped nodes of K (one gather pass), shortens `nodeNumbers` and renumbers
    /// the mapping to the kept nodes.
    void removeUnmappedNodes(NMatrix& K, std::vector<unsigned>& nodeNumbers);
    /// Rotates K into the shaft systems and inverts it into the compliance (Cholesky; pivoted
    /// LDLᵀ for a symmetric K that is not positive definite).
    void transformFEStiffnessMatrix(NMatrix K);

private:
    /// Lengths to metres (everything but the FE matrix and node coordinates).
    void convertLengthsToSI(const NFEStiffnessMatrix& fe);
    /// Mapped nodes in ascending order (the complement of unmappedNodes).
    std::vector<size_t> keptNodes() const;
    /// Shortens the node numbers and rebuilds `mapping` for the kept nodes.
    void renumberKeptNodes(std::vector<unsigned>& nodeNumbers);
    int dof() const { return sixDofNodes ? 6 : 3; }
    NTransformationMatrix systemToFem() const;
    NTransformationMatrix shaftToSystem(size_t shaft) const;

    double maxMappingDistance = 0.0;
    NMatrix compliance;
    Frame systemCS;
    Frame femCS;
    std::vector<Frame> shaftCS;
    PerShaftVectors bearingPoints;
    std::vector<NVektor> nodeCoords;
    Mapping mapping;
    std::vector<unsigned> unmappedNodes;
    bool sixDofNodes = false;
    FEStiffnessMatrixSystemOfUnits systemOfUnits;
    int status = CasingOk;
    NMatrix shaftCSToFEMCSFullTransformationMatrix;
    bool reportUnmappedNodes = false;
    nWString errorMessage;
    nWString confirmMessage;
    bool lengthFormatFlag = false;
    bool spareFlag = false;
};
