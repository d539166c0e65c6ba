#include "support/record_contract.h"

using DefinitionRecords =
    ::testing::Types<GeneralSystemDynamicsDefinitions, DocPointDataForForcedResponseStruct, ForcedResponseDefinitionsStruct>;
INSTANTIATE_TYPED_TEST_SUITE_P(DynamicsDefinitions, RecordContract, DefinitionRecords);

using ResultLeafRecords =
    ::testing::Types<RealImaginaryAmplitudePhase, NWelleResultEigenform, NWelleResultEnergies, WhirlDataMembers, TimeOutput,
                     CampbellCurve, GearMeshPropsStruct, NWelleResultEigenmodeProperties, NWelleResultCampbells,
                     ClassifiedCampbellResults, WhirlDataPerSpeedStruct>;
INSTANTIATE_TYPED_TEST_SUITE_P(DynamicsResultLeaves, RecordContract, ResultLeafRecords);

using ForcedResponseRecords =
    ::testing::Types<ForcedResponseResultsFreqDomain, ForcedResponseResultsTimeDomain, ForcedResponseResultsSpeedDomain,
                     GearMeshForcedResponseResultsFreqDomain, GearMeshForcedResponseResultsTimeDomain,
                     GearMeshForcedResponseResultsSpeedDomain, GearMeshForcedResponseResults, BearingForcedResponseResults,
                     DocPointForcedResponseResults, ForcedResponseResultsVsLength, NWelleResultForcedResponse>;
INSTANTIATE_TYPED_TEST_SUITE_P(DynamicsForcedResponse, RecordContract, ForcedResponseRecords);

using SystemResultRecords =
    ::testing::Types<ShaftResultsForSystem, GearCalcResultsForSystem, BearingResultsForSystem, SystemVibrationResultsPerShaft,
                     SystemVibrationResultsPerGear, SystemVibrationResults>;
INSTANTIATE_TYPED_TEST_SUITE_P(DynamicsSystemResults, RecordContract, SystemResultRecords);
