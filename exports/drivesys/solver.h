#pragma once
// The system-dynamics solver: a vibration definition in, the result tree out; the definition
// file's JSON form and the sample gearbox's definition.
#include "drivesys/solver/definition_json.h"
#include "drivesys/samples/sample_definition.h"
#include "drivesys/solver/solver.h"
