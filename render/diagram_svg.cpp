#include "drivesys/render/diagram_svg.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

#include "drivesys/render/svgwriter.h"
#include "drivesys/platform/nmath/ndimensions.h"

namespace ds {

namespace {

using Attr = SvgWriter::Attributes;
std::string num(double v) { return SvgWriter::number(v); }

constexpr const char* kInk = "#222222";
constexpr const char* kGrid = "#e3e3e3";
constexpr const char* kFrame = "#555555";
constexpr double kFont = 13.0;

/// Dash pattern of a line style (see NCurveOption).
const char* dashArray(int style) {
    switch (style) {
        case 1: return "9 5";
        case 2: return "2 4";
        case 3: return "10 4 2 4";
        default: return "";
    }
}

/// The text of a tick value at the given step: as many decimals as the step needs.
std::string tickText(double value, double step) {
    const int decimals = std::clamp(int(std::ceil(-std::log10(step) - 1e-9)), 0, 10);
    // 2.5-steps need one decimal more than their power of ten.
    const double scaled = step * std::pow(10.0, decimals);
    const int extra = std::fabs(scaled - std::round(scaled)) > 1e-6 ? 1 : 0;
    std::string s = fmt::format("{:.{}f}", std::fabs(value) < step * 1e-9 ? 0.0 : value, decimals + extra);
    return s;
}

std::string axisTitle(const nGrafikAxis& axis) {
    std::string t = axis.label.toUtf8();
    const std::string unit = nWString(NDimensions::unitText(axis.unit)).toUtf8();
    if (!unit.empty()) t += (t.empty() ? "[" : " [") + unit + "]";
    return t;
}

/// Cuts `text` to at most `maxChars` code points, ending with "…" when cut.
std::string shorten(const nWString& text, size_t maxChars) {
    if (text.size() <= maxChars) return text.toUtf8();
    return nWString(text.substr(0, maxChars - 1)).toUtf8() + "\u2026";
}

/// The range an axis is drawn with (see the header comment).
std::pair<double, double> resolveRange(const nGrafikAxis& axis, const nGrafikDiagram& d, bool isX) {
    if (axis.set && std::isfinite(axis.min) && std::isfinite(axis.max) && axis.min < axis.max &&
        std::isfinite(axis.max - axis.min))
        return {axis.min, axis.max};
    double lo = INFINITY, hi = -INFINITY;
    for (const auto& c : d.curves)
        for (double v : isX ? c.x : c.y)
            if (std::isfinite(v)) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
    if (lo > hi) {
        if (axis.set && std::isfinite(axis.min) && axis.min == axis.max) return {axis.min, axis.max};
        return {0.0, 1.0};
    }
    return {lo, hi};
}

struct Frame {
    double left, top, right, bottom;
    AxisTicks x, y;
    double px(double v) const { return left + (v - x.min) / (x.max - x.min) * (right - left); }
    double py(double v) const { return bottom - (v - y.min) / (y.max - y.min) * (bottom - top); }
};

/// Comment lines joined into rows of at most `width` characters (a heading line stays alone).
std::vector<std::string> commentRows(const std::vector<nWString>& comment, size_t width) {
    std::vector<std::string> rows;
    std::string row;
    size_t rowChars = 0;
    for (size_t i = 0; i < comment.size(); ++i) {
        const std::string line = comment[i].toUtf8();
        const size_t chars = comment[i].size();
        if (i == 0) {
            rows.push_back(line);
            continue;
        }
        if (!row.empty() && rowChars + 1 + chars > width) {
            rows.push_back(row);
            row.clear();
            rowChars = 0;
        }
        if (!row.empty()) {
            row += ' ';
            ++rowChars;
        }
        row += line;
        rowChars += chars;
    }
    if (!row.empty()) rows.push_back(row);
    return rows;
}

std::string noticeSvg(const nGrafikData& data, const DiagramSvgOptions& o) {
    SvgWriter svg(o.width, 120);
    svg.element("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
    const nWString* error = data.textElement(L"error");
    svg.text(20, 50, error ? "Error: " + error->toUtf8() : std::string("No diagram"),
             {{"font-size", "16"}, {"fill", error ? "#b00020" : kInk}});
    if (const nWString* title = data.textElement(L"title"); title && !title->empty())
        svg.text(20, 80, title->toUtf8(), {{"font-size", num(kFont)}, {"fill", kInk}});
    return svg.finish();
}

}  // namespace

AxisTicks niceTicks(double min, double max, int target) {
    AxisTicks t;
    if (!std::isfinite(min) || !std::isfinite(max)) min = 0.0, max = 1.0;
    if (min > max) std::swap(min, max);
    // Beyond ±1e300 the rounding to whole steps below could overflow to infinity.
    min = std::clamp(min, -1e300, 1e300);
    max = std::clamp(max, -1e300, 1e300);
    if (min == max) {
        const double pad = min == 0.0 ? 1.0 : std::fabs(min) * 0.1;
        min -= pad;
        max += pad;
    }
    target = std::clamp(target, 2, 50);
    const double raw = (max - min) / target;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power * 10.0;
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (raw <= m * power * (1 + 1e-9)) {
            step = m * power;
            break;
        }
    t.step = step;
    t.min = std::floor(min / step + 1e-9) * step;
    t.max = std::ceil(max / step - 1e-9) * step;
    if (t.max <= t.min) t.max = t.min + step;
    for (int i = 0; i <= 100; ++i) {
        const double v = t.min + i * step;
        if (v > t.max + step * 1e-6) break;
        t.values.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : v);
    }
    return t;
}

std::string renderDiagramSvg(const nGrafikData& data, const DiagramSvgOptions& o) {
    if (o.diagramIndex >= data.diagrams().size()) return noticeSvg(data, o);
    const nGrafikDiagram& d = data.diagrams()[o.diagramIndex];

    // Legend entries and comment rows decide the layout.
    std::vector<const nGrafikCurve*> legend;
    for (const auto& c : d.curves)
        if (c.option.visible && c.option.inLegend) legend.push_back(&c);
    const double legendWidth = legend.empty() ? 0.0 : 250.0;
    const std::vector<std::string> comment = commentRows(d.comment, size_t(std::max(40.0, (o.width - 100) / 7.2)));
    const double commentHeight = comment.empty() ? 0.0 : 12.0 + 17.0 * double(comment.size());

    Frame f{};
    f.left = 86;
    f.top = 58;
    f.right = o.width - 24 - legendWidth;
    f.bottom = std::max(f.top + 120, o.height - 66 - commentHeight);
    const auto [x0, x1] = resolveRange(d.xAxis, d, true);
    const auto [y0, y1] = resolveRange(d.yAxis, d, false);
    f.x = niceTicks(x0, x1, std::max(3, int((f.right - f.left) / 90)));
    f.y = niceTicks(y0, y1, std::max(3, int((f.bottom - f.top) / 55)));
    const double height = std::max(o.height, f.bottom + 66 + commentHeight);

    SvgWriter svg(o.width, height);
    svg.element("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
    svg.open("defs");
    svg.open("clipPath", {{"id", "plotArea"}});
    svg.element("rect", {{"x", num(f.left)}, {"y", num(f.top)}, {"width", num(f.right - f.left)}, {"height", num(f.bottom - f.top)}});
    svg.close();
    svg.close();

    // Title.
    const nWString* titleElement = data.textElement(L"title");
    const std::string title = (titleElement && !titleElement->empty() ? *titleElement : d.title).toUtf8();
    svg.text((f.left + f.right) / 2, 32, title,
             {{"class", "title"}, {"font-size", "18"}, {"font-weight", "bold"}, {"text-anchor", "middle"}, {"fill", kInk}});

    // Grid, ticks and tick labels.
    svg.open("g", {{"class", "grid"}, {"stroke", kGrid}, {"stroke-width", "1"}});
    for (double v : f.x.values)
        svg.element("line", {{"x1", num(f.px(v))}, {"y1", num(f.top)}, {"x2", num(f.px(v))}, {"y2", num(f.bottom)}});
    for (double v : f.y.values)
        svg.element("line", {{"x1", num(f.left)}, {"y1", num(f.py(v))}, {"x2", num(f.right)}, {"y2", num(f.py(v))}});
    svg.close();
    if (f.y.min < 0 && f.y.max > 0)
        svg.element("line", {{"class", "zero"}, {"x1", num(f.left)}, {"y1", num(f.py(0))}, {"x2", num(f.right)}, {"y2", num(f.py(0))},
                             {"stroke", "#9a9a9a"}, {"stroke-width", "1"}});
    svg.open("g", {{"class", "x-ticks"}, {"font-size", num(kFont)}, {"fill", kInk}, {"text-anchor", "middle"}});
    for (double v : f.x.values) {
        svg.element("line", {{"x1", num(f.px(v))}, {"y1", num(f.bottom)}, {"x2", num(f.px(v))}, {"y2", num(f.bottom + 5)}, {"stroke", kFrame}});
        svg.text(f.px(v), f.bottom + 20, tickText(v, f.x.step));
    }
    svg.close();
    svg.open("g", {{"class", "y-ticks"}, {"font-size", num(kFont)}, {"fill", kInk}, {"text-anchor", "end"}});
    for (double v : f.y.values) {
        svg.element("line", {{"x1", num(f.left - 5)}, {"y1", num(f.py(v))}, {"x2", num(f.left)}, {"y2", num(f.py(v))}, {"stroke", kFrame}});
        svg.text(f.left - 8, f.py(v) + 4.5, tickText(v, f.y.step));
    }
    svg.close();
    svg.element("rect", {{"class", "frame"}, {"x", num(f.left)}, {"y", num(f.top)}, {"width", num(f.right - f.left)},
                         {"height", num(f.bottom - f.top)}, {"fill", "none"}, {"stroke", kFrame}, {"stroke-width", "1.2"}});
    svg.text((f.left + f.right) / 2, f.bottom + 44, axisTitle(d.xAxis),
             {{"class", "x-label"}, {"font-size", "14"}, {"text-anchor", "middle"}, {"fill", kInk}});
    const double yMid = (f.top + f.bottom) / 2;
    svg.text(22, yMid, axisTitle(d.yAxis),
             {{"class", "y-label"}, {"font-size", "14"}, {"text-anchor", "middle"}, {"fill", kInk},
              {"transform", "rotate(-90 22 " + num(yMid) + ")"}});

    // Curves, clipped to the plot area; a non-finite point breaks the line.
    svg.open("g", {{"class", "curves"}, {"clip-path", "url(#plotArea)"}, {"fill", "none"}, {"stroke-width", "1.8"},
                   {"stroke-linejoin", "round"}});
    for (const auto& c : d.curves) {
        if (!c.option.visible) continue;
        Attr style{{"stroke", c.option.color.text().toUtf8()}};
        if (*dashArray(c.option.lineStyle)) style.push_back({"stroke-dasharray", dashArray(c.option.lineStyle)});
        std::vector<std::vector<std::pair<double, double>>> runs(1);
        for (size_t i = 0; i < c.x.size() && i < c.y.size(); ++i) {
            if (std::isfinite(c.x[i]) && std::isfinite(c.y[i]))
                runs.back().emplace_back(f.px(c.x[i]), f.py(c.y[i]));
            else if (!runs.back().empty())
                runs.emplace_back();
        }
        for (const auto& run : runs) {
            if (run.empty()) continue;
            Attr a = style;
            if (run.size() == 1) {
                a.insert(a.begin(), {{"cx", num(run[0].first)}, {"cy", num(run[0].second)}, {"r", "2"}});
                svg.element("circle", a);
                continue;
            }
            a.insert(a.begin(), {"points", SvgWriter::points(run)});
            svg.element("polyline", a);
        }
    }
    svg.close();

    // Markers.
    svg.open("g", {{"class", "markers"}, {"font-size", "12"}});
    for (const auto& m : d.verticalMarkers) {
        if (!std::isfinite(m.x) || m.x < f.x.min || m.x > f.x.max) continue;
        svg.element("line", {{"x1", num(f.px(m.x))}, {"y1", num(f.top)}, {"x2", num(f.px(m.x))}, {"y2", num(f.bottom)},
                             {"stroke", "#6b6b6b"}, {"stroke-width", "1.2"}, {"stroke-dasharray", "6 4"}});
        if (!m.text.empty()) svg.text(f.px(m.x) + 4, f.top + 14, m.text.toUtf8(), {{"fill", kInk}});
    }
    for (const auto& m : d.markers) {
        if (!std::isfinite(m.x) || !std::isfinite(m.y) || m.x < f.x.min || m.x > f.x.max || m.y < f.y.min || m.y > f.y.max)
            continue;
        const std::string color = m.color ? m.color->text().toUtf8() : std::string(kInk);
        svg.element("circle", {{"cx", num(f.px(m.x))}, {"cy", num(f.py(m.y))}, {"r", "4"}, {"fill", "white"}, {"stroke", color},
                               {"stroke-width", "2"}});
        if (!m.text.empty()) {
            // Text above the point, kept inside the plot area.
            const double ty = std::max(f.top + 14, f.py(m.y) - 8);
            svg.text(f.px(m.x) + 6, ty, m.text.toUtf8(), {{"fill", color}});
        }
    }
    svg.close();

    // Legend.
    if (!legend.empty()) {
        const double lx = f.right + 18, lineHeight = 17;
        const size_t fit = size_t(std::max(1.0, (f.bottom - f.top - 10) / lineHeight));
        size_t shown = std::min({legend.size(), o.maxLegendEntries, fit});
        if (shown < legend.size() && shown > 1) --shown;  // room for the summary line
        svg.open("g", {{"class", "legend"}, {"font-size", "12"}, {"fill", kInk}});
        svg.element("rect", {{"x", num(lx - 8)}, {"y", num(f.top)}, {"width", num(legendWidth - 14)},
                             {"height", num(lineHeight * double(shown + (shown < legend.size() ? 1 : 0)) + 10)},
                             {"fill", "#fafafa"}, {"stroke", "#cccccc"}});
        for (size_t i = 0; i < shown; ++i) {
            const nGrafikCurve& c = *legend[i];
            const double y = f.top + 14 + lineHeight * double(i);
            Attr a{{"x1", num(lx)}, {"y1", num(y - 4)}, {"x2", num(lx + 30)}, {"y2", num(y - 4)},
                   {"stroke", c.option.color.text().toUtf8()}, {"stroke-width", "2"}};
            if (*dashArray(c.option.lineStyle)) a.push_back({"stroke-dasharray", dashArray(c.option.lineStyle)});
            svg.element("line", a);
            svg.text(lx + 38, y, shorten(c.label.empty() ? c.name : c.label, 30));
        }
        if (shown < legend.size())
            svg.text(lx + 38, f.top + 14 + lineHeight * double(shown), fmt::format("\u2026 and {} more", legend.size() - shown),
                     {{"font-style", "italic"}});
        svg.close();
    }

    // Comment block.
    if (!comment.empty()) {
        svg.open("g", {{"class", "comment"}, {"font-size", num(kFont)}, {"fill", kInk}});
        double y = f.bottom + 66 + 8;
        for (size_t i = 0; i < comment.size(); ++i, y += 17)
            svg.text(f.left - 60, y, comment[i], i == 0 ? Attr{{"font-weight", "bold"}} : Attr{});
        svg.close();
    }
    return svg.finish();
}

}  // namespace ds
