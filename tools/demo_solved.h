#pragma once
// The demo's vibration results, solved once from the sample gearbox's definition with its box
// housing and shared by the demo steps that write them, their module variables and their diagrams.
#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/solver/definition_json.h"

namespace drivesys_cli {

struct DemoSolution {
    SolverInput input;
    /// The forced-response run of the demo (gear-mesh excitation, three harmonics, mesh damping 10 %).
    ForcedResponseDefinitionsStruct forcedRun;
    /// Campbell diagram with the modal analysis at the nominal speed and the forced response, in
    /// one tree, the gearbox standing in its box housing (performedCalculation 2; the diagrams read
    /// it as each calculation in turn).
    SystemVibrationResults results;
    /// The Campbell solve's report (stability of the modes and curves), with the forced-response
    /// solve's warnings added.
    SolverReport report;
    /// The forced response's report, with the housing's side of its rings.
    SolverReport forcedReport;
    /// The modal analysis of the same gearbox with every bearing on the ground, to compare.
    SolverReport grounded;
    /// The housing's stiffness file as text (written beside the definition) and where it came from.
    std::string housingFile, housingSource;
    size_t dofCount = 0;
    double seconds = 0.0;
};

/// Solves on first use; throws std::runtime_error when the solver refuses.
const DemoSolution& demoSolution();

}  // namespace drivesys_cli
