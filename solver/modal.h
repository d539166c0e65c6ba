#pragma once
// Modal analysis of an assembled shaft-system model at one speed.
//
// The undamped, non-rotating problem K φ = ω² M φ is solved once per model (dense, symmetric
// generalised); its M-orthonormal modes are the basis in which the damped, gyroscopic problem
//   (λ² M + λ (C + Ω G + C_h) + K) φ = 0
// is solved at every speed as a state-space eigenproblem [[0, I], [−Λ, −D]] of the modal
// coordinates. The change of basis is exact (all modes are kept); it keeps the speed-dependent
// part small and well scaled. Modes with ω below 1e-6.5 of the highest (numerically zero) are
// rigid-body modes: they are reported at 0 Hz and left out of the state-space problem unless the
// damping or gyroscopic terms act on them. Hysteretic damping (loss factor η per kind of shaft
// deformation) enters as the equivalent viscous modal damping η_i ω_i of each basis mode, with η_i
// the mode's strain-energy weighted loss factor.
#include <Eigen/Core>
#include <complex>
#include <string>
#include <vector>

#include "drivesys/solver/model.h"

namespace ds::solver {

struct ModalBasis {
    /// M-orthonormal modes (columns) and their ω² (rad²/s²), ascending.
    Eigen::MatrixXd phi;
    Eigen::VectorXd omega2;
    /// Number of leading columns that are rigid-body modes.
    Eigen::Index rigidCount = 0;
    /// Equivalent loss factor of each basis mode.
    Eigen::VectorXd loss;
};

/// Throws ModelError when M is not positive definite (a DOF without mass).
ModalBasis modalBasis(const ShaftSystemModel& model);

struct Mode {
    /// Damped natural frequency, Hz (0 for a rigid-body mode).
    double frequency = 0.0;
    /// Modal damping ratio ζ = −Re λ / |λ|.
    double dampingRatio = 0.0;
    bool rigid = false;
    /// +1 forward, −1 backward whirl, 0 none (planar orbit, or no lateral motion).
    int whirl = 0;
    /// "1st bending forward", "2nd torsion", "rigid body torsion", ...
    std::string description;
    /// Shape over the model's kept DOF (complex).
    Eigen::VectorXcd shape;
    /// Strain-energy fractions per EnergyKind and kinetic-energy fractions per MotionKind.
    double strain[kEnergyKinds] = {};
    double kinetic[kMotionKinds] = {};
};

/// The modes at controlling-shaft speed `omega` (rad/s), ascending by frequency: rigid-body modes
/// first (when `withRigid`), then at most `count` elastic modes. Descriptions and whirl are set.
std::vector<Mode> solveModes(const ShaftSystemModel& model, const ModalBasis& basis, double omega, size_t count,
                             bool withRigid);

/// Mass-weighted modal assurance criterion of two shapes, in [0, 1].
double modalAssurance(const ShaftSystemModel& model, const Eigen::VectorXcd& a, const Eigen::VectorXcd& b);

/// "1st", "2nd", "3rd", "4th", ..., "11th", "21st".
std::string ordinal(int n);

}  // namespace ds::solver
