#pragma once
// Filling the result tree from a solved model.
#include <vector>

#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/solver/modal.h"
#include "drivesys/solver/model.h"

namespace ds::solver {

/// Per shaft: bearings (and connections of which it is the inner shaft) and sub-shaft masses
/// with their nominal speeds (1/min); per gear mesh: the two gears' properties.
void fillSystemTables(const ShaftSystemModel& model, const SystemDefinitionData& data, double nominalRpm,
                      SystemVibrationResults& results);

/// The modes of a modal analysis on every sub-shaft (resultsPerShaft[s].shaftResultsPerSubShaft[j].mode).
void fillModes(const ShaftSystemModel& model, const std::vector<Mode>& modes, SystemVibrationResults& results);

/// One speed of a Campbell diagram: frequencies, mode properties (without shapes), shaft speeds
/// (Hz, signed), gear-mesh frequencies (Hz).
NWelleResultCampbells campbellEntry(const ShaftSystemModel& model, double rpm, const std::vector<Mode>& modes);

/// The mode's properties without shape points.
NWelleResultEigenmodeProperties modeProperties(const Mode& mode);

/// False when a modal result (frequency, energy, shape) is NaN or infinite; the forced response
/// is checked where it is solved.
bool resultsAreFinite(const SystemVibrationResults& results);

}  // namespace ds::solver
