#pragma once
// Rolling bearings, journal bearings and general supports: the elements that hold a shaft in
// the housing or on a second shaft (`IdElementInner`, `IdElementOuter`).
#include <cstdint>

#include "drivesys/foundation/geometry.h"
#include "drivesys/platform/nmath/ncolor.h"

/// A rolling bearing. `dbid` is the database identifier of the bearing type, `identifier`,
/// `tId` and `bId` further identifiers of its type and series; `fixation` the directions it
/// holds; `di`, `da`, `width` its bore, outer diameter and width.
class DRIVESYS_API Bearing : public AnnotatedData {
    DS_RECORD(Bearing)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 16;
    int dbid = 10010;
    nWString comment = L" ";
    int identifier = 0;
    int fixation = 0;
    double di = 0.0;
    double da = 0.0;
    double width = 0.0;
    int tId = 0;
    int bId = 0;
    double posInner = 0.0;
    double posOuter = 0.0;
    double posGroup = 0.0;
    short posFlag = 1;
    bool isConnecting = false;
    int64_t IdElementInner = 0;
    int64_t IdElementOuter = 0;
    int itemType = 3;
    double speed = 0.0;
    int64_t dotId = 0;
    int64_t IdCloneRef = 0;
    nWString color = NColor::fromScheme(0, 7).text();
    double opacity = 1.0;
    int64_t dotId2 = 0;
};

/// A plain (journal) bearing with a stiffness value.
class DRIVESYS_API JournalBearing : public AnnotatedData {
    DS_RECORD(JournalBearing)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 17;
    int fixation = 0;
    double di = 0.0;
    double da = 0.0;
    double width = 0.0;
    double stiffness = 0.0;
    double posInner = 0.0;
    double posOuter = 0.0;
    double posGroup = 0.0;
    short posFlag = 1;
    bool isConnecting = false;
    int64_t IdElementInner = 0;
    int64_t IdElementOuter = 0;
    double speed = 0.0;
    int itemType = 21;
    int64_t dotId = 0;
    int64_t IdCloneRef = 0;
    nWString color = NColor::fromScheme(0, 7).text();
    double opacity = 1.0;
    int64_t dotId2 = 0;
};

/// A general support. `status...` tell per degree of freedom whether it is held (0 = default
/// state); `referenceGear` (-1 for none), `referenceMesh` and `isReferenceGearUsed` tie its
/// position to a gear mesh; `radiusToContact` and `positionOfContact` place its contact point.
///
/// The members after `dotId2` are working values of the host: they are copied with the record
/// but are not in its member list, so they are neither registered, bound to the Meta nor
/// written to or read from JSON.
class DRIVESYS_API Support : public AnnotatedData {
    DS_RECORD(Support)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 18;
    int fixation = 0;
    double di = 0.0;
    double da = 0.0;
    double width = 0.0;
    double posInner = 0.0;
    double posOuter = 0.0;
    double posGroup = 0.0;
    short posFlag = 1;
    bool isConnecting = false;
    bool isThrustConeBearing = false;
    int referenceGear = -1;
    int64_t referenceMesh = 0;
    bool isReferenceGearUsed = false;
    double radiusToContact = 0.0;
    bool isRadiusToContactUsed = false;
    double positionOfContact = 0.0;
    int64_t IdElementInner = 0;
    int64_t IdElementOuter = 0;
    int statusUx = 0;
    int statusUy = 0;
    int statusUz = 0;
    int statusRx = 0;
    int statusRz = 0;
    double speed = 0.0;
    int itemType = 22;
    int64_t dotId = 0;
    int64_t IdCloneRef = 0;
    nWString color = NColor::fromScheme(0, 7).text();
    double opacity = 1.0;
    int64_t dotId2 = 0;

    // Not in the member list (host working values).
    int statusRy = 0;
    double stiffnessRy = 0.0;
    bool isSelected = false;
};
