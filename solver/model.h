#pragma once
// The finite-element model of a shaft system, assembled from the data block of a vibration
// definition (SystemDefinitionData).
//
// Every sub-shaft is a chain of rotating Timoshenko beam elements (solver/beam_element.h) in its
// shaft's local frame (y along the axis). Nodes stand at every section boundary, bearing, gear,
// connection and documentation point, and elements longer than the requested maximum are split.
// Each node has six DOF in its shaft's local frame: ux, uy, uz (m), rx, ry, rz (rad).
// Gears are rigid disks; bearings are 6×6 springs and dampers to ground; connections the same
// between an inner and an outer shaft; gear meshes a spring along the line of action between the
// two gears' pitch points.
//
// What is read, with units (SI throughout; indices s = shaft, j = sub-shaft, k = entry):
//   shaftsNames[s][j]                       sub-shaft names (they fix the shaft/sub-shaft count)
//   shaftOrigin[s][j]                       start of the sub-shaft, global frame, m
//   shaftX_axis[s], shaftY_axis[s], shaftZ_axis[s]   local axes in the global frame (y = shaft axis;
//                                           optional: the global axes when empty)
//   shaftE, shaftG [s][j] Pa; shaftRo [s][j] kg/m³; shaftKappa [s][j] shear factor (optional:
//                                           0 or empty = no shear deformation)
//   secLength[s][j][k] m; secLda, secLdi, secRda, secRdi [s][j][k] outer/inner diameters at the
//                                           left/right end, m; optional section properties
//                                           secLQ/secRQ m², secLIxx, secLIzz, secLIt (and R…) m⁴
//                                           override the round section where > 0; a section takes
//                                           the mean of its two ends
//   bearingName[s][j][k], bearingPosition[s][j][k] (local frame of the sub-shaft, y = axial
//                                           position from its origin, m), bearingStiffnessFxUx …
//                                           MzRz N/m, N, N·m/rad (local frame), bearingDampingX,
//                                           Y, Z N·s/m, RotX, RotY, RotZ N·m·s/rad
//   gearName[s][j][k], gearPosition[s][j][k] (local, m), gearMass kg, gearMassMomentOfInertia
//                                           (polar) kg·m², gearWidth m, gearZ teeth, gearDw
//                                           operating pitch diameter m, gearAlfwt transverse
//                                           operating pressure angle rad, gearBetab base helix
//                                           angle rad, gearHandOfGear (sign of the helix)
//   constraintConnection… [i][k]            gear meshes: Shaft1/SubShaft1/Gear1 and Shaft2/…/Gear2
//                                           select the gears, GearMeshStiffness N/m, GearRatio
//                                           n1/n2 (> 0 external mesh: the shafts turn opposite;
//                                           < 0 internal mesh: the same way)
//   connectionName, connectionPosition (global, m), connectionShaftInner, connectionShaftOuter,
//   connectionStiffness…/connectionDamping… [i][k]   as the bearing terms, in the inner shaft's frame
//   docPointName[p], docPointShaftTMNumber[p], docPointSubShaftNumber[p], forcedPos[p] (m)
//   hystereticDampingAxial, …Bending, …Torsion: loss factors of the shaft material
//   solveOnlyTorsionalVibrations: keep only the torsional DOF (ry)
//   controlingShaftName: the sub-shaft name (or the shaft index as text) whose speed is given
#include <Eigen/Core>
#include <Eigen/SparseCore>
#include <array>
#include <cstddef>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "drivesys/dynamics/dynamics_definitions.h"
#include "drivesys/dynamics/system_definition.h"
#include "drivesys/solver/beam_element.h"
#include "drivesys/solver/housing_model.h"

namespace ds::solver {

/// Input the model cannot be built from; the message names the table and the index.
class ModelError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A solver that did not converge, or a result that is not finite.
class NumericalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using SparseMatrix = Eigen::SparseMatrix<double>;
using Matrix6 = Eigen::Matrix<double, 6, 6>;
using Vector6 = Eigen::Matrix<double, 6, 1>;
inline constexpr size_t kNone = std::numeric_limits<size_t>::max();

struct ModelNode {
    size_t shaft = 0, subShaft = 0;
    /// Axial position from the sub-shaft's origin, m.
    double pos = 0.0;
};

struct SubShaftInfo {
    size_t shaft = 0, index = 0;
    nWString name;
    size_t firstNode = 0, nodeCount = 0;
    double length = 0.0;
    /// Mass (kg) and polar mass moment of inertia (kg·m²) of the shaft material.
    double mass = 0.0, polarInertia = 0.0;
};

struct ShaftInfo {
    /// Local axes in the global frame (columns x, y, z); y is the axis of rotation.
    Eigen::Matrix3d axes = Eigen::Matrix3d::Identity();
    /// Speed of this shaft per unit speed of the controlling shaft (signed: negative = opposite
    /// sense about the shaft's own y axis); 0 for a shaft no mesh connects.
    double speedRatio = 0.0;
    std::vector<size_t> subShafts;
    nWString name;
};

struct SupportInfo {
    nWString name;
    size_t shaft = 0, subShaft = 0, node = 0;
    /// Second node for a connection between two shafts, else kNone (ground).
    size_t otherNode = kNone;
    size_t otherShaft = kNone;
    /// Place in the definition's tables: bearing [s][j][k] as (s, j, k), connection [i][k] as
    /// (i, 0, k).
    std::array<size_t, 3> table{};
    /// Interface node of the housing the outer ring sits on, else kNone; the distance from the
    /// ring's centre to the node (m) and whether the definition listed the ring.
    size_t housingNode = kNone;
    double ringDistance = 0.0;
    bool ringListed = false;
    /// Stiffness and damping in the (inner) shaft's local frame.
    Matrix6 stiffness = Matrix6::Zero(), damping = Matrix6::Zero();
    bool isConnection = false;
};

struct GearInfo {
    nWString name;
    size_t shaft = 0, subShaft = 0, node = 0;
    double pos = 0.0;
    double mass = 0.0, polarInertia = 0.0, diametralInertia = 0.0, width = 0.0;
    int teeth = 0;
    double pitchDiameter = 0.0;
    /// Global position of the gear centre, m.
    Eigen::Vector3d centre = Eigen::Vector3d::Zero();
};

struct MeshInfo {
    nWString name;
    size_t gear1 = 0, gear2 = 0;
    double stiffness = 0.0, ratio = 0.0;
    /// Line of action (global, unit) and the coupling rows of the two gear nodes in their local
    /// frames: the mesh deflection is b1·q1 − b2·q2 (m).
    Eigen::Vector3d lineOfAction = Eigen::Vector3d::Zero();
    Vector6 b1 = Vector6::Zero(), b2 = Vector6::Zero();
};

/// One beam element with its matrices (local frame of its shaft).
struct ElementInfo {
    size_t node1 = 0, node2 = 0, shaft = 0;
    BeamElementMatrices matrices;
};

struct DocPointInfo {
    nWString name;
    size_t shaft = 0, subShaft = 0, node = 0;
    double pos = 0.0;
};

/// Kinds of strain energy the stiffness is split into. The housing's kinds have no part in
/// energyParts (its stiffness is the dense block ShaftSystemModel::housing.K): translation is
/// the energy of its translational DOF's rows and columns (interface nodes' ux, uy, uz against
/// each other), rotation the rest (rotations, translation–rotation couplings, generalised
/// coordinates).
enum EnergyKind : int {
    kAxial, kTorsion, kBendingXY, kBendingYZ, kShearXY, kShearYZ, kSupportTranslation, kSupportRotation,
    kHousingTranslation, kHousingRotation, kEnergyKinds
};
/// Kinds of kinetic energy the mass is split into; the housing's (its dense block) has no part
/// in motionParts.
enum MotionKind : int { kLateral, kAxialMotion, kTorsionMotion, kHousingMotion, kMotionKinds };

struct ModelOptions {
    /// Elements longer than this are split evenly, m (≤ 0: never).
    double maxElementLength = 0.04;
    /// Documentation points that replace the data block's (a forced-response run's own list):
    /// shaftNumTM the shaft index, shaftName the sub-shaft (its first when no name matches),
    /// position m along it.
    const std::vector<DocPointDataForForcedResponseStruct>* docPoints = nullptr;
    /// Called with the node and DOF counts of the model once they are known and before anything
    /// is allocated for them; may throw ModelError to refuse a model too large for the memory.
    std::function<void(size_t nodes, size_t dof)> admit;
    /// An elastic housing under the bearings (solver/housing_model.h), or null.
    const HousingDefinition* housing = nullptr;
};

class ShaftSystemModel {
public:
    /// Builds the model; throws ModelError naming the table and index of what is wrong.
    static ShaftSystemModel build(const SystemDefinitionData& data, const ModelOptions& options = {});

    size_t dofCount() const { return static_cast<size_t>(K.rows()); }
    /// Index of DOF d (0..5) of node n among the kept DOF, or kNone when the DOF is not kept.
    size_t dof(size_t node, int d) const { return dofIndex[node * 6 + d]; }

    std::vector<ModelNode> nodes;
    std::vector<ShaftInfo> shafts;
    std::vector<SubShaftInfo> subShafts;
    std::vector<SupportInfo> supports;
    std::vector<GearInfo> gears;
    std::vector<MeshInfo> meshes;
    std::vector<DocPointInfo> docPoints;
    std::vector<ElementInfo> elements;
    size_t controllingShaft = 0;
    bool torsionOnly = false;

    /// Kept DOF: node * 6 + d → index, kNone when dropped. The housing's DOF follow the
    /// shafts' (housing.offset …).
    std::vector<size_t> dofIndex;
    /// The elastic housing (empty without one): its dense stiffness, mass and loss factor act on
    /// its DOF besides the sparse matrices, which hold only the rings' springs and dampers there.
    HousingModel housing;

    /// M·x, K·x and H·x over all DOF, the housing's dense blocks included.
    Eigen::VectorXcd massTimes(const Eigen::VectorXcd& x) const;
    Eigen::VectorXcd stiffnessTimes(const Eigen::VectorXcd& x) const;
    Eigen::VectorXcd hystereticTimes(const Eigen::VectorXcd& x) const;
    /// Stiffness (N/m, N·m/rad), mass (kg, kg·m²), viscous damping (N·s/m …), gyroscopic matrix
    /// per rad/s of the controlling shaft (every shaft at its speed ratio), and the hysteretic
    /// part (loss factor × stiffness of the shaft material), without the housing's dense blocks.
    SparseMatrix K, M, C, G, H;
    SparseMatrix energyParts[kEnergyKinds];
    SparseMatrix motionParts[kMotionKinds];
    /// Loss factors of the shaft material: axial, bending, torsion.
    double lossAxial = 0.0, lossBending = 0.0, lossTorsion = 0.0;
};

}  // namespace ds::solver
