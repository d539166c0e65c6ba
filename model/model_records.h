#pragma once
// The model's record family: the element records of a drive train.
#include "foundation/type_list.h"
#include "model/bearings.h"
#include "model/connections.h"
#include "model/couplings.h"
#include "model/gears.h"
#include "model/housing_elements.h"
#include "model/loads.h"
#include "model/ndofspectrum.h"
#include "model/shafts.h"

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
