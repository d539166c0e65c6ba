#pragma once
// Modal analysis of an assembled shaft-system model at one speed.
//
// The damped, gyroscopic problem (λ² M + λ (C + Ω G) + K) φ = 0 is solved for the modes nearest a
// small positive shift only (solver/quadratic_eigen.h): one sparse factorisation per speed.
//
// Eigenvalues λ = −ζω_n ± iω_d. A mode's frequency is its damped natural frequency ω_d/2π (Hz),
// its damping ratio ζ = −Re λ / |λ|. Modes with ω_d > 0 are reported; the negative-frequency
// twins and real (overdamped) roots are not.
//
// Rigid-body modes are the motions the stiffness does not strain (φᴴKφ below 1e-11 of Σ K_ii |φ_i|²,
// the stiffness scaled to unit diagonal, times its largest eigenvalue); they are reported at
// 0 Hz. Every beam element strains under anything but a rigid motion of its sub-shaft, so the
// null space of K lies in the span S of the six rigid motions of every sub-shaft (in its frame,
// node at y: u = t + θ × (0, y, 0)): it is S times the null space of the small SᵀKS. Those that no
// damping or gyroscopic term touches at the speed are free motions, a double root at λ = 0: the
// Arnoldi runs leave them out (solver/quadratic_eigen.h). Rigid-body modes are turned to the kinds
// of motion (lateral, axial, torsion) they are made of.
//
// Hysteretic damping (loss factor η per kind of shaft deformation, the matrix H) is the complex
// stiffness K + iH of harmonic motion. It enters each mode to first order in η:
//   δλ = −i φᴴHφ / φᴴ(2λM + C + ΩG)φ,
// exact to first order for an undamped gyroscopic rotor, whose (λ²M + λΩG + K) is Hermitian on
// the imaginary axis so that its left and right eigenvectors agree. For a mode of an undamped,
// non-rotating shaft, φᴴHφ = η ω² (mass-normalised φ) gives δλ = −ηω/2: ζ = η/2.
#include <Eigen/Core>
#include <complex>
#include <string>
#include <vector>

#include "drivesys/solver/model.h"
#include "drivesys/solver/quadratic_eigen.h"

namespace ds::solver {

struct Mode {
    /// Damped natural frequency, Hz (0 for a rigid-body mode).
    double frequency = 0.0;
    /// Modal damping ratio ζ = −Re λ / |λ| (negative: the mode grows).
    double dampingRatio = 0.0;
    /// Eigenvalue, 1/s; and the root the Arnoldi run found, before hysteretic damping was added.
    std::complex<double> lambda, linearRoot;
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
    /// The shape's quadratic forms with the housing's dense blocks (solver/housing_model.h), made
    /// once per shape for all modes of a speed together.
    bool hasHousingForms = false;
    HousingForms housing;
    /// M·shape over all DOF, housing included (with a housing only; made with the forms).
    Eigen::VectorXcd massShape;
};

/// What a model's modal analysis keeps between speeds: the pencil, the shift and scale of the
/// Arnoldi runs, and the stiffness scaling of the rigid-body test. Shared read-only between the
/// threads of a sweep once tune() has run.
class ModalProblem {
public:
    explicit ModalProblem(const ShaftSystemModel& model);

    const ShaftSystemModel& model;
    QuadraticPencil pencil;
    QuadraticEigenSettings settings;
    /// The null space of K, M-orthonormal (columns; none when every motion strains).
    Eigen::MatrixXd rigidMotions;

    /// The rigid-body motions that neither damping nor the gyroscopic terms of speed `omega`
    /// (rad/s) touch, M-orthonormal.
    Eigen::MatrixXd freeRigidMotions(double omega) const;

    /// Shift and scale for runs of `wanted` modes, from the elastic modes found at one speed:
    /// s = √(ω_first · ω_last), with ω_last the highest found times wanted/found (mode frequencies
    /// grow at least linearly with their number), and σ = max(ω_first / 2, s / 20).
    void tune(const std::vector<Mode>& modes, size_t wanted);

    /// True when the shape's strain energy is nil (see the header).
    bool isUnstrained(const Eigen::VectorXcd& shape) const;

private:
    Eigen::VectorXd stiffnessDiagonal_;
    double stiffnessTop_ = 1.0;
};

/// The modes at controlling-shaft speed `omega` (rad/s), ascending by frequency: rigid-body modes
/// first (when `withRigid`), then `count` elastic modes (fewer only when the model has fewer).
/// Descriptions and whirl are set. Throws NumericalError when the eigenvalue solver does not
/// reach them (the message says how many it reached).
///
/// `near`: the elastic modes of a nearby speed (at least `count` of them), to start the Arnoldi
/// run from: the sum of their states spans nearly the space looked for, and the run asks for just
/// as many roots (2 per mode), so that it converges in a fraction of the steps of a cold start.
std::vector<Mode> solveModes(const ModalProblem& problem, QuadraticEigenSolver& solver, double omega, size_t count,
                             bool withRigid, const std::vector<Mode>* near = nullptr);

/// Energies, whirl and names of modes sorted as solveModes returns them. A mode whose kinetic
/// energy is mostly the housing's is named as a housing mode ("1st housing").
void describeModes(const ShaftSystemModel& model, std::vector<Mode>& modes, double omega);

/// Mass-weighted modal assurance criterion of two shapes, in [0, 1]: |aᴴMb|² / (aᴴMa · bᴴMb).
double modalAssurance(const ShaftSystemModel& model, const Eigen::VectorXcd& a, const Eigen::VectorXcd& b);

/// "1st", "2nd", "3rd", "4th", ..., "11th", "21st".
std::string ordinal(int n);

}  // namespace ds::solver
