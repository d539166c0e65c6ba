#pragma once
// The elastic housing as part of an assembled shaft-system model: its matrices in SI units and
// the FE frame, its interface nodes in the global frame, and the outer rings that sit on them.
//
// Every interface node of the stiffness file keeps its DOF (a node that carries no ring is free,
// loaded by nothing but its own inertia), and the generalised coordinates follow the nodes'.
// The housing's DOF come after the shafts' in the system (HousingModel::offset). A ring on node n
// acts between the shaft node q_s (shaft frame) and the housing node u_n (FE frame): its 6 × 6
// stiffness and damping, given in the shaft frame, act on q_s − T·u_n with T = Aᵀ·F per three
// rows (A the shaft's axes, F the FE axes, both as columns in the global frame). With 3 DOF per
// node the housing node does not turn: the ring's rotational terms act on q_s alone.
#include <Eigen/Core>
#include <Eigen/SparseCore>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "drivesys/solver/housing_definition.h"

namespace ds::solver {

class ShaftSystemModel;
struct SupportInfo;

struct HousingModel {
    /// First system DOF of the housing, and its DOF (nodes × DOF per node + generalised
    /// coordinates); 0 without a housing.
    size_t offset = 0, dofs = 0;
    int dofPerNode = 6;
    /// FE node numbers by node index, and the nodes in the global frame, m.
    std::vector<unsigned> nodeNumbers;
    std::vector<Eigen::Vector3d> nodes;
    /// FE axes in the global frame (columns x, y, z).
    Eigen::Matrix3d axes = Eigen::Matrix3d::Identity();
    /// Stiffness (N/m, N, N·m/rad) and mass (kg, kg·m, kg·m²; zero without a MASS section) in the
    /// FE frame, over the housing's DOF.
    Eigen::MatrixXd K, M;
    /// False when M is zero (no MASS section).
    bool hasMass = false;
    /// Loss factor of the housing: its hysteretic matrix is lossFactor · K.
    double lossFactor = 0.0;
    /// Where the stiffness file came from, for messages.
    std::string source;

    bool empty() const { return dofs == 0; }
    /// System DOF of DOF d (0 … 5) of interface node n, or kNone for a rotation of a 3-DOF node.
    size_t dof(size_t node, int d) const;
};

/// Converts and checks a housing definition: loss factor finite and ≥ 0, frame right-handed and
/// orthonormal, matrices finite and symmetric, the stiffness positive definite (the housing
/// stands on its supports, so no motion of it is free) and the mass positive semi-definite.
/// Throws ModelError naming the item. `offset` is set by the caller.
HousingModel prepareHousing(const HousingDefinition& definition);

/// A bearing or connection whose outer ring may sit on the housing.
struct RingCandidate {
    HousingRing::Kind kind = HousingRing::Kind::Bearing;
    /// As in HousingRing: bearing [shaft][subShaft][index], connection [shaft = group][index].
    size_t shaft = 0, subShaft = 0, index = 0;
    std::string name;
    /// Centre of the ring in the global frame, m.
    Eigen::Vector3d centre = Eigen::Vector3d::Zero();
    /// False for a connection between two shafts: its outer ring sits on the outer shaft.
    bool mappable = true;
};

/// Where a ring sits: the candidate's index, the node index, the distance from the ring's centre
/// to the node (m) and whether the definition listed it (else the nearest-node mapping placed it).
struct RingPlacement {
    size_t candidate = 0, node = 0;
    double distance = 0.0;
    bool listed = false;
};

/// The rings on the housing: the definition's list first, then (with a mapping distance) every
/// other mappable ring on its nearest node. Throws ModelError for a listed ring or node that does
/// not exist, a ring listed twice, a ring beyond the mapping distance, or two rings on a node
/// that the definition does not name as shared.
std::vector<RingPlacement> placeRings(const HousingDefinition& definition, const HousingModel& housing,
                                      const std::vector<RingCandidate>& candidates);

/// The system DOF a ring's spring acts on: the shaft node's six (kNone where not kept) and the
/// housing node's six (kNone for the rotations of a 3-DOF node), and T = Aᵀ·F, which turns three
/// DOF of the housing node from the FE frame into the shaft's.
struct RingDofs {
    std::array<size_t, 6> shaft{}, housing{};
    Eigen::Matrix3d turn = Eigen::Matrix3d::Identity();
};
RingDofs ringDofs(const ShaftSystemModel& model, const SupportInfo& support);

/// Adds Bᵀ·k·B to the triplets: k (shaft frame) acting on the relative motion B·(q, u) = q − T·u.
void addRing(std::vector<Eigen::Triplet<double>>& triplets, const RingDofs& ring, const Eigen::Matrix<double, 6, 6>& k);

/// The relative motion q − T·u of a ring (shaft frame) from a solution over the system's DOF, and
/// the housing node's motion T·u turned into the shaft's frame (zero where the node has no DOF).
template <class Vector>
Eigen::Matrix<typename Vector::Scalar, 6, 1> ringHousingMotion(const RingDofs& ring, const Vector& x) {
    Eigen::Matrix<typename Vector::Scalar, 6, 1> u = Eigen::Matrix<typename Vector::Scalar, 6, 1>::Zero();
    for (int d = 0; d < 6; ++d)
        if (ring.housing[size_t(d)] != size_t(-1)) u(d) = x(Eigen::Index(ring.housing[size_t(d)]));
    Eigen::Matrix<typename Vector::Scalar, 6, 1> out;
    out.template head<3>() = ring.turn.template cast<typename Vector::Scalar>() * u.template head<3>();
    out.template tail<3>() = ring.turn.template cast<typename Vector::Scalar>() * u.template tail<3>();
    return out;
}

/// The housing's share of a shape's energies: uᴴK_h u, the part of it that the translational rows
/// take (Re u_tᴴ(K_h u)_t: the work of the housing's elastic forces on its nodes' translations;
/// the rest is on rotations and generalised coordinates) and uᴴM_h u, for u the housing part.
struct HousingForms {
    double strain = 0.0, translation = 0.0, kinetic = 0.0;
};
/// For every shape, in two dense matrix products (stiffness and mass) over all of them; with
/// `massParts`, also M_h·u of every shape (over the housing's DOF).
std::vector<HousingForms> housingForms(const HousingModel& housing, const std::vector<const Eigen::VectorXcd*>& shapes,
                                       std::vector<Eigen::VectorXcd>* massParts = nullptr);

/// A housing block (n_h × n_h) as a sparse n × n matrix on the housing's DOF.
Eigen::SparseMatrix<double> housingBlock(const HousingModel& housing, const Eigen::MatrixXd& block, size_t n);

}  // namespace ds::solver
