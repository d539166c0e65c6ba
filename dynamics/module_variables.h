#pragma once
// Module variables of a system-dynamics calculation: the key results of a SystemVibrationResults
// appended to a module-variables file as `key=value` lines (file format: docs/file-formats.md).
//
// Keys start with "system_dynamics_" (except the eight amplitude/phase lines of each
// documentation point, whose keys start with "forcedResponse_"); index parts are zero-based
// positions written as unsigned decimals. Doubles are written in their shortest exact text.
//
// Series shorter than the element read (row 0 / element 6 of the documentation points' speed
// series, row m / element 6 of a bearing's force spectrum) are never read past their end: the
// missing value is written as 0 (the amplitude/phase lines through the small-value rule, so as
// the integer 0). A classified Campbell identifier without a curve gets its identifier line and
// no curve lines.
#include "dynamics/vibration_results.h"
#include "platform/drivesys_export.h"

/// Appends the module variables of `results` to the file `fileName` (created when missing).
/// Returns true in every case: whether the file could be opened is not checked (a file that
/// cannot be opened receives nothing). A null `fileName` writes nothing.
DRIVESYS_API bool WriteModuleVariablesSystemDynamics(const wchar_t* fileName, const SystemVibrationResults& results);

class nFStream;
namespace ds {
/// The same lines written to an open stream (the file writer and benchmarks use it).
DRIVESYS_API void writeSystemDynamicsModuleVariables(nFStream& out, const SystemVibrationResults& results);
}  // namespace ds
