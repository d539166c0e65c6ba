#include "drivesys/platform/wmath/welle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace wmath {
namespace {

bool finite(double v) { return std::isfinite(v); }

bool validSection(const ShaftSection& s, bool bore) {
    if (!finite(s.zStart) || !finite(s.zEnd) || !finite(s.outerDiameterStart) || !finite(s.outerDiameterEnd) ||
        !finite(s.innerDiameterStart) || !finite(s.innerDiameterEnd))
        return false;
    if (s.zEnd < s.zStart) return false;
    if (s.outerDiameterStart < 0.0 || s.outerDiameterEnd < 0.0) return false;
    if (!bore) return true;
    return s.innerDiameterStart >= 0.0 && s.innerDiameterEnd >= 0.0 && s.innerDiameterStart <= s.outerDiameterStart &&
           s.innerDiameterEnd <= s.outerDiameterEnd;
}

// Exact integrals over [a, b] of r² and r⁴ for a radius linear from ra (at a) to rb (at b).
double integralSquare(double length, double ra, double rb) { return length * (ra * ra + ra * rb + rb * rb) / 3.0; }
double integralFourth(double length, double ra, double rb) {
    const double a2 = ra * ra, b2 = rb * rb;
    return length * (a2 * a2 + a2 * ra * rb + a2 * b2 + ra * rb * b2 + b2 * b2) / 5.0;
}

}  // namespace

ShaftSectionMass getMassOfShaftSection(const std::vector<ShaftSection>& sections, double z1, double z2, double p1,
                                       double p2, double p3) {
    ShaftSectionMass refused;
    if (!finite(z1) || !finite(z2) || !finite(p1) || !finite(p2) || !finite(p3)) return refused;
    if (z2 < z1 || p1 < 0.0 || p2 <= 0.0) return refused;
    const bool bore = p3 != 0.0;
    for (const auto& s : sections)
        if (!validSection(s, bore)) return refused;

    // Sums of ∫ (R² − r²) dz and ∫ (R⁴ − r⁴) dz in the geometry's own length unit.
    double area = 0.0, fourth = 0.0;
    for (const auto& s : sections) {
        const double length = s.zEnd - s.zStart;
        const double a = std::max(z1, s.zStart), b = std::min(z2, s.zEnd);
        if (length <= 0.0 || b <= a) continue;
        const auto radiusAt = [&](double dStart, double dEnd, double z) {
            return 0.5 * (dStart + (dEnd - dStart) * (z - s.zStart) / length);
        };
        const double Ra = radiusAt(s.outerDiameterStart, s.outerDiameterEnd, a);
        const double Rb = radiusAt(s.outerDiameterStart, s.outerDiameterEnd, b);
        area += integralSquare(b - a, Ra, Rb);
        fourth += integralFourth(b - a, Ra, Rb);
        if (bore) {
            const double ra = radiusAt(s.innerDiameterStart, s.innerDiameterEnd, a);
            const double rb = radiusAt(s.innerDiameterStart, s.innerDiameterEnd, b);
            area -= integralSquare(b - a, ra, rb);
            fourth -= integralFourth(b - a, ra, rb);
        }
    }
    constexpr double pi = std::numbers::pi;
    const double p2cubed = p2 * p2 * p2;
    ShaftSectionMass result;
    result.ok = true;
    result.mass = p1 * pi * area * p2cubed;
    result.momentOfInertia = p1 * 0.5 * pi * fourth * p2cubed * p2 * p2;
    return result;
}

}  // namespace wmath
