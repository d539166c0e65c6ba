// The solver's thread pool under ThreadSanitizer: several solves at once, a sweep cancelled by an
// exception in one of its speeds, and a sweep whose threads share an elastic housing's factor.
#include <gtest/gtest.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <thread>

#include "drivesys/solver/housing_definition.h"
#include "drivesys/solver/parallel.h"
#include "drivesys/solver/solver.h"
#include "solver/rotor_builder.h"

namespace {

/// Two shafts of 8 elements in mesh, a Campbell diagram of `speeds` speeds (or a forced response).
SolverInput smallChain(size_t speeds, bool forced = false) { return ds::test::gearChain(2, 8, speeds, forced); }

TEST(SolverConcurrency, AnExceptionInOneItemStopsTheRunAndReachesTheCaller) {
    for (unsigned threads : {1u, 2u, 4u}) {
        std::atomic<int> produced{0};
        std::vector<size_t> consumed;
        try {
            ds::solver::orderedParallel<size_t>(
                200, threads, 2 * threads + 2,
                [&](size_t i, unsigned) {
                    ++produced;
                    if (i == 17) throw std::runtime_error("speed 17 failed");
                    return i * i;
                },
                [&](size_t i, size_t&& v) {
                    EXPECT_EQ(v, i * i);
                    consumed.push_back(i);
                });
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "speed 17 failed");
        }
        // Taken in order, none past the failed item, and no more work started than the window.
        for (size_t k = 0; k < consumed.size(); ++k) EXPECT_EQ(consumed[k], k);
        EXPECT_LE(consumed.size(), 17u);
        EXPECT_LE(produced.load(), int(17 + 2 * threads + 3)) << threads;
    }
}

TEST(SolverConcurrency, SeveralSweepsAtOnceGiveTheirOneThreadResults) {
    const SolverInput campbell = smallChain(6), forced = smallChain(6, true);
    auto solve = [](const SolverInput& in, unsigned threads) {
        SolverOptions options = in.options;
        options.threads = threads;
        if (in.hasForcedResponse) options.forcedResponse = &in.forcedResponse;
        SystemVibrationResults r;
        const SolverReport report = SolveSystemDynamics(in.definition, in.general, r, options);
        EXPECT_EQ(report.status, kSolverOk) << report.message;
        return r.toJson().dump();
    };
    const std::string expectedCampbell = solve(campbell, 1), expectedForced = solve(forced, 1);
    std::vector<std::string> got(4);
    std::vector<std::thread> callers;
    for (size_t k = 0; k < got.size(); ++k)
        callers.emplace_back([&, k] { got[k] = solve(k % 2 ? forced : campbell, 2); });
    for (std::thread& t : callers) t.join();
    for (size_t k = 0; k < got.size(); ++k) EXPECT_EQ(got[k], k % 2 ? expectedForced : expectedCampbell) << k;
}

// The housing's dense factor and transformed mass are made once for the sweep's shift by the
// first thread that asks and shared: the sweep on two threads is its one-thread result.
TEST(SolverConcurrency, AHousingSweepOnTwoThreadsGivesItsOneThreadResult) {
    SolverInput in = smallChain(9);
    in.options.numModes = 6;
    const SystemDefinitionData& d = in.definition.data;
    // A node under every bearing and one beside the chain without a ring (the interior), each on
    // springs to the ground, neighbours tied, with mass.
    std::vector<NVektor> nodes;
    std::vector<HousingRing> rings;
    for (size_t s = 0; s < d.bearingPosition.size(); ++s)
        for (size_t k = 0; k < d.bearingPosition[s][0].size(); ++k) {
            const NVektor& origin = d.shaftOrigin[s][0];
            rings.push_back({HousingRing::Kind::Bearing, s, 0, k, int64_t(100 + nodes.size())});
            nodes.push_back(NVektor(origin.x, origin.y + d.bearingPosition[s][0][k].y, origin.z));
        }
    nodes.push_back(NVektor(0.5, 0.0, 0.5));
    HousingDefinition h = ds::test::springHousing(nodes, {{4e8, 4e8, 4e8, 4e8, 4e8, 4e8}}, {{20, 20, 20, 0.05, 0.05, 0.05}}, 1e8);
    h.rings = rings;
    auto solve = [&](unsigned threads) {
        SolverOptions options = in.options;
        options.threads = threads;
        options.housing = &h;
        SystemVibrationResults r;
        const SolverReport report = SolveSystemDynamics(in.definition, in.general, r, options);
        EXPECT_EQ(report.status, kSolverOk) << report.message;
        EXPECT_TRUE(report.housing.present);
        return r.toJson().dump();
    };
    EXPECT_EQ(solve(2), solve(1));
}

TEST(SolverConcurrency, AProgressCallbackThatThrowsCancelsTheSweep) {
    SolverInput in = smallChain(40);
    in.options.threads = 2;
    size_t calls = 0;
    in.options.progress = [&calls](size_t done, size_t) {
        ++calls;
        if (done == 5) throw std::runtime_error("cancelled");
    };
    SystemVibrationResults r;
    EXPECT_THROW(SolveSystemDynamics(in.definition, in.general, r, in.options), std::runtime_error);
    EXPECT_EQ(calls, 5u);
}

}  // namespace
