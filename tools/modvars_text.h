#pragma once
// The module-variables block of a result, as text. The library's writers take a wide-string file
// name and append to it; the tool lets them write into a fresh temporary file with an ASCII name
// and then places the block itself (appendOutput: one write, byte-exact paths, failures reported).
#include <string>

#include "drivesys/dynamics/module_variables.h"
#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/housing/housing_deformation.h"

namespace drivesys_cli {

std::string moduleVariablesText(const SystemVibrationResults& results);
std::string moduleVariablesText(const HousingDeformationResults& results);

}  // namespace drivesys_cli
