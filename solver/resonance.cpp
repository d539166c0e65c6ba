#include "drivesys/solver/resonance.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::vector<CurveCrossing> FindCurveCrossings(std::span<const double> x, std::span<const double> a, std::span<const double> b) {
    const size_t n = std::min({x.size(), a.size(), b.size()});
    std::vector<CurveCrossing> out;
    auto finite = [&](size_t i) { return std::isfinite(x[i]) && std::isfinite(a[i]) && std::isfinite(b[i]); };
    bool onCurve = false;  // the previous sample lay on both curves
    for (size_t i = 0; i < n; ++i) {
        if (!finite(i)) {
            onCurve = false;
            continue;
        }
        // Halves, so that curves near ±DBL_MAX do not overflow the difference.
        const double d0 = a[i] / 2 - b[i] / 2;
        if (d0 == 0.0) {
            if (!onCurve) out.push_back({x[i], a[i], i, 0.0});
            onCurve = true;
            continue;
        }
        onCurve = false;
        if (i + 1 >= n || !finite(i + 1) || x[i + 1] == x[i]) continue;
        const double d1 = a[i + 1] / 2 - b[i + 1] / 2;
        if (d1 == 0.0 || (d0 > 0) == (d1 > 0)) continue;  // a crossing on the next sample is taken there
        // d(t) = d0 + t (d1 − d0) = 0 on the segment: t = d0 / (d0 − d1) = 1 / (1 − d1/d0), which
        // with d1/d0 < 0 stays in [0, 1] even where d0 − d1 would overflow. Positions as convex
        // combinations, kept inside their segment against rounding; the ordinate from curve b (a
        // line stays exact).
        const double t = 1.0 / (1.0 - d1 / d0);
        auto along = [t](double p, double q) { return std::clamp((1 - t) * p + t * q, std::min(p, q), std::max(p, q)); };
        out.push_back({along(x[i], x[i + 1]), along(b[i], b[i + 1]), i, t});
    }
    return out;
}

std::vector<HalfPowerPeak> FindHalfPowerPeaks(std::span<const double> x, std::span<const double> A, double minRelativeHeight) {
    std::vector<HalfPowerPeak> out;
    const size_t n = x.size();
    if (A.size() != n || n < 3) return out;
    for (size_t i = 0; i + 1 < n; ++i)
        if (!(x[i + 1] > x[i]) || !std::isfinite(x[i]) || !std::isfinite(x[i + 1])) return out;
    double top = 0.0;
    for (double v : A)
        if (std::isfinite(v)) top = std::max(top, v);
    if (!(top > 0)) return out;
    auto usable = [&](size_t i) { return std::isfinite(A[i]) && A[i] > 0; };
    auto inverseSquare = [&](size_t i) { return 1.0 / (A[i] * A[i]); };

    for (size_t i = 1; i + 1 < n; ++i) {
        if (!usable(i - 1) || !usable(i) || !usable(i + 1)) continue;
        if (!(A[i] > A[i - 1] && A[i] >= A[i + 1]) || A[i] < minRelativeHeight * top) continue;
        HalfPowerPeak p;
        p.index = i;
        p.x = x[i];
        p.amplitude = A[i];
        // Vertex of the parabola through (x, 1/A²) of the three samples (divided differences).
        const double x0 = x[i - 1], x1 = x[i], x2 = x[i + 1];
        const double u0 = inverseSquare(i - 1), u1 = inverseSquare(i), u2 = inverseSquare(i + 1);
        const double d01 = (u1 - u0) / (x1 - x0), d12 = (u2 - u1) / (x2 - x1), c2 = (d12 - d01) / (x2 - x0);
        if (c2 > 0) {
            // u(x) = u0 + d01 (x − x0) + c2 (x − x0)(x − x1), least at u'(x) = 0.
            const double xv = (x0 + x1) / 2 - d01 / (2 * c2);
            const double uv = u0 + d01 * (xv - x0) + c2 * (xv - x0) * (xv - x1);
            if (xv >= x0 && xv <= x2 && uv > 0 && uv <= u1) {
                p.x = xv;
                p.amplitude = 1.0 / std::sqrt(uv);
            }
        }
        // A peak so narrow that even its largest sample is below half power is not resolved by
        // the grid: its band cannot be measured.
        auto unresolved = [&](HalfPowerPeak& q) {
            q.resolved = false;
            q.x = x[i];
            q.amplitude = A[i];
            q.lower = q.upper = q.amplificationFactor = std::numeric_limits<double>::quiet_NaN();
            out.push_back(q);
        };
        if (inverseSquare(i) >= 2.0 / (p.amplitude * p.amplitude)) {
            unresolved(p);
            continue;
        }
        const double level = 2.0 / (p.amplitude * p.amplitude);
        auto halfPower = [&](int step, double& at) {
            for (size_t j = i;;) {
                if ((step < 0 && j == 0) || (step > 0 && j + 1 >= n)) return false;
                const size_t k = step < 0 ? j - 1 : j + 1;
                if (!usable(k) || A[k] > p.amplitude) return false;  // a higher curve beyond: not resolved
                const double uj = inverseSquare(j), uk = inverseSquare(k);
                if (uk >= level) {
                    at = x[j] + (x[k] - x[j]) * (level - uj) / (uk - uj);
                    return true;
                }
                j = k;
            }
        };
        if (!halfPower(-1, p.lower) || !halfPower(+1, p.upper) || !(p.upper > p.lower)) continue;
        // A band narrower than the steps around the peak is not measured by them: linear between
        // samples far outside it, 1/A² puts the half-power points too near the peak.
        if (p.upper - p.lower < std::max(x1 - x0, x2 - x1)) {
            unresolved(p);
            continue;
        }
        p.amplificationFactor = std::abs(p.x) / (p.upper - p.lower);
        if (std::isfinite(p.amplificationFactor)) out.push_back(p);
    }
    return out;
}

double SeparationMargin(double speed, double min, double max) {
    if (speed < min) return min > 0 ? (min - speed) / min * 100.0 : 0.0;
    if (speed > max) return max > 0 ? (speed - max) / max * 100.0 : 0.0;
    return max > 0 ? -std::min(speed - min, max - speed) / max * 100.0 : 0.0;
}

double RequiredSeparationMargin(double af, bool aboveRange) {
    const double cap = aboveRange ? 26.0 : 16.0;
    if (!std::isfinite(af)) return cap;
    if (af < 2.5) return 0.0;
    const double rule = (aboveRange ? 10.0 : 0.0) + 17.0 * (1.0 - 1.0 / (af - 1.5));
    return std::min(cap, rule);
}
