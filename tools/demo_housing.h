#pragma once
// The sample gearbox's box housing as the demo uses it: the shipped stiffness file when it is
// found above the tool's or the working folder, else the same housing made in memory.
#include <filesystem>
#include <string>

#include "drivesys/drivesys.h"

namespace drivesys_cli {

struct SampleHousingFile {
    FEStiffnessMatrixFile file;
    /// Where it came from, for the demo's texts.
    std::string source;
};

/// examples/data/box_housing.txt, searched upwards from the working folder and the tool's folder;
/// empty when not found.
std::filesystem::path findSampleHousing();
SampleHousingFile loadSampleHousing();

}  // namespace drivesys_cli
