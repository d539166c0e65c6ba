#pragma once
// The system-dynamics solver: from the definition of a vibration calculation (SystemDefinition
// with its data block) to the result tree (SystemVibrationResults) that the module variables and
// the diagrams are made from.
//
// Calculations (GeneralSystemDynamicsDefinitions::calculationToPerform, stored as the results'
// performedCalculation):
//   0  modal analysis at the controlling shaft's nominal speed: every sub-shaft's modes with
//      frequency (Hz), description, whirl, energies and shape (pos m, u m, angle rad, normalised
//      to a largest deflection — or, for torsional and axial modes, rotation — of 1);
//   1  forced response (see SolverOptions::forcedResponse);
//   2  Campbell diagram: the modes at every speed of campbellSpeed (1/min, controlling shaft),
//      tracked from speed to speed by their shapes, plus the modal analysis at the nominal speed.
//      resCampbell[0] is the nominal speed, then the sweep; resCampbellClassified holds the sweep.
//
// solverStatus: 0 solved; 2 input refused (message names the table and index); 3 numerical
// failure (an eigenvalue or linear solver did not converge); 10 not run (the record's default).
// Nothing but the status, the calculation and the controlling shaft is filled when the status is
// not 0, and no result value is ever NaN or infinite.
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "drivesys/dynamics/dynamics_definitions.h"
#include "drivesys/dynamics/system_definition.h"
#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/platform/drivesys_export.h"

struct HousingDefinition;  // drivesys/solver/housing_definition.h

enum SolverStatus : int {
    kSolverOk = 0,
    kSolverInputError = 2,
    kSolverNumericalError = 3,
    kSolverNotRun = 10,
};

struct DRIVESYS_API SolverOptions {
    /// Speed of the controlling shaft for the modal analysis, 1/min. NaN: the forced-response
    /// definition's controllingShaftNominalSpeed when one is given, else 0.
    double nominalSpeed = std::numeric_limits<double>::quiet_NaN();
    /// Modes per speed; 0: the data block's numResonanceCurves, or 12 when that is 0.
    unsigned numModes = 0;
    /// Elements longer than this are split, m.
    double maxElementLength = 0.04;
    /// Calculation to run; −1: GeneralSystemDynamicsDefinitions::calculationToPerform.
    int calculation = -1;
    /// The forced-response run (calculation 1); null: a default run.
    const ForcedResponseDefinitionsStruct* forcedResponse = nullptr;
    /// An elastic housing under the bearings (solver/housing_definition.h); null: every bearing
    /// stands on the ground.
    const HousingDefinition* housing = nullptr;
    /// Threads that solve the speeds of a sweep (0: one per core). The results are the same,
    /// bit for bit, for every count.
    unsigned threads = 0;
    /// Memory the solve may take, bytes (0: the physical memory of the machine). A model whose
    /// estimated need is larger is refused before anything is allocated for it.
    double memoryLimit = 0.0;
    /// Called after each speed of a sweep with (speeds done, speeds in all), always from the
    /// thread that called SolveSystemDynamics, in order of the speeds.
    std::function<void(size_t, size_t)> progress;
};

/// Stability figures of one mode, which the result records have no member for.
struct DRIVESYS_API ModeStability {
    /// The mode's description, as in the results ("1st bending forward").
    std::string description;
    /// Damped natural frequency ω_d/2π and undamped natural frequency |λ|/2π, Hz.
    double frequency = 0.0, undampedFrequency = 0.0;
    /// Damping ratio ζ = −Re λ / |λ| (negative: the mode grows) and logarithmic decrement
    /// δ = 2πζ / √(1 − ζ²), the natural logarithm of the ratio of two successive amplitudes.
    double dampingRatio = 0.0, logDecrement = 0.0;
    /// +1 forward, −1 backward, 0 none.
    int whirl = 0;
    bool rigid = false;
};

/// One tracked branch of a Campbell diagram with its damping: the same curve as
/// results.resCampbellClassified's entry of the same index.
struct DRIVESYS_API CampbellBranchStability {
    std::string id;
    /// Per speed of the sweep (resCampbellClassified.frequencyInputRange): damped natural
    /// frequency (Hz), damping ratio and logarithmic decrement, whirl (+1, −1, 0). A branch that
    /// left the computed modes is shorter than the sweep.
    std::vector<double> frequency, dampingRatio, logDecrement;
    std::vector<int> whirl;
};

/// Where the outer ring of a bearing or connection sits on the elastic housing.
struct DRIVESYS_API HousingRingPlacement {
    /// A connection (else a bearing), its name (UTF-8) and its place in the definition's tables:
    /// bearingName[shaft][subShaft][index], or connectionName[shaft][index] (shaft = the group).
    bool connection = false;
    std::string name;
    size_t shaft = 0, subShaft = 0, index = 0;
    /// The ring's entry in a forced response's bearingResults (its boundNum): supports count
    /// bearings in the order of the tables, then connections.
    int boundNum = -1;
    /// The FE node number, and the distance from the ring's centre to the node, m.
    unsigned node = 0;
    double distance = 0.0;
    /// Placed by the definition's list (housing.rings); else by the nearest-node mapping.
    bool listed = false;
};

/// The housing's side of one ring at one speed of a forced response. Rows x, y, z in the FE
/// frame of the housing (as the stiffness file's DOF), one column per excitation, the columns of
/// the speed's results (their `f`): uVecVsSpeed and rVecVsSpeed hold the housing node's
/// translation (m) and rotation (rad; zero for 3-DOF nodes), fVecVsSpeed and mVecVsSpeed the
/// force (N) and moment (N·m) the ring passes into the housing at the node (the bearing's
/// (K + iωC)·(q − T·u), turned into the FE frame). Whirl members are not used.
struct DRIVESYS_API HousingRingResponse {
    /// The ring, as HousingReport::rings (index into it).
    size_t ring = 0;
    ForcedResponseResultsSpeedDomain housing;
};

/// What the elastic housing did in a solve, which the result records have no member for. The
/// modes' energies in the records hold the housing's strain energy in rigidTranslation (its
/// translational DOF's share) and rigidRotation (the rest), beside the supports'.
struct DRIVESYS_API HousingReport {
    /// True when the solve had a housing (SolverOptions::housing, not left out).
    bool present = false;
    /// The housing's DOF (nodes × DOF per node + generalised coordinates), its interface nodes, and
    /// the boundary DOF (those of nodes that carry a ring).
    size_t dofCount = 0, nodeCount = 0, boundaryDofs = 0;
    /// Nonzeros of the sparse matrix factorised per speed with the housing eliminated (the
    /// shafts' and the boundary's DOF, the boundary's block dense).
    size_t factorisedNonZeros = 0;
    std::vector<HousingRingPlacement> rings;
    /// Per mode of SolverReport::modes: the housing's share of the mode's strain energy and of its
    /// kinetic energy.
    std::vector<double> modeStrainShare, modeKineticShare;
    /// Forced response: per speed (as results.forcedResponseResults), one entry per ring.
    std::vector<std::vector<HousingRingResponse>> response;
};

struct DRIVESYS_API SolverReport {
    int status = kSolverNotRun;
    /// Why the input was refused or the solve failed (UTF-8); empty on success.
    std::string message;
    /// Degrees of freedom of the assembled model.
    size_t dofCount = 0;
    /// Nonzeros of the pattern of the system matrices.
    size_t nonZeros = 0;
    /// Things the caller should know that did not stop the solve (an option the solver does not
    /// implement, ...), UTF-8, one sentence each.
    std::vector<std::string> warnings;
    /// The modes of the modal analysis at the nominal speed (calculations 0 and 2), in the order
    /// of the results' mode lists.
    std::vector<ModeStability> modes;
    /// The Campbell branches (calculation 2), in the order of resCampbellClassified.
    std::vector<CampbellBranchStability> campbell;
    /// The elastic housing's mapping, energy shares and forced response.
    HousingReport housing;
};

/// δ = 2πζ / √(1 − ζ²) for |ζ| < 1; ±infinity beyond (no oscillation is left).
DRIVESYS_API double logarithmicDecrement(double dampingRatio);

/// Limits checked before any work: more speeds or modes than these are refused.
inline constexpr size_t kSolverMaxSpeeds = 100000;
inline constexpr unsigned kSolverMaxModes = 1000;

/// Solves the calculation and fills `results` (reset first). Never throws for bad input: the
/// report and results.solverStatus say what happened.
DRIVESYS_API SolverReport SolveSystemDynamics(const SystemDefinition& definition,
                                              const GeneralSystemDynamicsDefinitions& general,
                                              SystemVibrationResults& results, const SolverOptions& options = {});
