#include "drivesys/dynamics/dynamics_definitions.h"
#include "drivesys/dynamics/system_definition.h"
#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/foundation/catalog_impl.h"

namespace ds {
void addDynamicsRecords(Catalog& catalog) {
    addRecords<GeneralSystemDynamicsDefinitions, DocPointDataForForcedResponseStruct, ForcedResponseDefinitionsStruct>(catalog);
    addRecords<RealImaginaryAmplitudePhase, NWelleResultEigenform, NWelleResultEnergies, WhirlDataMembers, TimeOutput,
               CampbellCurve, GearMeshPropsStruct>(catalog);
    addRecords<NWelleResultEigenmodeProperties, NWelleResultCampbells, ClassifiedCampbellResults, WhirlDataPerSpeedStruct>(
        catalog);
    addRecords<ForcedResponseResultsFreqDomain, ForcedResponseResultsTimeDomain, ForcedResponseResultsSpeedDomain,
               GearMeshForcedResponseResultsFreqDomain, GearMeshForcedResponseResultsTimeDomain,
               GearMeshForcedResponseResultsSpeedDomain>(catalog);
    addRecords<GearMeshForcedResponseResults, BearingForcedResponseResults, DocPointForcedResponseResults,
               ForcedResponseResultsVsLength, NWelleResultForcedResponse>(catalog);
    addRecords<ShaftResultsForSystem, GearCalcResultsForSystem, BearingResultsForSystem, SystemVibrationResultsPerShaft,
               SystemVibrationResultsPerGear, SystemVibrationResults>(catalog);
}
}  // namespace ds
