#pragma once
// The picture of a diagram container: one diagram of an nGrafikData drawn as an SVG document.
//
// What is drawn: the title (the container's "title" element, else the diagram's title), the
// plot area with grid, axes with ticks and tick labels at "nice" steps (1, 2, 2.5, 5 · 10^k),
// axis labels with their unit symbol in brackets, every visible curve in its colour and line
// style (polylines, broken at non-finite points and clipped to the plot area), point markers
// (dots with their text), vertical markers (dashed lines with their text), a legend of the
// curves that have a legend entry, and the comment block under the plot. A container without
// diagram is drawn as a short notice that shows its "error" element when it has one.
//
// Axis ranges: the axis's own range when it is finite and not empty; otherwise the range of the
// finite curve points; otherwise [0, 1]. The range is widened to whole tick steps. Scales are
// drawn linear.
#include <string>
#include <vector>

#include "drivesys/platform/ncore/ndiagram.h"

namespace ds {

struct DiagramSvgOptions {
    double width = 960.0;
    double height = 640.0;
    /// Which diagram of the container to draw.
    size_t diagramIndex = 0;
    /// Legend entries beyond this count are summarised in one "… and N more" line.
    size_t maxLegendEntries = 40;
};

std::string renderDiagramSvg(const nGrafikData& data, const DiagramSvgOptions& options = {});

/// Ticks of an axis: the range widened to whole steps and the tick values in it.
struct AxisTicks {
    double min = 0.0;
    double max = 1.0;
    double step = 0.2;
    std::vector<double> values;
};
/// About `target` ticks over [min, max] at a step of 1, 2, 2.5 or 5 · 10^k. A non-finite or
/// empty range is replaced first (empty: widened around its value; non-finite: [0, 1]). At most
/// 100 ticks.
AxisTicks niceTicks(double min, double max, int target = 6);

}  // namespace ds
