#include "foundation/catalog_impl.h"
#include "model/bearings.h"
#include "model/connections.h"
#include "model/couplings.h"
#include "model/gears.h"
#include "model/housing_elements.h"
#include "model/loads.h"
#include "model/ndofspectrum.h"
#include "model/shafts.h"

namespace ds {
void addModelRecords(Catalog& catalog) {
    addRecords<Shaft, ShaftPiece, Bearing, JournalBearing, Support>(catalog);
    addRecords<CylGear, Worm, WormGear, BevelHypoid, BeveloidGear, FaceGear, RopeSheave>(catalog);
    addRecords<Coupling, Carrier, Synchro, NDofSpectrum>(catalog);
    addRecords<CouplingConnection, Constraint, ForceTransfer, Powersplit, Powerloss>(catalog);
    addRecords<MagneticForce, CentricalLoad, ExcentricalLoad, AdditionalMass>(catalog);
    addRecords<Housing, Boundary, Group, SketcherDot>(catalog);
}
}  // namespace ds
