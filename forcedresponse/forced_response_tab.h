#pragma once
// The forced-response tab: which gear pairs excite the system and how, how gear mesh and damping
// are modelled, the speed or frequency range, and which gear pairs, bearings and documentation
// points are output in the time, frequency and speed domains.
//
// Every record reads and writes JSON through its JSON pair (to_json/from_json): null changes
// nothing, a non-object is refused with std::invalid_argument, and a member whose key is missing
// or whose value does not convert keeps its value.
//
// Equality is hand-written where it ignores members (icons, output switches) or compares numbers
// within a tolerance; "within" always means an absolute difference strictly below the bound.
#include <cstdint>
#include <vector>

#include "drivesys/foundation/record.h"

/// Identification of one gear pair of the system.
class DRIVESYS_API nGearPairForcedResponse : public nMetaStruct {
    DS_RECORD(nGearPairForcedResponse)
public:
    DS_JSON_PAIR(nGearPairForcedResponse)

    nWString gearPairName;
    int64_t gearPairId = 0;
    nWString gearPairIcon;
    nWString gearCalcName;
    int64_t gearCalcId = 0;
    nWString gearCalcIcon;
    nWString gearPairPower;
    bool isGearPairActive = true;
    std::vector<nWString> gearNames;
    std::vector<int64_t> gearIds;

    /// Compares everything but the two icons.
    bool operator==(const nGearPairForcedResponse& o) const;
    bool operator!=(const nGearPairForcedResponse& o) const { return !(*this == o); }
};

/// A gear pair as excitation of the forced response.
class DRIVESYS_API nGearPairForcedResponseInput : public nMetaStruct {
    DS_RECORD(nGearPairForcedResponseInput)
public:
    DS_JSON_PAIR(nGearPairForcedResponseInput)

    nGearPairForcedResponse gearPairData;
    bool selectGearPairs = true;
    int gearPairStiffnessConstant = 0;

    bool operator==(const nGearPairForcedResponseInput& o) const;
    bool operator!=(const nGearPairForcedResponseInput& o) const { return !(*this == o); }
};

/// A gear pair whose results are output.
class DRIVESYS_API nGearPairForcedResponseOutput : public nMetaStruct {
    DS_RECORD(nGearPairForcedResponseOutput)
public:
    DS_JSON_PAIR(nGearPairForcedResponseOutput)

    nGearPairForcedResponse gearPairData;
    bool calculateResults = true;

    bool operator==(const nGearPairForcedResponseOutput& o) const;
    bool operator!=(const nGearPairForcedResponseOutput& o) const { return !(*this == o); }
};

/// A bearing whose forces are output.
class DRIVESYS_API nBearingForcedResponse : public nMetaStruct {
    DS_RECORD(nBearingForcedResponse)
public:
    DS_JSON_PAIR(nBearingForcedResponse)

    int64_t uId = -1;
    nWString bearingName;
    nWString bearingIcon;
    nWString shaftName;
    nWString shaftCalcName;
    nWString shaftCalcIcon;
    nWString shaftIcon;
    bool calculateResults = false;

    /// Compares `uId` and the six texts (icons included); `calculateResults` is not compared.
    bool operator==(const nBearingForcedResponse& o) const;
    bool operator!=(const nBearingForcedResponse& o) const { return !(*this == o); }
};

/// A documentation point whose results are output (no equality).
class DRIVESYS_API nDocPointsForcedResponse : public nMetaStruct {
    DS_RECORD(nDocPointsForcedResponse)
public:
    DS_JSON_PAIR(nDocPointsForcedResponse)

    int64_t uId = -1;
    nWString docPointName;
    nWString docPointIcon;
    nWString shaftCalcName;
    nWString shaftCalcIcon;
    nWString shaftIcon;
    nWString shaftName;
    bool calculateResults = false;
};

/// One data file for variable torque.
class DRIVESYS_API nvDatFilePair : public nMetaStruct {
    DS_RECORD(nvDatFilePair)
public:
    DS_JSON_PAIR(nvDatFilePair)

    nWString file;
    int content = 0;
    int64_t nDataID = -1;

    bool operator==(const nvDatFilePair& o) const;
    bool operator!=(const nvDatFilePair& o) const { return !(*this == o); }
};

/// The forced-response tab.
///
/// Two check-box flags are stored outside the member list: they are copied with the record but
/// neither registered, bound by makeMeta, nor written to or read from JSON.
class DRIVESYS_API nvForcedResponseTab : public nMetaStruct {
    DS_RECORD(nvForcedResponseTab)
public:
    DS_JSON_PAIR(nvForcedResponseTab)

    short selectGearPairs = 1;
    int64_t controlingBoundaryID = 0;
    unsigned numCalculationPoints = 2;
    double xAxisMin = 0.0;
    double xAxisMax = 0.0;
    bool plotVsSpeed = true;
    double refSpeed = 0.0;
    short contactAnalysisApproachForced = 1;
    short gearMeshStiffnessCalcType = 0;
    int excitationForceType = 0;
    int modelingType = 0;
    int solutionApproachForced = 0;
    double convergenceTolerance = 0.01;
    int accuracyForcedResponse = 0;
    double hystereticDampingTorsion = 1.0;
    double hystereticDampingAxial = 1.0;
    double hystereticDampingBending = 1.0;
    int gearMeshDampingType = 0;
    double gearMeshDamping = 1000.0;
    double gearMeshDampingRatio = 0.1;
    bool considerUnbalanceMasses = false;
    bool considerGearMeshForces = true;
    /// Torque ripple (check box, not in the member list; takes part in equality).
    bool forcedResponseCalculateTorqueRipple = false;
    bool bearingForcesTimeDomain = false;
    bool bearingForcesFreqDomain = false;
    bool bearingForcesSpeedDomain = false;
    bool gearMeshOutputsFreqDomain = false;
    bool gearMeshOutputsTimeDomain = false;
    bool gearMeshOutputsSpeedDomain = false;
    bool shaftOutputsDocumentation = false;
    /// Save the co-simulation interface (check box, not in the member list, not compared).
    bool saveRecurDynInterface = false;
    bool saveDynamicFactor = false;
    unsigned plotMultiplierStepFactor = 1;
    int frequencyResponseApproach = 0;
    unsigned numHarmonics = 1;
    unsigned numHarmonicsSingle = 1;
    unsigned numResponseHarmonics = 1;
    bool saveTimeDomainData = false;
    double userDefinedEndTime = 1.0;
    bool useUserDefinedEndTime = false;
    std::vector<nvDatFilePair> datFilesVarTorque;
    std::vector<nGearPairForcedResponseInput> inputGearPairs;
    std::vector<nGearPairForcedResponseOutput> outputGearPairs;
    std::vector<nBearingForcedResponse> outputBearings;
    std::vector<nDocPointsForcedResponse> outputDocPoints;
    short selectOutputGearPairs = 1;
    short selectOutputBearings = 0;
    short selectOutputDocPoints = 0;
    bool createPlanetCopies = false;

    /// Equal when the inputs of the calculation agree: selections, range, model and damping
    /// settings (xAxisMin/Max, refSpeed, the hysteretic dampings and gearMeshDampingRatio within
    /// 0.01, convergenceTolerance within 0.001, gearMeshDamping within 0.1), the torque-ripple
    /// flag, the harmonics, and the variable-torque files and input gear pairs element by element.
    /// Output selections, output lists, the time-domain settings of timeDomainInputsHaveChanged,
    /// controlingBoundaryID and saveDynamicFactor are not compared.
    bool operator==(const nvForcedResponseTab& o) const;
    bool operator!=(const nvForcedResponseTab& o) const { return !(*this == o); }

    /// True when a time-domain input differs: accuracyForcedResponse, plotMultiplierStepFactor,
    /// useUserDefinedEndTime, or (both using it) userDefinedEndTime by more than 0.01.
    bool timeDomainInputsHaveChanged(const nvForcedResponseTab& other) const;
};

// Element-wise list equality (defined in foundation/metavector.h); exported for the two element
// types the tab compares.
template <class T> bool areVectorsEqual(const std::vector<T>& a, const std::vector<T>& b);
extern template DRIVESYS_API bool areVectorsEqual<nvDatFilePair>(const std::vector<nvDatFilePair>&,
                                                             const std::vector<nvDatFilePair>&);
extern template DRIVESYS_API bool areVectorsEqual<nGearPairForcedResponseInput>(
    const std::vector<nGearPairForcedResponseInput>&, const std::vector<nGearPairForcedResponseInput>&);
