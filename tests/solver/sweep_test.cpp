// Sweeps on several threads give the one-thread results bit for bit; the limits of a solve are
// set by its memory; options the solver does not implement are named.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <thread>

#include "drivesys/solver/modal.h"
#include "drivesys/solver/solver.h"
#include "solver/rotor_builder.h"

namespace {
using ds::test::gearChain;

struct SolveRun {
    SystemVibrationResults results;
    SolverReport report;
    std::vector<std::pair<size_t, size_t>> progress;
    std::vector<std::thread::id> progressThreads;
};

SolveRun run(const SolverInput& in, unsigned threads) {
    SolveRun r;
    SolverOptions o = in.options;
    o.threads = threads;
    if (in.hasForcedResponse) o.forcedResponse = &in.forcedResponse;
    o.progress = [&r](size_t done, size_t total) {
        r.progress.emplace_back(done, total);
        r.progressThreads.push_back(std::this_thread::get_id());
    };
    r.report = SolveSystemDynamics(in.definition, in.general, r.results, o);
    EXPECT_EQ(r.report.status, kSolverOk) << r.report.message;
    return r;
}

void expectSameForEveryThreadCount(const SolverInput& in) {
    const SolveRun one = run(in, 1);
    const std::string reference = one.results.toJson().dump();
    ASSERT_GT(reference.size(), 1000u);
    for (unsigned threads : {2u, 3u}) {
        const SolveRun many = run(in, threads);
        EXPECT_EQ(many.results.toJson().dump(), reference) << threads << " threads";
        ASSERT_EQ(many.progress.size(), one.progress.size());
        for (size_t i = 0; i < many.progress.size(); ++i) {
            EXPECT_EQ(many.progress[i].first, i + 1);
            EXPECT_EQ(many.progressThreads[i], std::this_thread::get_id());
        }
    }
}

TEST(Sweep, CampbellAndForcedResponseAreTheSameOnEveryThreadCount) {
    expectSameForEveryThreadCount(gearChain(3, 12, 9));
    expectSameForEveryThreadCount(gearChain(3, 12, 7, true));
}

TEST(Sweep, AModelTooLargeForTheMemoryIsRefusedBeforeItIsBuilt) {
    SolverInput in = gearChain(2, 10);
    in.options.memoryLimit = 50e6;
    in.options.maxElementLength = 1e-5;  // 20 000 elements a shaft: about 240 000 DOF
    SystemVibrationResults r;
    SolverReport report = SolveSystemDynamics(in.definition, in.general, r, in.options);
    EXPECT_EQ(report.status, kSolverInputError);
    EXPECT_NE(report.message.find("GB of memory"), std::string::npos) << report.message;
    EXPECT_NE(report.message.find("more than the 0.05 GB allowed"), std::string::npos) << report.message;
    EXPECT_EQ(report.dofCount, 0u);
    // No node cap: a model beyond the old 2 000 nodes is solved when it fits.
    in.options.memoryLimit = 0.0;
    in.options.maxElementLength = 0.1 / 1100;
    in.definition.data.solveOnlyTorsionalVibrations = 1;
    in.general.calculationToPerform = 0;
    in.options.numModes = 3;
    report = SolveSystemDynamics(in.definition, in.general, r, in.options);
    EXPECT_EQ(report.status, kSolverOk) << report.message;
    EXPECT_GT(report.dofCount, 2000u);
}

TEST(Sweep, ForcedResponseOptionsThatAreNotImplementedAreNamed) {
    SolverInput in = gearChain(2, 8, 2, true);
    SolveRun plain = run(in, 1);
    EXPECT_TRUE(plain.report.warnings.empty());
    in.forcedResponse.considerTorqueExcitation = true;
    in.forcedResponse.generateTimeOutputData = true;
    in.forcedResponse.solutionApproachForced = 1;
    in.forcedResponse.considerNonlinearBearingStiffness = true;
    const SolveRun flagged = run(in, 1);
    std::string all;
    for (const std::string& w : flagged.report.warnings) all += w + "\n";
    EXPECT_EQ(flagged.report.warnings.size(), 4u) << all;
    for (const char* name : {"considerTorqueExcitation", "generateTimeOutputData", "solutionApproachForced",
                             "considerNonlinearBearingStiffness"})
        EXPECT_NE(all.find(name), std::string::npos) << name;
    // The answer is still the linear one, the same as without them.
    EXPECT_EQ(flagged.results.toJson().dump(), plain.results.toJson().dump());
}

TEST(Sweep, ArnoldiThatDoesNotConvergeSaysHowFarItGot) {
    const SolverInput in = gearChain(2, 30);
    ds::solver::ModelOptions mo;
    mo.maxElementLength = in.options.maxElementLength;
    const auto model = ds::solver::ShaftSystemModel::build(in.definition.data, mo);
    ds::solver::ModalProblem problem(model);
    problem.settings.tolerance = 0.0;  // no Ritz value is ever close enough
    problem.settings.maxRestarts = 1;
    ds::solver::QuadraticEigenSolver solver(problem.pencil);
    try {
        const auto modes = ds::solver::solveModes(problem, solver, 100.0, 10, false);
        ADD_FAILURE() << "no error; modes " << modes.size();
    } catch (const ds::solver::NumericalError& e) {
        EXPECT_NE(std::string(e.what()).find("reached 0 of 10 modes"), std::string::npos) << e.what();
    }
}

}  // namespace
