#pragma once
// The records behind the system module's calculation tabs (assistant, rough layout, tractive
// power, contact analysis, modal analysis, Campbell diagram, power losses, housing deformation,
// switch and boundary-condition matrices, operating modes, load spectrum, variants) and the small
// element records their lists hold.
//
// Every record is table-driven: its member list (in the .cpp) fixes names, order and which
// members are bound to the Meta with their default. JSON is the inherited form keyed by those
// names. The host reads and writes the members, element lists included, directly.
#include <cstdint>
#include <vector>

#include "drivesys/foundation/record.h"

/// Gear-stage counts for the layout assistant.
class DRIVESYS_API nvAssistantTab : public nMetaStruct {
    DS_RECORD(nvAssistantTab)
public:
    int numOfLooseGears = 0;
    int numOfFixGears = 0;
    int numOfMinus = 0;
    int numOfPlus = 0;
    int numOfWolfrom = 0;
    int numOfRavigneaux = 0;
    int numOfTopSwitchableStages = 0;
    int numOfBottomSwitchableStages = 0;
    int numInGearPairChain = 0;
    int numOfGearPairs = 0;
    int numOfThreeGearChains = 0;
    int numOfFourGearChains = 0;
    int numOfBevelGearPairs = 0;
    int numOfFacegearPairs = 0;
    int numOfWormGearPairs = 0;
    int numOfSkewGearPairs = 0;
};

/// Rough sizing of gears, bearings and shafts.
class DRIVESYS_API nvRoughLayoutTab : public nMetaStruct {
    DS_RECORD(nvRoughLayoutTab)
public:
    bool autoSize = false;
    bool roughLayoutGears = true;
    short reducerType = 4;
    bool useBmn = true;
    double bmnMinimum = 6.0;
    double bmnMaximum = 20.0;
    bool useBd1 = false;
    double bd1Minimum = 0.0;
    double bd1Maximum = 1.6;
    bool useBa = false;
    double baMinimum = 0.0;
    double baMaximum = 0.7;
    bool roughLayoutBearings = true;
    bool considerBearingsSizing = true;
    double bearingLifetimeSizing = 20000.0;
    bool roundDiameterSizing = true;
    bool useExistingTypeSizing = true;
    short bearingType = 0;
    bool moveBearing = false;
    bool firstBearing = true;
    bool roughLayoutShafts = true;
    double equivalentStressSizing = 100.0;
    bool changeOnlyDiameter = true;
    double maxDiameterRatioSizing = 0.0;
    bool leaveSections = true;
};

/// Vehicle data of the tractive-power calculation.
class DRIVESYS_API nvTractivePowerTab : public nMetaStruct {
    DS_RECORD(nvTractivePowerTab)
public:
    double m_F = 1600.0;
    double f_R = 0.015;
    double c_W = 0.34;
    double A = 2.5;
    double r_dyn = 0.315;
    double alpha = 20.0;
    double i_diff = 2.1;
};

/// Settings of the system contact analysis. The three debug factors are bound without default.
class DRIVESYS_API nvContactAnalysisTab : public nMetaStruct {
    DS_RECORD(nvContactAnalysisTab)
public:
    bool useReferenceGear = false;
    int64_t reference = -1;
    nWString referenceName;
    short shaftDeformationType = 1;
    bool calculateSplitRatios = false;
    double pitches = 0.0;
    short accuracy = 2;
    int steps = 95;
    int slices = 21;
    double epsilon = 0.0001;
    short epsilonID = 1;
    short smoothing = 0;
    bool sizeFrictionCoefficient = false;
    bool sizePitchDeviation = false;
    double debug_damping_factor = 0.5;
    double debug_max_deviation_factor = 100.0;
    double debug_max_iteration_factor = 1.0;
};

/// Inputs of the modal analysis; equal when all four inputs are equal.
class DRIVESYS_API nvModalAnalysisTab : public nMetaStruct {
    DS_RECORD(nvModalAnalysisTab)
public:
    DS_EQUALITY(nvModalAnalysisTab)

    unsigned numEigenFrequencies = 5;
    bool solveOnlyTorsionalVibrations = false;
    bool considerGyroscopicEffects = false;
    short gearMeshStiffnessCalcType = 0;
};

/// Inputs of the Campbell diagram. Equality ignores `numResonanceCurves` (a display choice that
/// does not change the calculation); doubles compare exactly.
class DRIVESYS_API nvCampbellDiagramTab : public nMetaStruct {
    DS_RECORD(nvCampbellDiagramTab)
public:
    bool operator==(const nvCampbellDiagramTab& o) const;
    bool operator!=(const nvCampbellDiagramTab& o) const { return !(*this == o); }

    unsigned numEigenFrequencies = 5;
    bool considerGyroscopicEffects = true;
    int64_t controlingBoundaryID = 0;
    unsigned numResonanceCurves = 0;
    unsigned numCalculationPoints = 2;
    double speedMin = 0.0;
    double speedMax = 0.0;
    short gearMeshStiffnessCalcType = 0;
};

/// Which power losses are calculated, global values and correction factors.
class DRIVESYS_API nvPowerLossesTab : public nMetaStruct {
    DS_RECORD(nvPowerLossesTab)
public:
    short calculateBearingLosses = 0;
    short calculateMeshingLosses = 0;
    short calculateSealLosses = 0;
    short calculateChurningLosses = 0;
    double globalBearingLosses = 99.0;
    double globalMeshingLosses = 99.0;
    double globalChurningLosses = 99.0;
    double globalSealLosses = 99.0;
    double corrFactorBearingLosses = 1.0;
    double corrFactorMeshingLosses = 1.0;
    double corrFactorChurningLosses = 1.0;
    double corrFactorSealLosses = 1.0;
    bool isCorrFactorBearingLossesGlobal = false;
    bool isCorrFactorMeshingLossesGlobal = false;
    bool isCorrFactorChurningLossesGlobal = false;
    bool isCorrFactorSealLossesGlobal = false;
    int maxNumberOfIterations = 10;
    double maxEfficiencyDeviation = 0.01;
    short sealLossesCalculationMethod = 0;
    bool sizeGearSectionArea = false;
    bool sizeGearSectionPerimeter = false;
    short meshingLossesSource = 0;
};

/// The housing stiffness used by the housing-deformation calculation.
class DRIVESYS_API nvHousingDeformationTab : public nMetaStruct {
    DS_RECORD(nvHousingDeformationTab)
public:
    int64_t selectedHousingKDataId = 0;
    int convergenceAccuracy = -1;
    /// Length unit of the housing model (a unit code); bound without default.
    int housingLengthUnit = 213;
};

/// Switch positions of the switchable couplings.
class DRIVESYS_API nvSwitchMatrixTab : public nMetaStruct {
    DS_RECORD(nvSwitchMatrixTab)
public:
    int currentSwitchPosition = 0;
    std::vector<nWString> switchNames;
    int referenceSwitchPosition = 0;
    std::vector<int> spectrumSwitchPosition;
    nWString switchMatrixFileName;
    bool switchMatrixFileLink = false;
    int numberOfSwitchPositions = 0;
};

/// Positions of the switchable boundary conditions (same shape as the switch matrix).
class DRIVESYS_API nvBCMatrixTab : public nMetaStruct {
    DS_RECORD(nvBCMatrixTab)
public:
    int currentBCPosition = 0;
    std::vector<nWString> BCNames;
    int referenceBCPosition = 0;
    std::vector<int> spectrumBCPosition;
    nWString BCMatrixFileName;
    bool BCMatrixFileLink = false;
    int numberOfBCPositions = 0;
};

/// Operating modes: per mode its name, boundary setup, engaged gears and kinematic state.
class DRIVESYS_API nvOperatingModesTab : public nMetaStruct {
    DS_RECORD(nvOperatingModesTab)
public:
    int currentOperatingMode = 0;
    std::vector<nWString> modeNames;
    std::vector<int> boundarySetups;
    std::vector<int> engagedGears;
    std::vector<bool> kinematicStates;
    int referenceOperatingMode = 0;
    std::vector<int> spectrumOperatingMode;
    nWString operatingModesFileName;
    bool operatingModesFileLink = false;
    int numberOfOperatingModes = 0;
};

/// One spectrum column: one attribute of one element with its value per bin.
class DRIVESYS_API nvSpectrumElement : public nMetaStruct {
    DS_RECORD(nvSpectrumElement)
public:
    int attribute = 0;
    int64_t elementId = -1;
    double referenceValue = 0.0;
    bool asFactor = false;
    double corrFactor = 1.0;
    bool active = true;
    std::vector<double> spectrumValues;
};

/// Frequency (share of time) of one load bin.
class DRIVESYS_API nvBinFrequency : public nMetaStruct {
    DS_RECORD(nvBinFrequency)
public:
    int binIndex = 0;
    double frequency = 0.0;
};

/// State of one load bin in the spectrum calculation.
class DRIVESYS_API nvActiveBin : public nMetaStruct {
    DS_RECORD(nvActiveBin)
public:
    bool lifetimeNotNull = false;
    bool calculatedBin = false;
};

/// Load-spectrum inputs: bins, cases and the spectrum columns.
class DRIVESYS_API nvLoadSpectrumTab : public nMetaStruct {
    DS_RECORD(nvLoadSpectrumTab)
public:
    int nofBins = 0;
    int nofCases = 0;
    /// Listed before `nofCases`.
    short binIndex = 0;
    bool recalculateLossesAndForcesForEachBin = false;
    bool setLoadBinAsTemporaryNominalLoad = false;
    bool calculateOnlyKinematics = false;
    bool connectOperatingModes = false;
    short considerLoadSpectrum = 0;
    short loadSpectrumType = 0;
    double serviceLifeTotal = 0.0;
    std::vector<nvSpectrumElement> elements;
    std::vector<nvBinFrequency> binFrequencies;
    std::vector<nvActiveBin> activeBins;
    nWString loadSpectrumFileName;
    bool loadSpectrumFileLink = false;
    bool reducedLifetime = false;
    bool calculateLoadSpectrum = false;
};

/// One element taking part in the variants (listed with `active` first).
class DRIVESYS_API nvVariantElement : public nMetaStruct {
    DS_RECORD(nvVariantElement)
public:
    int64_t elementId = 0;
    bool active = true;
};

/// Variants of the system: their folders, names and the elements they vary.
class DRIVESYS_API nvVariantsTab : public nMetaStruct {
    DS_RECORD(nvVariantsTab)
public:
    int numberOfVariants = 0;
    std::vector<nvVariantElement> variantElements;
    std::vector<nWString> variantsDir;
    std::vector<nWString> variantsNames;
    nWString variantsFileName;
    bool variantsFileLink = false;
    nWString mainFolderName;
    bool isMainFolderSet = false;
    short organizationType = 0;
    int currentVariantIndex = -1;
};

/// One reference value of one element attribute (listed with `status` before `value`).
class DRIVESYS_API nvReferenceValues : public nMetaStruct {
    DS_RECORD(nvReferenceValues)
public:
    int attribute = 0;
    int64_t elementId = -1;
    double value = 0.0;
    int status = 0;
};

/// One row of the system-data table: a parameter of an element with its value and unit.
class DRIVESYS_API nvSystemData : public nMetaStruct {
    DS_RECORD(nvSystemData)
public:
    int parameter = 0;
    int element = 0;
    double real = 0.0;
    nWString currentUnit;
    short DBID = 11170;
    short listSelection = 0;
    int status = 0;
};
