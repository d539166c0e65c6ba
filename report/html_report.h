#pragma once
// The report of a solved vibration definition: one self-contained HTML page (inline CSS and SVG,
// nothing fetched, opens from file://) and CSV files of its mode and critical-speed tables.
//
// Sections, in this order: warnings (unstable and lightly damped modes, critical speeds short of
// their margin, the solver's warnings, the sections that could not be filled), model, modes at
// the nominal speed, Campbell diagram with the critical speeds and the curves' stability, the
// critical modes' shapes, forced response with amplification factors. A section the definition
// gives nothing for says so instead.
#include <cstddef>
#include <string>
#include <vector>

#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/solver/definition_json.h"
#include "drivesys/solver/mode_shapes.h"
#include "drivesys/solver/solver.h"
#include "drivesys/solver/summary.h"

namespace ds::report {

/// What the solver gave for a definition.
struct SolvedDefinition {
    /// Modal analysis (with the Campbell diagram when there are speeds) and the forced response's
    /// results moved into the same tree.
    SystemVibrationResults results;
    /// Report of the modal or Campbell solve, with the forced-response solve's warnings added.
    SolverReport report;
    bool campbell = false, forcedResponse = false;
};

/// Solves what the definition allows: the Campbell diagram when it has Campbell speeds, else the
/// modal analysis; the forced response when it has a forced-response run. Throws
/// std::runtime_error with the solver's message (and status) when a solve fails.
SolvedDefinition solveDefinition(const SolverInput& input);

struct ReportOptions {
    /// Operating range and orders; `forcedResponse` is set from the input.
    SummaryOptions summary;
    /// Forced responses on a logarithmic amplitude axis.
    bool logAmplitude = false;
    /// Critical modes drawn (those with the shortest margins first).
    size_t maxShapes = 4;
    /// Documentation points drawn (those with the largest peaks first); all are tabled.
    size_t maxResponsePictures = 8;
    /// Named in the title (the definition file's name).
    std::string source;
};

struct ReportDocument {
    SystemDynamicsSummary summary;
    std::string html;
    /// The mode table and the critical-speed table as CSV (RFC 4180, a header line, SI units
    /// named in the column names).
    std::string modesCsv, criticalSpeedsCsv;
};

/// The report of a solved definition.
ReportDocument buildReport(const SolverInput& input, const SolvedDefinition& solved, const ReportOptions& options);

/// Excitation orders from a list such as "1x,2x,mesh1,mesh2": "<k>x" is the k-th multiple of
/// every shaft's speed (0 < k ≤ 100), "mesh<h>" the h-th harmonic of every mesh (1 ≤ h ≤ 100).
/// Throws std::invalid_argument naming the item that is none of these.
std::vector<ExcitationOrder> parseExcitationOrders(const std::string& list);

}  // namespace ds::report
