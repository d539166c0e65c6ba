#pragma once
// Shaft mathematics: the shaft description (WelleTyp) with its section list and gear table, and
// the mass and polar mass moment of inertia of the shaft material between two axial positions.
//
// Geometry is given in one length unit throughout (positions, diameters, widths); p2 of
// getMassOfShaftSection says how many metres that unit is. A section runs from zStart to zEnd
// and may be conical: its outer and inner diameters vary linearly between their values at the
// two ends. Sections are expected not to overlap; where they do, each one counts.
#include <cstddef>
#include <vector>

#include "drivesys/platform/drivesys_export.h"

namespace wmath {

/// One axial section of a shaft: a (possibly conical, possibly hollow) body of revolution.
struct DRIVESYS_API ShaftSection {
    double zStart = 0.0;
    double zEnd = 0.0;
    double outerDiameterStart = 0.0;
    double outerDiameterEnd = 0.0;
    double innerDiameterStart = 0.0;
    double innerDiameterEnd = 0.0;
};

/// A gear seated on the shaft: its axial centre position and its face width.
struct DRIVESYS_API ShaftGear {
    double position = 0.0;
    double width = 0.0;
};

/// Mass and polar mass moment of inertia of a piece of shaft; `ok` false when the input was
/// refused (the two values are then 0).
struct DRIVESYS_API ShaftSectionMass {
    bool ok = false;
    /// kg
    double mass = 0.0;
    /// kg·m², about the shaft axis
    double momentOfInertia = 0.0;
};

}  // namespace wmath

/// The shaft description: its sections in axial order and its gear table.
class DRIVESYS_API WelleTyp {
public:
    std::vector<wmath::ShaftSection> sections;
    std::vector<wmath::ShaftGear> gears;

    size_t numberOfGears() const { return gears.size(); }
    /// Gear entry `index`; null when there is no such gear.
    const wmath::ShaftGear* gear(size_t index) const { return index < gears.size() ? &gears[index] : nullptr; }
};

namespace wmath {

/// Mass and polar mass moment of inertia of the shaft material between the axial positions z1
/// and z2 (z1 <= z2), summed over the parts of the sections that lie in that range; parts of the
/// range outside every section add nothing.
///
/// p1: density of the shaft material in kg/m³.
/// p2: length unit of the geometry in metres (1 for m, 0.001 for mm); must be positive.
/// p3: bore switch: 0 treats every section as solid (inner diameters ignored), any other value
///     takes the inner bore away.
///
/// Per section, with outer radius R(z) and inner radius r(z) linear in z:
///   mass = p1 · ∫ π (R² − r²) dz,   moment of inertia = p1 · ∫ π/2 (R⁴ − r⁴) dz,
/// integrated exactly over the overlap of [z1, z2] with the section, lengths scaled by p2.
///
/// Refused (ok false, zero values): a non-finite argument, z2 < z1, a negative density, p2 not
/// positive, a section whose end lies before its start, or a section with a negative diameter
/// or an inner diameter above the outer one (when the bore counts).
DRIVESYS_API ShaftSectionMass getMassOfShaftSection(const std::vector<ShaftSection>& sections, double z1, double z2,
                                                    double p1, double p2, double p3);

}  // namespace wmath
