#pragma once
// Steady-state forced response of an assembled shaft-system model (calculation 1).
#include <functional>

#include "drivesys/dynamics/dynamics_definitions.h"
#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/solver/model.h"

namespace ds::solver {

/// Refuses, before any work, a run that is too large or ill-defined (speeds, harmonics, plot
/// range); throws ModelError.
void checkForcedResponseRun(const ShaftSystemModel& model, const SystemDefinitionData& data,
                            const ForcedResponseDefinitionsStruct& run);

/// Fills results.forcedResponseResults (one entry per speed) and the documentation points'
/// largest whirl. The speeds are solved on `threads` threads (0: one per core); the results and
/// the progress calls (on the calling thread, in order) are the same for every count.
void solveForcedResponse(const ShaftSystemModel& model, const SystemDefinitionData& data,
                         const ForcedResponseDefinitionsStruct& run, const std::function<void(size_t, size_t)>& progress,
                         unsigned threads, SystemVibrationResults& results);

}  // namespace ds::solver
