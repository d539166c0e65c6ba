// Stability, critical speeds, amplification factors and margins against closed forms.
#include <gtest/gtest.h>

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <complex>
#include <nlohmann/json.hpp>
#include <numbers>

#include "drivesys/solver/resonance.h"
#include "drivesys/solver/solver.h"
#include "drivesys/solver/summary.h"
#include "solver/rotor_builder.h"

namespace {
using namespace ds::test;
using Complex = std::complex<double>;
constexpr double kPi = std::numbers::pi;

/// ζ = −Re λ / |λ| of a root.
double zetaOf(Complex s) { return -s.real() / std::abs(s); }

TEST(Stability, OnlyTheUndampedModesAreLightlyDamped) {
    // m ẍ + c ẋ + k x = 0: ζ = c / (2√(km)) = 0.032, δ = 2πζ/√(1 − ζ²) = 0.2, above the 0.1
    // limit, though ζ itself is below it. The modes above the lateral pair (axial, torsion, tilt)
    // have no damping at all: lightly damped, and not unstable.
    const double m = 10.0, k = 1e6, c = 200.0;
    SystemVibrationResults r;
    const SolverReport report = solve(RotorBuilder::diskOnSupport(m, k, c), 0, r);
    const double fd = std::sqrt(k / m) / (2 * kPi);
    const SystemDynamicsSummary s = SummarizeSystemDynamics(r, report);
    size_t lateral = 0;
    for (const ModeSummary& mode : s.modes) {
        EXPECT_FALSE(mode.unstable) << mode.stability.description;
        lateral += mode.stability.frequency < 2 * fd;
        EXPECT_EQ(mode.lightlyDamped, mode.stability.frequency > 2 * fd) << mode.stability.description;
    }
    EXPECT_EQ(lateral, 2u);
}

TEST(Stability, JeffcottRotorWithBearingDampingFollowsItsCharacteristicCubic) {
    // Disk m at mid-span of a massless shaft of stiffness ks, on two bearings (kb, cb) at its
    // ends. With the journals' deflection y massless: m ẍ = −ks (x − y), ks (x − y) = K y + C ẏ,
    // K = 2kb, C = 2cb, so m C s³ + m (ks + K) s² + ks C s + ks K = 0.
    const double L = 0.6, d = 0.03, m = 10.0, kb = 2e6, cb = 1500.0;
    RotorBuilder b = RotorBuilder::jeffcott(L, d, m, kb);
    b.noHystereticDamping();
    b.d.bearingDampingX = {{{cb, cb}}};
    b.d.bearingDampingZ = {{{cb, cb}}};
    SystemVibrationResults r;
    const SolverReport report = solve(b, 0, r);

    const double ks = midSpanStiffness(L, d), K = 2 * kb, C = 2 * cb;
    Eigen::Matrix3d companion = Eigen::Matrix3d::Zero();  // of s³ + a2 s² + a1 s + a0
    const double a2 = (ks + K) / C, a1 = ks / m, a0 = ks * K / (m * C);
    companion << -a2, -a1, -a0, 1, 0, 0, 0, 1, 0;
    const Eigen::Vector3cd roots = companion.eigenvalues();
    Complex root;
    for (Complex x : roots)
        if (x.imag() > 0) root = x;
    ASSERT_GT(root.imag(), 0.0);
    const double zeta = zetaOf(root), delta = 2 * kPi * zeta / std::sqrt(1 - zeta * zeta);
    ASSERT_GT(zeta, 0.01);  // the bearings' damping shows

    size_t pair = 0;  // the x and z modes
    for (const ModeStability& mode : report.modes) {
        if (mode.description != "1st bending") continue;
        ++pair;
        EXPECT_NEAR(mode.frequency, root.imag() / (2 * kPi), 1e-4 * root.imag() / (2 * kPi));
        EXPECT_NEAR(mode.dampingRatio, zeta, 1e-4 * zeta);
        EXPECT_NEAR(mode.logDecrement, delta, 1e-4 * delta);
    }
    EXPECT_EQ(pair, 2u);
}

TEST(Stability, CrossCoupledStiffnessBeyondTheDampingMakesTheForwardModeUnstable) {
    // kxx = kzz = k, kxz = −q, kzx = q: in w = uz + i·ux, m ẅ + c ẇ + (k − iq) w = 0. Forward
    // whirl is the root of m s² + c s + k − iq in the upper half-plane, backward that of
    // m s² + c s + k + iq (the conjugate of the lower root); the forward mode grows once
    // q > c √(k/m) (here 63 kN/m). Taken transposed, the cross-coupling would swap the two.
    const double m = 10.0, k = 1e6, c = 200.0, q = 2e5;
    SystemVibrationResults r;
    const SolverReport report = solve(RotorBuilder::diskOnSupport(m, k, c, q), 0, r);
    auto root = [&](double sign) {
        const Complex disc = std::sqrt(Complex(c * c, 0) - 4 * m * Complex(k, -sign * q));
        const Complex a = (-c + disc) / (2 * m), b = (-c - disc) / (2 * m);
        return a.imag() > 0 ? a : b;
    };
    const ModeStability* forward = findMode(report, "1st bending forward");
    const ModeStability* backward = findMode(report, "1st bending backward");
    ASSERT_TRUE(forward && backward);
    for (const auto& [mode, s] : {std::pair{forward, root(1.0)}, std::pair{backward, root(-1.0)}}) {
        EXPECT_NEAR(mode->frequency, s.imag() / (2 * kPi), 1e-6 * s.imag()) << mode->description;
        EXPECT_NEAR(mode->dampingRatio, zetaOf(s), 1e-6) << mode->description;
    }
    EXPECT_LT(forward->dampingRatio, 0.0);
    EXPECT_LT(forward->logDecrement, 0.0);

    const SystemDynamicsSummary s = SummarizeSystemDynamics(r, report);
    const auto unstable = std::count_if(s.modes.begin(), s.modes.end(), [](const ModeSummary& m) { return m.unstable; });
    EXPECT_EQ(unstable, 1);
    ASSERT_FALSE(s.warnings.empty());
    EXPECT_NE(s.warnings[0].find("unstable"), std::string::npos) << s.warnings[0];
}

TEST(Resonance, CrossingOfALinearCurveWithAnOrderLineIsExactBetweenGridSpeeds) {
    // f(n) = 50 Hz + 0.002 Hz·min · n against the 1× line n/60: n* = 50 / (1/60 − 0.002).
    std::vector<double> n, f, line;
    for (int i = 0; i <= 10; ++i) {
        n.push_back(600.0 * i);
        f.push_back(50.0 + 0.002 * n.back());
        line.push_back(n.back() / 60.0);
    }
    const std::vector<CurveCrossing> c = FindCurveCrossings(n, f, line);
    ASSERT_EQ(c.size(), 1u);
    const double expected = 50.0 / (1.0 / 60 - 0.002);
    EXPECT_NEAR(c[0].x, expected, 1e-9 * expected);
    EXPECT_NEAR(c[0].y, expected / 60.0, 1e-9 * expected);
    EXPECT_EQ(c[0].segment, 5u);  // 3409 1/min lies between 3000 and 3600
    EXPECT_GT(c[0].t, 0.0);
    EXPECT_LT(c[0].t, 1.0);
}

TEST(Resonance, CrossingsOfCurvesNearTheLargestDoubleStayInsideTheirSegment) {
    // a − b and x₁ − x₀ overflow here: a goes from +1.5e308 to −1.5e308 against b = 0 on a segment
    // from −1.5e308 to 1.5e308; by symmetry the crossing is at the middle, t = 1/2, x = 0.
    const double big = 1.5e308;
    const std::vector<double> x{-big, big}, a{big, -big}, b{-big, big};
    const std::vector<CurveCrossing> c = FindCurveCrossings(x, a, b);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_DOUBLE_EQ(c[0].t, 0.5);
    EXPECT_EQ(c[0].x, 0.0);
    EXPECT_EQ(c[0].y, 0.0);
}

TEST(Resonance, CrossingsOnSamplesAndAlongSharedStretchesAreReportedOnce) {
    const std::vector<double> x{0, 1, 2, 3, 4, 5};
    // Crossing on sample 2 (a goes from above to below), then a shared stretch 4..5.
    const std::vector<double> a{2, 1, 0, -1, 0, 0}, b{0, 0, 0, 0, 0, 0};
    const std::vector<CurveCrossing> c = FindCurveCrossings(x, a, b);
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].x, 2.0);
    EXPECT_EQ(c[1].x, 4.0);
    // A touch that does not cross is a crossing on its sample only; NaN breaks a segment.
    const std::vector<double> gap{1, NAN, -1, -1, -1, -1};
    EXPECT_TRUE(FindCurveCrossings(x, gap, b).empty());
}

TEST(Resonance, HalfPowerAmplificationFactorOfASingleDofFrequencyResponse) {
    // |H(r)| = 1 / (k √((1 − r²)² + (2ζr)²)), r = ω/ω_n. Peak at r_p = √(1 − 2ζ²); the half-power
    // points solve (1 − r²)² + (2ζr)² = 2 · 4ζ²(1 − ζ²): r² = 1 − 2ζ² ± 2ζ√(1 − ζ²). So the
    // half-power AF is exactly r_p / (r₂ − r₁), which is 1/(2ζ) (1 + O(ζ²)).
    for (double zeta : {0.01, 0.02, 0.05, 0.1}) {
        const double wn = 2 * kPi * 40.0;
        std::vector<double> w, A;
        for (int i = 1; i <= 600; ++i) {
            w.push_back(wn * 2.0 * i / 600);
            const double r = w.back() / wn;
            A.push_back(1.0 / std::hypot(1 - r * r, 2 * zeta * r));
        }
        const std::vector<HalfPowerPeak> peaks = FindHalfPowerPeaks(w, A);
        ASSERT_EQ(peaks.size(), 1u) << zeta;
        const HalfPowerPeak& p = peaks[0];
        const double rp = std::sqrt(1 - 2 * zeta * zeta), root = 2 * zeta * std::sqrt(1 - zeta * zeta);
        const double r1 = std::sqrt(1 - 2 * zeta * zeta - root), r2 = std::sqrt(1 - 2 * zeta * zeta + root);
        const double exact = rp / (r2 - r1);
        // Grid of 1/300 ω_n: the band 2ζ ω_n holds 6 samples at ζ = 0.01.
        EXPECT_NEAR(p.x, wn * rp, 1e-3 * wn) << zeta;
        EXPECT_NEAR(p.amplitude, 1 / (2 * zeta * std::sqrt(1 - zeta * zeta)), 2e-3 / (2 * zeta)) << zeta;
        EXPECT_NEAR(p.amplificationFactor, exact, 5e-3 * exact) << zeta;
        // Against the mode's 1/(2ζ): the method's own error, short by about 2ζ² relative.
        EXPECT_LE(p.amplificationFactor * 2 * zeta, 1.0 + 5e-3) << zeta;
        EXPECT_GE(p.amplificationFactor * 2 * zeta, 1.0 - 2.1 * zeta * zeta - 5e-3) << zeta;
    }
}

TEST(Resonance, PeaksWithoutBothHalfPowerPointsAreLeftOut) {
    const std::vector<double> x{0, 1, 2, 3, 4, 5, 6};
    // Rising to the end: no interior peak. A shoulder on the flank of a higher peak: not resolved.
    EXPECT_TRUE(FindHalfPowerPeaks(x, std::vector<double>{1, 2, 3, 4, 5, 6, 7}).empty());
    EXPECT_TRUE(FindHalfPowerPeaks(x, std::vector<double>{1, 5, 4.9, 8, 10, 3, 1}).size() == 1);
    // A peak narrower than the grid: returned, but unresolved, at its largest sample.
    const std::vector<double> spike{1, 1.1, 1.2, 50, 1.2, 1.1, 1};
    const std::vector<HalfPowerPeak> narrow = FindHalfPowerPeaks(x, spike);
    ASSERT_EQ(narrow.size(), 1u);
    EXPECT_FALSE(narrow[0].resolved);
    EXPECT_EQ(narrow[0].x, 3.0);
    EXPECT_EQ(narrow[0].amplitude, 50.0);
    EXPECT_TRUE(std::isnan(narrow[0].amplificationFactor));
    // The abscissae must ascend.
    EXPECT_TRUE(FindHalfPowerPeaks(std::vector<double>{0, 2, 1}, std::vector<double>{0, 1, 0}).empty());
}

TEST(Resonance, RequiredSeparationMarginFollowsTheIndustryRule) {
    // Below the range 17 (1 − 1/(AF − 1.5)), at most 16; above 10 + 17 (1 − 1/(AF − 1.5)), at most 26.
    EXPECT_EQ(RequiredSeparationMargin(2.4, false), 0.0);
    EXPECT_EQ(RequiredSeparationMargin(2.4, true), 0.0);
    EXPECT_NEAR(RequiredSeparationMargin(2.5, false), 0.0, 1e-12);
    EXPECT_NEAR(RequiredSeparationMargin(3.5, false), 8.5, 1e-12);
    EXPECT_NEAR(RequiredSeparationMargin(3.5, true), 18.5, 1e-12);
    EXPECT_NEAR(RequiredSeparationMargin(10.0, true), 10 + 17 * (1 - 1 / 8.5), 1e-12);
    EXPECT_EQ(RequiredSeparationMargin(100.0, false), 16.0);
    EXPECT_EQ(RequiredSeparationMargin(100.0, true), 26.0);
    EXPECT_EQ(RequiredSeparationMargin(INFINITY, true), 26.0);
    // Margins: 10 % below 1000..2000, 10 % above, −5 % inside (100 from the end over 2000).
    EXPECT_NEAR(SeparationMargin(900, 1000, 2000), 10.0, 1e-12);
    EXPECT_NEAR(SeparationMargin(2200, 1000, 2000), 10.0, 1e-12);
    EXPECT_NEAR(SeparationMargin(1900, 1000, 2000), -5.0, 1e-12);
}

TEST(Summary, CriticalSpeedOfAnUnbalancedRotorWithItsMarginAndAmplificationFactor) {
    // The single-DOF rotor has a constant frequency f_d: the 1× line crosses it at 60 f_d, the
    // 2× line at 30 f_d, whatever the grid. Its unbalance response peaks there with an AF near
    // 1/(2ζ); 60 f_d ≈ 3020 1/min lies 11.9 % above the range 2500..2700, where the AF of about
    // 16 asks for 10 + 17 (1 − 1/(AF − 1.5)) ≈ 25.8 %.
    const double m = 10.0, k = 1e6, c = 200.0;
    RotorBuilder b = RotorBuilder::diskOnSupport(m, k, c);
    for (int n = 0; n <= 6000; n += 250) b.d.campbellSpeed.push_back(n);
    b.d.numResonanceCurves = 4;
    SolverOptions o;
    o.nominalSpeed = 2600;
    SystemVibrationResults r;
    const SolverReport report = solve(b, 2, r, o);
    ForcedResponseDefinitionsStruct run;
    run.considerUnbalanceMasses = true;
    run.considerGearMeshForces = false;
    for (double n = 100; n <= 6000; n += 10) run.speeds.push_back(n);
    o.forcedResponse = &run;
    SystemVibrationResults forced;
    solve(b, 1, forced, o);
    r.forcedResponseResults = std::move(forced.forcedResponseResults);

    SummaryOptions so;
    so.operatingSpeedMin = 2500;
    so.operatingSpeedMax = 2700;
    so.forcedResponse = &run;
    const SystemDynamicsSummary s = SummarizeSystemDynamics(r, report, so);
    EXPECT_TRUE(s.missing.empty()) << s.missing.at(0);

    const double zeta = c / (2 * std::sqrt(k * m)), fd = std::sqrt(k / m) * std::sqrt(1 - zeta * zeta) / (2 * kPi);
    std::vector<const CriticalSpeed*> once, twice;
    for (const CriticalSpeed& cs : s.criticalSpeeds) {
        const OrderLine& line = s.orderLines.at(cs.orderLine);
        if (line.order.source == ExcitationOrder::kShaft && line.order.multiple == 1.0) once.push_back(&cs);
        if (line.order.source == ExcitationOrder::kShaft && line.order.multiple == 2.0) twice.push_back(&cs);
    }
    ASSERT_EQ(once.size(), 2u);  // the x and the z mode
    ASSERT_EQ(twice.size(), 2u);
    for (const CriticalSpeed* cs : once) {
        EXPECT_NEAR(cs->speed, 60 * fd, 1e-5 * 60 * fd);  // the shaft's mass, as above
        EXPECT_NEAR(cs->dampingRatio, zeta, 1e-6);
        EXPECT_FALSE(cs->inOperatingRange);
        EXPECT_NEAR(cs->margin, (cs->speed - 2700) / 2700 * 100, 1e-9);
        EXPECT_NEAR(cs->requiredMargin, RequiredSeparationMargin(cs->amplificationFactor, true), 1e-12);
        EXPECT_FALSE(cs->marginSufficient);
    }
    for (const CriticalSpeed* cs : twice) EXPECT_NEAR(cs->speed, 30 * fd, 1e-5 * 30 * fd);
    // At least one of the pair takes its AF from the response's peak, within a few per cent of 1/(2ζ).
    const auto fromResponse = std::find_if(once.begin(), once.end(), [](const CriticalSpeed* cs) { return cs->afFromResponse; });
    ASSERT_NE(fromResponse, once.end());
    EXPECT_NEAR((*fromResponse)->amplificationFactor, 1 / (2 * zeta), 0.03 / (2 * zeta));

    // One peak at the documentation point, at the critical speed, from the unbalance.
    ASSERT_EQ(s.peaks.size(), 1u);
    EXPECT_NEAR(s.peaks[0].peak.x, 60 * fd, 0.01 * 60 * fd);
    EXPECT_EQ(s.peaks[0].excitation, "unbalance, shaft 'rotor'");
    EXPECT_GE(s.peaks[0].branch, 0);
    const bool warned = std::any_of(s.warnings.begin(), s.warnings.end(), [](const std::string& w) {
        return w.find("Critical speed") != std::string::npos && w.find("required") != std::string::npos;
    });
    EXPECT_TRUE(warned);

    // The JSON form writes what it holds, and no NaN.
    const nlohmann::json j = SummaryToJson(s);
    EXPECT_EQ(j["criticalSpeeds"].size(), s.criticalSpeeds.size());
    EXPECT_EQ(j["campbell"]["curves"].size(), s.branches.size());
    EXPECT_EQ(j.dump().find("NaN"), std::string::npos);
}

TEST(Summary, SaysWhatItCouldNotFill) {
    const SystemDynamicsSummary empty = SummarizeSystemDynamics(SystemVibrationResults(), SolverReport());
    EXPECT_EQ(empty.missing.size(), 3u);
    EXPECT_TRUE(empty.criticalSpeeds.empty());
    EXPECT_TRUE(empty.peaks.empty());
}

}  // namespace
