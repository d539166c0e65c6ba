#pragma once
// Inputs and results of the exciting-frequency analysis of a drive train: which excitations to
// look for (gear mesh, assembly, hunting and planetary frequencies; rolling-bearing frequencies;
// shaft speeds and their sidebands; user lines), the speed and tolerance ranges, and the
// frequencies, similar-frequency groups and line crossings the host's analysis finds.
//
// Every record reads and writes JSON through its JSON pair (to_json/from_json): null changes
// nothing, a non-object is refused with std::invalid_argument, and a member whose key is missing
// or whose value does not convert (a number is not a boolean) keeps its value.
//
// Computed values (frequencies, bounds, similar-frequency groups, crossings) are bound to the
// Meta without a default, as are lists of texts. `nFrequencies` lists its record lists before
// `maxSimilarFreq`, which it stores among the scalars; registration, Meta and JSON follow that
// list order.
#include <cstdint>
#include <vector>

#include "drivesys/foundation/record.h"

/// The frequencies of one gear pair.
class DRIVESYS_API nGearFrequencies : public nMetaStruct {
    DS_RECORD(nGearFrequencies)
public:
    DS_JSON_PAIR(nGearFrequencies)

    int64_t ID = 0;
    nWString gearCalcName;
    nWString gearCalcIcon;
    std::vector<nWString> gearName;
    std::vector<nWString> pairName;
    double fz = 0.0;
    std::vector<double> fa;
    std::vector<double> fk;
    std::vector<double> n;
    std::vector<double> floc;
    std::vector<double> fdis;
    std::vector<double> nE1;
    bool calculateFreq = true;
};

/// The characteristic frequencies of one rolling bearing (fundamental train, ball spin, ball
/// pass inner race, ball pass outer race, ball pass).
class DRIVESYS_API nBearingFrequencies : public nMetaStruct {
    DS_RECORD(nBearingFrequencies)
public:
    DS_JSON_PAIR(nBearingFrequencies)

    int64_t ID = 0;
    nWString name;
    nWString shaftName;
    double FTF = 0.0;
    double BSF = 0.0;
    double BPFI = 0.0;
    double BPFO = 0.0;
    double BPF = 0.0;
    double n = 0.0;
    bool calculateFreq = true;
};

/// The speed frequency of one shaft.
class DRIVESYS_API nShaftFrequencies : public nMetaStruct {
    DS_RECORD(nShaftFrequencies)
public:
    DS_JSON_PAIR(nShaftFrequencies)

    int64_t ID = 0;
    nWString name;
    double n = 0.0;
    bool calculateFreq = true;
    bool calculateSidebans = true;
};

/// One group of frequencies lying within the similarity range of each other.
class DRIVESYS_API nSimilarFrequencies : public nMetaStruct {
    DS_RECORD(nSimilarFrequencies)
public:
    DS_JSON_PAIR(nSimilarFrequencies)

    int64_t ID = 0;
    std::vector<nWString> name;
    std::vector<double> value;
};

/// One user-defined frequency line; a new line is named with text 740.
class DRIVESYS_API nAdditionalFrequencies : public nMetaStruct {
    DS_RECORD(nAdditionalFrequencies)
public:
    DS_JSON_PAIR(nAdditionalFrequencies)

    int64_t ID = 0;
    nWString name;
    double freq = 0.0;
    double order = 1.0;
};

/// The crossings of one line with other lines: per crossed line its name and crossing values.
class DRIVESYS_API nIntersectingFrequencies : public nMetaStruct {
    DS_RECORD(nIntersectingFrequencies)
public:
    DS_JSON_PAIR(nIntersectingFrequencies)

    nWString name;
    double value = 0.0;
    std::vector<nWString> interLineName;
    std::vector<std::vector<double>> interValues;
};

/// One boundary element with its frequency; both members bound without default.
class DRIVESYS_API nBoundaryPropertiesFreq : public nMetaStruct {
    DS_RECORD(nBoundaryPropertiesFreq)
public:
    DS_JSON_PAIR(nBoundaryPropertiesFreq)

    nWString name;
    double freq = 0.0;
};

/// Settings and results of one exciting-frequency analysis.
class DRIVESYS_API nFrequencies : public nMetaStruct {
    DS_RECORD(nFrequencies)
public:
    DS_JSON_PAIR(nFrequencies)

    bool isConsistent = false;
    double numberOfHarmonics = 3.0;
    short gearCalcSelection = 1;
    short bearingCalcSelection = 1;
    short shaftCalcSelection = 1;
    short refSpeedSelection = 0;
    bool isToleranceRange = false;
    /// Chooses `toleranceRangePercent` (percent) over `toleranceRangeHz` (hertz).
    bool isToleranceRangeInPercent = true;
    double toleranceRangePercent = 25.0;
    double toleranceRangeHz = 50.0;
    int unitSelection = 0;

    // Gear-pair frequency kinds.
    bool isGearSelected = true;
    bool isGearMeshF = true;
    bool isAssembyF = true;
    bool isHuntingF = true;
    bool isPlanetaryDistriF = true;
    bool isPlanetaryLocalF = true;

    // Rolling-bearing frequency kinds.
    bool isBearingSelected = true;
    bool isFTF = true;
    bool isBSF = true;
    bool isBPFI = true;
    bool isBPFO = true;
    bool isBPF = true;

    bool isShaftSelected = true;
    /// Crossings with modal results (`modalResIntersection`).
    bool isModalResultsConsidered = false;
    /// Resonance-speed crossings (`nEintersection`).
    bool isGearCriticalSpeed = false;
    /// User lines (`additionalFrequencies`).
    bool isAdditionalFrequencies = false;
    bool isSidebandFrequencies = false;
    bool isSidebandHarmVariation = false;
    double sidebandNumberOfHarmonicVariation = 3.0;
    double speedMin = 1.0;
    double speedMax = 90.0;
    int64_t controlingBoundaryID = 0;
    int64_t shaftSelectionID = 0;
    bool isFindSimilar = false;
    double similarRange = 5.0;

    // Bounds found by the analysis.
    double nominalSpeed = 0.0;
    int maxSimilarFreq = 0;
    double maxGMF = 0.0;
    double minGMF = 0.0;
    double maxBearingFreq = 0.0;
    double minBearingFreq = 0.0;

    std::vector<nGearFrequencies> gearPairs;
    std::vector<nBearingFrequencies> bearings;
    std::vector<nShaftFrequencies> shafts;
    std::vector<nSimilarFrequencies> similarFreqGroup;
    std::vector<nAdditionalFrequencies> additionalFrequencies;
    std::vector<nAdditionalFrequencies> additionalFrequenciesOrder;
    std::vector<nIntersectingFrequencies> nEintersection;
    std::vector<nIntersectingFrequencies> modalResIntersection;
    std::vector<nIntersectingFrequencies> userFreqIntersection;
    std::vector<nBoundaryPropertiesFreq> boundaryProp;
};
