#pragma once
// Mode shapes for drawing: single modes at chosen speeds (a critical speed, say), found from an
// estimate of their eigenvalue, with their motion between the nodes given by each beam element's
// own shape functions, in both bending planes and as complex amplitudes (for the orbit of a
// whirling mode).
//
// A mode is refined from the estimate λ₀ = −ζω_n + iω_d by inverse iteration on the quadratic
// problem Q(λ)u = (λ²M + λ(C + ΩG) + K)u = 0: two steps u ← Q(λ₀)⁻¹ Q′(λ₀) u with the factorisation
// of Q(λ₀), which pull the start towards the eigenvector whose eigenvalue is nearest λ₀, then
// steps that move the shift to the root of uᴴQ(λ)u = 0 nearest it (the Rayleigh functional), which
// converge cubically. One sparse factorisation per step, a handful per mode: far less than a
// modal analysis. Hysteretic damping enters to first order, as in the modal analysis
// (solver/modal.h), so a mode found here has the eigenvalue the modal analysis gives it.
//
// Units: speeds 1/min of the controlling shaft, frequencies Hz, positions m from the sub-shaft's
// origin; deflections and rotations are scaled (see ModeShapeLine).
#include <complex>
#include <cstddef>
#include <string>
#include <vector>

#include "drivesys/dynamics/system_definition.h"
#include "drivesys/platform/drivesys_export.h"
#include "drivesys/solver/solver.h"

struct DRIVESYS_API ModeShapeRequest {
    /// Speed of the controlling shaft, 1/min.
    double speed = 0.0;
    /// Estimate of the mode: damped natural frequency (Hz, > 0) and damping ratio (|ζ| < 1).
    double frequency = 0.0, dampingRatio = 0.0;
};

/// A mode along one sub-shaft.
struct DRIVESYS_API ModeShapeLine {
    size_t shaft = 0, subShaft = 0;
    /// The sub-shaft's name (UTF-8).
    std::string name;
    /// Positions along the sub-shaft (m, ascending): its nodes and points inside the elements.
    std::vector<double> position;
    /// Complex amplitudes at those positions, one phase for the whole mode: lateral deflections
    /// x and z, axial deflection y, torsion angle about y. Scaled so that the largest amplitude of
    /// the mode's dominant motion (lateral: of x and z; axial; torsion) is 1 and real.
    std::vector<std::complex<double>> x, z, axial, torsion;
    /// Indices into `position` of the nodes of the finite-element model.
    std::vector<size_t> nodes;
    /// Positions of the bearings and connections, and of the gears, on this sub-shaft, m.
    std::vector<double> bearings, gears;
};

struct DRIVESYS_API ModeShape {
    ModeShapeRequest request;
    /// The refined mode (description empty: a single mode has no ordinal).
    ModeStability mode;
    /// Dominant motion by kinetic energy: 0 lateral, 1 axial, 2 torsion.
    int dominant = 0;
    /// False when the iteration did not settle (the shape is the last iterate).
    bool converged = false;
    std::vector<ModeShapeLine> lines;
};

struct DRIVESYS_API ModeShapeReport {
    /// As SolverReport::status: 0 done, 2 input refused, 3 numerical failure.
    int status = kSolverNotRun;
    std::string message;
    /// One per request, in their order.
    std::vector<ModeShape> shapes;
};

/// Limits checked before any work.
inline constexpr size_t kModeShapeMaxRequests = 1000;
inline constexpr unsigned kModeShapeMaxPoints = 100000;

/// The modes nearest the requests' estimates, drawn with about `pointsPerSubShaft` points per
/// sub-shaft (at least the nodes). The model is built as SolveSystemDynamics builds it from the
/// same options (maxElementLength). Never throws for bad input.
DRIVESYS_API ModeShapeReport SolveModeShapes(const SystemDefinition& definition, const SolverOptions& options,
                                             const std::vector<ModeShapeRequest>& requests,
                                             unsigned pointsPerSubShaft = 200);
