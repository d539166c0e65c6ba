// Closed forms that each hold one piece of the model to its sign and size: the shaft's own
// gyroscopic matrix, viscous damping that shifts the damped natural frequency, and the shaft
// material's loss factors in the forced response.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "drivesys/solver/solver.h"
#include "solver/rotor_builder.h"

namespace {
using namespace ds::test;
using Complex = std::complex<double>;
constexpr double kPi = std::numbers::pi;
constexpr double kE = kSteelE, kRho = 7850.0, kStiff = 1e12;
constexpr double kRpmPerRadS = 60.0 / (2 * kPi);

TEST(ClosedForm, SpinningShaftSplitsByItsOwnPolarInertia) {
    // A thick simply supported shaft without disks (Rayleigh beam: rotary inertia, no shear)
    // spinning at Ω. For w = ux-plane + uz-plane motion sin(kx) e^{iωt}, k = π/L:
    //   ρ(A + I k²) ω² ∓ 2ρ I k² Ω ω − E I k⁴ = 0,
    // the upper sign forward (the gyroscopic moment of the section, polar inertia 2ρI, stiffens
    // forward whirl), so ω_f,b = (±ρIk²Ω + √((ρIk²Ω)² + ρ(A + Ik²) E I k⁴)) / (ρ(A + Ik²)).
    // Supports 1e6 times stiffer than the shaft (48EI/L³ ≈ 4e9 N/m).
    const double L = 0.6, d = 0.2, spin = 10000.0, support = 1e16;  // rad/s, N/m
    RotorBuilder b;
    b.noHystereticDamping();
    const size_t s = b.shaft(L"rotor", {{L, d}}, kRho, 0.0);
    b.bearing(s, L"A", 0.0, {support, support, support, 0, 0, 0});
    b.bearing(s, L"B", L, {support, 0, support, 0, 0, 0});
    const double A = kPi * d * d / 4, I = kPi * std::pow(d, 4) / 64, k = kPi / L;
    const double g = kRho * I * k * k * spin, root = std::sqrt(g * g + kRho * (A + I * k * k) * kE * I * std::pow(k, 4));
    const double forward = (g + root) / (kRho * (A + I * k * k)) / (2 * kPi);
    const double backward = (-g + root) / (kRho * (A + I * k * k)) / (2 * kPi);
    ASSERT_GT(forward / backward, 1.2);  // a split worth testing
    SystemVibrationResults r;
    SolverOptions o;
    o.nominalSpeed = spin * kRpmPerRadS;
    o.maxElementLength = L / 24;
    o.numModes = 4;
    const SolverReport report = solve(b, 0, r, o);
    const ModeStability* f = findMode(report, "1st bending forward");
    const ModeStability* bw = findMode(report, "1st bending backward");
    ASSERT_TRUE(f && bw);
    EXPECT_NEAR(f->frequency, forward, 1e-4 * forward);
    EXPECT_NEAR(bw->frequency, backward, 1e-4 * backward);
}

TEST(ClosedForm, HeavyBearingDampingLowersTheDampedFrequency) {
    // A 1 kg disk at mid-span of a light, rigid shaft on two bearings (k, c each): the
    // translational mode m ẍ + 2c ẋ + 2k x = 0 has ω_n = √(2k/m), ζ = c/√(2km), and the
    // solver reports the damped frequency ω_n √(1 − ζ²) and δ = 2πζ/√(1 − ζ²).
    const double m = 1.0, k = 1e4, zeta = 0.3, c = zeta * std::sqrt(2 * k * m);
    RotorBuilder b;
    b.noHystereticDamping();
    const size_t s = b.shaft(L"rotor", {{0.5, 0.2}}, 1e-3);
    b.bearing(s, L"A", 0.0, {k, kStiff, k, 0, 0, 0});
    b.bearing(s, L"B", 0.5, {k, 0, k, 0, 0, 0});
    b.bearingDamping(s, 0, c);
    b.bearingDamping(s, 1, c);
    b.gear(s, L"disk", 0.25, m, 0.0);
    SystemVibrationResults r;
    SolverOptions o;
    o.numModes = 2;
    const SolverReport report = solve(b, 0, r, o);
    const double wn = std::sqrt(2 * k / m);
    size_t found = 0;
    for (const ModeStability& mode : report.modes) {
        if (mode.rigid) continue;
        ++found;
        EXPECT_NEAR(mode.frequency, wn * std::sqrt(1 - zeta * zeta) / (2 * kPi), 1e-5 * wn) << mode.description;
        EXPECT_NEAR(mode.undampedFrequency, wn / (2 * kPi), 1e-5 * wn) << mode.description;
        EXPECT_NEAR(mode.dampingRatio, zeta, 1e-5) << mode.description;
        EXPECT_NEAR(mode.logDecrement, 2 * kPi * zeta / std::sqrt(1 - zeta * zeta), 1e-4) << mode.description;
        EXPECT_EQ(mode.description, "1st bending");
    }
    EXPECT_EQ(found, 2u);  // both planes
    // The mode-shape records hold the damped frequency too.
    EXPECT_NEAR(r.resultsPerShaft.at(0).shaftResultsPerSubShaft.at(0).mode.back().frequency,
                wn * std::sqrt(1 - zeta * zeta) / (2 * kPi), 1e-5 * wn);

    // Beyond critical damping (ζ = 1.5) the roots are real: no vibration mode is left there, and
    // none is made up; the next modes (the light shaft's own) lie far above.
    b.bearingDamping(s, 0, 5 * c);
    b.bearingDamping(s, 1, 5 * c);
    const SolverReport overdamped = solve(b, 0, r, o);
    for (const ModeStability& mode : overdamped.modes) {
        if (!mode.rigid) {
            EXPECT_GT(mode.undampedFrequency, 100 * wn / (2 * kPi)) << mode.description;
        }
    }
}

TEST(ClosedForm, ShaftLossFactorBoundsTheUnbalanceResponse) {
    // A 10 kg disk at mid-span of a light shaft on rigid supports, with loss factors that differ
    // per kind of deformation. Only bending (and shear) strain the shaft here, so the complex
    // stiffness is k(1 + iη_bending) with k the shaft's at mid-span:
    //   u = U Ω² / (k(1 + iη) − mΩ²),  at Ω = √(k/m): |u| = U/(mη) = e/η.
    const double L = 0.6, d = 0.03, m = 10.0, eta = 0.05, nominal = 3000.0;
    RotorBuilder b = RotorBuilder::jeffcott(L, d, m, kStiff);
    b.d.hystereticDampingBending = eta;
    b.d.hystereticDampingTorsion = 0.4;
    b.d.hystereticDampingAxial = 0.3;
    b.d.docPointName = {L"disk"};
    b.d.docPointShaftTMNumber = {0};
    b.d.forcedPos = {L / 2};
    const double k = midSpanStiffness(L, d);
    const double wn = std::sqrt(k / m);
    ForcedResponseDefinitionsStruct run;
    run.considerUnbalanceMasses = true;
    run.considerGearMeshForces = false;
    run.speeds = {0.5 * wn * kRpmPerRadS, wn * kRpmPerRadS, 1.5 * wn * kRpmPerRadS};
    SolverOptions o;
    o.forcedResponse = &run;
    o.nominalSpeed = nominal;
    o.maxElementLength = L / 8;
    SystemVibrationResults r;
    solve(b, 1, r, o);
    ASSERT_EQ(r.forcedResponseResults.size(), 3u);
    const double U = m * 6.3e-3 / (nominal / kRpmPerRadS);
    for (size_t j = 0; j < 3; ++j) {
        const double w = run.speeds[j] / kRpmPerRadS;
        const Complex expected = U * w * w / Complex(k - m * w * w, k * eta);
        const auto& ux = r.forcedResponseResults[j].docPointResults.at(0).docPointSpeedDomain.uVecVsSpeed.at(0).at(0);
        EXPECT_NEAR(ux.amplitude, std::abs(expected), 2e-4 * std::abs(expected)) << j;
        // At resonance the phase moves by δk/(kη): the light shaft's own mass is 4e-5 of the disk's.
        EXPECT_NEAR(ux.phase, std::arg(expected), 1e-3) << j;
    }
}

}  // namespace
