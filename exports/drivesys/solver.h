#pragma once
// The system-dynamics solver: a vibration definition in, the result tree out; the definition
// file's JSON form; what an engineer hands on from the results (stability, critical speeds and
// margins, amplification factors) and mode shapes for drawing.
#include "drivesys/solver/definition_json.h"
#include "drivesys/solver/mode_shapes.h"
#include "drivesys/solver/resonance.h"
#include "drivesys/solver/solver.h"
#include "drivesys/solver/summary.h"
