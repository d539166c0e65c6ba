#pragma once
// NDimensions: the physical units that described variables, diagram axes and formatted values
// carry. Only the length units are defined so far.
#include "platform/drivesys_export.h"

namespace NDimensions {
enum Unit : int {
    NoUnit = 0,
    Meter = 1,
    Millimeter = 2,
    Centimeter = 3,
    Micrometer = 4,
    Inch = 5,
    Foot = 6,
};

/// Unit symbol ("mm", "in", ...); empty for NoUnit and unknown codes.
DRIVESYS_API const wchar_t* unitText(int unit);
/// Size of one unit in metres for the length units; 0 for others.
DRIVESYS_API double metresPerUnit(int unit);
}  // namespace NDimensions
