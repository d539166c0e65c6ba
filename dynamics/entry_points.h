#pragma once
// The exported functions of the dynamics family: the vibration input screen (Meta_S010), the
// library version and the gear mass correction.
#include "drivesys/dynamics/system_definition.h"
#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/wmath/welle.h"

class Meta;

/// Describes the data block of `definition` (SystemDefinition::data) to `meta`, one PutVar per
/// member in the fixed order of the vibration input screen, and returns 1. Members 1 to 6 of
/// SystemDefinition are not described. `meta` keeps pointers into `definition`: the definition
/// must outlive every use of the described variables. A null `meta` describes nothing.
DRIVESYS_API short Meta_S010(SystemDefinition& definition, Meta* meta);

/// The library's version number (2025).
DRIVESYS_API unsigned long GetQuelmVersion();

/// Reduces a gear's mass and polar mass moment of inertia by those of the shaft material under
/// the gear's width: the gear `gearIndex` of the shaft's gear table sits at z with width b; the
/// material between z − b/2 and z + b/2 (wmath::getMassOfShaftSection with p1, p2, p3 passed
/// unchanged: density, length unit, bore switch) is subtracted, and each result is clamped to 0
/// on its own when it became negative. Returns true.
///
/// A `gearIndex` beyond the gear table is refused: false, both values unchanged.
DRIVESYS_API bool correctGearMassProperties(unsigned int gearIndex, double p1, double p2, const WelleTyp& shaft,
                                            double& gearMass, double& gearMassMomentOfInertia, double p3);
