#pragma once
// The system-dynamics solver: a vibration definition in, the result tree out; the definition
// file's JSON form and the sample gearbox's definition.
#include "solver/definition_json.h"
#include "solver/sample_definition.h"
#include "solver/solver.h"
