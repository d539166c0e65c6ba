#pragma once
// A family of vibration definitions of any size, for benchmarks and for trying the solver at
// scale: N parallel steel shafts in a gear chain, each discretised into M beam elements of 10 mm.
//
//   shaft i (0 … N−1): diameter 50 mm · 1.15^i, length M · 10 mm, on a bearing 20 mm from each end
//     and one more every 50 elements between them (a multi-span line shaft once it is long);
//     radial bearing stiffness 2e8 N/m · (d / 50 mm) in x and 0.8 times that in z (anisotropic,
//     so that no two modes coincide at rest), 5e7 N/m axially at the first bearing, damping
//     500 N·s/m radially;
//   stage i (between shaft i and i+1): pinion of 20 teeth at 2/3 of shaft i, wheel of 50 teeth at
//     1/3 of shaft i+1 (ratio 2.5, external), normal module 3 mm · 1.2^i, face width
//     40 mm · 1.15^i, pressure angle 20°, spur; gears are steel disks from the bore to the pitch
//     diameter; mesh stiffness 20 N/(mm·µm) per mm of face width. Shaft i+1 lies a centre distance
//     above shaft i (global z) and is shifted axially so that the gears of a stage face each other.
//   material: E 210 GPa, G 81 GPa, 7850 kg/m³, shear factor 0.886; loss factor 0.01 for every kind.
//   controlling shaft: shaft 0, nominal speed 3000 1/min; the Campbell speeds run evenly from 0 to
//   6000 1/min; 20 modes per speed.
//
// DOF: 6 · N · (M + 1) (every bearing and gear sits on an element boundary). Three shafts of 40
// elements are 738 DOF; 4 × 416 ≈ 10 000; 10 × 1666 ≈ 100 000.
#include <cstddef>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/solver/definition_json.h"

namespace ds {

struct GearChainOptions {
    size_t shafts = 3;
    size_t elementsPerShaft = 40;
    /// Campbell speeds (0: none, a modal analysis at the nominal speed).
    size_t speeds = 10;
    /// A forced-response run over the same speeds (at least 2): unbalance of every shaft
    /// (balance grade G 6.3) and every mesh's transmission error of 1 µm at 3 harmonics.
    bool forced = false;
};

/// Throws std::invalid_argument for fewer than 1 shaft, fewer than 4 elements per shaft, or a
/// model of more than 10 million DOF.
SolverInput gearChainSolverInput(const GearChainOptions& options);

}  // namespace ds
