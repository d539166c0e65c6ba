#pragma once
// Result diagrams of the system dynamics: the curve of one selection (getSystemDynamicsResults2DData),
// whole diagrams from a command text (InitSystemDynamicGrafik), the diagram container with its
// JSON form and its SVG picture, and a sample result tree to try them on.
#include "dynamics/diagrams.h"
#include "dynamics/sample_results.h"
#include "platform/ncore/ncalculationcontext.h"
#include "platform/ncore/ndiagram.h"
#include "platform/ncore/diagram_svg.h"
#include "platform/wmath/forced_response_plot.h"
#include "platform/wmath/plot2d.h"
