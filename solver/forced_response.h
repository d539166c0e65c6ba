#pragma once
// Steady-state forced response of an assembled shaft-system model (calculation 1).
#include <functional>

#include "drivesys/dynamics/dynamics_definitions.h"
#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/solver/model.h"
#include "drivesys/solver/solver.h"

namespace ds::solver {

/// Refuses, before any work, a run that is too large or ill-defined (speeds, harmonics, plot
/// range); throws ModelError.
void checkForcedResponseRun(const ShaftSystemModel& model, const SystemDefinitionData& data,
                            const ForcedResponseDefinitionsStruct& run);

/// Fills results.forcedResponseResults (one entry per speed) and the documentation points'
/// largest whirl. The speeds are solved on `threads` threads (0: one per core); the results and
/// the progress calls (on the calling thread, in order) are the same for every count. With a
/// housing, its dense block is part of the system matrix of every excitation (one sparse LU of
/// the whole, robust at the housing's own resonances), and `housingResponse` (when not null) gets
/// per speed the housing's side of every ring on it (HousingRingResponse, in model order).
void solveForcedResponse(const ShaftSystemModel& model, const SystemDefinitionData& data,
                         const ForcedResponseDefinitionsStruct& run, const std::function<void(size_t, size_t)>& progress,
                         unsigned threads, SystemVibrationResults& results,
                         std::vector<std::vector<HousingRingResponse>>* housingResponse = nullptr);

}  // namespace ds::solver
