// Arbitrary numbers as sampled curves: the crossing and peak finders must keep to their
// contracts (crossings inside their segments, peaks with ordered half-power points and a finite
// AF, or unresolved), and the report's pictures of them must be well-formed SVG without a number
// that is not finite.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "drivesys/report/pictures.h"
#include "drivesys/solver/resonance.h"
#include "tests/support/xml_wellformed.h"

namespace {

void fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "%s\n%s\n", detail.substr(0, 2000).c_str(), what);  // the reason last, where a log tail shows it
    std::abort();
}

bool nonFiniteText(const std::string& s) {
    for (const char* word : {"nan", "NaN", "inf", "Inf"})
        if (s.find(word) != std::string::npos) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Three curves of n doubles each (x, a, b), from the bytes as they are.
    const size_t n = std::min<size_t>(size / (3 * sizeof(double)), 400);
    std::vector<double> x(n), a(n), b(n);
    for (size_t i = 0; i < n; ++i) {
        std::memcpy(&x[i], data + (3 * i) * sizeof(double), sizeof(double));
        std::memcpy(&a[i], data + (3 * i + 1) * sizeof(double), sizeof(double));
        std::memcpy(&b[i], data + (3 * i + 2) * sizeof(double), sizeof(double));
    }
    for (const CurveCrossing& c : FindCurveCrossings(x, a, b)) {
        if (c.segment >= n || !(c.t >= 0 && c.t <= 1)) fail("crossing outside its segment");
        if (!std::isfinite(c.x)) fail("crossing at a position that is not finite");
    }
    // Peaks of |a| over an ascending grid.
    std::vector<double> grid(n), amplitude(n);
    for (size_t i = 0; i < n; ++i) grid[i] = double(i), amplitude[i] = std::abs(a[i]);
    for (const HalfPowerPeak& p : FindHalfPowerPeaks(grid, amplitude)) {
        if (p.index == 0 || p.index + 1 >= n) fail("a peak at the edge of the sweep");
        if (p.resolved && !(p.lower < p.upper && std::isfinite(p.amplificationFactor) && p.amplificationFactor >= 0))
            fail("a resolved peak without an ordered band and a finite AF");
    }

    // The Campbell picture of the numbers as speeds, curves, an order line and crossings.
    SystemDynamicsSummary s;
    s.campbellSpeeds = x;
    BranchSummary branch;
    branch.curve.id = "curve";
    branch.curve.frequency = a;
    branch.curve.dampingRatio = b;
    s.branches.push_back(branch);
    OrderLine line;
    line.name = "shaft 'a' 1×";
    line.source = "a";
    line.hzPerRpm = n ? b[0] : 1.0;
    s.orderLines.push_back(line);
    for (size_t i = 0; i + 1 < n && i < 20; i += 2) {
        CriticalSpeed c;
        c.speed = x[i];
        c.frequency = a[i + 1];
        c.marginSufficient = (i & 2) != 0;
        s.criticalSpeeds.push_back(c);
    }
    s.operatingSpeedMin = n ? x[0] : 0.0;
    s.operatingSpeedMax = n > 1 ? x[1] : 1.0;
    const std::string svg = ds::report::campbellSvg(s, "fuzz");
    if (const std::string fault = ds_test::xmlWellFormedFault(svg); !fault.empty()) fail(fault.c_str(), svg);
    if (nonFiniteText(svg)) fail("a number that is not finite in the picture", svg);
    return 0;
}
