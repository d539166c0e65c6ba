#pragma once
// Couplings, planet carriers and switchable connections (synchronisers, clutches).
//
// Loads come as force and moment components (`forceX` ... `momentZ`), each with its value at
// the reference operating point (`reference...`) and its values per load bin (`spectrum...`,
// one entry per bin, empty when no spectrum is used); likewise the torque and the driven flag.
// `loadSpectrum` is the identifier text of the load spectrum in use.
#include <cstdint>
#include <vector>

#include "drivesys/foundation/geometry.h"
#include "drivesys/model/ndofspectrum.h"
#include "drivesys/platform/nmath/ncolor.h"

/// A coupling on a shaft with its load; `isInForceTransfer` is set when the load is passed on by
/// a force transfer.
class DRIVESYS_API Coupling : public AnnotatedData {
    DS_RECORD(Coupling)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 12;
    double width = 0.0;
    double da = 0.0;
    double di = 0.0;
    double pos = 0.0;
    short posFlag = 1;
    bool isDriven = false;
    double torque = 0.0;
    bool isTorqueInput = true;
    int isShaftHubConnection = 0;
    bool orientation = false;
    double speed = 0.0;
    double relSpeed = 0.0;
    double forceX = 0.0;
    double forceY = 0.0;
    double forceZ = 0.0;
    double momentX = 0.0;
    double momentZ = 0.0;
    double referenceForceX = 0.0;
    double referenceForceY = 0.0;
    double referenceForceZ = 0.0;
    double referenceMomentX = 0.0;
    double referenceMomentZ = 0.0;
    bool isInForceTransfer = false;
    std::vector<double> spectrumForceX;
    std::vector<double> spectrumForceY;
    std::vector<double> spectrumForceZ;
    std::vector<double> spectrumMomentX;
    std::vector<double> spectrumMomentZ;
    int numberOfPlanets = 1;
    int64_t dotId = 0;
    int64_t IdCloneRef = 0;
    double referenceTorque = 0.0;
    std::vector<double> spectrumTorque;
    bool referenceDriven = false;
    std::vector<bool> spectrumDriven;
    nWString loadSpectrum = L"10050";
    bool isPlanet = false;
    nWString color = NColor::fromScheme(0, 1).text();
    double opacity = 1.0;
    int itemType = 4;
};

/// A planet carrier: the members of a coupling, plus `updatePlanetCopies` and
/// `oldNumberOfPlanets`, the planet count before the last change.
class DRIVESYS_API Carrier : public AnnotatedData {
    DS_RECORD(Carrier)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 28;
    double width = 0.0;
    double da = 0.0;
    double di = 0.0;
    double pos = 0.0;
    short posFlag = 1;
    bool isDriven = false;
    double forceX = 0.0;
    double forceY = 0.0;
    double forceZ = 0.0;
    double momentX = 0.0;
    double momentZ = 0.0;
    double referenceForceX = 0.0;
    double referenceForceY = 0.0;
    double referenceForceZ = 0.0;
    double referenceMomentX = 0.0;
    double referenceMomentZ = 0.0;
    std::vector<double> spectrumForceX;
    std::vector<double> spectrumForceY;
    std::vector<double> spectrumForceZ;
    std::vector<double> spectrumMomentX;
    std::vector<double> spectrumMomentZ;
    bool isInForceTransfer = false;
    double torque = 0.0;
    bool isTorqueInput = true;
    bool updatePlanetCopies = true;
    bool orientation = false;
    double speed = 0.0;
    double relSpeed = 0.0;
    int numberOfPlanets = 1;
    int oldNumberOfPlanets = 1;
    int64_t dotId = 0;
    int64_t IdCloneRef = 0;
    double referenceTorque = 0.0;
    std::vector<double> spectrumTorque;
    bool referenceDriven = false;
    std::vector<bool> spectrumDriven;
    nWString loadSpectrum = L"10050";
    nWString color = NColor::fromRgb(160, 70, 120).text();
    double opacity = 1.0;
    int itemType = 2;
};

/// A switchable connection (synchroniser or clutch) between an inner and an outer element.
/// `isSwitching` and `switchStates` (one flag per operating state) describe the switching,
/// `currentStatus` whether it is closed; `isWithStiffness` with `stiffness` and `isWithClearance`
/// with the two clearances its compliance; `loadSpectrum` holds its load-spectrum settings per
/// degree of freedom. The placement members are those of a support.
class DRIVESYS_API Synchro : public AnnotatedData {
    DS_RECORD(Synchro)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 31;
    int fixation = 0;
    bool isSwitching = false;
    int isShaftHubConnection = 0;
    bool isInPlanetGroup = false;
    bool isPowerFlowing = false;
    bool currentStatus = true;
    std::vector<bool> switchStates;
    bool isWithStiffness = false;
    bool isWithClearance = false;
    double stiffness = 10.0;
    double counterclockwiseClearance = 1.0;
    double clockwiseClearance = 1.0;
    NDofSpectrum loadSpectrum;
    double width = 0.0;
    double da = 0.0;
    double di = 0.0;
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
    double speed = 0.0;
    int itemType = 5;
    int64_t dotId = 0;
    int64_t IdCloneRef = 0;
    int statusUx = 0;
    int statusUy = 0;
    int statusUz = 0;
    int statusRx = 0;
    int statusRz = 0;
    nWString color = NColor::fromScheme(0, 8).text();
    double opacity = 1.0;
    int64_t dotId2 = 0;
};
