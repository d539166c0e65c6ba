#include "support/record_contract.h"

using ModelRecords =
    ::testing::Types<Shaft, ShaftPiece, Bearing, JournalBearing, Support, CylGear, Worm, WormGear, BevelHypoid,
                     BeveloidGear, FaceGear, RopeSheave, Coupling, Carrier, Synchro, NDofSpectrum, CouplingConnection,
                     Constraint, ForceTransfer, Powersplit, Powerloss, MagneticForce, CentricalLoad, ExcentricalLoad,
                     AdditionalMass, Housing, Boundary, Group, SketcherDot>;
INSTANTIATE_TYPED_TEST_SUITE_P(Model, RecordContract, ModelRecords);
