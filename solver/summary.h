#pragma once
// What an engineer hands on from a solved vibration calculation, drawn from the result tree and
// the solver's report (neither is changed):
//   - stability: every mode's damping ratio ζ and logarithmic decrement δ, flagged unstable
//     (ζ < −1e-8: below the rounding of an undamped mode) or lightly damped (δ below a limit), at the nominal speed and along each tracked
//     Campbell curve, with the speed where a curve turns unstable;
//   - critical speeds: where a tracked Campbell curve crosses an excitation order line (each
//     shaft's multiples of its speed, each mesh's harmonics of its tooth-pass frequency), found
//     by interpolation between the computed speeds, with the separation margin to the operating
//     speed range and the margin its amplification factor requires (solver/resonance.h);
//   - amplification factors of the forced-response peaks at every documentation point, by the
//     half-power bandwidth, each with the mode it belongs to.
//
// Units: speeds in 1/min of the controlling shaft, frequencies in Hz, deflections in m, margins
// in percent, damping ratios and decrements dimensionless.
#include <cstddef>
#include <limits>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "drivesys/dynamics/dynamics_definitions.h"
#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/platform/drivesys_export.h"
#include "drivesys/solver/resonance.h"
#include "drivesys/solver/solver.h"

/// A damping ratio below this is unstable: the rounding of an undamped mode's eigenvalue leaves
/// its ζ within about 1e-12 of 0.
inline constexpr double kUnstableDampingRatio = -1e-8;

/// An excitation order: a multiple of a shaft's speed, or a harmonic of a gear mesh's tooth-pass
/// frequency (teeth × speed of its first gear).
struct DRIVESYS_API ExcitationOrder {
    enum Source : int { kShaft = 0, kMesh = 1 };
    Source source = kShaft;
    /// Multiple of the shaft speed (1: unbalance, 2: misalignment) or mesh harmonic (1, 2, ...), > 0.
    double multiple = 1.0;
};

struct DRIVESYS_API SummaryOptions {
    /// Operating speed range of the controlling shaft, 1/min. NaN: the nominal speed
    /// (results.controllingShaftNominalSpeed) for the end that is not given.
    double operatingSpeedMin = std::numeric_limits<double>::quiet_NaN();
    double operatingSpeedMax = std::numeric_limits<double>::quiet_NaN();
    /// The orders crossed with the Campbell curves; each applies to every shaft or every mesh.
    /// Default: each shaft's 1× and 2×, each mesh's 1×, 2× and 3×.
    std::vector<ExcitationOrder> orders = {{ExcitationOrder::kShaft, 1.0}, {ExcitationOrder::kShaft, 2.0},
                                           {ExcitationOrder::kMesh, 1.0},  {ExcitationOrder::kMesh, 2.0},
                                           {ExcitationOrder::kMesh, 3.0}};
    /// A stable mode whose logarithmic decrement is below this is flagged lightly damped. 0.1 is the
    /// usual acceptance level of a rotordynamic stability analysis (API 617's level I screening).
    double minLogDecrement = 0.1;
    /// The forced-response run behind results.forcedResponseResults, which names its excitations
    /// (unbalance per shaft, then every mesh's harmonics); null: they are named by number.
    const ForcedResponseDefinitionsStruct* forcedResponse = nullptr;
};

/// One mode of the modal analysis at the nominal speed.
struct DRIVESYS_API ModeSummary {
    ModeStability stability;
    /// Shares of the strain energy (fractions): bending with shear in both planes, torsion,
    /// axial, and the supports (bearings, connections and meshes).
    double bendingShare = 0.0, torsionShare = 0.0, axialShare = 0.0, supportShare = 0.0;
    bool unstable = false, lightlyDamped = false;
};

/// One tracked Campbell curve with what its damping says.
struct DRIVESYS_API BranchSummary {
    /// Identifier, frequency (Hz), ζ, δ and whirl per speed of the sweep.
    CampbellBranchStability curve;
    /// "bending", "torsion" or "axial", from the mode's name.
    std::string family;
    /// The whirl the curve has at most speeds: +1 forward, −1 backward, 0 none.
    int whirl = 0;
    /// Least logarithmic decrement over the sweep and the speed where it is reached.
    double minLogDecrement = 0.0, speedOfMinimum = 0.0;
    /// First speed at which ζ turns negative (interpolated); NaN when it never does.
    double instabilityOnset = std::numeric_limits<double>::quiet_NaN();
    /// Unstable, or lightly damped, somewhere in the operating range (as far as the sweep covers it).
    bool unstableInRange = false, lightlyDampedInRange = false;
};

/// One excitation order line of the Campbell diagram.
struct DRIVESYS_API OrderLine {
    ExcitationOrder order;
    /// "shaft 'input' 1×", "mesh 'stage 1' 2×".
    std::string name;
    /// The shaft's or mesh's name and index.
    std::string source;
    size_t sourceIndex = 0;
    /// Excitation frequency per speed of the controlling shaft, Hz per 1/min (the line is
    /// f = hzPerRpm · |speed|).
    double hzPerRpm = 0.0;
};

/// A critical speed: a Campbell curve crossing an order line.
struct DRIVESYS_API CriticalSpeed {
    /// Indices into the summary's branches and orderLines, and their names.
    size_t branch = 0, orderLine = 0;
    std::string mode, excitation;
    /// Speed (1/min) and frequency (Hz) of the crossing; ζ, δ and whirl of the curve there.
    double speed = 0.0, frequency = 0.0, dampingRatio = 0.0, logDecrement = 0.0;
    int whirl = 0;
    /// Amplification factor: the largest half-power AF of a forced-response peak of this mode
    /// under this excitation at this speed when there is one (afFromResponse), else 1/(2ζ) of the
    /// curve at the crossing (infinite for ζ ≤ 0). A peak is taken when it lies within 2 % of the
    /// speed or twice its bandwidth, and its AF within a factor 3 of 1/(2ζ): a peak farther off,
    /// or of another sharpness, is another mode's.
    double amplificationFactor = 0.0;
    bool afFromResponse = false;
    /// Separation margin from the operating range and the margin the AF requires, percent.
    double margin = 0.0, requiredMargin = 0.0;
    bool inOperatingRange = false, aboveOperatingRange = false, marginSufficient = true;
};

/// A forced-response peak at a documentation point.
struct DRIVESYS_API ResonancePeak {
    /// Documentation point (index into the forced response's docPointResults and its name) and
    /// excitation (column of the forced response and its name).
    size_t docPoint = 0, excitationIndex = 0;
    std::string docPointName, excitation;
    /// The peak over the speed of the controlling shaft: speeds in 1/min, amplitude (the length of
    /// the complex deflection vector, √(|ux|² + |uy|² + |uz|²)) in m.
    HalfPowerPeak peak;
    /// Excitation frequency at the peak, Hz.
    double frequency = 0.0;
    /// The mode it belongs to: the Campbell curve nearest the excitation frequency at the peak
    /// speed (branch ≥ 0), else the nominal mode nearest it (branch −1); empty when neither exists.
    std::string mode;
    long branch = -1;
};

struct DRIVESYS_API SystemDynamicsSummary {
    std::string controllingShaft;
    double nominalSpeed = 0.0, operatingSpeedMin = 0.0, operatingSpeedMax = 0.0;
    size_t dofCount = 0;
    std::vector<ModeSummary> modes;
    /// Speeds of the Campbell sweep, 1/min, and its curves.
    std::vector<double> campbellSpeeds;
    std::vector<BranchSummary> branches;
    std::vector<OrderLine> orderLines;
    /// Ascending by speed.
    std::vector<CriticalSpeed> criticalSpeeds;
    /// Names of the forced response's excitations (its columns).
    std::vector<std::string> excitations;
    std::vector<ResonancePeak> peaks;
    /// What needs attention, most serious first: unstable modes, lightly damped modes, critical
    /// speeds whose margin is short of the requirement, then the solver's own warnings. UTF-8.
    std::vector<std::string> warnings;
    /// What could not be summarised and why (no Campbell sweep, no forced response, ...).
    std::vector<std::string> missing;
};

/// The summary of a solved tree: modes from report.modes (with their energy shares from the
/// results' first sub-shaft), Campbell curves from report.campbell and
/// results.resCampbellClassified (order lines from results.resCampbell), peaks from
/// results.forcedResponseResults. Any of the three may be missing: the summary says so in
/// `missing`. Never throws for the content of the tree; no value in it is NaN except where the
/// members above say so.
DRIVESYS_API SystemDynamicsSummary SummarizeSystemDynamics(const SystemVibrationResults& results, const SolverReport& report,
                                                            const SummaryOptions& options = {});

/// Deflection amplitude √(|ux|² + |uy|² + |uz|²) (m) of documentation point `docPoint` under
/// excitation `column` at every speed of results.forcedResponseResults; 0 where the tree holds
/// no value for it.
DRIVESYS_API std::vector<double> DocPointDeflectionAmplitude(const SystemVibrationResults& results, size_t docPoint,
                                                             size_t column);

/// The summary as JSON (the layout is in docs/file-formats.md; its schema is
/// docs/summary.schema.json). NaN and infinite values are written as null.
DRIVESYS_API nlohmann::json SummaryToJson(const SystemDynamicsSummary& summary);
