#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <map>

#include "drivesys/report/pictures.h"
#include "drivesys/report/plot.h"
#include "drivesys/report/text_boxes.h"

namespace ds::report {
namespace {

constexpr double kWidth = 980, kHeight = 600;
constexpr double kLeft = 72, kTop = 36, kPlotWidth = 640, kPlotHeight = 500;
constexpr const char* kCurveBlue = "#1f5fbf";
constexpr const char* kShaftGrey = "#5a5a5a";
constexpr const char* kMeshOrange = "#d9730d";
constexpr const char* kAlarm = "#c62828";
constexpr const char* kDashes[] = {"", "8 4", "2 3", "10 3 2 3", "4 2", "12 4"};

std::string num(double v) { return SvgWriter::number(v); }

struct Style {
    std::string color, dash;
};

SvgWriter::Attributes strokeOf(const Style& s, double width) {
    SvgWriter::Attributes a{{"stroke", s.color}, {"stroke-width", num(width)}};
    if (!s.dash.empty()) a.emplace_back("stroke-dasharray", s.dash);
    return a;
}

/// The family of a curve: its kind and whirl, with its legend text and style.
std::pair<std::string, Style> familyOf(const BranchSummary& b) {
    if (b.family == "torsion") return {"torsion", {"#2e8b57", ""}};
    if (b.family == "axial") return {"axial", {"#8e44ad", ""}};
    if (b.whirl > 0) return {"bending, forward whirl", {kCurveBlue, ""}};
    if (b.whirl < 0) return {"bending, backward whirl", {kCurveBlue, "6 4"}};
    return {"bending, no whirl", {kCurveBlue, "2 3"}};
}

std::string groupName(const ExcitationOrder& o) {
    return fmt::format("{} {}\u00d7", o.source == ExcitationOrder::kMesh ? "mesh" : "shaft", numberText(o.multiple, 3));
}

}  // namespace

std::string campbellSvg(const SystemDynamicsSummary& s, const std::string& id) {
    SvgWriter svg(kWidth, kHeight, false);
    svg.element("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
    double x0 = INFINITY, x1 = -INFINITY, top = 0.0;
    for (double v : s.campbellSpeeds)
        if (std::isfinite(v)) x0 = std::min(x0, v), x1 = std::max(x1, v);
    for (const BranchSummary& b : s.branches)
        for (double f : b.curve.frequency)
            if (std::isfinite(f)) top = std::max(top, f);
    if (!(x1 > x0)) x0 = std::isfinite(x0) ? x0 - 1 : 0, x1 = x0 + 2;
    if (!(top > 0)) top = 1.0;
    PlotArea plot(svg, id, kLeft, kTop, kPlotWidth, kPlotHeight, {x0, x1, false, "Speed of the controlling shaft [1/min]"},
                  {0.0, top * 1.15, false, "Frequency [Hz]"});
    plot.drawFrame();
    TextBoxes labels;

    // Operating range.
    const double r0 = std::max(s.operatingSpeedMin, plot.xAxis().min), r1 = std::min(s.operatingSpeedMax, plot.xAxis().max);
    if (r1 >= r0) {
        const double a = plot.px(r0), w = std::max(2.0, plot.px(r1) - a);
        svg.element("rect", {{"x", num(a)}, {"y", num(plot.top())}, {"width", num(w)}, {"height", num(kPlotHeight)},
                             {"fill", "#2e8b57"}, {"fill-opacity", "0.12"}, {"class", "operating-range"}});
    }

    // Order lines, one style per group.
    std::map<std::pair<int, double>, Style> groups;
    std::vector<std::pair<std::string, Style>> groupLegend;
    int shaftGroups = 0, meshGroups = 0;
    for (const OrderLine& l : s.orderLines) {
        const auto key = std::make_pair(int(l.order.source), l.order.multiple);
        if (groups.count(key)) continue;
        const bool mesh = l.order.source == ExcitationOrder::kMesh;
        int& n = mesh ? meshGroups : shaftGroups;
        groups[key] = {mesh ? kMeshOrange : kShaftGrey, kDashes[size_t(n++) % std::size(kDashes)]};
        groupLegend.emplace_back(groupName(l.order), groups[key]);
    }
    svg.open("g", {{"class", "order-lines"}});
    for (const OrderLine& l : s.orderLines) {
        const Style& style = groups[{int(l.order.source), l.order.multiple}];
        svg.open("g", {{"class", "order-group"}, {"data-group", groupName(l.order)}});
        // f = hzPerRpm · |n|: a V when the sweep passes through standstill.
        std::vector<Point> ends{{x0, l.hzPerRpm * std::abs(x0)}};
        if (x0 < 0 && x1 > 0) ends.emplace_back(0.0, 0.0);
        ends.emplace_back(x1, l.hzPerRpm * std::abs(x1));
        plot.drawCurve(ends, strokeOf(style, 1.1));
        // Label where the line leaves the plot: at the right edge, or at the top.
        const double fEnd = l.hzPerRpm * std::abs(plot.xAxis().max);
        const std::string text = fmt::format("{} {}\u00d7", l.order.source == ExcitationOrder::kMesh ? fmt::format("mesh {}", l.sourceIndex + 1)
                                                                                                        : shortText(l.source, 18),
                                             numberText(l.order.multiple, 3));
        double lx = plot.right() - 4, ly = plot.py(fEnd) - 4;
        const char* anchor = "end";
        if (fEnd > plot.yAxis().max && l.hzPerRpm > 0) {
            lx = plot.px(plot.yAxis().max / l.hzPerRpm) + 4;
            ly = plot.top() + 12;
            anchor = "start";
            if (lx + 7.0 * double(text.size()) > plot.right()) lx -= 8, ly += 14, anchor = "end";  // kept inside the plot
        }
        if (std::isfinite(lx) && std::isfinite(ly) && labels.place(lx, ly, text, anchor[0] == 'e'))
            svg.text(lx, ly, text, {{"font-size", "11"}, {"fill", style.color}, {"text-anchor", anchor}});
        svg.close();
    }
    svg.close();

    // Curves, one style per family; unstable stretches over-drawn in red.
    std::vector<std::pair<std::string, Style>> familyLegend;
    bool anyUnstable = false;
    svg.open("g", {{"class", "curves"}});
    for (const BranchSummary& b : s.branches) {
        const std::pair<std::string, Style> kind = familyOf(b);
        const std::string& family = kind.first;
        const Style& style = kind.second;
        if (std::none_of(familyLegend.begin(), familyLegend.end(), [&](const auto& e) { return e.first == family; }))
            familyLegend.emplace_back(family, style);
        std::vector<Point> points, unstable;
        const size_t n = std::min(s.campbellSpeeds.size(), b.curve.frequency.size());
        for (size_t j = 0; j < n; ++j) {
            points.emplace_back(s.campbellSpeeds[j], b.curve.frequency[j]);
            const bool grows = j < b.curve.dampingRatio.size() && b.curve.dampingRatio[j] < kUnstableDampingRatio;
            unstable.emplace_back(s.campbellSpeeds[j], grows ? b.curve.frequency[j] : NAN);
            anyUnstable = anyUnstable || grows;
        }
        plot.drawCurve(points, strokeOf(style, 1.6));
        plot.drawCurve(unstable, strokeOf({kAlarm, ""}, 3.2));
    }
    svg.close();

    // Critical speeds, numbered as in the table.
    svg.open("g", {{"class", "critical-speeds"}});
    for (size_t i = 0; i < s.criticalSpeeds.size(); ++i) {
        const CriticalSpeed& c = s.criticalSpeeds[i];
        if (!plot.contains(c.speed, c.frequency)) continue;
        const double cx = plot.px(c.speed), cy = plot.py(c.frequency);
        const char* color = c.marginSufficient ? "#333333" : kAlarm;
        svg.element("circle", {{"cx", num(cx)}, {"cy", num(cy)}, {"r", "4"}, {"fill", "white"}, {"stroke", color}, {"stroke-width", "1.8"}});
        const std::string text = fmt::format("{}", i + 1);
        for (const auto& [dx, dy, end] : {std::tuple{6.0, -6.0, false}, {-6.0, -6.0, true}, {6.0, 14.0, false}, {-6.0, 14.0, true}})
            if (labels.place(cx + dx, cy + dy, text, end)) {
                svg.text(cx + dx, cy + dy, text, {{"font-size", "11"}, {"fill", color}, {"text-anchor", end ? "end" : "start"}});
                break;
            }
    }
    svg.close();

    // Legend: each family and each group once.
    const double lx = plot.right() + 22;
    double ly = plot.top() + 10;
    svg.open("g", {{"class", "legend"}});
    svg.text(lx, ly, "Modes", {{"font-size", "12"}, {"font-weight", "bold"}, {"fill", "#222222"}});
    for (const auto& [text, style] : familyLegend) legendEntry(svg, lx, ly += 18, text, strokeOf(style, 1.6));
    if (anyUnstable) legendEntry(svg, lx, ly += 18, "unstable (\u03b6 < 0)", strokeOf({kAlarm, ""}, 3.2));
    if (!groupLegend.empty()) {
        svg.text(lx, ly += 28, "Excitation orders", {{"font-size", "12"}, {"font-weight", "bold"}, {"fill", "#222222"}});
        for (const auto& [text, style] : groupLegend) legendEntry(svg, lx, ly += 18, text, strokeOf(style, 1.1));
    }
    svg.text(lx, ly += 28, "Marks", {{"font-size", "12"}, {"font-weight", "bold"}, {"fill", "#222222"}});
    svg.element("rect", {{"x", num(lx)}, {"y", num(ly + 6)}, {"width", "26"}, {"height", "12"}, {"fill", "#2e8b57"}, {"fill-opacity", "0.12"}});
    svg.text(lx + 32, ly += 18, "operating range", {{"font-size", "12"}, {"fill", "#222222"}});
    for (const auto& [color, text] : {std::pair{"#333333", "critical speed, margin met"}, std::pair{kAlarm, "critical speed, margin short"}}) {
        ly += 18;
        svg.element("circle", {{"cx", num(lx + 13)}, {"cy", num(ly - 4)}, {"r", "4"}, {"fill", "white"}, {"stroke", color}, {"stroke-width", "1.8"}});
        svg.text(lx + 32, ly, text, {{"font-size", "12"}, {"fill", "#222222"}});
    }
    svg.close();
    return svg.finish();
}

}  // namespace ds::report
