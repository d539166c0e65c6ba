#pragma once
// The report's pictures, each an SVG element to be placed inside an HTML page (no XML
// declaration; ids prefixed with the given id so that several live in one page).
#include <string>

#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/solver/mode_shapes.h"
#include "drivesys/solver/summary.h"

namespace ds::report {

/// Campbell diagram: the tracked curves in one style per family (bending forward, backward or
/// without whirl, torsion, axial; stretches where ζ < 0 over-drawn in red), the order lines in
/// one style per group (shaft 1×, shaft 2×, mesh 1×, ...; each line labelled where it leaves
/// the plot), the operating range shaded, and every critical speed in the sweep marked with its
/// number in the summary's list (red where its margin is short). A legend lists each family and
/// group once. Frequencies are shown up to 1.15 × the highest curve.
std::string campbellSvg(const SystemDynamicsSummary& summary, const std::string& id);

/// One mode along the shafts that move: per sub-shaft a panel of the deflection in both planes
/// (real parts at the phase where the largest is real, and the orbit's major semi-axis as an
/// envelope), or of torsion or axial motion when they dominate, with nodes, bearings and gears
/// marked; for a lateral mode the orbit at the point that moves most, with its sense of whirl.
std::string modeShapeSvg(const ModeShape& shape, const std::string& title, const std::string& id);

/// Forced response at one documentation point over the speed: the deflection amplitude (µm) of
/// every excitation that moves it, on a linear or logarithmic axis, each half-power peak of the
/// summary marked with its bandwidth and labelled with its AF and mode.
std::string responseSvg(const SystemVibrationResults& results, const SystemDynamicsSummary& summary, size_t docPoint,
                        bool logAmplitude, const std::string& id);

}  // namespace ds::report
