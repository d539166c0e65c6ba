#pragma once
// Gear elements of the system: one record per gear. They hold the gear's identity, its basic
// geometry as the system needs it (the full gear calculation lives in the file named in
// `gearCalcFile`, the gear being number `gearIndexInCalc` in it), its load and its drawing in
// the sketch (`gearDiameter`, `gearTipToShaft`, `gearWidth`, default 100 by 100 with the tip 50
// from the shaft). Angles are in radians. Every gear has a given torque as an input by default
// (`isTorqueInput`); `mountingAngle` and `meshingAngle` each come with a flag telling whether the
// user set them.
//
// The members common to all gears stand in a different order in each record type; the order of
// declaration here is the order of each record's member list.
#include <cstdint>
#include <numbers>

#include "drivesys/foundation/geometry.h"
#include "drivesys/platform/nmath/ncolor.h"

/// A cylindrical gear; `mn` is the normal module, `beta` the helix angle.
class DRIVESYS_API CylGear : public AnnotatedData {
    DS_RECORD(CylGear)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 3;
    bool isPlanet = false;
    double di = 0.0;
    double mn = 0.0;
    double width = 0.0;
    double numOfTeeth = 0.0;
    double beta = 0.0;
    double alphan = 0.0;
    bool isAsymmetric = false;
    double alphanl = 0.0;
    double alphanr = 0.0;
    double pos = 0.0;
    short posFlag = 1;
    bool isDriven = false;
    bool isGearBodyFE = false;
    nWString gearCalcFile;
    int isShaftHubConnection = 0;
    int gearIndexInCalc = 0;
    double torque = 0.0;
    bool isTorqueInput = true;
    short handOfGear = 0;
    bool orientation = false;
    double mountingAngle = 0.0;
    bool isMountingAngleSet = false;
    double meshingAngle = 0.0;
    bool isMeshingAngleSet = false;
    double speed = 0.0;
    double relSpeed = 0.0;
    int itemType = 6;
    int64_t dotId = 0;
    double gearDiameter = 100.0;
    double gearTipToShaft = 50.0;
    bool diameterLocked = false;
    double gearWidth = 100.0;
    nWString color = NColor::fromScheme(0, 0).text();
    double opacity = 1.0;
    int numberOfPlanets = 1;
    int64_t IdCloneRef = 0;
};

/// A worm; `mx` is the axial module, `gamma` the lead angle.
class DRIVESYS_API Worm : public AnnotatedData {
    DS_RECORD(Worm)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 5;
    bool isPlanet = false;
    double di = 0.0;
    double mx = 0.0;
    double width = 0.0;
    double alphan = 0.0;
    bool isAsymmetric = false;
    double alphanl = 0.0;
    double alphanr = 0.0;
    double gamma = 0.0;
    double pos = 0.0;
    short posFlag = 1;
    double numOfTeeth = 0.0;
    bool isDriven = false;
    bool isGearBodyFE = false;
    int isShaftHubConnection = 0;
    nWString gearCalcFile;
    int gearIndexInCalc = 0;
    double torque = 0.0;
    bool isTorqueInput = true;
    short handOfGear = 0;
    bool orientation = false;
    double mountingAngle = 0.0;
    bool isMountingAngleSet = false;
    double meshingAngle = 0.0;
    bool isMeshingAngleSet = false;
    double speed = 0.0;
    double relSpeed = 0.0;
    int itemType = 13;
    int64_t dotId = 0;
    double gearDiameter = 100.0;
    double gearTipToShaft = 50.0;
    bool diameterLocked = false;
    double gearWidth = 100.0;
    nWString color = NColor::fromScheme(0, 0).text();
    double opacity = 1.0;
    int numberOfPlanets = 1;
    int64_t IdCloneRef = 0;
};

/// A worm wheel; `mt` is the transverse module, `beta` the helix angle.
class DRIVESYS_API WormGear : public AnnotatedData {
    DS_RECORD(WormGear)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 6;
    bool isPlanet = false;
    double di = 0.0;
    double mt = 0.0;
    double width = 0.0;
    double alphan = 0.0;
    bool isAsymmetric = false;
    double alphanl = 0.0;
    double alphanr = 0.0;
    double beta = 0.0;
    double pos = 0.0;
    short posFlag = 1;
    double numOfTeeth = 0.0;
    bool isDriven = false;
    bool isGearBodyFE = false;
    int isShaftHubConnection = 0;
    nWString gearCalcFile;
    int gearIndexInCalc = 0;
    double torque = 0.0;
    bool isTorqueInput = true;
    short handOfGear = 0;
    bool orientation = false;
    double mountingAngle = 0.0;
    bool isMountingAngleSet = false;
    double meshingAngle = 0.0;
    bool isMeshingAngleSet = false;
    double speed = 0.0;
    double relSpeed = 0.0;
    int itemType = 14;
    int64_t dotId = 0;
    double gearDiameter = 100.0;
    double gearTipToShaft = 50.0;
    bool diameterLocked = false;
    double gearWidth = 100.0;
    nWString color = NColor::fromScheme(0, 0).text();
    double opacity = 1.0;
    int numberOfPlanets = 1;
    int64_t IdCloneRef = 0;
};

/// A bevel or hypoid gear; `mmn` is the mean normal module, `betam` the mean spiral angle and
/// `delta` the cone angle (π/4 by default).
class DRIVESYS_API BevelHypoid : public AnnotatedData {
    DS_RECORD(BevelHypoid)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 4;
    bool isPlanet = false;
    double di = 0.0;
    double mmn = 0.0;
    double width = 0.0;
    double pos = 0.0;
    short posFlag = 1;
    double numOfTeeth = 0.0;
    double betam = 0.0;
    double delta = std::numbers::pi / 4;
    double alphan = 0.0;
    bool isAsymmetric = false;
    double alphanl = 0.0;
    double alphanr = 0.0;
    bool isDriven = false;
    bool isGearBodyFE = false;
    int isShaftHubConnection = 0;
    nWString gearCalcFile;
    int gearIndexInCalc = 0;
    double torque = 0.0;
    bool isTorqueInput = true;
    double speed = 0.0;
    double relSpeed = 0.0;
    short handOfGear = 0;
    double mountingAngle = 0.0;
    bool isMountingAngleSet = false;
    double meshingAngle = 0.0;
    bool isMeshingAngleSet = false;
    bool orientation = false;
    int itemType = 7;
    int64_t dotId = 0;
    double gearDiameter = 100.0;
    double gearTipToShaft = 50.0;
    bool diameterLocked = false;
    double gearWidth = 100.0;
    nWString color = NColor::fromScheme(0, 0).text();
    double opacity = 1.0;
    int numberOfPlanets = 1;
    int64_t IdCloneRef = 0;
};

/// A beveloid (conical involute) gear; `theta` is its cone angle.
class DRIVESYS_API BeveloidGear : public AnnotatedData {
    DS_RECORD(BeveloidGear)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 22;
    bool isPlanet = false;
    double di = 0.0;
    double mn = 0.0;
    double width = 0.0;
    double pos = 0.0;
    short posFlag = 1;
    bool isDriven = false;
    bool isGearBodyFE = false;
    int isShaftHubConnection = 0;
    nWString gearCalcFile;
    int gearIndexInCalc = 0;
    double torque = 0.0;
    bool isTorqueInput = true;
    double numOfTeeth = 0.0;
    double beta = 0.0;
    double alphan = 0.0;
    bool isAsymmetric = false;
    double alphanl = 0.0;
    double alphanr = 0.0;
    double speed = 0.0;
    double relSpeed = 0.0;
    short handOfGear = 0;
    bool orientation = false;
    double mountingAngle = 0.0;
    bool isMountingAngleSet = false;
    double meshingAngle = 0.0;
    bool isMeshingAngleSet = false;
    double theta = 0.0;
    int itemType = 15;
    int64_t dotId = 0;
    double gearDiameter = 100.0;
    double gearTipToShaft = 50.0;
    bool diameterLocked = false;
    double gearWidth = 100.0;
    nWString color = NColor::fromScheme(0, 0).text();
    double opacity = 1.0;
    int numberOfPlanets = 1;
    int64_t IdCloneRef = 0;
};

/// A face gear; `delta` is its cone angle (π/2 by default), `h_afg` and `h_ifg` heights of the
/// face gear.
class DRIVESYS_API FaceGear : public AnnotatedData {
    DS_RECORD(FaceGear)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 7;
    bool isPlanet = false;
    double di = 0.0;
    double mn = 0.0;
    double width = 0.0;
    double pos = 0.0;
    short posFlag = 1;
    double h_afg = 0.0;
    double h_ifg = 0.0;
    double numOfTeeth = 0.0;
    double beta = 0.0;
    double alphan = 0.0;
    bool isAsymmetric = false;
    double alphanl = 0.0;
    double alphanr = 0.0;
    double delta = std::numbers::pi / 2;
    bool isDriven = false;
    bool isGearBodyFE = false;
    int isShaftHubConnection = 0;
    nWString gearCalcFile;
    int gearIndexInCalc = 0;
    double torque = 0.0;
    bool isTorqueInput = true;
    double speed = 0.0;
    double relSpeed = 0.0;
    short handOfGear = 0;
    double mountingAngle = 0.0;
    bool isMountingAngleSet = false;
    double meshingAngle = 0.0;
    bool isMeshingAngleSet = false;
    bool orientation = false;
    int itemType = 9;
    int64_t dotId = 0;
    double gearDiameter = 100.0;
    double gearTipToShaft = 50.0;
    bool diameterLocked = false;
    double gearWidth = 100.0;
    nWString color = NColor::fromScheme(0, 0).text();
    double opacity = 1.0;
    int numberOfPlanets = 1;
    int64_t IdCloneRef = 0;
};

/// A rope sheave, which the system treats like a gear: `da` is its outer diameter, `loopAngle`
/// the rope's angle of wrap, `circForce` the circumferential force and the two strand forces
/// those of the loaded and the unloaded strand.
class DRIVESYS_API RopeSheave : public AnnotatedData {
    DS_RECORD(RopeSheave)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 11;
    double da = 0.0;
    bool isPlanet = false;
    double di = 0.0;
    double mn = 0.0;
    double width = 0.0;
    double numOfTeeth = 0.0;
    double beta = 0.0;
    double alphan = 0.0;
    bool isAsymmetric = false;
    double alphanl = 0.0;
    double alphanr = 0.0;
    double pos = 0.0;
    short posFlag = 1;
    bool isDriven = false;
    bool isGearBodyFE = false;
    int isShaftHubConnection = 0;
    nWString gearCalcFile;
    int gearIndexInCalc = 0;
    double torque = 0.0;
    bool isTorqueInput = true;
    short handOfGear = 0;
    bool orientation = false;
    double mountingAngle = 0.0;
    bool isMountingAngleSet = false;
    double meshingAngle = 0.0;
    bool isMeshingAngleSet = false;
    double speed = 0.0;
    double relSpeed = 0.0;
    int itemType = 16;
    int64_t dotId = 0;
    double gearDiameter = 100.0;
    double gearTipToShaft = 50.0;
    bool diameterLocked = false;
    double gearWidth = 100.0;
    nWString color = NColor::fromScheme(0, 8).text();
    double opacity = 1.0;
    int numberOfPlanets = 1;
    double loopAngle = 0.0;
    double circForce = 0.0;
    double unloadedStrandForce = 0.0;
    double loadedStrandForce = 0.0;
    int64_t IdCloneRef = 0;
};
