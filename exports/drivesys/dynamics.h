#pragma once
// System dynamics: the vibration-calculation definition with its screen description, the gear
// mass correction, the library version, the result tree of a calculation and its module
// variables.
#include "drivesys/dynamics/dynamics_definitions.h"
#include "drivesys/dynamics/entry_points.h"
#include "drivesys/dynamics/module_variables.h"
#include "drivesys/dynamics/system_definition.h"
#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/platform/nmath/meta.h"
