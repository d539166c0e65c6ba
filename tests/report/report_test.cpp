// The HTML report: every section, self-contained, tables that match the summary, pictures that
// are well-formed SVG without a number that is not finite, and a report of what it could not fill.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

#include "drivesys/report/html_report.h"
#include "drivesys/report/pictures.h"
#include "drivesys/report/plot.h"
#include "drivesys/samples/gear_chain.h"
#include "support/xml_wellformed.h"

namespace {
using namespace ds::report;

std::vector<std::string> inlineSvgs(const std::string& html) {
    std::vector<std::string> out;
    for (size_t at = html.find("<svg "); at != std::string::npos; at = html.find("<svg ", at + 1))
        out.push_back(html.substr(at, html.find("</svg>", at) + 6 - at));
    return out;
}

/// A number written as NaN or infinity, in any spelling a formatter uses.
bool holdsNonFinite(const std::string& text) {
    static const std::regex word(R"((^|[^A-Za-z])(nan|NaN|NAN|inf|Inf|INF|infinity)([^A-Za-z]|$))");
    return std::regex_search(text, word);
}

size_t lines(const std::string& csv) { return size_t(std::count(csv.begin(), csv.end(), '\n')); }

/// Two geared shafts of 8 elements with a Campbell sweep and a forced response (unbalance and
/// transmission error) over 40 speeds: every section has something to show.
SolverInput smallGearChain() {
    ds::GearChainOptions o;
    o.shafts = 2;
    o.elementsPerShaft = 8;
    o.speeds = 40;
    o.forced = true;
    SolverInput in = ds::gearChainSolverInput(o);
    in.options.numModes = 8;
    return in;
}

TEST(Report, GearChainReportHasEverySectionSelfContainedAndFinite) {
    const SolverInput input = smallGearChain();
    const SolvedDefinition solved = solveDefinition(input);
    ASSERT_TRUE(solved.campbell);
    ASSERT_TRUE(solved.forcedResponse);
    ReportOptions options;
    options.summary.operatingSpeedMin = 2500;
    options.summary.operatingSpeedMax = 3200;
    options.source = "chain <2>.json";
    const ReportDocument doc = buildReport(input, solved, options);
    const std::string& html = doc.html;

    // Warnings come first, then the sections in their order.
    size_t last = 0;
    for (const char* id : {"warnings", "model", "modes", "campbell", "critical-speeds", "mode-shapes", "forced-response"}) {
        const size_t at = html.find(std::string("id=\"") + id + "\"");
        ASSERT_NE(at, std::string::npos) << id;
        EXPECT_GT(at, last) << id;
        last = at;
    }
    EXPECT_EQ(html.find("Not available"), std::string::npos);
    // Self-contained: no file, stylesheet or script is fetched; names are escaped.
    for (const char* fetch : {"<link", "src=", "<script", "@import", "url(http", "href=\"http"})
        EXPECT_EQ(html.find(fetch), std::string::npos) << fetch;
    EXPECT_NE(html.find("chain &lt;2&gt;.json"), std::string::npos);
    EXPECT_FALSE(holdsNonFinite(html));

    // Pictures: the Campbell diagram, the drawn critical modes and the documentation points.
    const std::vector<std::string> svgs = inlineSvgs(html);
    EXPECT_GE(svgs.size(), 1u + 1u + 1u);
    for (const std::string& svg : svgs) EXPECT_EQ(ds_test::xmlWellFormedFault(svg), "") << svg.substr(0, 200);
    // Every critical speed is marked in the Campbell picture (all lie inside its axes).
    const std::string& campbell = svgs[0];
    size_t marks = 0;
    const std::string group = campbell.substr(campbell.find("class=\"critical-speeds\""));
    for (size_t at = group.find("<circle"); at != std::string::npos && at < group.find("</g>"); at = group.find("<circle", at + 1)) ++marks;
    EXPECT_EQ(marks, doc.summary.criticalSpeeds.size());
    EXPECT_GT(marks, 0u);

    // The tables as CSV: a header and one line per mode and per critical speed.
    EXPECT_EQ(lines(doc.modesCsv), 1 + doc.summary.modes.size());
    EXPECT_EQ(lines(doc.criticalSpeedsCsv), 1 + doc.summary.criticalSpeeds.size());
    EXPECT_EQ(doc.modesCsv.find("nan"), std::string::npos);

    // On a logarithmic amplitude axis: the same peaks, labelled, and still nothing not finite.
    options.logAmplitude = true;
    const ReportDocument logDoc = buildReport(input, solved, options);
    EXPECT_NE(logDoc.html.find("(log)"), std::string::npos);
    EXPECT_FALSE(holdsNonFinite(logDoc.html));
    for (const std::string& svg : inlineSvgs(logDoc.html)) EXPECT_EQ(ds_test::xmlWellFormedFault(svg), "");
}

TEST(Report, WithoutCampbellSpeedsOrForcedResponseItSaysWhatItCouldNotFill) {
    SolverInput input = smallGearChain();
    input.definition.data.campbellSpeed.clear();
    input.hasForcedResponse = false;
    const SolvedDefinition solved = solveDefinition(input);
    EXPECT_FALSE(solved.campbell);
    EXPECT_FALSE(solved.forcedResponse);
    const ReportDocument doc = buildReport(input, solved, {});
    const std::string& html = doc.html;
    const size_t campbell = html.find("id=\"campbell\""), shapes = html.find("id=\"mode-shapes\""),
                 forced = html.find("id=\"forced-response\"");
    ASSERT_NE(forced, std::string::npos);
    EXPECT_NE(html.substr(campbell, shapes - campbell).find("Not available: the definition has no Campbell speeds"), std::string::npos);
    EXPECT_NE(html.substr(forced).find("Not available: the definition has no forced-response run"), std::string::npos);
    // The warnings name both gaps; the modes at the nominal speed are drawn instead.
    EXPECT_NE(html.find("Not in this report: critical speeds"), std::string::npos);
    EXPECT_NE(html.find("Not in this report: amplification factors"), std::string::npos);
    EXPECT_NE(html.substr(shapes).find("<svg "), std::string::npos);
    EXPECT_EQ(lines(doc.criticalSpeedsCsv), 1u);
}

TEST(Report, PicturesOfValuesThatAreNotFiniteStayFiniteAndWellFormed) {
    SystemDynamicsSummary s;
    s.campbellSpeeds = {0, NAN, 2000, INFINITY};
    BranchSummary b;
    b.curve.id = "1st <bending> & co";
    b.curve.frequency = {10, NAN, -INFINITY, 40};
    b.curve.dampingRatio = {0.01, NAN, -0.5, 0.01};
    s.branches.push_back(b);
    OrderLine l;
    l.name = "shaft 'a' 1×";
    l.source = "a";
    l.hzPerRpm = NAN;
    s.orderLines.push_back(l);
    CriticalSpeed c;
    c.speed = NAN;
    c.frequency = INFINITY;
    c.amplificationFactor = INFINITY;
    s.criticalSpeeds.push_back(c);
    s.operatingSpeedMin = NAN;
    s.operatingSpeedMax = INFINITY;
    const std::string campbell = campbellSvg(s, "c");
    EXPECT_EQ(ds_test::xmlWellFormedFault(campbell), "");
    EXPECT_FALSE(holdsNonFinite(campbell));

    ModeShape shape;
    ModeShapeLine line;
    line.name = "shaft";
    line.position = {0.0, 0.1, NAN, 0.3};
    line.x = {0.0, {NAN, 1.0}, 1.0, {INFINITY, 0.0}};
    line.z = line.x;
    line.axial = line.torsion = line.x;
    line.nodes = {0, 3, 99};
    line.bearings = {NAN};
    shape.lines.push_back(line);
    const std::string drawn = modeShapeSvg(shape, "mode", "m");
    EXPECT_EQ(ds_test::xmlWellFormedFault(drawn), "");
    EXPECT_FALSE(holdsNonFinite(drawn));
}

TEST(Plot, ThinningKeepsTheExtremesOfEveryPixelColumn) {
    // 100 000 points over 600 pixels, with a one-point spike: at most four points a column are
    // left, and the spike's exact point among them.
    std::vector<Point> points;
    for (int i = 0; i < 100000; ++i) points.emplace_back(600.0 * i / 100000, std::sin(i * 1e-3));
    points[53217].second = 5.0;
    const std::vector<Point> thin = thinPolyline(points);
    EXPECT_LE(thin.size(), 4u * 601u);
    EXPECT_NE(std::find(thin.begin(), thin.end(), points[53217]), thin.end());
    EXPECT_EQ(thin.front(), points.front());
    EXPECT_EQ(thin.back(), points.back());
    // A curve of fewer points than twice its width in pixels is left as it is.
    std::vector<Point> few;
    for (size_t i = 0; i < points.size(); i += 1000) few.push_back(points[i]);
    EXPECT_EQ(thinPolyline(few), few);
}

TEST(Report, ExcitationOrdersAreReadFromTheirListOrRefusedByName) {
    const std::vector<ExcitationOrder> o = parseExcitationOrders("1x,2x,0.5x,mesh1,mesh3,1x");
    ASSERT_EQ(o.size(), 5u);
    EXPECT_EQ(o[2].multiple, 0.5);
    EXPECT_EQ(o[4].source, ExcitationOrder::kMesh);
    EXPECT_EQ(o[4].multiple, 3.0);
    for (const char* bad : {"", "1x,", "x", "mesh", "mesh1.5", "0x", "101x", "nanx", "2y", "mesh-1"}) {
        try {
            parseExcitationOrders(bad);
            ADD_FAILURE() << bad;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find("order '"), std::string::npos) << e.what();
        }
    }
}

}  // namespace
