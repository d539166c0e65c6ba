#pragma once
// The model's record family: the element records of a drive train.
#include "drivesys/foundation/type_list.h"
#include "drivesys/model/bearings.h"
#include "drivesys/model/connections.h"
#include "drivesys/model/couplings.h"
#include "drivesys/model/gears.h"
#include "drivesys/model/housing_elements.h"
#include "drivesys/model/loads.h"
#include "drivesys/model/ndofspectrum.h"
#include "drivesys/model/shafts.h"

namespace ds {
class Catalog;

using ModelRecords = TypeList<
    // Shafts and their bearings.
    Shaft, ShaftPiece, Bearing, JournalBearing, Support,
    // Gears.
    CylGear, Worm, WormGear, BevelHypoid, BeveloidGear, FaceGear, RopeSheave,
    // Couplings and spectra.
    Coupling, Carrier, Synchro, NDofSpectrum,
    // Connections.
    CouplingConnection, Constraint, ForceTransfer, Powersplit, Powerloss,
    // Loads and masses.
    MagneticForce, CentricalLoad, ExcentricalLoad, AdditionalMass,
    // Housings and sketch elements.
    Housing, Boundary, Group, SketcherDot>;

/// Adds ModelRecords to `catalog`.
void addModelRecords(Catalog& catalog);
}  // namespace ds
