#pragma once
// A sample drive train: a two-stage helical gearbox of 15 kW at 1480 rpm input speed.
//
//   input shaft         coupling, pinion z1 = 19, bearings A1, A2 (6306)
//   intermediate shaft  wheel z2 = 83, pinion z3 = 17, bearings B1, B2 (6309)
//   output shaft        wheel z4 = 71, bearings C1, C2 (6213)
//
// Stage 1: normal module 2.5 mm, helix angle 15°; stage 2: normal module 4 mm, helix angle 12°;
// both with 20° pressure angle and no profile shift. The total ratio is 83/19 · 71/17 ≈ 18.24.
// Power and speed are given as boundary conditions at the input coupling; a box housing holds
// the six bearings. Every element sits at a sketch dot on its shaft.
//
// Units: lengths in mm, speeds in rpm, torques in Nm, power in kW, angles in radians. Axial
// positions of elements (`pos`, `posInner`) are measured on their shaft; a shaft's `pos` is
// its start along the common axis, bearings' `posOuter` the position in the housing.
#include <vector>

#include "drivesys/model/bearings.h"
#include "drivesys/model/connections.h"
#include "drivesys/model/couplings.h"
#include "drivesys/model/gears.h"
#include "drivesys/model/housing_elements.h"
#include "drivesys/model/shafts.h"

namespace ds {

struct SampleGearbox {
    std::vector<Shaft> shafts;
    std::vector<ShaftPiece> shaftPieces;
    std::vector<CylGear> gears;
    /// The two gear meshes (stage 1, stage 2).
    std::vector<Constraint> meshes;
    std::vector<Bearing> bearings;
    std::vector<Coupling> couplings;
    /// Input power and input speed.
    std::vector<Boundary> boundaries;
    std::vector<Housing> housings;
    std::vector<SketcherDot> dots;

    /// Every record of the model.
    std::vector<const nMetaStruct*> records() const;
};

/// Builds the sample gearbox (the same data on every call).
SampleGearbox makeSampleGearbox();

}  // namespace ds
