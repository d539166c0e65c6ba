#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <numbers>

#include "drivesys/report/pictures.h"
#include "drivesys/report/plot.h"
#include "drivesys/report/text_boxes.h"

namespace ds::report {
namespace {

constexpr double kWidth = 980, kHeight = 420, kLeft = 72, kTop = 40, kPlotWidth = 600, kPlotHeight = 320;
constexpr const char* kPalette[] = {"#1f5fbf", "#d9730d", "#2e8b57", "#c62828", "#8e44ad", "#6d4c41",
                                    "#00838f", "#ad1457", "#827717", "#37474f"};
/// On a log axis, amplitudes below this share of the largest are not drawn.
constexpr double kLogFloor = 1e-6;
/// On a linear axis, peaks below this share of the largest are marked but not labelled.
constexpr double kLabelled = 0.05;

std::string num(double v) { return SvgWriter::number(v); }

}  // namespace

std::string responseSvg(const SystemVibrationResults& r, const SystemDynamicsSummary& s, size_t docPoint, bool logAmplitude,
                        const std::string& id) {
    SvgWriter svg(kWidth, kHeight, false);
    svg.element("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
    std::vector<double> speeds;
    for (const NWelleResultForcedResponse& e : r.forcedResponseResults) speeds.push_back(e.speedRefBound);
    // The excitations that move the point, in µm.
    std::vector<std::pair<size_t, std::vector<double>>> curves;
    double top = 0.0;
    for (size_t c = 0; c < s.excitations.size(); ++c) {
        std::vector<double> a = DocPointDeflectionAmplitude(r, docPoint, c);
        for (double& v : a) v *= 1e6;
        const double m = a.empty() ? 0.0 : *std::max_element(a.begin(), a.end());
        if (m > 0 && std::isfinite(m)) {
            top = std::max(top, m);
            curves.emplace_back(c, std::move(a));
        }
    }
    double x0 = INFINITY, x1 = -INFINITY;
    for (double v : speeds)
        if (std::isfinite(v)) x0 = std::min(x0, v), x1 = std::max(x1, v);
    if (!(x1 > x0)) x0 = std::isfinite(x0) ? x0 - 1 : 0, x1 = x0 + 2;
    if (!(top > 0)) top = 1.0;
    const AxisSpec y = logAmplitude ? AxisSpec{top * kLogFloor, top * 1.5, true, "Deflection amplitude [\u00b5m] (log)"}
                                    : AxisSpec{0.0, top * 1.12, false, "Deflection amplitude [\u00b5m]"};
    PlotArea plot(svg, id, kLeft, kTop, kPlotWidth, kPlotHeight, {x0, x1, false, "Speed of the controlling shaft [1/min]"}, y);
    plot.drawFrame();
    svg.open("g", {{"class", "responses"}});
    for (size_t k = 0; k < curves.size(); ++k) {
        std::vector<Point> points;
        // Sorted by speed, as a run may list its speeds in any order.
        std::vector<size_t> order(speeds.size());
        for (size_t j = 0; j < order.size(); ++j) order[j] = j;
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return speeds[a] < speeds[b]; });
        for (size_t j : order) points.emplace_back(speeds[j], curves[k].second[j]);
        plot.drawCurve(points, {{"stroke", kPalette[k % std::size(kPalette)]}, {"stroke-width", "1.6"}});
    }
    svg.close();

    // Peaks: the half-power band and a label with the AF and the mode.
    TextBoxes labels;
    svg.open("g", {{"class", "peaks"}});
    for (const ResonancePeak& p : s.peaks) {
        if (p.docPoint != docPoint) continue;
        const auto it = std::find_if(curves.begin(), curves.end(), [&](const auto& c) { return c.first == p.excitationIndex; });
        if (it == curves.end()) continue;
        const char* color = kPalette[size_t(it - curves.begin()) % std::size(kPalette)];
        const double a = p.peak.amplitude * 1e6;
        if (!plot.contains(p.peak.x, a)) continue;
        const double cx = plot.px(p.peak.x), cy = plot.py(a), hy = plot.py(a / std::numbers::sqrt2);
        if (p.peak.resolved)
            svg.element("line", {{"x1", num(plot.px(p.peak.lower))}, {"y1", num(hy)}, {"x2", num(plot.px(p.peak.upper))}, {"y2", num(hy)},
                                 {"stroke", color}, {"stroke-width", "2.5"}, {"stroke-linecap", "butt"}});
        svg.element("circle", {{"cx", num(cx)}, {"cy", num(cy)}, {"r", "3.5"}, {"fill", "white"}, {"stroke", color}, {"stroke-width", "1.8"}});
        // Labels for the peaks that stand out (on a log axis every one does).
        if (!logAmplitude && a < kLabelled * top) continue;
        const std::string af = p.peak.resolved ? "AF " + numberText(p.peak.amplificationFactor, 3) : std::string("AF \u2013 (narrower than the grid)");
        const std::string text = af + (p.mode.empty() ? "" : " \u00b7 " + p.mode);
        for (double dy : {-8.0, -22.0, 14.0, -36.0})
            if (labels.place(cx + 6, cy + dy, text, false)) {
                svg.text(cx + 6, std::max(cy + dy, plot.top() + 11), text, {{"font-size", "11"}, {"fill", color}});
                break;
            }
    }
    svg.close();

    // Legend: the excitations drawn.
    const double lx = plot.right() + 22;
    double ly = plot.top() + 10;
    svg.open("g", {{"class", "legend"}});
    svg.text(lx, ly, "Excitations", {{"font-size", "12"}, {"font-weight", "bold"}, {"fill", "#222222"}});
    for (size_t k = 0; k < curves.size() && k < 16; ++k)
        legendEntry(svg, lx, ly += 18, shortMiddle(s.excitations[curves[k].first], 36), {{"stroke", kPalette[k % std::size(kPalette)]}, {"stroke-width", "1.6"}});
    if (curves.size() > 16) svg.text(lx, ly += 18, fmt::format("\u2026 and {} more", curves.size() - 16), {{"font-size", "12"}, {"fill", "#222222"}});
    ly += 28;
    svg.element("line", {{"x1", num(lx)}, {"y1", num(ly - 4)}, {"x2", num(lx + 26)}, {"y2", num(ly - 4)}, {"stroke", "#444444"}, {"stroke-width", "2.5"}});
    svg.text(lx + 32, ly, "half-power band of a peak", {{"font-size", "12"}, {"fill", "#222222"}});
    if (curves.empty()) svg.text(kLeft + 20, kTop + 30, "No excitation moves this point.", {{"font-size", "13"}, {"fill", "#444444"}});
    svg.close();
    return svg.finish();
}

}  // namespace ds::report
