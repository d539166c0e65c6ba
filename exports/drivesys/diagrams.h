#pragma once
// Result diagrams of the system dynamics: the curve of one selection (getSystemDynamicsResults2DData),
// whole diagrams from a command text (InitSystemDynamicGrafik) and the diagram container with its
// JSON form.
#include "drivesys/dynamics/diagrams.h"
#include "drivesys/platform/ncore/ncalculationcontext.h"
#include "drivesys/platform/ncore/ndiagram.h"
#include "drivesys/dynamics/forced_response_plot.h"
#include "drivesys/platform/wmath/plot2d.h"
