#pragma once
// Shafts of the system and the pieces of their contours.
#include <cstdint>
#include <vector>

#include "drivesys/foundation/geometry.h"
#include "drivesys/platform/nmath/ncolor.h"

/// A shaft: its place in the sketch, a cylinder outline, its contours, speeds (with the values
/// per load bin), temperatures in °C and the stress values for tension, bending, torsion and
/// shear. `carrierIndex` is the planet carrier the shaft belongs to (-1 for none).
class DRIVESYS_API Shaft : public AnnotatedData {
    DS_RECORD(Shaft)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 30;
    nWString color = NColor::fromScheme(0, 2).text();
    int carrierIndex = -1;
    double speed = 0.0;
    double relSpeed = 0.0;
    double pos = 0.0;
    double cylDa = 0.0;
    double cylDi = 0.0;
    double cylLength = 0.0;
    double width = 0.0;
    double mass = 0.0;
    bool sketcherAxisDefined = false;
    nWString outerGeometry;
    nWString innerGeometry;
    int itemType = 10;
    int64_t IdCloneRef = 0;
    double temperature = 20.0;
    double temperatureHousing = 20.0;
    double temperatureOil = 70.0;
    double stressRzug = 0.0;
    double stressRbieg = -1.0;
    double stressRdrm = 0.0;
    double stressRquer = -1.0;
    double referenceSpeed = 0.0;
    std::vector<double> spectrumSpeed;
    std::vector<double> spectrumRelSpeed;
    bool referenceCounterClockwise = false;
    std::vector<bool> spectrumCounterClockwise;
    double opacity = 1.0;
    std::vector<int64_t> shaftDotIds;
};

/// A piece of a shaft contour; `shaftId` is the `Id` of its shaft.
class DRIVESYS_API ShaftPiece : public nMetaStruct {
    DS_RECORD(ShaftPiece)
public:
    int64_t Id = 0;
    nWString name;
    int Type = 38;
    int64_t IdCloneRef = 0;
    int ContourType = 10010;
    int64_t dotId = 0;
    int64_t shaftId = 0;
};
