#pragma once
// The system-dynamics solver: a vibration definition in, the result tree out; the definition
// file's JSON form.
#include "drivesys/solver/definition_json.h"
#include "drivesys/solver/solver.h"
