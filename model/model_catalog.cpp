#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/model/bearings.h"
#include "drivesys/model/connections.h"
#include "drivesys/model/couplings.h"
#include "drivesys/model/gears.h"
#include "drivesys/model/housing_elements.h"
#include "drivesys/model/loads.h"
#include "drivesys/model/ndofspectrum.h"
#include "drivesys/model/shafts.h"

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
