#pragma once
// The box housing of the sample two-stage gearbox (samples/sample_gearbox.h): two end walls of
// steel strips around the six bearing bores, joined by four long edges and standing on four
// feet, reduced onto its ten interface nodes — the six bore centres, where the bearings sit, and
// the four top corners, the cover's attachment points, which carry nothing — with six
// fixed-interface modes (samples/frame_housing.h). Its file (mm, N, t) is the one shipped as
// examples/data/box_housing.txt.
//
// FE frame: x up (the shafts' stacking, global z of the gearbox's vibration definition), y across
// (global x), z along the shafts (global y); origin at the gearbox's origin. A bore centre stands
// at (height of its shaft, 0, axial position of its bearing), so each bearing finds its node at a
// distance of 0.
#include <string>
#include <vector>

#include "drivesys/platform/nfem/festiffnessfile.h"
#include "drivesys/solver/housing_definition.h"

namespace ds {

struct SampleGearboxHousing {
    FEStiffnessMatrixFile file;
    /// Per shaft (input, intermediate, output), its two bearing points in the FE frame (mm), in
    /// the order of the sample's bearings.
    std::vector<std::vector<NVektor>> bearingPoints;
    /// The FE frame in the gearbox's global frame: origin (mm) and unit axes.
    std::vector<NVektor> frame;
};

SampleGearboxHousing makeSampleGearboxHousing();

/// The housing as stiffness-file text, with comment lines that say what it is.
std::string sampleHousingFileText(const SampleGearboxHousing& housing);

/// The housing section of the sample gearbox's vibration definition: the file (named
/// `stiffnessFile`), loss factor 0.01, the FE frame, every bearing on its bore by the nearest-node
/// mapping (within 1 mm).
HousingDefinition sampleHousingDefinition(const SampleGearboxHousing& housing, const std::string& stiffnessFile);

}  // namespace ds
