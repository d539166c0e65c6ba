// Order-line crossings against hand-computed intersections, the combination of directional
// components, unit changes, and forced-response curves read from the sample result tree.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

#include "drivesys/samples/sample_results.h"
#include "drivesys/platform/nmath/ndimensions.h"
#include "drivesys/dynamics/forced_response_plot.h"
#include "drivesys/platform/wmath/plot2d.h"

namespace {
using wmath::findCrossingEigenfrequencies;

struct Crossings {
    std::vector<double> speeds;
    std::vector<int> orders;
};
Crossings cross(const std::vector<double>& n, const std::vector<double>& f, unsigned highest) {
    Crossings c;
    findCrossingEigenfrequencies(n, f, c.speeds, c.orders, highest);
    EXPECT_EQ(c.speeds.size(), c.orders.size());
    return c;
}

// Crossings found by hand, sorted by speed, then order.
TEST(FindCrossingEigenfrequencies, MatchesHandComputedIntersections) {
    const struct {
        std::vector<double> n, f;
        unsigned highest;
        std::vector<double> speeds;
        std::vector<int> orders;
    } cases[] = {
        // f = 60 Hz meets y = m·n at n = 60/m: m = 1 (60) lies beyond the speeds, m = 2 (30) on the
        // last sample, m = 3 (20) and m = 6 (10) on inner samples, m = 4 and 5 inside segments.
        {{0, 10, 20, 30}, {60, 60, 60, 60}, 6, {10, 12, 15, 20, 30}, {6, 5, 4, 3, 2}},
        // f = 50 + 2n meets m·n at n = 50/(m − 2): never for m ≤ 2, 50 (beyond 40) for m = 3.
        {{0, 10, 20, 30, 40}, {50, 70, 90, 110, 130}, 6, {12.5, 50.0 / 3.0, 25}, {6, 5, 4}},
        // A sampled curve: order 4 passes exactly through (4, 16), order 5 crosses the segment
        // (2, 12)–(4, 16) where 12 + 2(n − 2) = 5n, n = 8/3; order 3 stays below.
        {{0, 2, 4, 6}, {10, 12, 16, 22}, 5, {8.0 / 3.0, 4}, {5, 4}},
        // f = n²: every order line starts at the origin (counted once) and touches at n = m.
        {{0, 1, 2, 3, 4}, {0, 1, 4, 9, 16}, 3, {0, 0, 0, 1, 2, 3}, {1, 2, 3, 1, 2, 3}},
    };
    for (const auto& c : cases) {
        const Crossings found = cross(c.n, c.f, c.highest);
        EXPECT_EQ(found.orders, c.orders);
        ASSERT_EQ(found.speeds.size(), c.speeds.size());
        for (size_t i = 0; i < c.speeds.size(); ++i) EXPECT_NEAR(found.speeds[i], c.speeds[i], 1e-12) << i;
    }
}

TEST(FindCrossingEigenfrequencies, NothingToFind) {
    EXPECT_TRUE(cross({0, 5, 10}, {1000, 1000, 1000}, 5).speeds.empty());
    EXPECT_TRUE(cross({}, {}, 5).speeds.empty());
    EXPECT_TRUE(cross({0, 10}, {60, 60}, 0).speeds.empty());
    // A NaN sample takes its two segments out; the rest still counts.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Crossings c = cross({0, 10, 20, 30}, {60, nan, 60, 60}, 4);
    EXPECT_EQ(c.orders, (std::vector<int>{3, 2}));
    // Only the common length is read.
    EXPECT_EQ(cross({0, 10, 20, 30}, {60, 60}, 6).orders, (std::vector<int>{6}));
}

TEST(FindCrossingEigenfrequencies, HugeHighestOrderIsCappedAndFinishesQuickly) {
    std::vector<double> n, f;
    for (int i = 0; i <= 200; ++i) {
        n.push_back(i * 0.5);
        f.push_back(5000.0);
    }
    std::vector<double> speeds;
    std::vector<int> orders;
    const auto start = std::chrono::steady_clock::now();
    findCrossingEigenfrequencies(n, f, speeds, orders, 4000000000u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ASSERT_FALSE(orders.empty());
    EXPECT_LE(*std::max_element(orders.begin(), orders.end()), int(wmath::kMaxCrossingOrder));
    // 5000 / m ≤ 100 needs m ≥ 50: orders 50 … 1000 cross once each.
    EXPECT_EQ(orders.size(), size_t(wmath::kMaxCrossingOrder - 49));
}

TEST(CombineDirections, EuclideanCombinationsOfTheSelectedPart) {
    const wmath::ComplexSample x{3, -1, 30, 0.1}, y{4, -2, 40, 0.2}, z{12, -3, 120, 0.3};
    using namespace wmath;
    EXPECT_DOUBLE_EQ(combineDirections(x, y, z, kPartReal, kDirectionRadialXY), 5.0);
    EXPECT_DOUBLE_EQ(combineDirections(x, y, z, kPartReal, kDirectionRadialYZ), std::sqrt(160.0));
    EXPECT_DOUBLE_EQ(combineDirections(x, y, z, kPartReal, kDirectionRadialXZ), std::sqrt(153.0));
    EXPECT_DOUBLE_EQ(combineDirections(x, y, z, kPartAmplitude, kDirectionTotal), 130.0);
    EXPECT_DOUBLE_EQ(combineDirections(x, y, z, kPartImaginary, kDirectionZ), -3.0);
    EXPECT_DOUBLE_EQ(combineDirections(x, y, z, kPartPhase, kDirectionY), 0.2);
    EXPECT_EQ(combineDirections(x, y, z, 9, kDirectionX), 0.0);
    EXPECT_EQ(combineDirections(x, y, z, kPartReal, 7), 0.0);
}

TEST(ChangeUnit, LengthsAndAnglesScaleOtherPairsAreRefused) {
    std::vector<double> v{0.25, -1.5};
    EXPECT_TRUE(NDimensions::changeUnit(v, NDimensions::NoUnit, NDimensions::Millimeter));
    EXPECT_EQ(v, (std::vector<double>{250, -1500}));
    EXPECT_TRUE(NDimensions::changeUnit(v, NDimensions::Millimeter, NDimensions::Micrometer));
    EXPECT_DOUBLE_EQ(v[0], 250000.0);
    std::vector<double> a{0.002};
    EXPECT_TRUE(NDimensions::changeUnit(a, NDimensions::Radian, NDimensions::Milliradian));
    EXPECT_DOUBLE_EQ(a[0], 2.0);
    EXPECT_FALSE(NDimensions::changeUnit(a, NDimensions::Hertz, NDimensions::Millimeter));
    EXPECT_FALSE(NDimensions::changeUnit(a, NDimensions::Radian, NDimensions::Meter));
    EXPECT_DOUBLE_EQ(a[0], 2.0);
}

// ---- forced-response curves of the sample ------------------------------------------------------

class ForcedResponseCurve : public ::testing::Test {
protected:
    static const SystemVibrationResults& sample() {
        static const SystemVibrationResults r = sampleVibrationResults();
        return r;
    }
    static General2DPlotProperties curve(ForcedResponsePlotProperties props, int quantity, int part, int direction) {
        return getForcedResponseResults2DData(sample().forcedResponseResults, props,
                                              General2DPlotDefinitions{quantity, part, direction});
    }
};

TEST_F(ForcedResponseCurve, DocumentationPointOverSpeedReadsRowPerDirection) {
    ForcedResponsePlotProperties p;
    p.docPointSelector = 1;
    const auto y = curve(p, wmath::kQuantityDeflection, wmath::kPartAmplitude, wmath::kDirectionY);
    const auto radial = curve(p, wmath::kQuantityDeflection, wmath::kPartAmplitude, wmath::kDirectionRadialXY);
    const auto& results = sample().forcedResponseResults;
    ASSERT_EQ(y.x.size(), results.size());
    for (size_t j = 0; j < results.size(); ++j) {
        const auto& rows = results[j].docPointResults[1].docPointSpeedDomain.uVecVsSpeed;
        EXPECT_EQ(y.x[j], results[j].speedRefBound);
        EXPECT_NEAR(y.y[j], rows[1][0].amplitude * 1e6, 1e-9);  // drawn in µm
        EXPECT_NEAR(radial.y[j], std::hypot(rows[0][0].amplitude, rows[1][0].amplitude) * 1e6, 1e-9);
    }
    EXPECT_EQ(y.curveName, L"Coupling seat");
    EXPECT_EQ(y.xUnit, NDimensions::RevolutionsPerMinute);
    EXPECT_EQ(y.yUnit, NDimensions::Micrometer);
    EXPECT_EQ(y.code, 11);
}

TEST_F(ForcedResponseCurve, OverFrequencyDrawsTheSpectrumOfOneSpeed) {
    ForcedResponsePlotProperties p;
    p.docPointSelector = 0;
    p.overFrequency = true;
    p.plotParameter = 3;
    const auto c = curve(p, wmath::kQuantityForce, wmath::kPartReal, wmath::kDirectionX);
    const auto& fd = sample().forcedResponseResults[3].docPointResults[0].docPointFreqDomain;
    ASSERT_GE(fd.f.size(), 7u);
    EXPECT_EQ(c.x, fd.f);
    for (size_t i = 0; i < fd.f.size(); ++i) EXPECT_DOUBLE_EQ(c.y[i], fd.fVecVsFreq[0][i].real);
    EXPECT_EQ(c.xUnit, NDimensions::Hertz);
    // Whirl has no spectrum; a speed entry beyond the list gives nothing.
    EXPECT_TRUE(curve(p, wmath::kQuantityWhirlMajor, 0, 0).x.empty());
    p.plotParameter = 1000;
    EXPECT_TRUE(curve(p, wmath::kQuantityForce, 0, 0).x.empty());
}

TEST_F(ForcedResponseCurve, WithoutSelectorTheShaftPicksBearingThenGearMesh) {
    ForcedResponsePlotProperties p;
    p.shaftIndex = 1;
    EXPECT_EQ(curve(p, wmath::kQuantityForce, wmath::kPartAmplitude, wmath::kDirectionY).curveName, L"Output bearing A");

    // Without bearings the gear mesh on the shaft answers, along its line of action.
    std::vector<NWelleResultForcedResponse> meshOnly = sample().forcedResponseResults;
    for (auto& e : meshOnly) e.bearingResults.clear();
    const auto mesh = getForcedResponseResults2DData(meshOnly, p, General2DPlotDefinitions{wmath::kQuantityDeflection, 0, 2});
    EXPECT_EQ(mesh.curveName, L"Gear mesh 1");
    ASSERT_EQ(mesh.y.size(), meshOnly.size());
    EXPECT_NEAR(mesh.y[0], meshOnly[0].gearMeshResults[0].gearMeshSpeedDomain.dispPLVsSpeed[0].amplitude * 1e6, 1e-9);
    // A gear mesh has no rotation; a shaft with no carrier and a selector beyond the list give nothing.
    EXPECT_TRUE(getForcedResponseResults2DData(meshOnly, p, General2DPlotDefinitions{wmath::kQuantityRotation, 0, 0}).x.empty());
    p.shaftIndex = 7;
    EXPECT_TRUE(curve(p, 0, 0, 0).x.empty());
    p.docPointSelector = 2;
    EXPECT_TRUE(curve(p, 0, 0, 0).x.empty());
    EXPECT_EQ(curve(p, 0, 0, 0).code, 0);
}

TEST_F(ForcedResponseCurve, MissingColumnsReadAsZero) {
    ForcedResponsePlotProperties p;
    p.docPointSelector = 0;
    p.plotParameter = 50;  // beyond the 7 harmonic columns
    const auto c = curve(p, wmath::kQuantityDeflection, wmath::kPartAmplitude, wmath::kDirectionTotal);
    ASSERT_FALSE(c.y.empty());
    for (double v : c.y) EXPECT_EQ(v, 0.0);
}

}  // namespace
