#include "drivesys/platform/nmath/ndimensions.h"

namespace NDimensions {
const wchar_t* unitText(int unit) {
    switch (unit) {
        case Meter: return L"m";
        case Millimeter: return L"mm";
        case Centimeter: return L"cm";
        case Micrometer: return L"\u00b5m";
        case Inch: return L"in";
        case Foot: return L"ft";
        case Radian: return L"rad";
        case Milliradian: return L"mrad";
        case Newton: return L"N";
        case NewtonMeter: return L"N\u00b7m";
        case RevolutionsPerMinute: return L"1/min";
        case Hertz: return L"Hz";
        default: return L"";
    }
}

double metresPerUnit(int unit) {
    switch (unit) {
        case Meter: return 1.0;
        case Millimeter: return 1e-3;
        case Centimeter: return 1e-2;
        case Micrometer: return 1e-6;
        case Inch: return 0.0254;
        case Foot: return 0.3048;
        default: return 0.0;
    }
}

namespace {
/// Size of one unit in radians for the angle units; 0 for others.
double radiansPerUnit(int unit) {
    switch (unit) {
        case Radian: return 1.0;
        case Milliradian: return 1e-3;
        default: return 0.0;
    }
}
}  // namespace

bool changeUnit(std::vector<double>& values, int from, int to) {
    if (from == to) return true;
    // A value without unit is in the base unit of the other side's quantity.
    auto scaleOf = [](int unit, int other, double (*perUnit)(int)) { return unit == NoUnit ? (perUnit(other) > 0 ? 1.0 : 0.0) : perUnit(unit); };
    for (auto perUnit : {&metresPerUnit, &radiansPerUnit}) {
        const double a = scaleOf(from, to, perUnit), b = scaleOf(to, from, perUnit);
        if (a > 0 && b > 0) {
            const double factor = a / b;
            for (double& v : values) v *= factor;
            return true;
        }
    }
    return false;
}
}  // namespace NDimensions
