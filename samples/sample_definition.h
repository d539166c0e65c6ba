#pragma once
// The vibration definition of the sample two-stage gearbox (model/sample_gearbox.h), built from
// the same records: its three shafts, four gears on two meshes and six bearings, in SI units.
#include "drivesys/platform/drivesys_export.h"
#include "drivesys/solver/definition_json.h"

namespace ds {

/// Bearing and mesh stiffnesses are typical values for the sample's deep-groove ball bearings
/// (radial 1.5e8 … 3e8 N/m, locating bearings 5e7 N/m axially) and helical meshes (20 N/(mm·µm)
/// per mm of face width); gears are steel disks from bore to pitch diameter. The Campbell sweep
/// runs from 0 to 3000 1/min of the input shaft (nominal 1480 1/min).
SolverInput sampleGearboxSolverInput();

}  // namespace ds
