#pragma once
// Reading resonances off sampled curves: where two curves cross, the peaks of a response with
// their sharpness (the amplification factor by the half-power bandwidth), and the separation
// margin a resonance of that sharpness needs from the operating speeds.
//
// Units are the caller's: abscissae and ordinates come back in the units they went in.
#include <cstddef>
#include <span>
#include <vector>

#include "drivesys/platform/drivesys_export.h"

/// A point where two sampled curves cross.
struct DRIVESYS_API CurveCrossing {
    /// Abscissa and ordinate of the crossing.
    double x = 0.0, y = 0.0;
    /// The samples it lies between (segment, segment + 1) and its place t in [0, 1] there.
    size_t segment = 0;
    double t = 0.0;
};

/// The crossings of curves a and b, both sampled at the abscissae x and taken linear between
/// samples: exact when both are linear between samples (an order line always is). A crossing
/// that falls on a sample is reported once, a stretch where the curves coincide once at its
/// start. Samples that are not finite and segments of zero length are passed over. The spans
/// are read up to the shortest of the three.
DRIVESYS_API std::vector<CurveCrossing> FindCurveCrossings(std::span<const double> x, std::span<const double> a,
                                                           std::span<const double> b);

/// A resonance peak of a sampled amplitude curve and its half-power bandwidth.
struct DRIVESYS_API HalfPowerPeak {
    /// The sample of the largest amplitude.
    size_t index = 0;
    /// Interpolated peak: abscissa and amplitude.
    double x = 0.0, amplitude = 0.0;
    /// Half-power points: where the amplitude has fallen to amplitude/√2 on either side,
    /// interpolated between the samples around them.
    double lower = 0.0, upper = 0.0;
    /// x / (upper − lower): for a mode of damping ratio ζ about 1/(2ζ).
    double amplificationFactor = 0.0;
    /// False for a peak narrower than the grid: then lower, upper and amplificationFactor are
    /// NaN, and x and amplitude those of the largest sample.
    bool resolved = true;
};

/// The peaks of `amplitude` over the ascending abscissae `x` (interior local maxima of at least
/// `minRelativeHeight` times the largest amplitude) whose half-power points both lie inside the
/// sweep before the curve rises above the peak again; others are left out (an edge peak, or a
/// shoulder on the flank of a higher one). A peak the grid does not resolve, one whose
/// half-power band is narrower than the steps on either side of its largest sample, is returned
/// unresolved: its band cannot be measured.
///
/// Interpolation: near a resonance the squared amplitude is a Lorentzian, A² = c / ((x − x₀)² + γ²),
/// so 1/A² is a parabola in x. The peak is the vertex of the parabola through the three samples
/// around the largest one (exact for a Lorentzian); the half-power points are where 1/A², taken
/// linear between the two samples around each, reaches 2/A²_peak. For a single-DOF frequency
/// response, AF = x_peak / (upper − lower) falls short of 1/(2ζ) by about 2ζ² relative (the
/// method's own error; see the tests), plus the interpolation's, which shrinks with the square
/// of the samples per bandwidth.
///
/// Returns nothing when x does not ascend strictly or the spans differ in length.
DRIVESYS_API std::vector<HalfPowerPeak> FindHalfPowerPeaks(std::span<const double> x, std::span<const double> amplitude,
                                                           double minRelativeHeight = 1e-3);

/// Separation margin of a speed from an operating range [min, max] (the same unit), in percent:
/// below the range (min − speed)/min · 100, above it (speed − max)/max · 100, inside it minus
/// the distance to the nearer end over max · 100 (≤ 0). min ≤ max, both > 0.
DRIVESYS_API double SeparationMargin(double speed, double min, double max);

/// Separation margin (percent) that a critical speed of amplification factor `af` needs from the
/// operating range, by the rule of API 617 (8th edition, 2014, 4.8.2.10; the same as API RP 684):
///   AF < 2.5:                          none, the resonance is critically damped;
///   below the minimum operating speed: min(16, 17 (1 − 1/(AF − 1.5))) % of the minimum speed;
///   above the maximum operating speed: min(26, 10 + 17 (1 − 1/(AF − 1.5))) % of the maximum speed.
/// An AF that is not finite (an undamped or unstable mode) needs the largest margin.
DRIVESYS_API double RequiredSeparationMargin(double af, bool aboveRange);
