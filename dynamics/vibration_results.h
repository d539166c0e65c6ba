#pragma once
// The result tree of a system-dynamics calculation, rooted in SystemVibrationResults: modal
// results per shaft, Campbell data, forced response in the frequency, time and speed domains
// (per gear mesh, bearing, documentation point and along the shaft), and the gear, shaft and
// bearing properties the solver used. The host's solver fills the tree; the library stores it,
// restores it and presents it.
//
// Every class is a table-driven record; lists of records are described as record vectors, lists
// of lists as two-level record vectors. Only SystemVibrationResults has a JSON assignment.
#include <cstdint>
#include <vector>

#include "drivesys/foundation/record.h"
#include "drivesys/platform/nmath/nmatrix.h"
#include "drivesys/platform/nmath/nvektor.h"

// ---- leaf records ------------------------------------------------------------------------------

/// One complex value with its polar form.
class DRIVESYS_API RealImaginaryAmplitudePhase : public nMetaStruct {
    DS_RECORD(RealImaginaryAmplitudePhase)
public:
    double real = 0.0;
    double imaginary = 0.0;
    double amplitude = 0.0;
    double phase = 0.0;
};

/// One point of a mode shape: axial position, deflection and rotation.
class DRIVESYS_API NWelleResultEigenform : public nMetaStruct {
    DS_RECORD(NWelleResultEigenform)
public:
    double pos = 0.0;
    NVektor u;
    NVektor angle;
};

/// The energy shares of one mode.
class DRIVESYS_API NWelleResultEnergies : public nMetaStruct {
    DS_RECORD(NWelleResultEnergies)
public:
    double pressureTension = 0.0;
    double bendingXY = 0.0;
    double bendingYZ = 0.0;
    double torsion = 0.0;
    double shearXY = 0.0;
    double shearYZ = 0.0;
    double rigidTranslation = 0.0;
    double rigidRotation = 0.0;
};

/// Whirl of one documentation point at one speed; speedIndex −1: not set.
class DRIVESYS_API WhirlDataMembers : public nMetaStruct {
    DS_RECORD(WhirlDataMembers)
public:
    int speedIndex = -1;
    double speed = 0.0;
    double whirlMajorBendingSemiAxis = 0.0;
    double whirlMinorBendingSemiAxis = 0.0;
    double whirlPhaseAngle = 0.0;
};

/// The time grid of the time-domain outputs.
class DRIVESYS_API TimeOutput : public nMetaStruct {
    DS_RECORD(TimeOutput)
public:
    double endTime = 0.0;
    double timeStep = 0.0;
    unsigned numTimeSteps = 0;
    double baseFrequency = 0.0;
    std::vector<double> time;
};

/// One classified eigenfrequency curve over the Campbell speed range.
class DRIVESYS_API CampbellCurve : public nMetaStruct {
    DS_RECORD(CampbellCurve)
public:
    std::vector<double> curve;
};

/// The gears of one gear mesh.
class DRIVESYS_API GearMeshPropsStruct : public nMetaStruct {
    DS_RECORD(GearMeshPropsStruct)
public:
    std::vector<int64_t> gearIDs;
    nWString gearMeshName;
};

// ---- modal and Campbell records ----------------------------------------------------------------

/// One eigenmode of a sub-shaft.
class DRIVESYS_API NWelleResultEigenmodeProperties : public nMetaStruct {
    DS_RECORD(NWelleResultEigenmodeProperties)
public:
    double frequency = 0.0;
    nWString description;
    int whirl = 0;
    std::vector<NWelleResultEigenform> modeShape;
    NWelleResultEnergies energies;
};

/// Campbell results at one speed.
class DRIVESYS_API NWelleResultCampbells : public nMetaStruct {
    DS_RECORD(NWelleResultCampbells)
public:
    double speed = 0.0;
    std::vector<nWString> eigenFrequencies;
    std::vector<NWelleResultEigenmodeProperties> modeProperties;
    std::vector<double> nominalShaftSpeeds;
    std::vector<double> shaftsSpeeds;
    std::vector<nWString> shaftsNames;
    std::vector<double> gearMeshFrequency;
    std::vector<nWString> gearNames;
};

/// Eigenfrequency curves classified by mode: the k-th identifier names the k-th curve.
class DRIVESYS_API ClassifiedCampbellResults : public nMetaStruct {
    DS_RECORD(ClassifiedCampbellResults)
public:
    std::vector<nWString> eigenID;
    std::vector<double> frequencyInputRange;
    std::vector<CampbellCurve> eigenfrequencies;
};

/// Whirl data of one documentation point over the speeds.
class DRIVESYS_API WhirlDataPerSpeedStruct : public nMetaStruct {
    DS_RECORD(WhirlDataPerSpeedStruct)
public:
    std::vector<WhirlDataMembers> whirlDataPerSpeed;
};

// ---- forced-response domain records ------------------------------------------------------------

using RiapSeries = std::vector<RealImaginaryAmplitudePhase>;
using RiapSeries2 = std::vector<RiapSeries>;

/// Forced response over frequency (two- and single-sided spectra).
class DRIVESYS_API ForcedResponseResultsFreqDomain : public nMetaStruct {
    DS_RECORD(ForcedResponseResultsFreqDomain)
public:
    std::vector<double> f;
    std::vector<double> fCarrier;
    RiapSeries2 uVecVsFreq;
    RiapSeries2 rVecVsFreq;
    RiapSeries2 fVecVsFreq;
    RiapSeries2 mVecVsFreq;
    std::vector<double> fSingleSide;
    RiapSeries2 uVecVsFreqSingleSide;
    RiapSeries2 rVecVsFreqSingleSide;
    RiapSeries2 fVecVsFreqSingleSide;
    RiapSeries2 mVecVsFreqSingleSide;
};

/// Forced response over time.
class DRIVESYS_API ForcedResponseResultsTimeDomain : public nMetaStruct {
    DS_RECORD(ForcedResponseResultsTimeDomain)
public:
    std::vector<double> whirlMajorBendingSemiAxis;
    std::vector<double> whirlMinorBendingSemiAxis;
    std::vector<double> whirlPhaseAngle;
    RiapSeries2 uVecVsTime;
    RiapSeries2 rVecVsTime;
    RiapSeries2 vVecVsTime;
    RiapSeries2 aVecVsTime;
    RiapSeries2 fVecVsTime;
    RiapSeries2 mVecVsTime;
};

/// Forced response over speed.
class DRIVESYS_API ForcedResponseResultsSpeedDomain : public nMetaStruct {
    DS_RECORD(ForcedResponseResultsSpeedDomain)
public:
    double whirlMajorBendingSemiAxis = 0.0;
    double whirlMinorBendingSemiAxis = 0.0;
    double whirlPhaseAngle = 0.0;
    RiapSeries2 uVecVsSpeed;
    RiapSeries2 rVecVsSpeed;
    RiapSeries2 vVecVsSpeed;
    RiapSeries2 aVecVsSpeed;
    RiapSeries2 fVecVsSpeed;
    RiapSeries2 mVecVsSpeed;
};

/// Gear-mesh response over frequency (along the line of action).
class DRIVESYS_API GearMeshForcedResponseResultsFreqDomain : public nMetaStruct {
    DS_RECORD(GearMeshForcedResponseResultsFreqDomain)
public:
    std::vector<double> f;
    RiapSeries dispPLVsFreq;
    RiapSeries forcePLVsFreq;
    RiapSeries stiffPLVsFreq;
};

/// Gear-mesh response over time.
class DRIVESYS_API GearMeshForcedResponseResultsTimeDomain : public nMetaStruct {
    DS_RECORD(GearMeshForcedResponseResultsTimeDomain)
public:
    RiapSeries dispPLVsTime;
    RiapSeries forcePLVsTime;
    RiapSeries stiffPLVsTime;
};

/// Gear-mesh response over speed.
class DRIVESYS_API GearMeshForcedResponseResultsSpeedDomain : public nMetaStruct {
    DS_RECORD(GearMeshForcedResponseResultsSpeedDomain)
public:
    RiapSeries dispPLVsSpeed;
    RiapSeries forcePLVsSpeed;
    RiapSeries stiffPLVsSpeed;
};

// ---- forced-response result carriers -----------------------------------------------------------

/// Kind of a forced-response carrier, stored in its `outputType`.
enum ForcedResponseOutputType : int {
    kOutputGearMesh = 1,
    kOutputBearing = 2,
    kOutputDocPoint = 3,
    kOutputVsLength = 4,
};

/// Forced response of one gear mesh.
class DRIVESYS_API GearMeshForcedResponseResults : public nMetaStruct {
    DS_RECORD(GearMeshForcedResponseResults)
public:
    std::vector<int64_t> nDataIdsOfGears;
    int outputType = kOutputGearMesh;
    nWString name;
    int shaftNumTMMain = -1;
    int shaftNumTMDummy = -1;
    int shaftNumTMInput = -1;
    int shaftNumTMOutput = -1;
    int boundNumMain = -1;
    int boundNumDummy = -1;
    double rGearInput = 0.0;
    double rGearOutput = 0.0;
    double posGearInputGlobal = 0.0;
    double posGearOutGlobal = 0.0;
    double alft = 0.0;
    double betab = 0.0;
    double speedShaftMain = 0.0;
    int baseFreqInd = -1;
    double omega = 0.0;
    double maxDynamicForce = 0.0;
    double dynamicFactor = 0.0;
    std::vector<double> angle;
    GearMeshForcedResponseResultsFreqDomain gearMeshFreqDomain;
    GearMeshForcedResponseResultsTimeDomain gearMeshTimeDomain;
    GearMeshForcedResponseResultsSpeedDomain gearMeshSpeedDomain;
};

/// Forced response of one bearing.
class DRIVESYS_API BearingForcedResponseResults : public nMetaStruct {
    DS_RECORD(BearingForcedResponseResults)
public:
    int64_t uId = -1;
    int outputType = kOutputBearing;
    nWString name;
    int shaftNumTM = -1;
    int boundNum = -1;
    double speedShaft = 0.0;
    NVektor staticUvec;
    NVektor staticRvec;
    NVektor staticForce;
    NVektor staticMoment;
    std::vector<double> angle;
    ForcedResponseResultsFreqDomain bearingFreqDomain;
    ForcedResponseResultsTimeDomain bearingTimeDomain;
    ForcedResponseResultsSpeedDomain bearingSpeedDomain;
};

/// Forced response at one documentation point.
class DRIVESYS_API DocPointForcedResponseResults : public nMetaStruct {
    DS_RECORD(DocPointForcedResponseResults)
public:
    int64_t uId = -1;
    int outputType = kOutputDocPoint;
    nWString docPointName;
    nWString docPointShaftName;
    int docPointShaftCalcNum = -1;
    int docPointSubShaftNum = -1;
    unsigned docIndexInQuSpez = 0;
    unsigned docPointShaftNumTM = 0;
    double pos = 0.0;
    double speedShaft = 0.0;
    NVektor staticUvec;
    NVektor staticRvec;
    NVektor staticForce;
    NVektor staticMoment;
    std::vector<double> angle;
    ForcedResponseResultsFreqDomain docPointFreqDomain;
    ForcedResponseResultsTimeDomain docPointTimeDomain;
    ForcedResponseResultsSpeedDomain docPointSpeedDomain;
};

/// Forced response at one position along a shaft.
class DRIVESYS_API ForcedResponseResultsVsLength : public nMetaStruct {
    DS_RECORD(ForcedResponseResultsVsLength)
public:
    int outputType = kOutputVsLength;
    int shaftNumTM = -1;
    double pos = 0.0;
    NVektor staticUvec;
    NVektor staticRvec;
    NVektor staticForce;
    NVektor staticMoment;
    ForcedResponseResultsFreqDomain freqDomainResult;
    ForcedResponseResultsTimeDomain timeDomainResult;
    ForcedResponseResultsSpeedDomain speedDomainResult;
};

/// Forced-response results at one calculated speed.
class DRIVESYS_API NWelleResultForcedResponse : public nMetaStruct {
    DS_RECORD(NWelleResultForcedResponse)
public:
    double speedRefBound = 0.0;
    TimeOutput timeOutputs;
    std::vector<GearMeshForcedResponseResults> gearMeshResults;
    std::vector<BearingForcedResponseResults> bearingResults;
    std::vector<DocPointForcedResponseResults> docPointResults;
    std::vector<ForcedResponseResultsVsLength> resultsVsLength;
};

// ---- system-level property records -------------------------------------------------------------

/// Mass properties and modes of one sub-shaft.
class DRIVESYS_API ShaftResultsForSystem : public nMetaStruct {
    DS_RECORD(ShaftResultsForSystem)
public:
    nWString shaftName;
    double shaftMass = 0.0;
    double shaftMassMomentOfInertia = 0.0;
    double nominalShaftSpeed = 0.0;
    std::vector<NWelleResultEigenmodeProperties> mode;
};

/// The gear calculation results the solver used for one gear.
class DRIVESYS_API GearCalcResultsForSystem : public nMetaStruct {
    DS_RECORD(GearCalcResultsForSystem)
public:
    nWString gearName;
    int64_t gearId = 0;
    int64_t gearCalcId = 0;
    nWString shaftName;
    int calcMethod = 0;
    nWString calcMethodStr;
    nWString calcName;
    nWString calcMethodString;
    double pos = 0.0;
    double gearMeshStiffness = 0.0;
    double nominalGearMeshFrequency = 0.0;
    double gearMeshFrequencyMultiplier = 0.0;
    double nominalGearSpeed = 0.0;
    double PPTE = 0.0;
    double Fnorm = 0.0;
    double gearMass = 0.0;
    double gearMassMomentOfInertia = 0.0;
    double gearDensity = 0.0;
    double gearOuterDiameter = 0.0;
    double gearInnerDiameter = 0.0;
    double gearWidth = 0.0;
};

/// The stiffness of one bearing as the solver used it.
class DRIVESYS_API BearingResultsForSystem : public nMetaStruct {
    DS_RECORD(BearingResultsForSystem)
public:
    nWString shaftName;
    nWString bearingName;
    NMatrix bearingStiffnessMatrix;
    std::vector<std::vector<double>> bearingStiffnessMatrixVec;
    bool isConnecting = false;
    bool isGeneralSupport = false;
};

/// Results of one shaft: its bearings and its sub-shafts.
class DRIVESYS_API SystemVibrationResultsPerShaft : public nMetaStruct {
    DS_RECORD(SystemVibrationResultsPerShaft)
public:
    std::vector<BearingResultsForSystem> bearingResults;
    std::vector<ShaftResultsForSystem> shaftResultsPerSubShaft;
};

/// Results of one gear entry: its calculations, its meshes and the transmission error over time.
class DRIVESYS_API SystemVibrationResultsPerGear : public nMetaStruct {
    DS_RECORD(SystemVibrationResultsPerGear)
public:
    std::vector<GearCalcResultsForSystem> gearCalcResults;
    std::vector<GearMeshPropsStruct> gearMeshProps;
    std::vector<std::vector<std::vector<double>>> timeDomainTE;
};

// ---- the root ----------------------------------------------------------------------------------

/// The whole result of a system-dynamics calculation. Created empty (solverStatus 10,
/// controllingShaftNumTM −1), filled by the host's solver, then read-only for the library.
class DRIVESYS_API SystemVibrationResults : public nMetaStruct {
    DS_RECORD(SystemVibrationResults)
public:
    /// Reads only the eight scalar-level keys (solverStatus, performedCalculation, includeTE,
    /// wrongShaftOrGearCalcNum, controllingShaftNumTM, controllingShaftName,
    /// controllingShaftNominalSpeed, resCampbellClassified); every list keeps its content.
    /// A non-object throws type_error 305, a missing key out_of_range 403, a value of the wrong
    /// type type_error 302 (members read before it keep their new values).
    DS_JSON_ASSIGNMENT(SystemVibrationResults)

    int solverStatus = 10;
    int performedCalculation = 0;
    int includeTE = 0;
    int64_t wrongShaftOrGearCalcNum = 0;
    std::vector<SystemVibrationResultsPerShaft> resultsPerShaft;
    std::vector<SystemVibrationResultsPerGear> resultsPerGear;
    std::vector<NWelleResultForcedResponse> forcedResponseResults;
    std::vector<WhirlDataPerSpeedStruct> forcedResponseDocPointMaxWhirlMajorBendingSemiAxis;
    int controllingShaftNumTM = -1;
    nWString controllingShaftName;
    double controllingShaftNominalSpeed = 0.0;
    std::vector<NWelleResultCampbells> resCampbell;
    ClassifiedCampbellResults resCampbellClassified;
};
