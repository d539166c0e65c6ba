#include "drivesys/platform/wmath/plot2d.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "drivesys/platform/nmath/ndimensions.h"

namespace wmath {

double partValue(const ComplexSample& sample, int part) {
    switch (part) {
        case kPartAmplitude: return sample.amplitude;
        case kPartPhase: return sample.phase;
        case kPartReal: return sample.real;
        case kPartImaginary: return sample.imaginary;
        default: return 0.0;
    }
}

double combineDirections(const ComplexSample& x, const ComplexSample& y, const ComplexSample& z, int part,
                         int direction) {
    const double a = partValue(x, part), b = partValue(y, part), c = partValue(z, part);
    switch (direction) {
        case kDirectionX: return a;
        case kDirectionY: return b;
        case kDirectionZ: return c;
        case kDirectionRadialXY: return std::hypot(a, b);
        case kDirectionRadialXZ: return std::hypot(a, c);
        case kDirectionRadialYZ: return std::hypot(b, c);
        case kDirectionTotal: return std::sqrt(a * a + b * b + c * c);
        default: return 0.0;
    }
}

void multiplyWithConstant(std::vector<double>& values, double factor) {
    for (double& v : values) v *= factor;
}

void findCrossingEigenfrequencies(const std::vector<double>& speeds, const std::vector<double>& curve,
                                  std::vector<double>& crossings, std::vector<int>& orders, unsigned highestOrder) {
    crossings.clear();
    orders.clear();
    const size_t n = std::min(speeds.size(), curve.size());
    const unsigned top = std::min(highestOrder, kMaxCrossingOrder);
    if (n == 0 || top == 0) return;
    struct Hit {
        double speed;
        int order;
    };
    std::vector<Hit> hits;
    const auto finite = [&](size_t i) { return std::isfinite(speeds[i]) && std::isfinite(curve[i]); };
    for (unsigned m = 1; m <= top; ++m) {
        // g(i) = curve − m · speed: a root of g on a segment is a crossing with the order line.
        const auto g = [&](size_t i) { return curve[i] - double(m) * speeds[i]; };
        for (size_t i = 0; i < n; ++i) {
            if (!finite(i)) continue;
            const double gi = g(i);
            // A crossing on a sample belongs to that sample alone, never to its segments.
            if (gi == 0.0) {
                hits.push_back({speeds[i], int(m)});
                continue;
            }
            if (i + 1 >= n || !finite(i + 1)) continue;
            const double gj = g(i + 1);
            if (gj == 0.0 || (gi < 0.0) == (gj < 0.0)) continue;
            const double t = gi / (gi - gj);
            hits.push_back({speeds[i] + t * (speeds[i + 1] - speeds[i]), int(m)});
        }
    }
    std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        return a.speed < b.speed || (a.speed == b.speed && a.order < b.order);
    });
    crossings.reserve(hits.size());
    orders.reserve(hits.size());
    for (const Hit& h : hits) {
        crossings.push_back(h.speed);
        orders.push_back(h.order);
    }
}

}  // namespace wmath

namespace wmath {

ForcedResponseAxisText forcedResponseAxisText(const General2DPlotDefinitions& defs, bool overFrequency) {
    ForcedResponseAxisText t;
    t.xLabel = overFrequency ? L"Frequency" : L"Speed";
    t.xUnit = overFrequency ? NDimensions::Hertz : NDimensions::RevolutionsPerMinute;
    static const wchar_t* const kQuantity[] = {L"Deflection", L"Rotation", L"Moment", L"Force",
                                               L"Whirl major semi-axis", L"Whirl minor semi-axis", L"Whirl phase"};
    static const wchar_t* const kPart[] = {L"amplitude", L"phase", L"real part", L"imaginary part"};
    static const wchar_t* const kDirection[] = {L"X", L"Y", L"Z", L"radial XY", L"radial XZ", L"radial YZ", L"total"};
    const bool knownQuantity = defs.quantity >= 0 && defs.quantity <= kQuantityWhirlPhase;
    const bool whirl = defs.quantity >= kQuantityWhirlMajor && knownQuantity;
    t.yLabel = knownQuantity ? kQuantity[defs.quantity] : L"Value";
    if (!whirl) {
        if (defs.part >= 0 && defs.part <= kPartImaginary) t.yLabel += nWString(L", ") + kPart[defs.part];
        if (defs.direction >= 0 && defs.direction <= kDirectionTotal) t.yLabel += nWString(L", ") + kDirection[defs.direction];
    }
    if (defs.quantity == kQuantityWhirlPhase || (!whirl && defs.part == kPartPhase)) {
        t.valueUnit = t.yUnit = NDimensions::Radian;
        return t;
    }
    switch (defs.quantity) {
        case kQuantityDeflection:
        case kQuantityWhirlMajor:
        case kQuantityWhirlMinor:
            t.valueUnit = NDimensions::Meter;
            t.yUnit = NDimensions::Micrometer;
            break;
        case kQuantityRotation:
            t.valueUnit = NDimensions::Radian;
            t.yUnit = NDimensions::Milliradian;
            break;
        case kQuantityForce: t.valueUnit = t.yUnit = NDimensions::Newton; break;
        case kQuantityMoment: t.valueUnit = t.yUnit = NDimensions::NewtonMeter; break;
        default: break;
    }
    return t;
}

}  // namespace wmath
