#include "drivesys/solver/solver.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <fmt/xchar.h>
#include <numbers>
#include <set>

#include "drivesys/solver/assignment.h"
#include "drivesys/solver/forced_response.h"
#include "drivesys/solver/modal.h"
#include "drivesys/solver/model.h"
#include "drivesys/solver/results.h"

namespace {

using namespace ds::solver;
constexpr double kRpmToRadPerSecond = 2.0 * std::numbers::pi / 60.0;

unsigned modeCount(const SystemDefinitionData& d, const SolverOptions& o) {
    if (o.numModes > 0) return o.numModes;
    return d.numResonanceCurves > 0 ? unsigned(d.numResonanceCurves) : 12u;
}

/// The Campbell sweep: modes at every speed, tracked by their shapes.
void campbell(const ShaftSystemModel& model, const ModalBasis& basis, const std::vector<double>& speeds, double nominal,
              unsigned count, const SolverOptions& options, SystemVibrationResults& r) {
    const size_t candidates = std::min<size_t>(2 * size_t(count) + 4, size_t(basis.phi.cols()));
    r.resCampbell.push_back(campbellEntry(model, nominal, solveModes(model, basis, nominal * kRpmToRadPerSecond, count, false)));

    std::vector<Eigen::VectorXcd> reference;
    std::vector<double> lastFrequency;
    std::vector<std::vector<double>> curves;
    std::vector<std::string> names;
    for (size_t j = 0; j < speeds.size(); ++j) {
        const std::vector<Mode> modes = solveModes(model, basis, speeds[j] * kRpmToRadPerSecond, candidates, false);
        if (j == 0) {
            const size_t branches = std::min<size_t>(count, modes.size());
            curves.assign(branches, {});
            names.assign(branches, {});
            for (size_t b = 0; b < branches; ++b) reference.push_back(modes[b].shape), lastFrequency.push_back(modes[b].frequency);
        }
        const size_t branches = reference.size();
        std::vector<int> pick(branches, -1);
        if (modes.size() >= branches && branches > 0) {
            // Cost: 1 − MAC, with a small pull towards the nearest frequency that only decides
            // between shapes that are alike (a degenerate pair at standstill).
            Eigen::MatrixXd cost(Eigen::Index(branches), Eigen::Index(modes.size()));
            for (size_t b = 0; b < branches; ++b)
                for (size_t c = 0; c < modes.size(); ++c) {
                    const double f0 = lastFrequency[b], f1 = modes[c].frequency;
                    cost(Eigen::Index(b), Eigen::Index(c)) =
                        1.0 - modalAssurance(model, reference[b], modes[c].shape) + 1e-3 * std::abs(f1 - f0) / (f0 + f1 + 1e-12);
                }
            pick = assignRows(cost);
        }
        for (size_t b = 0; b < branches; ++b) {
            if (pick[b] < 0) {
                curves[b].push_back(lastFrequency[b]);
                continue;
            }
            const Mode& mode = modes[size_t(pick[b])];
            curves[b].push_back(mode.frequency);
            reference[b] = mode.shape;
            lastFrequency[b] = mode.frequency;
            names[b] = mode.description;
        }
        std::vector<Mode> lowest(modes.begin(), modes.begin() + std::min<size_t>(count, modes.size()));
        r.resCampbell.push_back(campbellEntry(model, speeds[j], lowest));
        if (options.progress) options.progress(j + 1, speeds.size());
    }
    // Identifiers: the branch's description at the last speed, made unique.
    std::set<std::string> used;
    for (size_t b = 0; b < curves.size(); ++b) {
        std::string id = names[b];
        for (int k = 2; used.count(id); ++k) id = fmt::format("{} ({})", names[b], k);
        used.insert(id);
        r.resCampbellClassified.eigenID.push_back(nWString::fromUtf8(id));
        CampbellCurve curve;
        curve.curve = curves[b];
        r.resCampbellClassified.eigenfrequencies.push_back(std::move(curve));
    }
    r.resCampbellClassified.frequencyInputRange = speeds;
}

}  // namespace

SolverReport SolveSystemDynamics(const SystemDefinition& definition, const GeneralSystemDynamicsDefinitions& general,
                                 SystemVibrationResults& results, const SolverOptions& options) {
    SolverReport report;
    results.reset();
    const SystemDefinitionData& d = definition.data;
    const int calculation = options.calculation >= 0 ? options.calculation : general.calculationToPerform;
    results.performedCalculation = calculation;
    auto refuse = [&](int status, std::string message) {
        results.reset();
        results.performedCalculation = calculation;
        results.solverStatus = status;
        report.status = status;
        report.message = std::move(message);
        return report;
    };
    if (calculation < 0 || calculation > 2)
        return refuse(kSolverInputError, fmt::format("calculationToPerform {} is none of 0 (modal analysis), 1 (forced "
                                                     "response), 2 (Campbell diagram)", calculation));
    const unsigned count = modeCount(d, options);
    if (count > kSolverMaxModes)
        return refuse(kSolverInputError, fmt::format("{} modes asked for; at most {} are computed", count, kSolverMaxModes));
    if (calculation == 2) {
        if (d.campbellSpeed.empty()) return refuse(kSolverInputError, "campbellSpeed is empty: a Campbell diagram needs speeds");
        if (d.campbellSpeed.size() > kSolverMaxSpeeds)
            return refuse(kSolverInputError, fmt::format("campbellSpeed holds {} speeds; at most {} are solved",
                                                         d.campbellSpeed.size(), kSolverMaxSpeeds));
        for (size_t j = 0; j < d.campbellSpeed.size(); ++j)
            if (!std::isfinite(d.campbellSpeed[j]))
                return refuse(kSolverInputError, fmt::format("campbellSpeed[{}] is not a finite number", j));
    }
    double nominal = options.nominalSpeed;
    if (!std::isfinite(nominal))
        nominal = options.forcedResponse && std::isfinite(options.forcedResponse->controllingShaftNominalSpeed)
                      ? options.forcedResponse->controllingShaftNominalSpeed
                      : 0.0;
    if (!(options.maxElementLength >= 0) || !std::isfinite(options.maxElementLength))
        return refuse(kSolverInputError, "maxElementLength must be a finite length ≥ 0");

    try {
        ModelOptions mo;
        mo.maxElementLength = options.maxElementLength;
        // A forced-response run with its own documentation points uses them instead of the data block's.
        if (calculation == 1 && options.forcedResponse && !options.forcedResponse->documentationPoints.empty())
            mo.docPoints = &options.forcedResponse->documentationPoints;
        const ShaftSystemModel model = ShaftSystemModel::build(d, mo);
        report.dofCount = model.dofCount();
        if (calculation == 1) {
            ForcedResponseDefinitionsStruct defaults;
            const ForcedResponseDefinitionsStruct& run = options.forcedResponse ? *options.forcedResponse : defaults;
            checkForcedResponseRun(model, d, run);  // refuses oversized runs before any work
        }
        fillSystemTables(model, d, nominal, results);
        results.controllingShaftNominalSpeed = nominal;
        if (calculation == 0 || calculation == 2) {
            const ModalBasis basis = modalBasis(model);
            fillModes(model, solveModes(model, basis, nominal * kRpmToRadPerSecond, count, true), results);
            if (calculation == 2) campbell(model, basis, d.campbellSpeed, nominal, count, options, results);
        }
        if (calculation == 1) {
            ForcedResponseDefinitionsStruct defaults;
            const ForcedResponseDefinitionsStruct& run = options.forcedResponse ? *options.forcedResponse : defaults;
            solveForcedResponse(model, d, run, options.progress, results);
        }
    } catch (const ModelError& e) {
        return refuse(kSolverInputError, e.what());
    } catch (const NumericalError& e) {
        return refuse(kSolverNumericalError, e.what());
    } catch (const std::bad_alloc&) {
        return refuse(kSolverInputError, "the model is too large for the memory of this machine");
    }
    if (!resultsAreFinite(results)) return refuse(kSolverNumericalError, "the solution holds values that are not finite");
    results.solverStatus = kSolverOk;
    report.status = kSolverOk;
    return report;
}
