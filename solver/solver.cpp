#include "drivesys/solver/solver.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <fmt/xchar.h>
#include <memory>
#include <numbers>
#include <set>
#include <unistd.h>
#include <utility>

#include "drivesys/solver/assignment.h"
#include "drivesys/solver/forced_response.h"
#include "drivesys/solver/modal.h"
#include "drivesys/solver/model.h"
#include "drivesys/solver/parallel.h"
#include "drivesys/solver/results.h"

namespace {

using namespace ds::solver;
constexpr double kRpmToRadPerSecond = 2.0 * std::numbers::pi / 60.0;

unsigned modeCount(const SystemDefinitionData& d, const SolverOptions& o) {
    if (o.numModes > 0) return o.numModes;
    return d.numResonanceCurves > 0 ? unsigned(d.numResonanceCurves) : 12u;
}

/// Modes computed per speed of a sweep beyond the ones shown, so that tracking sees a mode that
/// enters the lowest `count` from above, or leaves them upwards.
size_t campbellCandidates(unsigned count) { return size_t(count) + std::max<size_t>(4, count / 5); }

/// Speeds solved one after the other, each from the modes of the one before.
constexpr size_t kChain = 4;

/// A tracked branch is lost when the best match at the next speed has a MAC below this: the
/// mode has left the computed ones. (A mode of a round shaft at rest has MAC 1/2 with both of
/// its whirling successors, so the bound stays below that.)
constexpr double kLostMac = 0.2;

/// Memory of this machine, bytes (0 when the system does not say).
double physicalMemory() {
    const long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && size > 0 ? double(pages) * double(size) : 0.0;
}

/// What a solve of `nodes` nodes and `dof` DOF will take, bytes, from the sizes of what it holds
/// (an upper estimate; the results records are counted where they grow with the model):
///   beam elements with their matrices                      ~14 kB per node
///   the sparse matrices (16 of them, ≤ 24 nonzeros a row)  ~4.6 kB per DOF
///   the pencil's union pattern, Q(σ), P and KLU's factors  ~2 kB per DOF
///   per thread: the Arnoldi basis 2n × ncv and the shapes of its modes (n × modes, complex);
///     for a sweep also the runs of speeds waiting to be tracked (kChain speeds each)
///   forced response, per thread: a force and a solution per excitation (32 B per DOF each);
///     per speed: 4 series × 3 rows × 2 domains × 32 B per excitation and carrier, where every
///     node is a carrier when results along the length are asked for.
double estimateSolveBytes(size_t nodes, size_t dof, const SystemDefinitionData& d, int calculation, unsigned modes,
                          unsigned threads, const ForcedResponseDefinitionsStruct* run) {
    const double n = double(dof), t = double(threads);
    double bytes = 14e3 * double(nodes) + 6.6e3 * n;
    if (calculation == 0 || calculation == 2) {
        const double c = double(campbellCandidates(modes)), nev = 2 * c + 2, ncv = 2 * nev + 1;
        bytes += t * n * (16 * ncv + 16 * c);
        if (calculation == 2) bytes += (t + 1) * double(kChain) * c * 16 * n;
    }
    if (calculation == 1 && run) {
        size_t meshes = 0;
        for (const auto& group : d.constraintConnectionShaft1) meshes += group.size();
        const double columns = double(run->considerUnbalanceMasses ? d.shaftsNames.size() : 0) +
                               double(run->considerGearMeshForces ? meshes * std::max(1u, run->numHarmonics) : 0);
        size_t bearings = 0;
        for (const auto& shaft : d.bearingName)
            for (const auto& sub : shaft) bearings += sub.size();
        const double carriers = double(bearings + run->documentationPoints.size() + d.docPointName.size()) +
                                (run->calculateResultsVsLength ? double(nodes) : 0.0);
        const double speeds = double(run->speeds.empty() ? run->numPlotPoints : run->speeds.size());
        bytes += t * columns * 64 * n + speeds * columns * carriers * 4 * 3 * 2 * 32;
    }
    return bytes;
}

/// What an elastic housing of `dofs` DOF adds, bytes: its dense stiffness and mass in the model
/// (2 × 8 n_h²), the checks' scaled copy and the definition's conversion (2 × 8 n_h², for a
/// while), per shift its Cholesky factor and the copy it is made from (2 × 8 n_h²); a forced
/// response holds the block in every thread's complex sparse matrix, with its values laid out per
/// term and KLU's factors of it: about 140 B per entry and thread.
double estimateHousingBytes(size_t dofs, int calculation, unsigned threads) {
    const double entries = double(dofs) * double(dofs);
    double bytes = 6 * 8 * entries;
    if (calculation == 1) bytes += 140 * entries * double(threads);
    return bytes;
}

/// A warning for every option of a forced-response run that the solver does not implement and
/// that is set to something else than its default: the answer is the linear, frequency-domain
/// one whatever they say, and the caller must not take it for what they asked.
std::vector<std::string> unimplementedOptions(const ForcedResponseDefinitionsStruct& run) {
    const ForcedResponseDefinitionsStruct defaults;
    std::vector<std::string> out;
    auto check = [&](bool differs, const char* name, const char* what) {
        if (differs) out.push_back(fmt::format("{} is not implemented ({}); it was ignored", name, what));
    };
#define DS_OPTION(member, what) check(!(run.member == defaults.member), #member, what)
    DS_OPTION(considerNonlinearBearingStiffness, "the bearings are linear springs");
    DS_OPTION(considerTorqueExcitation, "only unbalance and transmission error excite");
    DS_OPTION(generateTimeOutputData, "no time-domain output is made");
    DS_OPTION(saveTimeDomainData, "no time-domain output is made");
    DS_OPTION(bearingForcesTimeDomain, "no time-domain output is made");
    DS_OPTION(gearMeshOutputsTimeDomain, "no time-domain output is made");
    DS_OPTION(useUserDefinedEndTime, "no time-domain output is made");
    DS_OPTION(userDefinedEndTime, "no time-domain output is made");
    DS_OPTION(outputTimeDataFilePath, "no time-domain output is made");
    DS_OPTION(solutionApproachForced, "the response is solved directly, not iteratively");
    DS_OPTION(convergenceTolerance, "the response is solved directly, not iteratively");
    DS_OPTION(accuracyForcedResponse, "the response is solved directly, not iteratively");
    DS_OPTION(excitationForceType, "the excitations are unbalance and transmission error");
    DS_OPTION(modelingType, "the model is the linear shaft-system model");
    DS_OPTION(frequencyResponseApproach, "one complex solve per excitation frequency");
    DS_OPTION(numHarmonicsSingle, "the harmonics are numHarmonics");
    DS_OPTION(numResponseHarmonics, "the response has the excitation's frequency only");
    DS_OPTION(hystereticDampingAxial, "the data block's loss factors are used");
    DS_OPTION(hystereticDampingBending, "the data block's loss factors are used");
    DS_OPTION(hystereticDampingTorsion, "the data block's loss factors are used");
#undef DS_OPTION
    return out;
}

ModeStability stabilityOf(const Mode& mode) {
    ModeStability s;
    s.description = mode.description;
    s.frequency = mode.frequency;
    s.undampedFrequency = std::abs(mode.lambda) / (2.0 * std::numbers::pi);
    s.dampingRatio = mode.dampingRatio;
    s.logDecrement = logarithmicDecrement(mode.dampingRatio);
    s.whirl = mode.whirl;
    s.rigid = mode.rigid;
    return s;
}

/// Campbell branches followed from speed to speed by their mass-weighted MAC.
class BranchTracker {
public:
    BranchTracker(const ShaftSystemModel& model, unsigned shown) : model_(model), shown_(shown) {}

    void add(size_t speed, const std::vector<Mode>& modes) {
        if (speed == 0) {
            for (const Mode& mode : modes) {
                Branch& b = branches_.emplace_back();
                extend(b, mode, 0);
                b.inWindow = branches_.size() <= shown_;
            }
            return;
        }
        std::vector<size_t> active;
        for (size_t b = 0; b < branches_.size(); ++b)
            if (branches_[b].active) active.push_back(b);
        if (active.empty() || modes.empty()) {
            for (size_t b : active) branches_[b].active = false;
            return;
        }
        // Cost: 1 − MAC, with a small pull towards the nearest frequency that only decides
        // between shapes that are alike (a degenerate pair at standstill).
        // The products of every branch's shape with every mode's M·shape as one matrix product
        // (a pass over the shapes instead of one per pair).
        const Eigen::Index dofs = modes.front().shape.size();
        Eigen::MatrixXcd branchShapes(dofs, Eigen::Index(active.size())), massShapes(dofs, Eigen::Index(modes.size()));
        Eigen::VectorXd modeNorms(Eigen::Index(modes.size()));
        for (size_t r = 0; r < active.size(); ++r) branchShapes.col(Eigen::Index(r)) = branches_[active[r]].shape;
        for (size_t c = 0; c < modes.size(); ++c) {
            const Mode& mode = modes[c];
            massShapes.col(Eigen::Index(c)) = mode.massShape.size() ? mode.massShape : Eigen::VectorXcd(model_.M * mode.shape);
            modeNorms(Eigen::Index(c)) = mode.shape.dot(massShapes.col(Eigen::Index(c))).real();
        }
        const Eigen::MatrixXcd products = branchShapes.adjoint() * massShapes;
        Eigen::MatrixXd mac(Eigen::Index(active.size()), Eigen::Index(modes.size()));
        Eigen::MatrixXd cost(mac.rows(), mac.cols());
        for (size_t r = 0; r < active.size(); ++r) {
            const Branch& b = branches_[active[r]];
            for (size_t c = 0; c < modes.size(); ++c) {
                const double ab = std::norm(products(Eigen::Index(r), Eigen::Index(c)));
                const double aa = b.norm, bb = modeNorms(Eigen::Index(c));
                const double v = aa > 0 && bb > 0 ? ab / (aa * bb) : 0.0;
                const double f0 = b.frequency.back(), f1 = modes[c].frequency;
                mac(Eigen::Index(r), Eigen::Index(c)) = v;
                cost(Eigen::Index(r), Eigen::Index(c)) = 1.0 - v + 1e-3 * std::abs(f1 - f0) / (f0 + f1 + 1e-12);
            }
        }
        std::vector<int> pick(active.size(), -1);
        if (active.size() <= modes.size()) {
            pick = assignRows(cost);
        } else {
            const std::vector<int> back = assignRows(cost.transpose());
            for (size_t c = 0; c < back.size(); ++c)
                if (back[c] >= 0) pick[size_t(back[c])] = int(c);
        }
        for (size_t r = 0; r < active.size(); ++r) {
            Branch& b = branches_[active[r]];
            const int c = pick[r];
            if (c < 0 || mac(Eigen::Index(r), c) < kLostMac) {
                b.active = false;
                continue;
            }
            extend(b, modes[size_t(c)], speed);
            if (size_t(c) < shown_) b.inWindow = true;
        }
    }

    /// The branches that were among the shown modes at some speed, in the order of their
    /// frequency at the first speed, as result curves and stability records.
    void finish(const std::vector<double>& speeds, SystemVibrationResults& r, std::vector<CampbellBranchStability>& out) {
        std::set<std::string> used;
        for (Branch& b : branches_) {
            if (!b.inWindow) continue;
            std::string id = b.name;
            for (int k = 2; used.count(id); ++k) id = fmt::format("{} ({})", b.name, k);
            used.insert(id);
            r.resCampbellClassified.eigenID.push_back(nWString::fromUtf8(id));
            CampbellCurve curve;
            curve.curve = b.frequency;
            r.resCampbellClassified.eigenfrequencies.push_back(std::move(curve));
            CampbellBranchStability s;
            s.id = id;
            s.frequency = std::move(b.frequency);
            s.dampingRatio = std::move(b.dampingRatio);
            for (double z : s.dampingRatio) s.logDecrement.push_back(logarithmicDecrement(z));
            s.whirl = std::move(b.whirl);
            out.push_back(std::move(s));
        }
        r.resCampbellClassified.frequencyInputRange = speeds;
    }

private:
    struct Branch {
        Eigen::VectorXcd shape;
        double norm = 0.0;  // shapeᴴ M shape
        std::vector<double> frequency, dampingRatio;
        std::vector<int> whirl;
        std::string name;
        bool active = true, inWindow = false;
    };
    void extend(Branch& b, const Mode& mode, size_t speed) {
        (void)speed;
        b.shape = mode.shape;
        b.norm = mode.shape.dot(mode.massShape.size() ? mode.massShape : model_.M * mode.shape).real();
        b.frequency.push_back(mode.frequency);
        b.dampingRatio.push_back(mode.dampingRatio);
        b.whirl.push_back(mode.whirl);
        b.name = mode.description;
    }

    const ShaftSystemModel& model_;
    size_t shown_;
    std::vector<Branch> branches_;
};

/// The Campbell sweep: modes at every speed (on a pool of threads), tracked by their shapes in
/// the order of the speeds.
/// `nominalModes`: every mode found at the nominal speed (the candidates of a sweep).
void campbell(const ModalProblem& problem, const std::vector<Mode>& nominalModes, const std::vector<double>& speeds,
              double nominal, unsigned count, const SolverOptions& options, SystemVibrationResults& r,
              SolverReport& report) {
    const ShaftSystemModel& model = problem.model;
    std::vector<Mode> nominalElastic;
    for (const Mode& mode : nominalModes)
        if (!mode.rigid) nominalElastic.push_back(mode);
    r.resCampbell.push_back(campbellEntry(
        model, nominal, std::vector<Mode>(nominalElastic.begin(), nominalElastic.begin() + std::min<size_t>(count, nominalElastic.size()))));

    const size_t candidates = campbellCandidates(count);
    // The sweep in runs of kChain consecutive speeds: each speed starts its Arnoldi run from the
    // modes of the one before (the first of a run from the nominal speed's), which takes a
    // fraction of a cold start's steps. Runs are independent and always the same, so the speeds
    // come out the same whichever thread solves them.
    const size_t runs = (speeds.size() + kChain - 1) / kChain;
    const unsigned threads = std::min<unsigned>(threadCount(options.threads), unsigned(std::max<size_t>(1, runs)));
    std::vector<std::unique_ptr<QuadraticEigenSolver>> solvers(threads);
    BranchTracker tracker(model, count);
    using Run = std::vector<std::vector<Mode>>;
    orderedParallel<Run>(
        runs, threads, size_t(threads) + 1,
        [&](size_t k, unsigned worker) {
            if (!solvers[worker]) solvers[worker] = std::make_unique<QuadraticEigenSolver>(problem.pencil);
            Run run;
            run.reserve(kChain);
            const std::vector<Mode>* near = &nominalElastic;
            for (size_t j = k * kChain; j < std::min(speeds.size(), (k + 1) * kChain); ++j) {
                run.push_back(solveModes(problem, *solvers[worker], speeds[j] * kRpmToRadPerSecond, candidates, false, near));
                near = &run.back();
            }
            return run;
        },
        [&](size_t k, Run&& run) {
            for (size_t i = 0; i < run.size(); ++i) {
                const size_t j = k * kChain + i;
                tracker.add(j, run[i]);
                std::vector<Mode> lowest(run[i].begin(), run[i].begin() + std::min<size_t>(count, run[i].size()));
                r.resCampbell.push_back(campbellEntry(model, speeds[j], lowest));
                if (options.progress) options.progress(j + 1, speeds.size());
            }
        });
    tracker.finish(speeds, r, report.campbell);
}

/// The housing's size and where the rings sit, from the built model.
void reportHousing(const ShaftSystemModel& model, HousingReport& out) {
    const HousingModel& h = model.housing;
    if (h.empty()) return;
    out.present = true;
    out.dofCount = h.dofs;
    out.nodeCount = h.nodes.size();
    std::vector<bool> boundary(h.nodes.size(), false);
    for (size_t i = 0; i < model.supports.size(); ++i) {
        const SupportInfo& sp = model.supports[i];
        if (sp.housingNode == kNone) continue;
        boundary[sp.housingNode] = true;
        HousingRingPlacement r;
        r.connection = sp.isConnection;
        r.name = sp.name.toUtf8();
        r.shaft = sp.table[0];
        r.subShaft = sp.table[1];
        r.index = sp.table[2];
        r.boundNum = int(i);
        r.node = h.nodeNumbers[sp.housingNode];
        r.distance = sp.ringDistance;
        r.listed = sp.ringListed;
        out.rings.push_back(std::move(r));
    }
    for (bool b : boundary) out.boundaryDofs += b ? size_t(h.dofPerNode) : 0;
}

}  // namespace

double logarithmicDecrement(double zeta) {
    if (!(std::abs(zeta) < 1.0)) return zeta > 0 ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
    return 2.0 * std::numbers::pi * zeta / std::sqrt(1.0 - zeta * zeta);
}

SolverReport SolveSystemDynamics(const SystemDefinition& definition, const GeneralSystemDynamicsDefinitions& general,
                                 SystemVibrationResults& results, const SolverOptions& options) {
    SolverReport report;
    results.reset();
    const SystemDefinitionData& d = definition.data;
    const int calculation = options.calculation >= 0 ? options.calculation : general.calculationToPerform;
    results.performedCalculation = calculation;
    auto refuse = [&](int status, std::string message) {
        results.reset();
        report.modes.clear();
        report.campbell.clear();
        report.warnings.clear();
        report.housing = HousingReport();
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
    if (!(options.memoryLimit >= 0) || !std::isfinite(options.memoryLimit))
        return refuse(kSolverInputError, "memoryLimit must be a finite number of bytes ≥ 0");
    if (!(options.maxElementLength >= 0) || !std::isfinite(options.maxElementLength))
        return refuse(kSolverInputError, "maxElementLength must be a finite length ≥ 0");

    try {
        ModelOptions mo;
        mo.maxElementLength = options.maxElementLength;
        const double limit = options.memoryLimit > 0 ? options.memoryLimit : physicalMemory();
        // The housing's matrices are converted and checked before the model's size is known:
        // refuse one that cannot fit first.
        if (options.housing) {
            if (d.solveOnlyTorsionalVibrations != 0)
                report.warnings.push_back("the housing is left out of a torsion-only analysis: every bearing stands on the ground");
            else
                mo.housing = options.housing;
        }
        const size_t housingDofs = mo.housing ? mo.housing->matrices.stiffness.numRows() : 0;
        const double housingBytes = estimateHousingBytes(housingDofs, calculation, threadCount(options.threads));
        if (limit > 0 && housingBytes > limit)
            throw ModelError(fmt::format("the housing of {} DOF would need about {:.3g} GB of memory to solve, more than the "
                                         "{:.3g} GB allowed",
                                         housingDofs, housingBytes / 1e9, limit / 1e9));
        mo.admit = [&](size_t nodes, size_t dof) {
            const unsigned threads = threadCount(options.threads);
            const double need = housingBytes + estimateSolveBytes(nodes, dof, d, calculation, count, threads,
                                                                  calculation == 1 ? options.forcedResponse : nullptr);
            if (limit > 0 && need > limit)
                throw ModelError(fmt::format("the model of {} nodes ({} DOF) would need about {:.3g} GB of memory to solve "
                                             "with {} thread(s), more than the {:.3g} GB allowed",
                                             nodes, dof, need / 1e9, threads, limit / 1e9));
        };
        // A forced-response run with its own documentation points uses them instead of the data block's.
        if (calculation == 1 && options.forcedResponse && !options.forcedResponse->documentationPoints.empty())
            mo.docPoints = &options.forcedResponse->documentationPoints;
        const ShaftSystemModel model = ShaftSystemModel::build(d, mo);
        report.dofCount = model.dofCount();
        report.nonZeros = size_t(model.K.nonZeros());
        reportHousing(model, report.housing);
        if (report.housing.present && report.housing.rings.empty())
            report.warnings.push_back("no bearing or connection sits on the housing: it moves on its own, its modes apart "
                                      "from the shafts'");
        if (calculation == 1) {
            ForcedResponseDefinitionsStruct defaults;
            const ForcedResponseDefinitionsStruct& run = options.forcedResponse ? *options.forcedResponse : defaults;
            checkForcedResponseRun(model, d, run);  // refuses oversized runs before any work
            for (std::string& warning : unimplementedOptions(run)) report.warnings.push_back(std::move(warning));
        }
        fillSystemTables(model, d, nominal, results);
        results.controllingShaftNominalSpeed = nominal;
        if (calculation == 0 || calculation == 2) {
            ModalProblem problem(model);
            QuadraticEigenSolver solver(problem.pencil);
            const double omega = nominal * kRpmToRadPerSecond;
            // A short first run for the lowest few modes sets the shift and scale; the modal
            // analysis proper sets them once more for the sweep.
            const size_t wanted = calculation == 2 ? campbellCandidates(count) : size_t(count);
            // With a housing every new shift costs a dense factorisation of its block (about a
            // second at 3 600 housing DOF); the shift only sets how fast Arnoldi converges, not
            // what to, so one within a factor of three of the one in use is kept.
            auto retune = [&](const std::vector<Mode>& found) {
                const double inUse = problem.settings.shift;
                problem.tune(found, wanted);
                const double ratio = problem.settings.shift / inUse;
                if (!model.housing.empty() && ratio > 1.0 / 3.0 && ratio < 3.0) problem.settings.shift = inUse;
            };
            // The first run only places the shift, so its eigenvalues need a few digits, not the
            // sweep's: at 1e-4 it takes two thirds of the steps of a run at the full tolerance
            // (on ten shafts with nearly equal lowest modes, 120 operator applications instead of 180).
            const double tolerance = std::exchange(problem.settings.tolerance, 1e-4);
            std::vector<Mode> probe = solveModes(problem, solver, omega, std::min<size_t>(wanted, 6), false);
            problem.settings.tolerance = tolerance;
            retune(probe);
            std::vector<Mode> modes = solveModes(problem, solver, omega, wanted, true);
            retune(modes);
            size_t rigid = 0;
            for (const Mode& mode : modes) rigid += mode.rigid ? 1 : 0;
            std::vector<Mode> shown;
            for (const Mode& mode : modes)
                if (mode.rigid || shown.size() < rigid + count) shown.push_back(mode);
            fillModes(model, shown, results);
            for (const Mode& mode : shown) report.modes.push_back(stabilityOf(mode));
            if (report.housing.present) {
                for (const Mode& mode : shown) {
                    report.housing.modeStrainShare.push_back(mode.strain[kHousingTranslation] + mode.strain[kHousingRotation]);
                    report.housing.modeKineticShare.push_back(mode.kinetic[kHousingMotion]);
                }
                report.housing.factorisedNonZeros = size_t(problem.pencil.factorisedNonZeros());
            }
            if (calculation == 2) campbell(problem, modes, d.campbellSpeed, nominal, count, options, results, report);
        }
        if (calculation == 1) {
            ForcedResponseDefinitionsStruct defaults;
            const ForcedResponseDefinitionsStruct& run = options.forcedResponse ? *options.forcedResponse : defaults;
            solveForcedResponse(model, d, run, options.progress, options.threads, results,
                                report.housing.present ? &report.housing.response : nullptr);
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
