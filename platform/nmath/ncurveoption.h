#pragma once
// NCurveOption: how a diagram curve is drawn: its colour, its line style and two switches.
//
// Line styles: 0 solid, 1 dashed, 2 dotted, 3 dash-dotted; other values draw solid.
#include "drivesys/platform/nmath/ncolor.h"

struct NCurveOption {
    NColor color;
    int lineStyle = 0;
    /// The curve is drawn.
    bool visible = true;
    /// The curve has an entry in the diagram's legend.
    bool inLegend = true;

    NCurveOption() = default;
    NCurveOption(const NColor& c, int style, bool visibleFlag, bool legendFlag)
        : color(c), lineStyle(style), visible(visibleFlag), inLegend(legendFlag) {}
};
