// The diagram container and builder, the SVG writer and the diagram picture: JSON round trips,
// well-formed and escaped SVG, broken lines at non-finite points, ticks at nice steps.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <random>

#include "drivesys/render/diagram_svg.h"
#include "drivesys/platform/ncore/ndiagram.h"
#include "drivesys/render/svgwriter.h"
#include "support/xml_wellformed.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();

using ds_test::xmlWellFormedFault;

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

nGrafikData sampleContainer() {
    nGrafikData data;
    NDiagramAdmin admin(L"diagram", L"Response");
    data.addGroupProperty(L"curvesGroup", L"Forced response", L"", false);
    admin.addCurve(L"a", L"Bearing <A> & \"B\"", NCurveOption(NColor::fromScheme(1, 3), 1, true, true), L"curvesGroup");
    for (double x : {0.0, 1000.0, 2000.0, 3000.0}) admin.addCurvePoint(L"a", x, x / 100.0);
    admin.addCurve(L"b", L"broken", NCurveOption(NColor::fromScheme(1, 0), 0, true, true), L"curvesGroup");
    for (double x : {0.0, 1000.0, 2000.0, 3000.0, 4000.0}) admin.addCurvePoint(L"b", x, x == 2000.0 ? kNaN : 5.0);
    admin.setXAxis(L"Speed", 0, 4000, 142, NDiagramAxis::Linear, false, false);
    admin.setYAxis(L"Deflection", 0, 30, 4, NDiagramAxis::Linear, false, false);
    admin.addMarker(1500, 10, NColor::fromScheme(1, 1), L"");
    admin.addMarker(2500, 0, L"Nominal");
    admin.addMarkerX(2500, L"", false, false);
    admin.setComment(L"Nodes (mm):");
    admin.addLineToComment(L"12.5, ");
    admin.setDiagram(data, true);
    data.addElement({L"title", L"Shaft: Input & <output>"});
    data.setOk(true);
    return data;
}

// ---- container and builder ---------------------------------------------------------------------

TEST(NGrafikData, JsonRoundTripKeepsEverythingAndWritesNaNAsNull) {
    const nGrafikData data = sampleContainer();
    const nlohmann::json j = data.toJson();
    EXPECT_TRUE(j["diagrams"][0]["curves"][1]["points"][2][1].is_null());
    EXPECT_EQ(j["diagrams"][0]["curves"][0]["color"], "#FF7F0E");
    EXPECT_EQ(j["diagrams"][0]["markers"][1]["color"], nullptr);
    // Through text and back: equal JSON, NaN read back as NaN.
    const nGrafikData back = nGrafikData::fromJson(nlohmann::json::parse(j.dump()));
    EXPECT_EQ(back.toJson(), j);
    EXPECT_TRUE(std::isnan(back.diagrams()[0].curves[1].y[2]));
    EXPECT_EQ(back.diagrams()[0].comment, data.diagrams()[0].comment);
    EXPECT_THROW(nGrafikData::fromJson(nlohmann::json::object()), nlohmann::json::exception);
}

TEST(NDiagramAdmin, CurvesByNameCommentLinesAndWritingIntoContainers) {
    NDiagramAdmin admin(L"diagram", L"t");
    EXPECT_TRUE(admin.addCurve(L"c", L"label", NCurveOption(), L"g"));
    EXPECT_FALSE(admin.addCurve(L"c", L"again", NCurveOption(), L"g"));
    EXPECT_TRUE(admin.addCurvePoint(L"c", 1, 2));
    EXPECT_FALSE(admin.addCurvePoint(L"missing", 1, 2));
    EXPECT_EQ(admin.diagram().curves.size(), 1u);
    admin.setComment(L"first\nsecond");
    admin.addLineToComment(L"third");
    EXPECT_EQ(admin.diagram().comment, (std::vector<nWString>{L"first", L"second", L"third"}));

    nGrafikData data;
    admin.setDiagram(data, true);
    admin.setDiagram(data, true);
    EXPECT_EQ(data.diagrams().size(), 2u);
    admin.setDiagram(data, false);
    EXPECT_EQ(data.diagrams().size(), 1u);
    // A copy is independent.
    nGrafikData copy = data;
    copy.setOk(true);
    copy.clearDiagrams();
    EXPECT_FALSE(data.isOk());
    EXPECT_EQ(data.diagrams().size(), 1u);
    // Group properties are replaced by name; elements keep their order.
    data.addGroupProperty(L"g", L"one", L"", false);
    data.addGroupProperty(L"g", L"two", L"", true);
    ASSERT_EQ(data.groupProperties().size(), 1u);
    EXPECT_EQ(data.groupProperty(L"g")->title, L"two");
    data.addElement({L"error", L"first"});
    data.addElement({L"error", L"second"});
    EXPECT_EQ(*data.textElement(L"error"), L"first");
    EXPECT_EQ(data.textElement(L"none"), nullptr);
}

// ---- SVG writer --------------------------------------------------------------------------------

TEST(SvgWriter, EscapesNumbersAndAlwaysClosesWhatItOpened) {
    EXPECT_EQ(ds::SvgWriter::escape("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; &apos;d&apos;&gt;");
    EXPECT_EQ(ds::SvgWriter::escape(std::string("x\x01y", 3)), "x y");
    EXPECT_EQ(ds::SvgWriter::number(1.0), "1");
    EXPECT_EQ(ds::SvgWriter::number(2.345678), "2.35");
    EXPECT_EQ(ds::SvgWriter::number(-0.001), "0");
    EXPECT_EQ(ds::SvgWriter::number(-12.5), "-12.5");
    EXPECT_EQ(ds::SvgWriter::number(kNaN), "0");
    EXPECT_EQ(ds::SvgWriter::points({{1, 2}, {3.5, -4}}), "1,2 3.5,-4");

    ds::SvgWriter w(100, 50);
    w.open("g", {{"id", "a\"b"}});
    w.open("g");
    w.text(1, 2, "<&>");
    w.element("line", {{"x1", "0"}});
    const std::string svg = w.finish();
    EXPECT_EQ(xmlWellFormedFault(svg), "");
    EXPECT_NE(svg.find("id=\"a&quot;b\""), std::string::npos);
    EXPECT_NE(svg.find(">&lt;&amp;&gt;</text>"), std::string::npos);
    EXPECT_EQ(count(svg, "</g>"), 2u);
}

TEST(SvgWriter, ReplacesEveryCharacterXmlForbids) {
    const std::string fffd = "\xEF\xBF\xBD";
    // U+FFFE and U+FFFF, then an encoded surrogate (three bytes, three replacements).
    EXPECT_EQ(ds::SvgWriter::escape("a\xEF\xBF\xBE b\xEF\xBF\xBF"), "a" + fffd + " b" + fffd);
    EXPECT_EQ(ds::SvgWriter::escape("\xED\xA0\x80"), fffd + fffd + fffd);
    // Stray continuation byte, a lead byte cut off at the end, an overlong '/', beyond U+10FFFF.
    EXPECT_EQ(ds::SvgWriter::escape("x\x80y"), "x" + fffd + "y");
    EXPECT_EQ(ds::SvgWriter::escape("z\xC3"), "z" + fffd);
    EXPECT_EQ(ds::SvgWriter::escape("\xC0\xAF"), fffd + fffd);
    EXPECT_EQ(ds::SvgWriter::escape("\xF4\x90\x80\x80"), fffd + fffd + fffd + fffd);
    // C0 controls but tab and line feed become blanks; allowed characters stay as they are.
    EXPECT_EQ(ds::SvgWriter::escape(std::string("\0\x1b\r\t\n", 5)), "   \t\n");
    const std::string allowed = "\xC3\xA4 \xE2\x82\xAC \xEF\xBF\xBD \xEF\xBF\xBC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF \xC2\x85";
    EXPECT_EQ(ds::SvgWriter::escape(allowed), allowed);
}

TEST(SvgWriter, EveryTextItWritesParsesAsXml) {
    // Random texts drawn mostly from the bytes that matter (markup, controls, UTF-8 lead and
    // continuation bytes) in texts and attribute values of one document each.
    std::mt19937 random(20);
    const std::string interesting = std::string("<>&\"'\0\t\n\r\x1b\x7f", 11) + "\x80\xBF\xBE\xC2\xC3\xE0\xED\xEF\xF0\xF4\xFF" + "aZ ";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const size_t length = random() % 24;
        for (size_t i = 0; i < length; ++i)
            text += random() % 4 ? interesting[random() % interesting.size()] : static_cast<char>(random() % 256);
        ds::SvgWriter w(10, 10);
        w.open("g", {{"id", text}});
        w.text(0, 0, text, {{"class", text}});
        const std::string svg = w.finish();
        ASSERT_EQ(xmlWellFormedFault(svg), "") << "text bytes: " << ::testing::PrintToString(text);
    }
}

// ---- diagram picture ---------------------------------------------------------------------------

TEST(DiagramSvg, IsWellFormedEscapesEveryTextAndBreaksLinesAtNonFinitePoints) {
    const std::string svg = ds::renderDiagramSvg(sampleContainer());
    EXPECT_EQ(xmlWellFormedFault(svg), "");
    EXPECT_NE(svg.find("Shaft: Input &amp; &lt;output&gt;"), std::string::npos);
    EXPECT_NE(svg.find("Bearing &lt;A&gt; &amp; &quot;B&quot;"), std::string::npos);
    EXPECT_EQ(svg.find("<output>"), std::string::npos);
    // Axis titles carry their unit symbols; the comment and the marker text are there.
    EXPECT_NE(svg.find("Speed [1/min]"), std::string::npos);
    EXPECT_NE(svg.find("Deflection [\u00b5m]"), std::string::npos);
    EXPECT_NE(svg.find(">Nodes (mm):<"), std::string::npos);
    EXPECT_NE(svg.find(">Nominal<"), std::string::npos);
    // Dashed style 1 and the curve colour.
    EXPECT_NE(svg.find("stroke=\"#FF7F0E\" stroke-dasharray=\"9 5\""), std::string::npos);
    // Curve a is one polyline, curve b (a NaN in the middle) two pieces of two points each.
    EXPECT_EQ(count(svg, "<polyline"), 3u);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    // Ticks at nice steps across the axis range.
    for (const char* label : {">0<", ">1000<", ">2000<", ">4000<", ">30<"}) EXPECT_NE(svg.find(label), std::string::npos) << label;
}

TEST(DiagramSvg, NamesWithCharactersXmlForbidsStillGiveAWellFormedPicture) {
    nGrafikData data;
    NDiagramAdmin admin(L"diagram", L"Shaft \uFFFE\uFFFF");
    admin.addCurve(L"c", nWString(L"B\xD800\x01\uFFFF"), NCurveOption(), L"");
    admin.addCurvePoint(L"c", 0, 1);
    admin.addCurvePoint(L"c", 1, 2);
    admin.setXAxis(L"x\uFFFE", 0, 1, 142, NDiagramAxis::Linear, false, false);
    admin.setDiagram(data, true);
    data.addElement({L"title", L"Shaft \uFFFE"});
    const std::string svg = ds::renderDiagramSvg(data);
    EXPECT_EQ(xmlWellFormedFault(svg), "");
    EXPECT_EQ(svg.find("\xEF\xBF\xBE"), std::string::npos);
    EXPECT_EQ(svg.find("\xEF\xBF\xBF"), std::string::npos);
    EXPECT_NE(svg.find("Shaft \xEF\xBF\xBD"), std::string::npos);
}

// A lone finite point between two gaps becomes a dot.
TEST(DiagramSvg, ALonePointBetweenGapsIsADot) {
    nGrafikData data;
    NDiagramAdmin admin(L"diagram", L"");
    admin.addCurve(L"c", L"c", NCurveOption(), L"");
    for (double y : {kNaN, 1.0, kNaN, double(INFINITY)}) admin.addCurvePoint(L"c", 1, y);
    admin.setDiagram(data, true);
    const std::string dot = ds::renderDiagramSvg(data);
    EXPECT_EQ(xmlWellFormedFault(dot), "");
    EXPECT_EQ(count(dot, "<polyline"), 0u);
    EXPECT_NE(dot.find("r=\"2\""), std::string::npos);
}

TEST(NiceTicks, StepsOfOneTwoOrFiveCoverTheRange) {
    const ds::AxisTicks t = ds::niceTicks(0, 6000);
    EXPECT_EQ(t.step, 1000.0);
    EXPECT_EQ(t.values, (std::vector<double>{0, 1000, 2000, 3000, 4000, 5000, 6000}));
    const ds::AxisTicks s = ds::niceTicks(-1, 1);
    EXPECT_EQ(s.step, 0.5);
    EXPECT_EQ(s.values.front(), -1.0);
    EXPECT_EQ(s.values.back(), 1.0);
    const ds::AxisTicks odd = ds::niceTicks(186.78, 905.0);
    EXPECT_LE(odd.min, 186.78);
    EXPECT_GE(odd.max, 905.0);
    EXPECT_EQ(std::fmod(odd.min, odd.step), 0.0);
    // Degenerate ranges still give a usable axis of bounded size.
    for (auto [lo, hi] : {std::pair{5.0, 5.0}, {0.0, 0.0}, {kNaN, 1.0}, {3.0, -3.0}, {-1e308, 1e308}, {1.7e308, 2.2e-308}, {1e308, 1.7e308}}) {
        const ds::AxisTicks a = ds::niceTicks(lo, hi);
        EXPECT_LT(a.min, a.max);
        EXPECT_TRUE(std::isfinite(a.min) && std::isfinite(a.max)) << lo << " " << hi;  // a step past DBL_MAX is infinite
        EXPECT_GE(a.values.size(), 2u);
        EXPECT_LE(a.values.size(), 101u);
    }
}

TEST(DiagramSvg, ContainersWithoutDiagramShowTheirError) {
    nGrafikData data;
    data.addElement({L"error", L"Wrong number of input parameters"});
    const std::string svg = ds::renderDiagramSvg(data);
    EXPECT_EQ(xmlWellFormedFault(svg), "");
    EXPECT_NE(svg.find("Error: Wrong number of input parameters"), std::string::npos);
    ds::DiagramSvgOptions o;
    o.diagramIndex = 3;
    EXPECT_NE(ds::renderDiagramSvg(sampleContainer(), o).find("No diagram"), std::string::npos);
}

TEST(DiagramSvg, LongLegendsAreSummarised) {
    nGrafikData data;
    NDiagramAdmin admin(L"diagram", L"many");
    for (int i = 0; i < 60; ++i) {
        const nWString name = nWString(i);
        admin.addCurve(name, L"curve " + name, NCurveOption(), L"");
        admin.addCurvePoint(name, 0, i);
        admin.addCurvePoint(name, 1, i + 1);
    }
    admin.setDiagram(data, true);
    ds::DiagramSvgOptions o;
    o.maxLegendEntries = 10;
    const std::string svg = ds::renderDiagramSvg(data, o);
    EXPECT_EQ(xmlWellFormedFault(svg), "");
    EXPECT_NE(svg.find("and 51 more"), std::string::npos);
    EXPECT_EQ(count(svg, "<polyline"), 60u);
}

}  // namespace
