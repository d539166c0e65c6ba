#include "platform/nmath/ndimensions.h"

namespace NDimensions {
const wchar_t* unitText(int unit) {
    switch (unit) {
        case Meter: return L"m";
        case Millimeter: return L"mm";
        case Centimeter: return L"cm";
        case Micrometer: return L"\u00b5m";
        case Inch: return L"in";
        case Foot: return L"ft";
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
}  // namespace NDimensions
