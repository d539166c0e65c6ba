#include "drivesys/report/plot.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

#include "drivesys/render/diagram_svg.h"

namespace ds::report {
namespace {

constexpr const char* kInk = "#222222";
constexpr const char* kGrid = "#e6e6e6";
constexpr const char* kFrame = "#666666";

std::string num(double v) { return SvgWriter::number(v); }

/// Tick label of a linear axis: the decimals its step needs.
std::string tickText(double v, double step) {
    double wanted = std::ceil(-std::log10(step) - 1e-9);
    if (!(wanted > 0)) wanted = 0;  // also NaN
    const int decimals = int(std::min(wanted, 10.0));
    const double scaled = step * std::pow(10.0, decimals);
    const int extra = std::abs(scaled - std::round(scaled)) > 1e-6 ? 1 : 0;
    return fmt::format("{:.{}f}", std::abs(v) < step * 1e-9 ? 0.0 : v, decimals + extra);
}

/// Tick label of a decade: 0.01, 0.1, 1, 10, 100 written out between 1e-3 and 1e4, else 1e-6.
std::string decadeText(int k) {
    if (k >= -3 && k <= 4) return fmt::format("{:.{}f}", std::pow(10.0, k), std::max(0, -k));
    return fmt::format("1e{}", k);
}

}  // namespace

std::string numberText(double v, int digits) {
    if (!std::isfinite(v)) return "\u2013";
    std::string s = fmt::format("{:.{}g}", v, digits);
    if (s == "-0") s = "0";
    return s;
}

std::string fixedText(double v, int decimals) {
    if (!std::isfinite(v)) return "\u2013";
    std::string s = fmt::format("{:.{}f}", v, decimals);
    if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);
    return s;
}

std::string shortText(const std::string& text, size_t chars) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // inside a character
        if (++count == chars && i + 1 < text.size()) {
            // Room for the ellipsis: cut before this character if more follow it.
            size_t rest = 0;
            for (size_t j = i + 1; j < text.size(); ++j) rest += (static_cast<unsigned char>(text[j]) & 0xC0) != 0x80 ? 1 : 0;
            if (rest > 0) return text.substr(0, i) + "\u2026";
        }
    }
    return text;
}

std::string shortMiddle(const std::string& text, size_t chars) {
    std::string t = text;
    if (!t.empty() && t.back() == ')') {
        const size_t open = t.rfind(" (");
        if (open != std::string::npos && open > 0) t.erase(open);
    }
    std::vector<size_t> starts;  // byte offsets of the characters
    for (size_t i = 0; i < t.size(); ++i)
        if ((static_cast<unsigned char>(t[i]) & 0xC0) != 0x80) starts.push_back(i);
    if (starts.size() <= chars || chars < 5) return t;
    const size_t head = (chars - 1) * 2 / 3, tail = chars - 1 - head;
    return t.substr(0, starts[head]) + "\u2026" + t.substr(starts[starts.size() - tail]);
}

PlotArea::PlotArea(SvgWriter& svg, std::string id, double left, double top, double width, double height, AxisSpec x, AxisSpec y)
    : svg_(svg), id_(std::move(id)), left_(left), top_(top), width_(width), height_(height), x_(std::move(x)), y_(std::move(y)) {
    auto settle = [](AxisSpec& a, double& step, int target) {
        if (a.log) {
            if (!(a.min > 0) || !std::isfinite(a.min)) a.min = 1e-12;
            if (!(a.max > a.min) || !std::isfinite(a.max)) a.max = a.min * 10;
            a.min = std::pow(10.0, std::floor(std::log10(a.min)));
            a.max = std::pow(10.0, std::ceil(std::log10(a.max)));
            if (a.max <= a.min) a.max = a.min * 10;
            return;
        }
        if (a.step > 0 && a.max > a.min) {
            step = a.step;
            return;
        }
        const AxisTicks t = niceTicks(a.min, a.max, target);
        a.min = t.min;
        a.max = t.max;
        step = t.step;
    };
    settle(x_, xStep_, std::max(3, int(width_ / 90)));
    settle(y_, yStep_, std::max(3, int(height_ / 50)));
}

double PlotArea::px(double x) const {
    if (x_.log) return left_ + (std::log10(std::max(x, 1e-300)) - std::log10(x_.min)) / (std::log10(x_.max) - std::log10(x_.min)) * width_;
    return left_ + (x - x_.min) / (x_.max - x_.min) * width_;
}

double PlotArea::py(double y) const {
    if (y_.log) {
        if (!(y > 0)) return bottom() + height_;
        return bottom() - (std::log10(y) - std::log10(y_.min)) / (std::log10(y_.max) - std::log10(y_.min)) * height_;
    }
    return bottom() - (y - y_.min) / (y_.max - y_.min) * height_;
}

bool PlotArea::contains(double x, double y) const {
    const double a = px(x), b = py(y);
    return std::isfinite(a) && std::isfinite(b) && a >= left_ - 0.5 && a <= right() + 0.5 && b >= top_ - 0.5 && b <= bottom() + 0.5;
}

void PlotArea::drawFrame() {
    svg_.open("defs");
    svg_.open("clipPath", {{"id", id_ + "-clip"}});
    svg_.element("rect", {{"x", num(left_)}, {"y", num(top_)}, {"width", num(width_)}, {"height", num(height_)}});
    svg_.close();
    svg_.close();
    svg_.element("rect", {{"x", num(left_)}, {"y", num(top_)}, {"width", num(width_)}, {"height", num(height_)}, {"fill", "white"}});
    // Tick values with their labels, per axis.
    auto ticks = [](const AxisSpec& a, double step) {
        std::vector<std::pair<double, std::string>> out;
        if (a.log) {
            const int k0 = int(std::round(std::log10(a.min))), k1 = int(std::round(std::log10(a.max)));
            const int every = std::max(1, (k1 - k0 + 7) / 8);
            for (int k = k0; k <= k1; k += every) out.emplace_back(std::pow(10.0, k), decadeText(k));
            return out;
        }
        const double first = std::ceil(a.min / step - 1e-9);  // in steps; may exceed any int
        for (int n = 0; n <= 200 && std::isfinite(first); ++n) {
            const double v = (first + n) * step;
            if (v > a.max + step * 1e-6) break;
            out.emplace_back(v, tickText(v, step));
        }
        return out;
    };
    const auto xt = ticks(x_, xStep_), yt = ticks(y_, yStep_);
    svg_.open("g", {{"stroke", kGrid}, {"stroke-width", "1"}});
    for (const auto& [v, text] : xt) svg_.element("line", {{"x1", num(px(v))}, {"y1", num(top_)}, {"x2", num(px(v))}, {"y2", num(bottom())}});
    for (const auto& [v, text] : yt) svg_.element("line", {{"x1", num(left_)}, {"y1", num(py(v))}, {"x2", num(right())}, {"y2", num(py(v))}});
    svg_.close();
    svg_.open("g", {{"font-size", "12"}, {"fill", kInk}, {"text-anchor", "middle"}});
    for (const auto& [v, text] : xt) svg_.text(px(v), bottom() + 17, text);
    svg_.close();
    svg_.open("g", {{"font-size", "12"}, {"fill", kInk}, {"text-anchor", "end"}});
    for (const auto& [v, text] : yt) svg_.text(left_ - 6, py(v) + 4, text);
    svg_.close();
    svg_.element("rect", {{"x", num(left_)}, {"y", num(top_)}, {"width", num(width_)}, {"height", num(height_)}, {"fill", "none"},
                          {"stroke", kFrame}});
    svg_.text((left_ + right()) / 2, bottom() + 36, x_.label, {{"font-size", "13"}, {"text-anchor", "middle"}, {"fill", kInk}});
    const double mid = (top_ + bottom()) / 2, lx = left_ - 52;
    svg_.text(lx, mid, y_.label,
              {{"font-size", "13"}, {"text-anchor", "middle"}, {"fill", kInk}, {"transform", "rotate(-90 " + num(lx) + " " + num(mid) + ")"}});
}

void PlotArea::drawCurve(const std::vector<Point>& data, const SvgWriter::Attributes& style) {
    std::vector<std::vector<Point>> runs(1);
    for (const auto& [x, y] : data) {
        const double a = px(x), b = y_.log && !(y > 0) ? NAN : py(y);
        if (std::isfinite(x) && std::isfinite(y) && std::isfinite(a) && std::isfinite(b)) {
            // Far outside the area a point is pinned near its edge, which keeps the line's slope
            // as it leaves the area and the numbers short.
            runs.back().emplace_back(a, std::clamp(b, top_ - 2 * height_, bottom() + 2 * height_));
        } else if (!runs.back().empty()) {
            runs.emplace_back();
        }
    }
    for (const std::vector<Point>& run : runs) {
        if (run.size() < 2) continue;
        const bool ascending = std::is_sorted(run.begin(), run.end(), [](const Point& p, const Point& q) { return p.first < q.first; });
        SvgWriter::Attributes a{{"points", SvgWriter::points(ascending ? thinPolyline(run) : run)}, {"fill", "none"}, {"clip-path", clip()}};
        a.insert(a.end(), style.begin(), style.end());
        svg_.element("polyline", a);
    }
}

std::vector<Point> thinPolyline(const std::vector<Point>& points) {
    if (points.size() < 8) return points;
    const double span = points.back().first - points.front().first;
    if (!(double(points.size()) > 2 * (span + 1))) return points;
    std::vector<Point> out;
    size_t i = 0;
    while (i < points.size()) {
        const double column = std::floor(points[i].first);
        size_t j = i, lo = i, hi = i;
        while (j < points.size() && std::floor(points[j].first) == column) {
            if (points[j].second < points[lo].second) lo = j;
            if (points[j].second > points[hi].second) hi = j;
            ++j;
        }
        // First, the extremes in their order, last; each once.
        size_t keep[4] = {i, std::min(lo, hi), std::max(lo, hi), j - 1};
        for (size_t k = 0; k < 4; ++k)
            if (k == 0 || keep[k] != keep[k - 1]) out.push_back(points[keep[k]]);
        i = j;
    }
    return out;
}

void legendEntry(SvgWriter& svg, double x, double y, const std::string& text, const SvgWriter::Attributes& stroke) {
    SvgWriter::Attributes a{{"x1", num(x)}, {"y1", num(y - 4)}, {"x2", num(x + 26)}, {"y2", num(y - 4)}};
    a.insert(a.end(), stroke.begin(), stroke.end());
    svg.element("line", a);
    svg.text(x + 32, y, text, {{"font-size", "12"}, {"fill", kInk}});
}

}  // namespace ds::report
