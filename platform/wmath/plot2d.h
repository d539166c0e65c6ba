#pragma once
// Shaft mathematics for 2D result plots: the curve description handed to the diagram service
// (General2DPlotProperties), the selection of a forced-response quantity
// (General2DPlotDefinitions, ForcedResponsePlotProperties), the combination of directional
// components into one curve value, and the crossings of an eigenfrequency curve with the order
// lines of a Campbell diagram.
#include <cstddef>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/ntypes/nwstring.h"

namespace wmath {

/// Quantity, part and direction codes of General2DPlotDefinitions.
enum PlotQuantity : int {
    kQuantityDeflection = 0,
    kQuantityRotation = 1,
    kQuantityMoment = 2,
    kQuantityForce = 3,
    kQuantityWhirlMajor = 4,
    kQuantityWhirlMinor = 5,
    kQuantityWhirlPhase = 6,
};
enum PlotPart : int { kPartAmplitude = 0, kPartPhase = 1, kPartReal = 2, kPartImaginary = 3 };
enum PlotDirection : int {
    kDirectionX = 0,
    kDirectionY = 1,
    kDirectionZ = 2,
    kDirectionRadialXY = 3,
    kDirectionRadialXZ = 4,
    kDirectionRadialYZ = 5,
    kDirectionTotal = 6,
};

/// Scale of a diagram axis (values of the diagram service's NDiagramAxis::Scale).
enum PlotScale : short { kScaleLinear = 0, kScaleLogarithmic = 1 };

}  // namespace wmath

/// One curve ready for a diagram: points, ranges, units, labels and drawing style.
struct DRIVESYS_API General2DPlotProperties {
    std::vector<double> x;
    std::vector<double> y;
    double xMax = 0.0;
    double xMin = 0.0;
    double yMax = 0.0;
    double yMin = 0.0;
    /// NDimensions::Unit codes.
    int xUnit = 0;
    int yUnit = 0;
    short xScale = wmath::kScaleLinear;
    short yScale = wmath::kScaleLinear;
    nWString xLabel;
    nWString yLabel;
    nWString curveName;
    nWString subtitle;
    /// Kind of plot for the host (11: a curve over a continuous axis); 0 when nothing was made.
    int code = 0;
    /// Colour (of colour scheme 1) and line style (NCurveOption) of the curve.
    int colorIndex = 0;
    int lineStyle = 0;
    /// Level of the reference line drawn with the curve.
    double referenceLevel = 0.0;
};

/// What to plot: quantity, part and direction (wmath::PlotQuantity, PlotPart, PlotDirection).
struct DRIVESYS_API General2DPlotDefinitions {
    int quantity = 0;
    int part = 0;
    int direction = 0;
};

/// Which forced-response carrier to plot and over what.
struct DRIVESYS_API ForcedResponsePlotProperties {
    /// Entry of resultsPerShaft and of its sub-shafts the curve belongs to.
    int shaftIndex = -1;
    int subShaftIndex = 0;
    /// Index of a documentation point of each speed entry; −1: choose by shaft instead.
    int docPointSelector = -1;
    /// Over frequency: the speed entry whose spectrum is drawn. Over speed: the column of each
    /// speed entry's rows that is read (0: the response at the fundamental excitation).
    int plotParameter = 0;
    /// true: the curve runs over frequency (frequency-domain data); false: over the calculated
    /// speeds (speed-domain data).
    bool overFrequency = false;
};

namespace wmath {

/// One complex sample of a directional component: real and imaginary part with the polar form.
struct ComplexSample {
    double real = 0.0;
    double imaginary = 0.0;
    double amplitude = 0.0;
    double phase = 0.0;
};

/// The value of `part` (PlotPart) of the sample; 0 for an unknown part.
DRIVESYS_API double partValue(const ComplexSample& sample, int part);

/// One curve value from the three directional components x, y, z: direction 0, 1, 2 takes one
/// component's part, 3 to 6 the Euclidean combination of the parts of two (x-y, x-z, y-z) or
/// three components. An unknown direction gives 0.
DRIVESYS_API double combineDirections(const ComplexSample& x, const ComplexSample& y, const ComplexSample& z, int part,
                                      int direction);

/// Multiplies every value by `factor`.
DRIVESYS_API void multiplyWithConstant(std::vector<double>& values, double factor);

/// Crossings of the piecewise-linear curve (speeds[i], curve[i]) with the order lines
/// y = m · speed for m = 1 … highestOrder. Each segment is intersected exactly with each line; a
/// crossing exactly at a sample counts once (a sample that only touches a line counts too).
/// `crossings` receives the speeds of the crossings in ascending order and `orders` the order m
/// of each (ascending order for equal speeds); both are cleared first. Only the first
/// min(speeds, curve) samples are read; segments with a non-finite end are skipped.
/// highestOrder is capped at kMaxCrossingOrder.
DRIVESYS_API void findCrossingEigenfrequencies(const std::vector<double>& speeds, const std::vector<double>& curve,
                                               std::vector<double>& crossings, std::vector<int>& orders,
                                               unsigned highestOrder);
inline constexpr unsigned kMaxCrossingOrder = 1000;

/// Axis labels, units and the scaling of values for quantity/part of a forced-response curve.
struct ForcedResponseAxisText {
    nWString xLabel;
    nWString yLabel;
    int xUnit = 0;
    int yUnit = 0;
    /// Unit the solver's values are in (converted to yUnit).
    int valueUnit = 0;
};
DRIVESYS_API ForcedResponseAxisText forcedResponseAxisText(const General2DPlotDefinitions& defs, bool overFrequency);

}  // namespace wmath
