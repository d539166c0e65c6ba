#pragma once
// NCalculationContext: the host's context of a running calculation (project, options, progress).
// The library only passes it on; this stand-in carries nothing.
#include "drivesys/platform/drivesys_export.h"

class DRIVESYS_API NCalculationContext {
public:
    NCalculationContext() = default;
};
