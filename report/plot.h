#pragma once
// The plotting kit of the report's pictures: a plot area with linear or logarithmic axes drawn
// into an SvgWriter, text for numbers that may not be finite, and the thinning of long curves.
//
// Nothing not finite is ever written: coordinates of points that are not finite are dropped
// (they break a curve), and numbers in texts that are not finite are written as "–".
#include <string>
#include <utility>
#include <vector>

#include "drivesys/render/svgwriter.h"

namespace ds::report {

using Point = std::pair<double, double>;

/// A number as text with `digits` significant digits ("–" when not finite).
std::string numberText(double v, int digits = 4);
/// A number with a fixed count of decimals ("–" when not finite).
std::string fixedText(double v, int decimals);

struct AxisSpec {
    double min = 0.0, max = 1.0;
    /// Logarithmic: min and max > 0; ticks at the decades.
    bool log = false;
    std::string label;
    /// A linear axis with a step > 0 keeps its range and has its ticks at multiples of the step.
    double step = 0.0;
};

/// `text` cut to at most `chars` characters, ending with "…" when cut (UTF-8 kept whole).
std::string shortText(const std::string& text, size_t chars);
/// `text` without a closing parenthetical remark, cut in its middle to at most `chars`
/// characters ("mesh 'z1 pinion…wheel stage 1' 2×"), so that its start and end both show.
std::string shortMiddle(const std::string& text, size_t chars);

/// A plot area at (left, top) of size width × height in the picture, clipped, with its grid,
/// ticks and axis labels. Ranges of linear axes are widened to whole tick steps.
class PlotArea {
public:
    PlotArea(SvgWriter& svg, std::string id, double left, double top, double width, double height, AxisSpec x, AxisSpec y);

    /// Picture coordinates of a data value (values outside the range map outside the area; a
    /// value ≤ 0 on a log axis maps below its bottom).
    double px(double x) const;
    double py(double y) const;
    bool contains(double x, double y) const;
    double left() const { return left_; }
    double top() const { return top_; }
    double right() const { return left_ + width_; }
    double bottom() const { return top_ + height_; }
    const AxisSpec& xAxis() const { return x_; }
    const AxisSpec& yAxis() const { return y_; }
    /// url(#...) of the clip path of the area.
    std::string clip() const { return "url(#" + id_ + "-clip)"; }

    /// Background, grid, ticks, labels and frame.
    void drawFrame();
    /// A polyline of data points (thinned for the picture's resolution, broken where a point is
    /// not finite), clipped to the area.
    void drawCurve(const std::vector<Point>& data, const SvgWriter::Attributes& style);

private:
    SvgWriter& svg_;
    std::string id_;
    double left_, top_, width_, height_;
    AxisSpec x_, y_;
    double xStep_ = 1.0, yStep_ = 1.0;
};

/// Thins a polyline in picture coordinates whose x ascends: per column of one pixel it keeps the
/// first, lowest, highest and last point, in their order. The extremes stay where they were, so
/// no peak moves; a curve of fewer points than twice its width in pixels is left as it is.
std::vector<Point> thinPolyline(const std::vector<Point>& points);

/// A legend line: a short stroke in the style and its text.
void legendEntry(SvgWriter& svg, double x, double y, const std::string& text, const SvgWriter::Attributes& stroke);

}  // namespace ds::report
