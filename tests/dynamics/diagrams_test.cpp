// Result diagrams: mode-shape nodes of sampled cosine shapes, ranges, Campbell order lines and
// crossings, colour and line-style bands, and the error elements of wrong requests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <limits>

#include "drivesys/dynamics/diagrams.h"
#include "drivesys/samples/sample_results.h"
#include "drivesys/platform/ntypes/translator.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

/// Results with one shaft, one sub-shaft and one mode whose y deflection is `y` at `x` (m).
SystemVibrationResults modeShapeResults(const std::vector<double>& x, const std::vector<double>& y) {
    SystemVibrationResults r;
    r.performedCalculation = 0;
    ShaftResultsForSystem sub;
    sub.shaftName = L"Test shaft";
    NWelleResultEigenmodeProperties mode;
    mode.frequency = 123.456;
    for (size_t i = 0; i < x.size(); ++i) {
        NWelleResultEigenform p;
        p.pos = x[i];
        p.u = NVektor(0.0, y[i], 0.0);
        mode.modeShape.push_back(p);
    }
    sub.mode.push_back(mode);
    r.resultsPerShaft.resize(1);
    r.resultsPerShaft[0].shaftResultsPerSubShaft.push_back(sub);
    return r;
}

nGrafikData draw(const wchar_t* command, const SystemVibrationResults& r, bool markers = true, unsigned modeCount = 6,
                 unsigned orders = 4, int defaultShaft = 0) {
    nGrafikData data;
    return InitSystemDynamicGrafik(command, data, markers, NCalculationContext(), false, modeCount, orders, defaultShaft, 0, 0,
                                   false, r);
}

std::vector<double> markerXs(const nGrafikDiagram& d) {
    std::vector<double> xs;
    for (const auto& m : d.markers) xs.push_back(m.x);
    return xs;
}

// ---- mode shapes -------------------------------------------------------------------------------

TEST(ModeShapeDiagram, NodesOfSampledCosinesLieWhereTheShapeCrossesZero) {
    // cos(3πz/L) sampled on 9 equal segments: its nodes L/6, L/2, 5L/6 are segment midpoints with
    // values of equal size and opposite sign, so the interpolated roots are exact. The segments
    // are walked from the last to the first, so the markers run from right to left (mm, L = 400).
    const double length = 0.4;
    std::vector<double> x, y;
    for (int i = 0; i <= 9; ++i) {
        x.push_back(length * i / 9);
        y.push_back(std::cos(3 * kPi * x.back() / length));
    }
    const nGrafikData data = draw(L"DrawModeShape_Deflection_Y_0_0_0", modeShapeResults(x, y));
    ASSERT_EQ(data.diagrams().size(), 1u);
    const nGrafikDiagram& d = data.diagrams()[0];
    const std::vector<double> nodes = markerXs(d);
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_NEAR(nodes[0], 2000.0 / 6, 1e-9);
    EXPECT_NEAR(nodes[1], 200.0, 1e-9);
    EXPECT_NEAR(nodes[2], 400.0 / 6, 1e-9);
    for (const auto& m : d.markers) EXPECT_EQ(m.y, 0.0);
    // The comment lists them ascending, rounded, after its heading.
    EXPECT_EQ(d.comment, (std::vector<nWString>{pool.GetString(6267) + L" (mm):", L"66.67, ", L"200, ", L"333.33, "}));
    EXPECT_TRUE(data.isOk());
    // The written container keeps each marker's x and y apart.
    const nlohmann::json markers = data.toJson()["diagrams"][0]["markers"];
    ASSERT_EQ(markers.size(), 3u);
    EXPECT_NEAR(markers[2]["x"].get<double>(), 400.0 / 6, 1e-9);
    EXPECT_EQ(markers[2]["y"], 0.0);
    EXPECT_EQ(markers[2]["text"], "");
}

TEST(ModeShapeDiagram, ARootOnASampleCountsOnceAndFlatSegmentsHaveNone) {
    // Segment 1 ends exactly on zero (not counted there), segment 2 starts on it (counted),
    // segment 3 is flat.
    const auto r = modeShapeResults({0.0, 0.1, 0.2, 0.3, 0.4}, {1.0, -1.0, 0.0, 2.0, 2.0});
    const nGrafikDiagram d = draw(L"DrawModeShape_Deflection_Y_0_0_0", r).diagrams().at(0);
    std::vector<double> nodes = markerXs(d);
    std::sort(nodes.begin(), nodes.end());
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_NEAR(nodes[0], 50.0, 1e-12);
    EXPECT_NEAR(nodes[1], 200.0, 1e-12);
    // A shape ending on zero has no node at its last point.
    const auto end = modeShapeResults({0.0, 0.1}, {1.0, 0.0});
    EXPECT_TRUE(draw(L"DrawModeShape_Deflection_Y_0_0_0", end).diagrams().at(0).markers.empty());
}

TEST(ModeShapeDiagram, CurveDescriptionUnitsLabelsAndRanges) {
    // A constant curve gets the range [0, value]; NaN points do not enter the range.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto r = modeShapeResults({0.0, 0.1, 0.2, 0.3}, {5.0, 5.0, nan, 5.0});
    ShaftsSystemPlotPropertiesStruct props;
    props.shaftIndex = 0;
    const General2DPlotProperties d = getSystemDynamicsResults2DData(r, props, General2DPlotDefinitions{0, 0, 1});
    EXPECT_EQ(d.yMin, 0.0);
    EXPECT_EQ(d.yMax, 5.0);
    EXPECT_EQ(d.xMin, 0.0);
    EXPECT_DOUBLE_EQ(d.xMax, 300.0);  // m → mm
    EXPECT_EQ(d.x[1], 100.0);
    EXPECT_EQ(d.xUnit, 2);
    EXPECT_EQ(d.yUnit, 213);
    EXPECT_EQ(d.code, 11);
    EXPECT_EQ(d.yLabel, pool.GetString(4840) + pool.GetString(6674));
    EXPECT_EQ(d.subtitle, pool.GetString(947) + L": Test shaft, " + pool.GetString(4937) + L" 1: 123.46");
    // Radial directions combine the components; rotation reads `angle`, which is zero here.
    r.resultsPerShaft[0].shaftResultsPerSubShaft[0].mode[0].modeShape[0].u = NVektor(3, 4, 12);
    const auto total = getSystemDynamicsResults2DData(r, props, General2DPlotDefinitions{0, 0, 6});
    EXPECT_DOUBLE_EQ(total.y[0], 13.0);
    EXPECT_EQ(total.yLabel, pool.GetString(4840) + L" (Rxyz)");
    EXPECT_EQ(getSystemDynamicsResults2DData(r, props, General2DPlotDefinitions{1, 0, 1}).yMax, 0.0);
}

TEST(ModeShapeDiagram, OkNeedsMarkersAndANonZeroShape) {
    const auto zero = modeShapeResults({0.0, 0.1, 0.2}, {0.0, 0.0, 0.0});
    EXPECT_FALSE(draw(L"DrawModeShape_Deflection_Y_0_0_0", zero).isOk());
    const auto shape = modeShapeResults({0.0, 0.1, 0.2}, {0.0, 0.5, 0.0});
    EXPECT_TRUE(draw(L"DrawModeShape_Deflection_Y_0_0_0", shape).isOk());
    EXPECT_FALSE(draw(L"DrawModeShape_Deflection_Y_0_0_0", shape, false).isOk());
    // Indices that select nothing draw an empty diagram, not a crash.
    for (const wchar_t* c : {L"DrawModeShape_Deflection_Y_5_0_0", L"DrawModeShape_Rotation_Z_0_9_0",
                             L"DrawModeShape_Deflection_X_0_0_99999999999", L"DrawModeShape_x_y_-1_-1_-1"}) {
        const nGrafikData d = draw(c, shape);
        ASSERT_EQ(d.diagrams().size(), 1u) << nWString(c).toUtf8();
        EXPECT_TRUE(d.diagrams()[0].curves.at(0).x.empty());
        EXPECT_FALSE(d.isOk());
    }
}

// ---- Campbell ----------------------------------------------------------------------------------

TEST(CampbellStyle, ColourAndLineStyleBands) {
    // Counter, line style, colour: 17 solid colours, then bands of 16 in the next line style.
    const int bands[][3] = {{0, 0, 0}, {9, 0, 9}, {16, 0, 16}, {17, 1, 0}, {32, 1, 15}, {33, 2, 0}, {48, 2, 15}, {49, 3, 0}};
    for (const auto& [c, style, colour] : bands) {
        EXPECT_EQ(campbellCurveStyle(c).lineStyle, style) << c;
        EXPECT_EQ(campbellCurveStyle(c).colorIndex, colour) << c;
    }
    for (int c = -5; c < 1000; ++c) EXPECT_TRUE(NColor::hasSchemeColor(1, campbellCurveStyle(c).colorIndex)) << c;
}

class CampbellDiagram : public ::testing::Test {
protected:
    SystemVibrationResults r = sampleVibrationResults();
};

TEST_F(CampbellDiagram, EachFetchTakesTheCounterStyleAndIncrementsIt) {
    ShaftsSystemPlotPropertiesStruct props;
    props.curveCounter = 16;
    props.modeIndex = 2;
    const auto a = getSystemDynamicsResults2DData(r, props, {});
    EXPECT_EQ(a.colorIndex, 16);
    EXPECT_EQ(a.lineStyle, 0);
    EXPECT_EQ(props.curveCounter, 17);
    const auto b = getSystemDynamicsResults2DData(r, props, {});
    EXPECT_EQ(b.colorIndex, 0);
    EXPECT_EQ(b.lineStyle, 1);
    EXPECT_EQ(a.curveName, L"1st torsion");
    EXPECT_EQ(a.x, r.resCampbellClassified.frequencyInputRange);
    EXPECT_EQ(a.y, r.resCampbellClassified.eigenfrequencies[2].curve);
    EXPECT_EQ(a.xLabel, L"Input shaft_" + pool.GetString(3431));
    EXPECT_EQ(a.xUnit, 142);
    EXPECT_EQ(a.yUnit, 175);
}

TEST_F(CampbellDiagram, IndicesBeyondTheClassifiedCurvesThrow) {
    ShaftsSystemPlotPropertiesStruct props;
    props.modeIndex = int(r.resCampbellClassified.eigenID.size());
    try {
        getSystemDynamicsResults2DData(r, props, {});
        FAIL() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
    }
    // Fewer identifiers than curves: the last curve has no name.
    r.resCampbellClassified.eigenID.pop_back();
    props.modeIndex = int(r.resCampbellClassified.eigenID.size());
    EXPECT_THROW(getSystemDynamicsResults2DData(r, props, {}), std::out_of_range);
    EXPECT_THROW(draw(L"DrawCampbell", r), std::out_of_range);
    // A curve longer than the speed range.
    r = sampleVibrationResults();
    r.resCampbellClassified.frequencyInputRange.resize(5);
    props.modeIndex = 0;
    EXPECT_THROW(getSystemDynamicsResults2DData(r, props, {}), std::out_of_range);
}

TEST_F(CampbellDiagram, OrderLinesFollowShaftSpeedAndMeshFrequency) {
    ShaftsSystemPlotPropertiesStruct props;
    props.orderNumber = 2;  // order 3
    props.shaftSpeedIndex = 1;
    const auto shaft = getSystemDynamicsResults2DData(r, props, {});
    ASSERT_EQ(shaft.x.size(), r.resCampbell.size());
    for (size_t j = 0; j < r.resCampbell.size(); ++j) {
        EXPECT_EQ(shaft.x[j], r.resCampbell[j].speed);
        EXPECT_DOUBLE_EQ(shaft.y[j], 3 * std::fabs(r.resCampbell[j].shaftsSpeeds[1]));  // the output turns backwards
    }
    EXPECT_EQ(shaft.curveName, L"Output shaft " + pool.GetString(5341) + L": 3");
    props.shaftSpeedIndex = 5;
    props.gearMeshIndex = 0;
    const auto mesh = getSystemDynamicsResults2DData(r, props, {});
    EXPECT_DOUBLE_EQ(mesh.y.back(), 3 * r.resCampbell.back().gearMeshFrequency[0]);
    EXPECT_EQ(mesh.curveName, L"Gear mesh 1 / GMF / " + pool.GetString(5341) + L": 3");
    EXPECT_NE(mesh.yLabel.find(L" / GMF & "), nWString::npos);
}

TEST_F(CampbellDiagram, CrossingsAreMarkedAndListed) {
    const nGrafikData data = draw(L"DrawCampbell", r, true, 6, 4);
    ASSERT_EQ(data.diagrams().size(), 1u);
    const nGrafikDiagram& d = data.diagrams()[0];
    // Six mode curves, then per order one mesh line and two shaft lines.
    ASSERT_EQ(d.curves.size(), 6u + 4 * 3);
    EXPECT_EQ(d.curves[0].name, L"mode1");
    EXPECT_EQ(d.curves[6].name, L"GMFCurve numResCruve=0 i=0");
    EXPECT_EQ(d.curves[8].name, L"shaftSpeedsCurve numResCruve=0 i=1");
    EXPECT_EQ(d.curves[17].option.lineStyle, 1);  // counter 17
    // "1st bending forward", f = 212 + 0.0052·n (n in 1/min), meets order m at speed
    // v = 212 / (m − 0.312) rev/s: inside 0 … 6000 1/min for m = 3 and 4.
    const NColor red = NColor::fromScheme(1, 1);
    size_t found = 0;
    for (int m : {3, 4}) {
        const double v = 212.0 / (m - 0.312);
        for (const auto& mk : d.markers)
            if (std::fabs(mk.x - 60 * v) < 1e-6 && std::fabs(mk.y - m * v) < 1e-6) {
                ++found;
                EXPECT_EQ(mk.color, red);
            }
    }
    EXPECT_EQ(found, 2u);
    // The comment lists the crossing frequencies (the markers' heights but the nominal speed's)
    // sorted and rounded to two decimals: 3 · 212 / 2.688 = 236.607… among them.
    std::vector<double> listed, heights;
    for (size_t i = 1; i < d.comment.size(); ++i) listed.push_back(std::stod(d.comment[i].toUtf8()));
    for (size_t i = 0; i + 1 < d.markers.size(); ++i) heights.push_back(std::round(d.markers[i].y * 100) / 100);
    std::sort(heights.begin(), heights.end());
    EXPECT_EQ(listed, heights);
    EXPECT_NE(std::find(d.comment.begin(), d.comment.end(), nWString(L"236.61, ")), d.comment.end());
    // Nominal speed: vertical marker and its label at the first speed entry.
    ASSERT_EQ(d.verticalMarkers.size(), 1u);
    EXPECT_EQ(d.verticalMarkers[0].x, 3000.0);
    EXPECT_EQ(d.markers.back().text, L" " + pool.GetString(720));
    // Axes: x over the classified speeds, y from 0 with order lines; labels of the order lines.
    EXPECT_EQ(d.xAxis.min, 0.0);
    EXPECT_EQ(d.xAxis.max, 6000.0);
    EXPECT_EQ(d.yAxis.min, 0.0);
    EXPECT_EQ(d.yAxis.unit, 175);
    EXPECT_EQ(*data.textElement(L"title"), pool.GetString(5287));
    EXPECT_NE(data.groupProperty(L"modes"), nullptr);
    EXPECT_NE(data.groupProperty(L"GMFCurves"), nullptr);
}

TEST_F(CampbellDiagram, WithoutOrdersNoLinesNoCommentAndNoTitle) {
    const nGrafikData data = draw(L"DrawCampbell", r, false, 6, 0);
    const nGrafikDiagram& d = data.diagrams().at(0);
    EXPECT_EQ(d.curves.size(), 6u);
    EXPECT_TRUE(d.markers.empty());
    EXPECT_TRUE(d.comment.empty());
    EXPECT_TRUE(data.textElement(L"title")->empty());
    EXPECT_GT(d.yAxis.min, 100.0);  // the lowest eigenfrequency, not 0
}

TEST_F(CampbellDiagram, HugeOrderCountsAreCapped) {
    const nGrafikData data = draw(L"DrawCampbell", r, true, 6, 4000000000u);
    EXPECT_EQ(data.diagrams().at(0).curves.size(), 6u + kMaxDiagramOrders * 3);
}

// ---- requests that do not fit ------------------------------------------------------------------

TEST(DiagramRequests, WrongTokenCountsAndModeCountsGiveTheErrorElement) {
    SystemVibrationResults r = sampleVibrationResults();
    const nWString wrong = L"Wrong number of input parameters";
    for (const wchar_t* c : {L"DrawForcedResponse", L"DrawForcedResponse_Deflection_Amplitude", L"DrawModeShape_Deflection_Y_0_0"}) {
        const nGrafikData d = draw(c, r);
        ASSERT_NE(d.textElement(L"error"), nullptr) << nWString(c).toUtf8();
        EXPECT_EQ(*d.textElement(L"error"), wrong);
        EXPECT_TRUE(d.diagrams().empty());
    }
    const nGrafikData mismatch = draw(L"DrawCampbell", r, true, 5);
    ASSERT_NE(mismatch.textElement(L"error"), nullptr);
    EXPECT_EQ(*mismatch.textElement(L"error"), pool.GetString(5349));
    EXPECT_TRUE(mismatch.diagrams().empty());
    r.resCampbell.clear();
    EXPECT_NE(draw(L"DrawCampbell", r, true, 0).textElement(L"error"), nullptr);
}

TEST(DiagramRequests, UnknownCommandsOnlySetOk) {
    const SystemVibrationResults r;
    for (const wchar_t* c : {L"", L"drawCampbell", L"DrawCampbel_x", L"_DrawCampbell"}) {
        const nGrafikData d = draw(c, r, true);
        EXPECT_TRUE(d.isOk());
        EXPECT_TRUE(d.diagrams().empty());
        EXPECT_TRUE(d.elements().empty());
    }
    nGrafikData data;
    EXPECT_FALSE(InitSystemDynamicGrafik(nullptr, data, false, NCalculationContext(), false, 0, 0, 0, 0, 0, false, r).isOk());
}

// The token rules hold for every whirl word: the shaft is read from token 2 only when there are
// five tokens or more, else the default shaft (here 1, the output shaft) is drawn, its first
// bearing carrying the curve.
TEST(DiagramRequests, EveryWhirlWordFollowsTheTokenRules) {
    SystemVibrationResults r = sampleVibrationResults();
    r.performedCalculation = 1;
    auto titleOf = [&](const nWString& command) {
        const nGrafikData data = draw(command.c_str(), r, true, 0, 0, 1);
        EXPECT_EQ(data.textElement(L"error"), nullptr) << command.toUtf8();
        EXPECT_EQ(data.diagrams().size(), 1u) << command.toUtf8();
        const nWString* title = data.textElement(L"title");
        return title ? *title : nWString(L"(none)");
    };
    const nWString output = pool.GetString(947) + L": Output shaft";
    const nWString input = pool.GetString(947) + L": Input shaft";
    for (const wchar_t* word : {L"WhirlMajor", L"WhirlMinor", L"WhirlPhase"}) {
        const nWString two = nWString(L"DrawForcedResponse_") + word;
        EXPECT_EQ(titleOf(two), output);
        EXPECT_EQ(titleOf(two + L"_0_0"), output);     // four tokens: still the defaults
        EXPECT_EQ(titleOf(two + L"_0_0_-1"), input);   // five tokens: token 2 names the shaft
    }
    const nGrafikData major = draw(L"DrawForcedResponse_WhirlMajor", r, true, 0, 0, 1);
    const nGrafikDiagram& d = major.diagrams().at(0);
    EXPECT_EQ(d.curves.at(0).label, L"Output bearing A");
    EXPECT_EQ(d.curves.at(0).x.size(), r.forcedResponseResults.size());
    EXPECT_TRUE(major.isOk());
    EXPECT_EQ(d.yAxis.min, 0.0);  // a positive minimum is drawn from 0
    for (const wchar_t* c : {L"DrawForcedResponse_Deflection", L"DrawForcedResponse_Amplitude_Y",
                             L"DrawForcedResponse_Force_Amplitude"}) {
        const nGrafikData bad = draw(c, r);
        ASSERT_NE(bad.textElement(L"error"), nullptr) << nWString(c).toUtf8();
        EXPECT_TRUE(bad.diagrams().empty());
    }
}

TEST(DiagramRequests, ForcedResponseTokensSelectDocPointAndKeepForceMinimum) {
    SystemVibrationResults r = sampleVibrationResults();
    r.performedCalculation = 1;
    const nGrafikData data = draw(L"DrawForcedResponse_Deflection_Amplitude_Y_0_0_1", r);
    EXPECT_EQ(data.diagrams().at(0).curves.at(0).label, L"Coupling seat");
    EXPECT_EQ(*data.textElement(L"title"), pool.GetString(947) + L": Input shaft");
    // Force keeps its positive minimum (shaft 1's first bearing).
    const nGrafikData force = draw(L"DrawForcedResponse_Force_Amplitude_Y_1_0", r);
    EXPECT_EQ(force.diagrams().at(0).curves.at(0).label, L"Output bearing A");
    EXPECT_GT(force.diagrams().at(0).yAxis.min, 0.0);
    // Unknown words select code 0; numbers that are not numbers read as 0.
    const nGrafikData odd = draw(L"DrawForcedResponse_Deflektion_amplitude_W_x_y_z", r);
    EXPECT_EQ(odd.diagrams().at(0).curves.at(0).label, L"Pinion centre");
}

}  // namespace
