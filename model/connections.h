#pragma once
// Connections between elements: kinematic connections, gear meshes (constraints), force
// transfers, power splits and power-loss elements.
//
// Values that change per load bin come as a value at the reference operating point
// (`reference...`) and a list per bin (`spectrum...`, empty when no spectrum is used); the
// `...Copies` lists hold one value per planet copy, `currentPlanet` and `copyNumber` the copy a
// record stands for.
#include <cstdint>
#include <numbers>
#include <vector>

#include "drivesys/foundation/geometry.h"
#include "drivesys/platform/nmath/ncolor.h"

/// A kinematic connection between two elements (`element1`, `element2` by name, `IdElement1`,
/// `IdElement2` by `Id`) fixing torque, speed and power ratios, each used when its `consider...`
/// flag is set. Its position is given in spherical coordinates relative to a reference
/// constraint, with an axis rotation.
class DRIVESYS_API CouplingConnection : public AnnotatedData {
    DS_RECORD(CouplingConnection)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 26;
    nWString element1;
    nWString element2;
    int64_t IdElement1 = 0;
    int64_t IdElement2 = 0;
    double torqueRatio = -1.0;
    double speedRatio = 1.0;
    double powerRatio = -1.0;
    std::vector<double> spectrumTorqueRatio;
    std::vector<double> spectrumSpeedRatio;
    std::vector<double> spectrumPowerRatio;
    double speedEfficiency = 1.0;
    bool considerSpeedEfficiency = false;
    bool considerTorqueRatio = true;
    bool considerPowerRatio = false;
    bool considerSpeedRatio = true;
    int itemType = 23;
    double positionR = 0.0;
    int64_t IdReferenceConst = 0;
    bool belowReferenceConst = false;
    double positionTheta = 0.0;
    double positionPhi = 0.0;
    double axisRotationThetaX = 0.0;
    double axisRotationThetaY = 0.0;
    double axisRotationThetaZ = 0.0;
    std::vector<double> positionRCopies;
    std::vector<double> positionThetaCopies;
    std::vector<double> positionPhiCopies;
    std::vector<double> axisRotationThetaXCopies;
    std::vector<double> axisRotationThetaYCopies;
    std::vector<double> axisRotationThetaZCopies;
    int64_t IdReferenceShaft = 0;
    int currentPlanet = 0;
    int copyNumber = 0;
    int64_t IdCloneRef = 0;
    int numberOfPlanets = 1;
};

/// The mesh between two gears: the gears and their shafts by name and `Id`, the centre distance
/// `a`, the ratio, the shaft angle `sigma` (π/2 by default), offsets, the operating values of the
/// mesh (`dw1`, `dw2`, `betaw`, `alphawn`, load lengths), its power loss, stiffness and errors,
/// and torques, speeds and driven flags of both gears.
///
/// `alphawt` and `contactRatio` (after `alphawn`) are working values of the host: copied with the
/// record, but not in its member list, so neither registered, bound to the Meta nor serialised.
class DRIVESYS_API Constraint : public AnnotatedData {
    DS_RECORD(Constraint)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 33;
    bool konsistent = false;
    int64_t IdReferenceShaft = 0;
    double torque1 = 0.0;
    double torque2 = 0.0;
    double speed1 = 0.0;
    std::vector<double> spectrumSpeed1;
    double speed2 = 0.0;
    std::vector<double> spectrumSpeed2;
    double speedCarrier = 0.0;
    std::vector<double> spectrumSpeedCarrier;
    nWString calculation;
    nWString gear1;
    nWString gear2;
    nWString gear1OnShaft;
    nWString gear2OnShaft;
    int64_t IdElement1 = 0;
    int64_t IdElement2 = 0;
    double a = 0.0;
    double ratio = 0.0;
    bool considerRatio = false;
    bool considerZ1 = true;
    bool considerZ2 = true;
    double sigma = std::numbers::pi / 2;
    bool isShaftAngleSet = false;
    double av = 0.0;
    double bv = 0.0;
    double forceOffset1 = 0.0;
    double forceOffset2 = 0.0;
    double apos = 0.0;
    int64_t IdReferenceConst = 0;
    bool belowReferenceConst = false;
    std::vector<double> aCopies;
    std::vector<double> aposCopies;
    std::vector<double> thetaYCopies;
    std::vector<double> bvCopies;
    std::vector<double> forceOffsetCopies1;
    std::vector<double> forceOffsetCopies2;
    int currentPlanet = 0;
    int copyNumber = 0;
    double apos1 = 0.0;
    double apos2 = 0.0;
    double lenload = 0.0;
    double dw1 = 0.0;
    double dw2 = 0.0;
    double lengthLoad = 0.0;
    double betaw = 0.0;
    double alphawn = 0.0;
    // Not in the member list (host working values).
    double alphawt = 0.0;
    double contactRatio = 0.0;
    double loss = 0.0;
    double axisRotationThetaY = 0.0;
    double referenceTorque1 = 0.0;
    std::vector<double> spectrumTorque1;
    double referenceTorque2 = 0.0;
    std::vector<double> spectrumTorque2;
    bool referenceDriven1 = false;
    std::vector<bool> spectrumDriven1;
    bool referenceDriven2 = false;
    std::vector<bool> spectrumDriven2;
    nWString loadSpectrum1 = L"10050";
    nWString loadSpectrum2 = L"10050";
    int itemType = 12;
    int64_t IdCloneRef = 0;
    short stiffnessType = 0;
    double stiffness = 0.0;
    double frictionCoeff = 0.0;
    double pitchError = 0.0;
    short CAcenterDistanceTol = 4;
    double CAcenterDistance = 0.0;
    double planetPitchError = 0.0;
    int numberOfPlanets = 1;
};

/// A transfer of load between two elements (`element1`, `element2` by name, `IdElement1`,
/// `IdElement2` by `Id`).
///
/// Its sketch item type (`itemType`, 36) is fixed and not in the member list: it is copied with the
/// record but neither registered, bound to the Meta nor serialised.
class DRIVESYS_API ForceTransfer : public AnnotatedData {
    DS_RECORD(ForceTransfer)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 32;
    nWString element1;
    nWString element2;
    int64_t IdElement1 = 0;
    int64_t IdElement2 = 0;
    int64_t IdCloneRef = 0;

    // Not in the member list.
    int itemType = 36;
};

/// A share of power: `IdShareRef` names the element whose power is shared, `percentage` the
/// share, `isGiven` whether the share is an input.
class DRIVESYS_API Powersplit : public AnnotatedData {
    DS_RECORD(Powersplit)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 27;
    int itemType = 26;
    int64_t IdCloneRef = 0;
    int64_t IdShareRef = 0;
    double percentage = 0.0;
    bool isGiven = false;
};

/// A power-loss element between two elements at an axial position, with a diameter (taken from
/// the shaft when `diameterFromShaft` is set). The loss is given by `efficiency` (used when
/// `considerEfficiency` is set) or `lossRatio`, or as a power or torque loss, scaled by
/// `correctionFactor`; `sealLossMethod` selects the method for seal losses and
/// `meshingLossFromCA` takes mesh losses from contact analysis.
class DRIVESYS_API Powerloss : public AnnotatedData {
    DS_RECORD(Powerloss)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 15;
    nWString element1;
    nWString element2;
    double pos = 0.0;
    short posFlag = 1;
    double width = 0.0;
    double diameter = 0.0;
    bool diameterFromShaft = true;
    short sealLossMethod = 0;
    bool meshingLossFromCA = false;
    bool considerPowerLoss = false;
    bool considerTorqueLoss = false;
    double efficiency = 1.0;
    double lossRatio = 0.0;
    std::vector<double> spectrumEfficiency;
    std::vector<double> spectrumLossRatio;
    bool considerEfficiency = true;
    int64_t IdCloneRef = 0;
    double torque = 0.0;
    double correctionFactor = 1.0;
    std::vector<double> spectrumTorque;
    int64_t IdElement = 0;
    int itemType = 25;
    double torque1 = 0.0;
    double torque2 = 0.0;
    bool driven1 = false;
    bool driven2 = false;
    double referenceTorque1 = 0.0;
    std::vector<double> spectrumTorque1;
    double referenceTorque2 = 0.0;
    std::vector<double> spectrumTorque2;
    bool referenceDriven1 = false;
    std::vector<bool> spectrumDriven1;
    bool referenceDriven2 = false;
    std::vector<bool> spectrumDriven2;
    nWString loadSpectrum1 = L"10050";
    nWString loadSpectrum2 = L"10050";
    double power = 0.0;
    int numberOfPlanets = 1;
    bool isPlanet = false;
    nWString color = NColor::fromScheme(0, 9).text();
    double opacity = 1.0;
    std::vector<double> spectrumPower;
};
