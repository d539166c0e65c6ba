#include "drivesys/dynamics/dynamics_definitions.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(GeneralSystemDynamicsDefinitions, nMetaStruct, DS_F(GearMeshStiffnessCalculationType),
                 DS_F(calculationToPerform))
DS_DEFINE_JSON_ASSIGNMENT(GeneralSystemDynamicsDefinitions)

DS_DEFINE_RECORD(DocPointDataForForcedResponseStruct, nMetaStruct, DS_F(position), DS_F(name), DS_F(shaftNumTM),
                 DS_F(shaftCalcNum), DS_F(docIndexInQuSpez), DS_F(shaftName), DS_F(uId))

DS_DEFINE_RECORD(ForcedResponseDefinitionsStruct, nMetaStruct,
                 DS_F(numPlotPoints), DS_F(plotVsSpeed), DS_F(xAxisMin), DS_F(xAxisMax), DS_F(zValue),
                 DS_F(controllingShaftIdTM), DS_F_NODEF(controllingShaftNumTM), DS_F(controllingShaftNominalSpeed),
                 DS_F(considerNonlinearBearingStiffness), DS_F(hystereticDampingTorsion),
                 DS_F(hystereticDampingAxial), DS_F(hystereticDampingBending), DS_F_NODEF(considerGearMeshForces),
                 DS_F_NODEF(isCalledFromTestTool), DS_F_NODEF(bearingForcesTimeDomain),
                 DS_F_NODEF(bearingForcesFreqDomain), DS_F_NODEF(bearingForcesSpeedDomain),
                 DS_F_NODEF(gearMeshOutputsTimeDomain), DS_F_NODEF(gearMeshOutputsFreqDomain),
                 DS_F_NODEF(gearMeshOutputsSpeedDomain), DS_F_NODEF(shaftOutputsDocumentation),
                 DS_F_NODEF(dynamicFactor), DS_F_NODEF(saveDynamicFactor), DS_F_NODEF(plotMultiplierStepFactor),
                 DS_F_NODEF(calculateResultsInDocPoints), DS_F_NODEF(calculateResultsInBearings),
                 DS_F_NODEF(calculateResultsVsLength), DS_F_NODEF(generateTimeOutputData),
                 DS_F_NODEF(generateFrequencyOutputData), DS_F_NODEF(generateSpeedOutputData),
                 DS_F_NODEF(excitationForceType), DS_F_NODEF(modelingType), DS_F_NODEF(solutionApproachForced),
                 DS_F_NODEF(convergenceTolerance), DS_F_NODEF(accuracyForcedResponse),
                 DS_F_NODEF(considerUnbalanceMasses), DS_F_NODEF(considerTorqueExcitation), DS_F_NODEF(speeds),
                 DS_F_NODEF(plotPointsVsLength), DS_F_NODEF(documentationPoints),
                 DS_F_NODEF(frequencyResponseApproach), DS_F_NODEF(numHarmonics), DS_F_NODEF(numHarmonicsSingle),
                 DS_F_NODEF(numResponseHarmonics), DS_F(gearMeshDampingType), DS_F(gearMeshDamping),
                 DS_F(gearMeshDampingRatio), DS_F_NODEF(saveTimeDomainData), DS_F_UNDESCRIBED(outputTimeDataFilePath),
                 DS_F_UNDESCRIBED(userDefinedEndTime), DS_F_UNDESCRIBED(useUserDefinedEndTime))
