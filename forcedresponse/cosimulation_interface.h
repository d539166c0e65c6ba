#pragma once
// What the system hands to the multibody co-simulation export: flexible-body settings, the
// bushings that connect shafts and housing, and the gear and shaft bodies with their geometry
// files. Every record reads and writes JSON through its JSON pair (to_json/from_json): null
// changes nothing, a non-object is refused with std::invalid_argument, and a member whose key is
// missing or whose value does not convert keeps its value. None of these records has `==`.
#include <cstdint>
#include <vector>

#include "drivesys/foundation/record.h"

/// One bushing: an elastic connection at a bore. A new bushing is named with text 740.
class DRIVESYS_API nBushingElement : public nMetaStruct {
    DS_RECORD(nBushingElement)
public:
    DS_JSON_PAIR(nBushingElement)

    nWString name;
    int bushingID = 0;
    double dampingFactor = 0.0;
    double boreWidth = 0.0;
    double boreDiameter = 0.0;
    /// Placement: a point and two axis directions, each a list of coordinates.
    std::vector<double> origin;
    std::vector<double> xAxis;
    std::vector<double> yAxis;
    /// Translational and rotational stiffness values.
    std::vector<double> tra_Stiffness;
    std::vector<double> rot_Stiffness;
};

/// One gear body; `stepFile` names its geometry file.
class DRIVESYS_API nGearElement : public nMetaStruct {
    DS_RECORD(nGearElement)
public:
    DS_JSON_PAIR(nGearElement)

    nWString gearName;
    nWString gearCalcName;
    int64_t gearId = 0;
    nWString gearIcon;
    int64_t gearCalcId = 0;
    nWString stepFile;
};

/// One shaft body; `stepFile` names its geometry file.
class DRIVESYS_API nShaftElement : public nMetaStruct {
    DS_RECORD(nShaftElement)
public:
    DS_JSON_PAIR(nShaftElement)

    nWString shaftName;
    int64_t shaftId = 0;
    nWString shaftIcon;
    nWString shaftCalcName;
    int64_t shaftCalcId = 0;
    nWString stepFile;
};

/// The co-simulation export settings.
///
/// The three check-box flags and the gear and shaft body lists are outside the member list:
/// they are copied, moved and reset with the record, but are not registered, not bound by
/// makeMeta and neither written to nor read from JSON. The host fills the body lists.
class DRIVESYS_API nNorvaneRecurDynInterface : public nMetaStruct {
    DS_RECORD(nNorvaneRecurDynInterface)
public:
    DS_JSON_PAIR(nNorvaneRecurDynInterface)

    double maxElementSizeRecurDyn = 10.0;
    double minElementSizeRecurDyn = 0.1;
    unsigned numNormalModesRecurDyn = 20;
    bool getGearStep = false;
    bool getShaftStep = false;
    bool getBushingElementsData = false;
    std::vector<nBushingElement> mBushingElements;
    std::vector<nGearElement> gearElements;
    std::vector<nShaftElement> shaftElements;
};
