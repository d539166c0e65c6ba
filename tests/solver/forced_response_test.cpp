// Forced response against closed-form single-degree-of-freedom results, and the sample
// gearbox's resonances against its Campbell diagram.
#include <complex>
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <numbers>

#include "solver/rotor_builder.h"
#include "drivesys/samples/sample_definition.h"
#include "drivesys/solver/solver.h"

namespace {
using namespace ds::test;
using Complex = std::complex<double>;
constexpr double kPi = std::numbers::pi;

SystemVibrationResults solveForced(const RotorBuilder& b, const ForcedResponseDefinitionsStruct& run, double nominal) {
    SolverOptions o;
    o.forcedResponse = &run;
    o.nominalSpeed = nominal;
    SystemVibrationResults r;
    solve(b, 1, r, o);
    return r;
}

TEST(ForcedResponse, JeffcottUnbalanceResponseAndPhaseAtTheCriticalSpeed) {
    // A 10 kg disk on a spring-damper support (k, c) turning at Ω with unbalance U = m·e:
    // u = U Ω² / (k − mΩ² + icΩ), a forward circular orbit; at Ω = √(k/m) the phase is −90°.
    const double m = 10.0, k = 1e6, c = 200.0, nominal = 3000.0;
    const RotorBuilder b = RotorBuilder::diskOnSupport(m, k, c);

    const double critical = std::sqrt(k / m) * 60 / (2 * kPi);
    ForcedResponseDefinitionsStruct run;
    run.considerUnbalanceMasses = true;
    run.considerGearMeshForces = false;
    run.speeds = {1000.0, critical, 6000.0};
    const SystemVibrationResults r = solveForced(b, run, nominal);
    ASSERT_EQ(r.forcedResponseResults.size(), 3u);
    const double U = m * 6.3e-3 / (nominal * 2 * kPi / 60);
    for (size_t j = 0; j < 3; ++j) {
        const double w = run.speeds[j] * 2 * kPi / 60;
        const Complex expected = U * w * w / Complex(k - m * w * w, c * w);
        const auto& sd = r.forcedResponseResults[j].docPointResults.at(0).docPointSpeedDomain;
        const auto& ux = sd.uVecVsSpeed.at(0).at(0);
        const auto& uz = sd.uVecVsSpeed.at(2).at(0);
        EXPECT_NEAR(ux.amplitude, std::abs(expected), 1e-3 * std::abs(expected)) << j;
        EXPECT_NEAR(ux.phase, std::arg(expected), 1.0) << j;
        // Forward circular whirl: uz = i·ux, major = minor semi-axis.
        EXPECT_NEAR(uz.amplitude, ux.amplitude, 1e-6 * ux.amplitude);
        EXPECT_NEAR(sd.whirlMajorBendingSemiAxis, std::abs(expected), 1e-3 * std::abs(expected));
        EXPECT_NEAR(sd.whirlMinorBendingSemiAxis, std::abs(expected), 1e-3 * std::abs(expected));
    }
    EXPECT_NEAR(r.forcedResponseResults[1].docPointResults[0].docPointSpeedDomain.uVecVsSpeed[0][0].phase, -kPi / 2, 1.0);
    // The bearing carries k·u + iωc·u.
    const auto& bearing = r.forcedResponseResults[1].bearingResults.at(0).bearingSpeedDomain;
    const double w = critical * 2 * kPi / 60;
    EXPECT_NEAR(bearing.fVecVsSpeed[0][0].amplitude, std::abs(Complex(k, c * w)) * U * w * w / (c * w),
                1e-3 * std::abs(Complex(k, c * w)) * U * w * w / (c * w));
    // The largest whirl of the point is the one at the critical speed.
    ASSERT_EQ(r.forcedResponseDocPointMaxWhirlMajorBendingSemiAxis.size(), 1u);
    EXPECT_EQ(r.forcedResponseDocPointMaxWhirlMajorBendingSemiAxis[0].whirlDataPerSpeed.at(0).speedIndex, 1);

    // The run's own documentation points replace the data block's.
    DocPointDataForForcedResponseStruct own;
    own.name = L"run point";
    own.position = 0.05;
    run.documentationPoints = {own};
    const SystemVibrationResults r2 = solveForced(b, run, nominal);
    ASSERT_EQ(r2.forcedResponseResults.at(1).docPointResults.size(), 1u);
    const auto& p2 = r2.forcedResponseResults[1].docPointResults[0];
    EXPECT_EQ(p2.docPointName, nWString(L"run point"));
    EXPECT_DOUBLE_EQ(p2.docPointSpeedDomain.uVecVsSpeed[0][0].amplitude,
                     r.forcedResponseResults[1].docPointResults[0].docPointSpeedDomain.uVecVsSpeed[0][0].amplitude);
}

TEST(ForcedResponse, GearPairUnderTransmissionErrorIsATorsionalOscillator) {
    // Only the mesh couples the two gears' rotations: with δ = rb1θ1 + rb2θ2 the pair is one
    // oscillator m_eq δ̈ + c δ̇ + km δ = km e, m_eq = 1/(rb1²/J1 + rb2²/J2); the mesh force is
    // F = m_eq ω² δ, δ = km e / (km − m_eq ω² + iωc).
    const double km = 5e8, J1 = 2e-3, J2 = 3e-2, c = 500.0;
    const double ppte = 2e-6, e = ppte / 2;
    RotorBuilder b = RotorBuilder::gearPair(J1, J2, km);
    b.noHystereticDamping();
    b.d.gearCalcResults.PPTE = {{ppte}};
    const double rb1 = kPinionRadius * std::cos(kPressureAngle), rb2 = kWheelRadius * std::cos(kPressureAngle);
    const double meq = 1.0 / (rb1 * rb1 / J1 + rb2 * rb2 / J2);
    const double resonanceRpm = std::sqrt(km / meq) / 20 * 60 / (2 * kPi);

    ForcedResponseDefinitionsStruct run;
    run.gearMeshDampingType = 0;
    run.gearMeshDamping = c;
    run.speeds = {0.5 * resonanceRpm, resonanceRpm, 1.7 * resonanceRpm};
    const SystemVibrationResults r = solveForced(b, run, 0.0);
    for (size_t j = 0; j < 3; ++j) {
        const double w = 20 * run.speeds[j] * 2 * kPi / 60;
        const Complex delta = km * e / Complex(km - meq * w * w, w * c);
        const Complex force = meq * w * w * delta;
        const auto& g = r.forcedResponseResults.at(j).gearMeshResults.at(0);
        ASSERT_EQ(g.baseFreqInd, 0);
        EXPECT_NEAR(g.gearMeshFreqDomain.f.at(0), w / (2 * kPi), 1e-9 * w);
        EXPECT_NEAR(g.gearMeshFreqDomain.dispPLVsFreq.at(0).amplitude, std::abs(delta), 1e-3 * std::abs(delta)) << j;
        EXPECT_NEAR(g.gearMeshFreqDomain.forcePLVsFreq.at(0).amplitude, std::abs(force), 1e-3 * std::abs(force)) << j;
        EXPECT_NEAR(g.dynamicFactor, 1.0 + std::abs(force) / (km * e), 1e-3 * std::abs(force) / (km * e)) << j;
    }
}

TEST(ForcedResponse, SampleGearboxPeaksWhereMeshOrderLinesCrossItsCampbellCurves) {
    SolverInput in = ds::sampleGearboxSolverInput();
    in.definition.data.campbellSpeed.clear();
    for (int rpm = 0; rpm <= 3000; rpm += 200) in.definition.data.campbellSpeed.push_back(rpm);
    SystemVibrationResults campbell;
    GeneralSystemDynamicsDefinitions general;
    general.calculationToPerform = 2;
    ASSERT_EQ(SolveSystemDynamics(in.definition, general, campbell, in.options).status, kSolverOk);

    // Crossings of the first mesh's order line (z1 · n / 60) with every classified curve.
    const auto& cls = campbell.resCampbellClassified;
    const double teeth = 19.0;
    std::vector<double> crossings;
    for (const auto& curve : cls.eigenfrequencies)
        for (size_t j = 0; j + 1 < cls.frequencyInputRange.size(); ++j) {
            const double n0 = cls.frequencyInputRange[j], n1 = cls.frequencyInputRange[j + 1];
            const double d0 = teeth * n0 / 60 - curve.curve[j], d1 = teeth * n1 / 60 - curve.curve[j + 1];
            if (d0 <= 0 && d1 > 0) crossings.push_back(n0 + (n1 - n0) * (-d0) / (d1 - d0));
        }
    ASSERT_FALSE(crossings.empty());

    ForcedResponseDefinitionsStruct run;
    run.numPlotPoints = 146;
    run.xAxisMin = 100;
    run.xAxisMax = 3000;
    run.numHarmonics = 1;
    general.calculationToPerform = 1;
    SolverOptions o = in.options;
    o.forcedResponse = &run;
    SystemVibrationResults forced;
    ASSERT_EQ(SolveSystemDynamics(in.definition, general, forced, o).status, kSolverOk);
    // Dynamic mesh force of the first mesh under its own excitation.
    std::vector<double> force;
    for (const auto& entry : forced.forcedResponseResults) {
        const auto& g = entry.gearMeshResults.at(0);
        ASSERT_GE(g.baseFreqInd, 0);
        force.push_back(g.gearMeshFreqDomain.forcePLVsFreq.at(size_t(g.baseFreqInd)).amplitude);
    }
    const double top = *std::max_element(force.begin(), force.end());
    const double step = 20.0;
    int peaks = 0;
    for (size_t j = 1; j + 1 < force.size(); ++j) {
        if (!(force[j] > force[j - 1] && force[j] >= force[j + 1] && force[j] > 0.05 * top)) continue;
        ++peaks;
        const double speed = forced.forcedResponseResults[j].speedRefBound;
        double nearest = 1e300;
        for (double c : crossings) nearest = std::min(nearest, std::abs(c - speed));
        EXPECT_LE(nearest, 2 * step + 0.01 * speed) << "peak at " << speed << " 1/min";
    }
    EXPECT_GE(peaks, 1);
}

TEST(ForcedResponse, EverySpeedOfASweepIsSolvedAsIfAlone) {
    // One system matrix, factorisation and set of excitation vectors serve the whole sweep: what
    // one speed leaves behind must not show in the next.
    SolverInput in = ds::sampleGearboxSolverInput();
    ForcedResponseDefinitionsStruct run;
    run.considerUnbalanceMasses = true;
    run.numHarmonics = 2;
    run.calculateResultsVsLength = true;
    const std::vector<double> sweep = {2500.0, 700.0, -900.0};
    GeneralSystemDynamicsDefinitions general;
    general.calculationToPerform = 1;
    auto solve = [&](std::vector<double> speeds) {
        run.speeds = std::move(speeds);
        SolverOptions o = in.options;
        o.forcedResponse = &run;
        SystemVibrationResults r;
        EXPECT_EQ(SolveSystemDynamics(in.definition, general, r, o).status, kSolverOk);
        return r;
    };
    const SystemVibrationResults all = solve(sweep);
    ASSERT_EQ(all.forcedResponseResults.size(), sweep.size());
    for (size_t j = 0; j < sweep.size(); ++j) {
        const SystemVibrationResults alone = solve({sweep[j]});
        ASSERT_EQ(alone.forcedResponseResults.size(), 1u);
        EXPECT_EQ(all.forcedResponseResults[j].toJson(), alone.forcedResponseResults[0].toJson()) << sweep[j];
    }

    // Unbalance alone: at standstill there is no force and nothing moves; the speed after it is
    // solved as before it.
    run.considerGearMeshForces = false;
    const SystemVibrationResults still = solve({1480.0, 0.0, 1480.0});
    const auto& entries = still.forcedResponseResults;
    ASSERT_EQ(entries.size(), 3u);
    for (const auto& b : entries[1].bearingResults)
        for (const auto& row : b.bearingSpeedDomain.uVecVsSpeed)
            for (const auto& v : row) EXPECT_EQ(v.amplitude, 0.0);
    EXPECT_GT(entries[0].bearingResults.at(0).bearingSpeedDomain.fVecVsSpeed.at(0).at(0).amplitude, 0.0);
    EXPECT_EQ(entries[2].toJson(), entries[0].toJson());
}

}  // namespace
