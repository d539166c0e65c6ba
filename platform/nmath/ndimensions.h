#pragma once
// NDimensions: the physical units that described variables, diagram axes and formatted values
// carry: the length units, and the units of diagram axes (speed, frequency, angle, force,
// moment, relative mode-shape amplitude).
#include <vector>

#include "drivesys/platform/drivesys_export.h"

namespace NDimensions {
enum Unit : int {
    /// No unit. As the source or target of changeUnit a value without unit is taken to be in
    /// the SI base unit of its quantity (metres for a length).
    NoUnit = 0,
    Meter = 1,
    Millimeter = 2,
    Centimeter = 3,
    Micrometer = 4,
    Inch = 5,
    Foot = 6,
    Radian = 100,
    Milliradian = 101,
    Newton = 110,
    NewtonMeter = 120,
    RevolutionsPerMinute = 142,
    Hertz = 175,
    /// Mode-shape amplitude: normalised, without dimension.
    RelativeAmplitude = 213,
};

/// Unit symbol ("mm", "in", "1/min", "Hz", ...); empty for NoUnit, RelativeAmplitude and unknown
/// codes.
DRIVESYS_API const wchar_t* unitText(int unit);
/// Size of one unit in metres for the length units; 0 for others.
DRIVESYS_API double metresPerUnit(int unit);

/// Converts `values` in place from unit `from` to unit `to`. Between two length units (NoUnit
/// counting as metres), and between Radian/Milliradian (NoUnit counting as radians), values are
/// scaled; equal codes leave them as they are. Any other pair is refused: false, values
/// unchanged. Non-finite values stay non-finite.
DRIVESYS_API bool changeUnit(std::vector<double>& values, int from, int to);
}  // namespace NDimensions
