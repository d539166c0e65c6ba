#pragma once
// The records that define a shaft-system vibration run: the general choices
// (GeneralSystemDynamicsDefinitions), one forced-response run (ForcedResponseDefinitionsStruct)
// and the documentation points at which its results are wanted.
#include <cstdint>
#include <vector>

#include "drivesys/foundation/record.h"

/// How gear-mesh stiffnesses are obtained and which calculation the host runs.
class DRIVESYS_API GeneralSystemDynamicsDefinitions : public nMetaStruct {
    DS_RECORD(GeneralSystemDynamicsDefinitions)
public:
    /// Reads both members by key; a non-object throws type_error 305, a missing key
    /// out_of_range 403, a value of the wrong type type_error 302.
    DS_JSON_ASSIGNMENT(GeneralSystemDynamicsDefinitions)

    int GearMeshStiffnessCalculationType = 0;
    int calculationToPerform = 0;
};

/// One documentation point at which forced-response results are wanted.
class DRIVESYS_API DocPointDataForForcedResponseStruct : public nMetaStruct {
    DS_RECORD(DocPointDataForForcedResponseStruct)
public:
    double position = 0.0;
    nWString name;
    unsigned shaftNumTM = 0;
    int shaftCalcNum = 0;
    unsigned docIndexInQuSpez = 0;
    nWString shaftName;
    /// -1: not linked to an element.
    int64_t uId = -1;
};

/// The settings of one forced-response run.
///
/// Every member is registered and stored as JSON; the last three (`outputTimeDataFilePath`,
/// `userDefinedEndTime`, `useUserDefinedEndTime`) are not described in makeMeta, so a screen
/// cannot address them. Only the members whose default a screen shows carry it in the
/// description (numPlotPoints, plotVsSpeed, the axis range, zValue, the controlling shaft's id
/// and nominal speed, the nonlinear-bearing switch, the three hysteretic dampings and the
/// gear-mesh damping settings).
class DRIVESYS_API ForcedResponseDefinitionsStruct : public nMetaStruct {
    DS_RECORD(ForcedResponseDefinitionsStruct)
public:
    unsigned numPlotPoints = 0;
    bool plotVsSpeed = true;
    double xAxisMin = 0.0;
    double xAxisMax = 0.0;
    double zValue = 0.0;
    int64_t controllingShaftIdTM = -1;
    int controllingShaftNumTM = -1;
    double controllingShaftNominalSpeed = 0.0;
    bool considerNonlinearBearingStiffness = false;
    double hystereticDampingTorsion = 1.0;
    double hystereticDampingAxial = 1.0;
    double hystereticDampingBending = 1.0;
    bool considerGearMeshForces = true;
    bool isCalledFromTestTool = false;
    bool bearingForcesTimeDomain = false;
    bool bearingForcesFreqDomain = false;
    bool bearingForcesSpeedDomain = false;
    bool gearMeshOutputsTimeDomain = false;
    bool gearMeshOutputsFreqDomain = false;
    bool gearMeshOutputsSpeedDomain = false;
    bool shaftOutputsDocumentation = true;
    bool dynamicFactor = false;
    bool saveDynamicFactor = false;
    unsigned plotMultiplierStepFactor = 1;
    bool calculateResultsInDocPoints = false;
    bool calculateResultsInBearings = false;
    bool calculateResultsVsLength = false;
    bool generateTimeOutputData = false;
    bool generateFrequencyOutputData = true;
    bool generateSpeedOutputData = false;
    int excitationForceType = 0;
    int modelingType = 0;
    int solutionApproachForced = 0;
    double convergenceTolerance = 0.01;
    int accuracyForcedResponse = 0;
    bool considerUnbalanceMasses = false;
    bool considerTorqueExcitation = false;
    std::vector<double> speeds;
    std::vector<std::vector<double>> plotPointsVsLength;
    std::vector<DocPointDataForForcedResponseStruct> documentationPoints;
    int frequencyResponseApproach = 0;
    unsigned numHarmonics = 1;
    unsigned numHarmonicsSingle = 1;
    unsigned numResponseHarmonics = 1;
    int gearMeshDampingType = 0;
    double gearMeshDamping = 1000.0;
    double gearMeshDampingRatio = 0.1;
    bool saveTimeDomainData = false;
    nWString outputTimeDataFilePath;
    double userDefinedEndTime = 0.0;
    bool useUserDefinedEndTime = false;
};
