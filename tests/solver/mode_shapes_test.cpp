// Mode shapes for drawing: the refined eigenvalue against the modal analysis, the shape between
// nodes against the closed-form mode of a beam, the orbit of an isotropic rotor.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "drivesys/solver/mode_shapes.h"
#include "drivesys/solver/solver.h"
#include "solver/rotor_builder.h"

namespace {
using ds::test::RotorBuilder;
using ds::test::solve;
constexpr double kPi = std::numbers::pi;
constexpr double kStiff = 1e12;

TEST(ModeShapes, SimplySupportedBeamBetweenNodesFollowsTheSine) {
    // Euler–Bernoulli beam on pinned ends: mode 1 is sin(π y / L) in either plane. Eight
    // elements: the nodal values are nearly exact and the cubic shape functions carry the sine
    // between them to about 1e-3 of its peak (a polyline through the nodes misses by 2 %).
    const double L = 1.0, d = 0.05;
    RotorBuilder b;
    b.noHystereticDamping();
    const size_t s = b.shaft(L"beam", {{L, d}});
    b.bearing(s, L"A", 0.0, {kStiff, kStiff, kStiff, 0, kStiff, 0});
    b.bearing(s, L"B", L, {kStiff, 0, kStiff, 0, 0, 0});
    SolverOptions o;
    o.maxElementLength = L / 8;
    o.numModes = 2;
    SystemVibrationResults r;
    const SolverReport solved = solve(b, 0, r, o);
    const ModeStability* first = nullptr;
    for (const ModeStability& m : solved.modes)
        if (!m.rigid && !first) first = &m;
    ASSERT_NE(first, nullptr);

    // An estimate 3 % off converges to the modal analysis' eigenvalue.
    const ModeShapeReport report = SolveModeShapes(b.definition(), o, {{0.0, first->frequency * 1.03, 0.0}}, 200);
    ASSERT_EQ(report.status, kSolverOk) << report.message;
    ASSERT_EQ(report.shapes.size(), 1u);
    const ModeShape& shape = report.shapes[0];
    EXPECT_TRUE(shape.converged);
    EXPECT_NEAR(shape.mode.frequency, first->frequency, 1e-8 * first->frequency);
    EXPECT_EQ(shape.dominant, 0);
    ASSERT_EQ(shape.lines.size(), 1u);
    const ModeShapeLine& line = shape.lines[0];
    EXPECT_EQ(line.nodes.size(), 9u);
    EXPECT_GE(line.position.size(), 200u);
    EXPECT_EQ(line.bearings.size(), 2u);
    double worst = 0.0;
    for (size_t i = 0; i < line.position.size(); ++i) {
        // The plane the mode lies in (the other is nought); sign from the peak, which is +1.
        const double w = std::abs(line.x[i]) > std::abs(line.z[i]) ? line.x[i].real() : line.z[i].real();
        worst = std::max(worst, std::abs(w - std::sin(kPi * line.position[i] / L)));
    }
    EXPECT_LT(worst, 2e-3);
}

TEST(ModeShapes, WhirlingModesOfAnIsotropicRotorHaveCircularOrbits) {
    // An overhung disk on a clamped shaft, turning: gyroscopic forces split the first bending
    // pair into a forward and a backward mode, each a circular orbit (|x| = |z|, 90° apart)
    // because the rotor is the same in every direction.
    const double rpm = 6000.0;
    const RotorBuilder b = RotorBuilder::overhungDisk(0.25, 0.03, 8.0, 0.06);
    SolverOptions o;
    o.numModes = 2;
    o.nominalSpeed = rpm;
    SystemVibrationResults r;
    const SolverReport solved = solve(b, 0, r, o);
    std::vector<ModeShapeRequest> requests;
    std::vector<int> whirls;
    for (const ModeStability& mode : solved.modes)
        if (!mode.rigid) {
            requests.push_back({rpm, mode.frequency * 0.99, mode.dampingRatio});
            whirls.push_back(mode.whirl);
        }
    ASSERT_EQ(requests.size(), 2u);
    ASSERT_EQ(whirls[0] * whirls[1], -1);  // one forward, one backward

    const ModeShapeReport report = SolveModeShapes(b.definition(), o, requests, 50);
    ASSERT_EQ(report.status, kSolverOk) << report.message;
    for (size_t k = 0; k < 2; ++k) {
        const ModeShape& shape = report.shapes[k];
        EXPECT_NEAR(shape.mode.frequency, requests[k].frequency / 0.99, 1e-8 * requests[k].frequency);
        EXPECT_EQ(shape.mode.whirl, whirls[k]);
        const ModeShapeLine& line = shape.lines.at(0);
        const std::complex<double> x = line.x.back(), z = line.z.back();  // at the disk
        EXPECT_NEAR(std::abs(x), std::abs(z), 1e-6 * std::abs(x)) << k;
        EXPECT_NEAR(std::abs(std::remainder(std::arg(x) - std::arg(z), kPi)), kPi / 2, 1e-6) << k;
    }
}

TEST(ModeShapes, RefusesRequestsItCannotMeet) {
    RotorBuilder b;
    const size_t s = b.shaft(L"shaft", {{0.2, 0.03}});
    b.bearing(s, L"A", 0.0, {kStiff, kStiff, kStiff, 0, kStiff, 0});
    const SolverOptions o;
    EXPECT_EQ(SolveModeShapes(b.definition(), o, {{0.0, -5.0, 0.0}}).status, kSolverInputError);
    EXPECT_EQ(SolveModeShapes(b.definition(), o, {{NAN, 50.0, 0.0}}).status, kSolverInputError);
    EXPECT_EQ(SolveModeShapes(b.definition(), o, {{0.0, 50.0, 1.5}}).status, kSolverInputError);
    EXPECT_EQ(SolveModeShapes(SystemDefinition(), o, {{0.0, 50.0, 0.0}}).status, kSolverInputError);
}

}  // namespace
