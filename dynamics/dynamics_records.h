#pragma once
// The system dynamics' record family: the vibration-calculation definitions and the result tree.
#include "drivesys/dynamics/dynamics_definitions.h"
#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/foundation/type_list.h"

namespace ds {
class Catalog;

using DynamicsRecords = TypeList<
    // Definitions.
    GeneralSystemDynamicsDefinitions, DocPointDataForForcedResponseStruct, ForcedResponseDefinitionsStruct,
    // Leaves of the result tree.
    RealImaginaryAmplitudePhase, NWelleResultEigenform, NWelleResultEnergies, WhirlDataMembers, TimeOutput,
    CampbellCurve, GearMeshPropsStruct, NWelleResultEigenmodeProperties, NWelleResultCampbells,
    ClassifiedCampbellResults, WhirlDataPerSpeedStruct,
    // Forced response.
    ForcedResponseResultsFreqDomain, ForcedResponseResultsTimeDomain, ForcedResponseResultsSpeedDomain,
    GearMeshForcedResponseResultsFreqDomain, GearMeshForcedResponseResultsTimeDomain,
    GearMeshForcedResponseResultsSpeedDomain, GearMeshForcedResponseResults, BearingForcedResponseResults,
    DocPointForcedResponseResults, ForcedResponseResultsVsLength, NWelleResultForcedResponse,
    // Results of the whole system.
    ShaftResultsForSystem, GearCalcResultsForSystem, BearingResultsForSystem, SystemVibrationResultsPerShaft,
    SystemVibrationResultsPerGear, SystemVibrationResults>;

/// Adds DynamicsRecords to `catalog`.
void addDynamicsRecords(Catalog& catalog);
}  // namespace ds
