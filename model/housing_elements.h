#pragma once
// The housing of the system, boundary conditions, groups of elements and sketch dots.
#include <cstdint>
#include <vector>

#include "drivesys/foundation/geometry.h"
#include "drivesys/platform/nmath/ncolor.h"

/// The housing of the system: its stiffness-matrix and geometry files, the unit systems of its
/// data, the settings of the housing-deformation iteration, its frame `nSys` (computed when
/// `calculatePosition` is set), a simple shape (box or cylinder, chosen by `housingType`), its
/// placement in spherical coordinates with an axis rotation, and its connection nodes.
///
/// `parasolidPart` and `nSys` are bound to the Meta without a default. `color` and `opacity`
/// (after `showNodes`) are the housing's look in the 3D view: copied with the record, but not in
/// its member list, so neither registered, bound to the Meta nor serialised.
class DRIVESYS_API Housing : public nMetaStruct {
    DS_RECORD(Housing)
public:
    int64_t Id = 0;
    nWString name;
    nWString stiffnessMatrixFileName;
    nWString stepModelFileName;
    int parasolidPart = 0;
    int housingSystemOfUnits = 8;
    int housingInitialUnits = 8;
    double housingTolerance = 5.0;
    unsigned housingMaxNumberOfIterations = 10;
    int Type = 29;
    bool isUsedForHousingDeformation = false;
    double pos = 0.0;
    NvCoordinateSystem nSys;
    bool calculatePosition = false;
    int housingType = 0;
    double boxLength = 0.0;
    double boxWidth = 0.0;
    double boxHeight = 0.0;
    double cylinderlength = 0.0;
    double cylinderLengthDirection = 1.0;
    double cylinderDiameter = 0.0;
    int64_t positionReference = 0;
    double positionR = 0.0;
    double positionTheta = 0.0;
    double positionPhi = 0.0;
    int64_t axisRotationReference = 0;
    double axisRotationThetaX = 0.0;
    double axisRotationThetaY = 0.0;
    double axisRotationThetaZ = 0.0;
    int64_t IdCloneRef = 0;
    std::vector<int64_t> nodeIds;
    std::vector<int64_t> nodeBearingIds;
    std::vector<double> nodeXCoords;
    std::vector<double> nodeYCoords;
    std::vector<double> nodeZCoords;
    int housingMaterial = 0;
    bool isVisibleIn3D = true;
    bool showNodes = false;

    // Not in the member list.
    nWString color = NColor::fromScheme(0, 10).text();
    double opacity = 0.5;
};

/// A boundary condition on an element (`element` by name, `IdElement` by `Id`): a given power,
/// torque or speed, each used when its `consider...` flag is set, with values per load bin and,
/// per operating state, a flag and a value; `referenceId` names the reference element.
class DRIVESYS_API Boundary : public AnnotatedData {
    DS_RECORD(Boundary)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 25;
    nWString element;
    double power = 0.0;
    double torque = 0.0;
    double speed = 0.0;
    double relSpeed = 0.0;
    std::vector<double> spectrumPower;
    std::vector<double> spectrumSpeed;
    std::vector<double> spectrumTorque;
    int64_t IdElement = 0;
    bool considerPower = false;
    bool considerTorque = false;
    bool considerSpeed = false;
    std::vector<bool> powerStates;
    std::vector<bool> torqueStates;
    std::vector<bool> speedStates;
    std::vector<double> powerValues;
    std::vector<double> torqueValues;
    std::vector<double> speedValues;
    int64_t dotId = 0;
    int64_t referenceId = 0;
    int64_t IdCloneRef = 0;
    int itemType = 24;
};

/// A group of elements in the sketch; `autoFill` fills the group automatically.
class DRIVESYS_API Group : public nMetaStruct {
    DS_RECORD(Group)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 23;
    bool autoFill = false;
    int64_t IdCloneRef = 0;
};

/// A point of the sketch at (`x`, `y`) on a shaft (`shaftId`), to which an item
/// (`connectedItem`) and a loss element (`connectedLoss`) may be connected, each by `Id`.
class DRIVESYS_API SketcherDot : public nMetaStruct {
    DS_RECORD(SketcherDot)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 36;
    int itemType = 1;
    double x = 0.0;
    double y = 0.0;
    int64_t shaftId = 0;
    int64_t connectedLoss = 0;
    int64_t IdCloneRef = 0;
    int64_t connectedItem = 0;
};
