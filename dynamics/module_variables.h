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
#include <string>

#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/platform/drivesys_export.h"

/// Appends the module variables of `results` to the file `fileName` (created when missing).
/// Returns true in every case, as hosts expect of it; WriteModuleVariablesSystemDynamicsChecked
/// does the writing and tells whether it worked. A null `fileName` writes nothing.
DRIVESYS_API bool WriteModuleVariablesSystemDynamics(const wchar_t* fileName, const SystemVibrationResults& results);

/// Appends the module variables of `results` to the file `fileName` as one block: built in
/// memory, written with one write under an exclusive lock of the file (flock), so that blocks of
/// concurrent writers in threads or processes never mix, and started on a new line when the file
/// does not end with one. On failure (no name, file not writable, disk full, ...) the file is
/// cut back to its previous length, false is returned and `error`, when given, says why.
DRIVESYS_API bool WriteModuleVariablesSystemDynamicsChecked(const wchar_t* fileName, const SystemVibrationResults& results,
                                                            std::string* error = nullptr);

class nFStream;
namespace ds {
/// The same lines written to a stream (the file writer and benchmarks use it).
DRIVESYS_API void writeSystemDynamicsModuleVariables(nFStream& out, const SystemVibrationResults& results);
}  // namespace ds
