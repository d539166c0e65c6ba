#pragma once
// What `drivesys solve` and `drivesys report` share: reading a definition file, and the options
// of the results summary (operating range, excitation orders).
#include <CLI/CLI.hpp>
#include <string>

#include "drivesys/solver/definition_json.h"
#include "drivesys/solver/summary.h"

namespace drivesys_cli {

/// A definition file read whole (a housing's stiffness file beside it); unknown keys are warned
/// about on standard error. Throws UsageError naming the file and the key when it does not fit.
/// options.housing is left null: point it at the returned input's housing.
SolverInput readDefinitionFile(const std::string& path);

struct SummaryArguments {
    /// "MIN:MAX" in 1/min of the controlling shaft; empty: the nominal speed.
    std::string operatingRange;
    /// "1x,2x,mesh1,..."; empty: the default orders.
    std::string orders;
};

/// Adds --operating-range and --orders to a command.
void addSummaryArguments(CLI::App& command, SummaryArguments& arguments);

/// The summary options the arguments give; throws UsageError naming the option that is wrong.
SummaryOptions summaryOptions(const SummaryArguments& arguments);

}  // namespace drivesys_cli
