#include "drivesys/dynamics/entry_points.h"

bool correctGearMassProperties(unsigned int gearIndex, double p1, double p2, const WelleTyp& shaft, double& gearMass,
                               double& gearMassMomentOfInertia, double p3) {
    const wmath::ShaftGear* gear = shaft.gear(gearIndex);
    if (!gear) return false;
    const double z = gear->position, b = gear->width;
    // The section routine's own success flag is not consulted: a refused range takes nothing away.
    const wmath::ShaftSectionMass under = wmath::getMassOfShaftSection(shaft.sections, z - b / 2.0, z + b / 2.0, p1, p2, p3);
    gearMass -= under.mass;
    gearMassMomentOfInertia -= under.momentOfInertia;
    if (gearMass < 0.0) gearMass = 0.0;
    if (gearMassMomentOfInertia < 0.0) gearMassMomentOfInertia = 0.0;
    return true;
}
