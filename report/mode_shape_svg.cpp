#include <algorithm>
#include <cmath>
#include <complex>
#include <fmt/format.h>
#include <numbers>

#include "drivesys/report/pictures.h"
#include "drivesys/report/plot.h"

namespace ds::report {
namespace {

using Complex = std::complex<double>;
constexpr double kWidth = 980, kPanelLeft = 72, kPanelWidth = 600, kPanelHeight = 130, kPanelGap = 58;
constexpr size_t kMaxPanels = 6;
/// A sub-shaft whose largest motion is below this share of the mode's is not drawn.
constexpr double kMoving = 0.02;
constexpr const char* kX = "#1f5fbf";
constexpr const char* kZ = "#d9730d";

std::string num(double v) { return SvgWriter::number(v); }

/// Major semi-axis of the orbit of (x, z): the orbit z + i·x is F e^{iωt} + B e^{−iωt} with
/// F = (z + i x)/2 and B = (z̄ + i x̄)/2, so its largest radius is |F| + |B|.
double majorSemiAxis(Complex x, Complex z) {
    const Complex F = (z + Complex(0, 1) * x) / 2.0, B = (std::conj(z) + Complex(0, 1) * std::conj(x)) / 2.0;
    return std::abs(F) + std::abs(B);
}

/// Largest motion of the mode's dominant kind along a line.
double largest(const ModeShapeLine& l, int dominant) {
    double m = 0.0;
    for (size_t i = 0; i < l.position.size(); ++i)
        m = std::max(m, dominant == 2 ? std::abs(l.torsion[i]) : dominant == 1 ? std::abs(l.axial[i]) : majorSemiAxis(l.x[i], l.z[i]));
    return std::isfinite(m) ? m : 0.0;
}

void drawOrbit(SvgWriter& svg, const ModeShape& shape, const ModeShapeLine& line, size_t at, double left, double top, double size,
               const std::string& id) {
    const Complex x = line.x[at], z = line.z[at];
    const double r = majorSemiAxis(x, z);
    if (!(r > 0) || !std::isfinite(r)) return;
    PlotArea plot(svg, id + "-orbit", left, top, size, size, {-1.2, 1.2, false, "x / largest radius", 0.5}, {-1.2, 1.2, false, "z / largest radius", 0.5});
    plot.drawFrame();
    std::vector<Point> ellipse;
    for (int k = 0; k <= 90; ++k) {
        const Complex turn = std::polar(1.0, 2 * std::numbers::pi * k / 90);
        ellipse.emplace_back((x * turn).real() / r, (z * turn).real() / r);
    }
    plot.drawCurve(ellipse, {{"stroke", "#333333"}, {"stroke-width", "1.8"}});
    // The sense of motion: an arrowhead at the start, along the tangent i·(x, z).
    const double ax = plot.px(x.real() / r), ay = plot.py(z.real() / r);
    double tx = (Complex(0, 1) * x).real(), tz = (Complex(0, 1) * z).real();
    const double tl = std::hypot(tx, tz);
    if (tl > 0 && std::isfinite(ax) && std::isfinite(ay)) {
        tx /= tl, tz /= tl;  // picture y runs down: the tangent's z flips
        const double hx = ax + 10 * tx, hy = ay - 10 * tz, nx = -tz, ny = -tx;
        svg.element("polygon", {{"points", SvgWriter::points({{hx, hy}, {ax + 4 * nx, ay + 4 * ny}, {ax - 4 * nx, ay - 4 * ny}})},
                                {"fill", "#333333"}});
    }
    const char* sense = shape.mode.whirl > 0 ? "forward whirl" : shape.mode.whirl < 0 ? "backward whirl" : "no whirl (planar)";
    svg.text(left, top - 24, fmt::format("Orbit: {}", sense), {{"font-size", "13"}, {"font-weight", "bold"}, {"fill", "#222222"}});
    svg.text(left, top - 8, fmt::format("at {}, {} mm", line.name, fixedText(line.position[at] * 1000, 0)),
             {{"font-size", "12"}, {"fill", "#444444"}});
}

}  // namespace

std::string modeShapeSvg(const ModeShape& shape, const std::string& title, const std::string& id) {
    std::vector<const ModeShapeLine*> lines;
    for (const ModeShapeLine& l : shape.lines)
        if (!l.position.empty() && largest(l, shape.dominant) >= kMoving) lines.push_back(&l);
    std::stable_sort(lines.begin(), lines.end(),
                     [&](const auto* a, const auto* b) { return largest(*a, shape.dominant) > largest(*b, shape.dominant); });
    if (lines.size() > kMaxPanels) lines.resize(kMaxPanels);
    std::stable_sort(lines.begin(), lines.end(), [](const auto* a, const auto* b) {
        return std::tie(a->shaft, a->subShaft) < std::tie(b->shaft, b->subShaft);
    });
    const double height = 64 + double(std::max<size_t>(1, lines.size())) * (kPanelHeight + kPanelGap) + 10;
    SvgWriter svg(kWidth, std::max(height, shape.dominant == 0 ? 500.0 : 300.0), false);
    svg.element("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
    svg.text(kPanelLeft - 60, 24, shortText(title, 100), {{"font-size", "15"}, {"font-weight", "bold"}, {"fill", "#222222"}});
    const char* what = shape.dominant == 2 ? "torsion angle" : shape.dominant == 1 ? "axial deflection" : "lateral deflection";
    svg.text(kPanelLeft - 60, 44,
             fmt::format("{} along the shafts, scaled to 1 at the largest; drawn with the beam elements' shape functions", what),
             {{"font-size", "12"}, {"fill", "#444444"}});
    if (lines.empty()) {
        svg.text(kPanelLeft, 90, "No shaft moves in this mode.", {{"font-size", "13"}, {"fill", "#444444"}});
        return svg.finish();
    }
    const ModeShapeLine* orbitLine = nullptr;
    size_t orbitAt = 0;
    double orbitR = 0.0;
    for (size_t p = 0; p < lines.size(); ++p) {
        const ModeShapeLine& l = *lines[p];
        const double top = 70 + double(p) * (kPanelHeight + kPanelGap);
        const double length = std::max(l.position.back() * 1000, 1e-3);
        PlotArea plot(svg, fmt::format("{}-{}", id, p), kPanelLeft, top, kPanelWidth, kPanelHeight,
                      {0.0, length, false, "Position along " + l.name + " [mm]"}, {-1.2, 1.2, false, "Scaled", 0.5});
        plot.drawFrame();
        svg.element("line", {{"x1", num(plot.left())}, {"y1", num(plot.py(0))}, {"x2", num(plot.right())}, {"y2", num(plot.py(0))},
                             {"stroke", "#9a9a9a"}});
        std::vector<Point> a, b, upper, lower;
        for (size_t i = 0; i < l.position.size(); ++i) {
            const double y = l.position[i] * 1000;
            if (shape.dominant == 0) {
                a.emplace_back(y, l.x[i].real());
                b.emplace_back(y, l.z[i].real());
                const double r = majorSemiAxis(l.x[i], l.z[i]);
                upper.emplace_back(y, r);
                lower.emplace_back(y, -r);
                if (r > orbitR) orbitR = r, orbitLine = &l, orbitAt = i;
            } else {
                a.emplace_back(y, (shape.dominant == 2 ? l.torsion[i] : l.axial[i]).real());
            }
        }
        if (shape.dominant == 0) {
            plot.drawCurve(upper, {{"stroke", "#bbbbbb"}, {"stroke-width", "1"}});
            plot.drawCurve(lower, {{"stroke", "#bbbbbb"}, {"stroke-width", "1"}});
            plot.drawCurve(b, {{"stroke", kZ}, {"stroke-width", "1.8"}, {"stroke-dasharray", "7 4"}});
        }
        plot.drawCurve(a, {{"stroke", shape.dominant == 0 ? kX : shape.dominant == 2 ? "#2e8b57" : "#8e44ad"}, {"stroke-width", "1.8"}});
        // Nodes on the axis, bearings as triangles under it, gears as blocks on it.
        svg.open("g", {{"class", "nodes"}, {"stroke", "#666666"}});
        for (size_t n : l.nodes)
            if (n < l.position.size())
                svg.element("line", {{"x1", num(plot.px(l.position[n] * 1000))}, {"y1", num(plot.py(0) - 3)},
                                     {"x2", num(plot.px(l.position[n] * 1000))}, {"y2", num(plot.py(0) + 3)}});
        svg.close();
        for (double pos : l.bearings) {
            const double bx = plot.px(pos * 1000), by = plot.bottom();
            svg.element("polygon", {{"points", SvgWriter::points({{bx, by - 12}, {bx - 6, by}, {bx + 6, by}})}, {"fill", "#555555"}});
        }
        for (double pos : l.gears)
            svg.element("rect", {{"x", num(plot.px(pos * 1000) - 3)}, {"y", num(plot.py(0) - 9)}, {"width", "6"}, {"height", "18"},
                                 {"fill", "none"}, {"stroke", "#333333"}, {"stroke-width", "1.5"}});
    }
    // Legend.
    const double lx = kPanelLeft + kPanelWidth + 40;
    double ly = 80;
    svg.open("g", {{"class", "legend"}});
    if (shape.dominant == 0) {
        legendEntry(svg, lx, ly, "deflection x (x-y plane)", {{"stroke", kX}, {"stroke-width", "1.8"}});
        legendEntry(svg, lx, ly += 18, "deflection z (y-z plane)", {{"stroke", kZ}, {"stroke-width", "1.8"}, {"stroke-dasharray", "7 4"}});
        legendEntry(svg, lx, ly += 18, "orbit radius (envelope)", {{"stroke", "#bbbbbb"}});
    } else {
        legendEntry(svg, lx, ly, shape.dominant == 2 ? "torsion angle" : "axial deflection",
                    {{"stroke", shape.dominant == 2 ? "#2e8b57" : "#8e44ad"}, {"stroke-width", "1.8"}});
    }
    svg.element("polygon", {{"points", SvgWriter::points({{lx + 13, ly + 8}, {lx + 7, ly + 20}, {lx + 19, ly + 20}})}, {"fill", "#555555"}});
    svg.text(lx + 32, ly += 18, "bearing", {{"font-size", "12"}, {"fill", "#222222"}});
    svg.element("rect", {{"x", num(lx + 10)}, {"y", num(ly + 4)}, {"width", "6"}, {"height", "16"}, {"fill", "none"}, {"stroke", "#333333"}});
    svg.text(lx + 32, ly += 18, "gear", {{"font-size", "12"}, {"fill", "#222222"}});
    svg.close();
    if (orbitLine) drawOrbit(svg, shape, *orbitLine, orbitAt, lx + 60, ly + 60, 180, id);
    return svg.finish();
}

}  // namespace ds::report
