#pragma once
// Loads and masses placed on shafts: magnetic forces, centric and eccentric loads, additional
// masses. Each carries force and moment components with reference values and values per load
// bin, a torque and a driven flag likewise, and `loadSpectrum`, the identifier text of the load
// spectrum in use.
#include <cstdint>
#include <vector>

#include "drivesys/foundation/geometry.h"
#include "drivesys/platform/nmath/ncolor.h"

/// A magnetic force acting on a shaft at a position.
class DRIVESYS_API MagneticForce : public AnnotatedData {
    DS_RECORD(MagneticForce)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 14;
    int64_t IdCloneRef = 0;
    double pos = 0.0;
    short posFlag = 1;
    double width = 0.0;
    double torque = 0.0;
    double speed = 0.0;
    double relSpeed = 0.0;
    bool isTorqueInput = true;
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
    double da = 0.0;
    double di = 0.0;
    bool orientation = false;
    int64_t dotId = 0;
    double referenceTorque = 0.0;
    std::vector<double> spectrumTorque;
    bool referenceDriven = false;
    std::vector<bool> spectrumDriven;
    nWString color = NColor::fromScheme(0, 5).text();
    double opacity = 1.0;
    nWString loadSpectrum = L"10050";
    int itemType = 20;
};

/// A load acting on the shaft axis.
class DRIVESYS_API CentricalLoad : public AnnotatedData {
    DS_RECORD(CentricalLoad)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 1;
    int64_t IdCloneRef = 0;
    double pos = 0.0;
    short posFlag = 1;
    double width = 0.0;
    double torque = 0.0;
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
    double speed = 0.0;
    double relSpeed = 0.0;
    bool isTorqueInput = true;
    bool isDriven = false;
    double da = 0.0;
    double di = 0.0;
    bool orientation = false;
    int64_t dotId = 0;
    double referenceTorque = 0.0;
    std::vector<double> spectrumTorque;
    bool referenceDriven = false;
    std::vector<bool> spectrumDriven;
    nWString color = NColor::fromScheme(0, 5).text();
    double opacity = 1.0;
    nWString loadSpectrum = L"10050";
    int itemType = 17;
};

/// A load acting off the shaft axis: its point of action is given in Cartesian form (`posX`,
/// `posZ`) or in polar form (`posR`, `anglePhi`), `isPolarInput` telling which is used.
class DRIVESYS_API ExcentricalLoad : public AnnotatedData {
    DS_RECORD(ExcentricalLoad)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 2;
    int64_t IdCloneRef = 0;
    double pos = 0.0;
    double posX = 0.0;
    double posZ = 0.0;
    double posR = 0.0;
    short posFlag = 1;
    double anglePhi = 0.0;
    bool isPolarInput = false;
    double width = 0.0;
    double torque = 0.0;
    double speed = 0.0;
    double relSpeed = 0.0;
    bool isTorqueInput = true;
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
    double da = 0.0;
    double di = 0.0;
    bool orientation = false;
    int64_t dotId = 0;
    double referenceTorque = 0.0;
    std::vector<double> spectrumTorque;
    bool referenceDriven = false;
    std::vector<bool> spectrumDriven;
    nWString color = NColor::fromScheme(0, 5).text();
    double opacity = 1.0;
    nWString loadSpectrum = L"10050";
    int itemType = 18;
};

/// An additional mass on a shaft, with its position, size, speeds and load.
class DRIVESYS_API AdditionalMass : public AnnotatedData {
    DS_RECORD(AdditionalMass)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 13;
    int64_t IdCloneRef = 0;
    double pos = 0.0;
    short posFlag = 1;
    double width = 0.0;
    double da = 0.0;
    double di = 0.0;
    double speed = 0.0;
    double relSpeed = 0.0;
    double torque = 0.0;
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
    bool orientation = false;
    int64_t dotId = 0;
    double referenceTorque = 0.0;
    std::vector<double> spectrumTorque;
    bool referenceDriven = false;
    std::vector<bool> spectrumDriven;
    nWString color = NColor::fromScheme(0, 5).text();
    double opacity = 1.0;
    nWString loadSpectrum = L"10050";
    int itemType = 19;
};
