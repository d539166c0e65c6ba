// Modal analysis and Campbell diagrams against closed-form results.
#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "drivesys/solver/beam_element.h"
#include "drivesys/solver/modal.h"
#include "drivesys/solver/model.h"
#include "solver/rotor_builder.h"
#include "drivesys/solver/solver.h"

namespace {
using namespace ds::test;
constexpr double kPi = std::numbers::pi;
constexpr double kE = kSteelE, kG = kSteelG, kRho = 7850.0;
constexpr double kStiff = 1e12;

std::vector<double> frequencies(const SystemVibrationResults& r, const char* containing) {
    std::vector<double> out;
    for (const auto& mode : r.resultsPerShaft.at(0).shaftResultsPerSubShaft.at(0).mode)
        if (mode.description.toUtf8().find(containing) != std::string::npos) out.push_back(mode.frequency);
    return out;
}

SystemVibrationResults solve(const RotorBuilder& b, int calculation, const SolverOptions& o = {}) {
    SystemVibrationResults r;
    ds::test::solve(b, calculation, r, o);
    return r;
}

ds::solver::BeamSection roundSection(double d) {
    ds::solver::BeamSection s;
    s.area = kPi * d * d / 4;
    s.Ixx = s.Izz = kPi * std::pow(d, 4) / 64;
    s.J = 2 * s.Ixx;
    return s;
}

/// Simply supported Timoshenko beam, mode n: the lower root of
/// (ρAω² − κGAk²)(ρIω² − EIk² − κGA) = (κGAk)², k = nπ/L.
double timoshenkoSimplySupported(int n, double L, double d, double kappa) {
    const double A = kPi * d * d / 4, I = kPi * std::pow(d, 4) / 64, k = n * kPi / L, kGA = kappa * kG * A;
    const double a = kRho * A * kRho * I, B = kRho * A * (kE * I * k * k + kGA) + kGA * k * k * kRho * I,
                 c = kGA * kE * I * std::pow(k, 4);
    return std::sqrt((B - std::sqrt(B * B - 4 * a * c)) / (2 * a)) / (2 * kPi);
}

TEST(BeamElement, CantileverTipUnderLoadMatchesTimoshenkoBeamTheory) {
    // One element clamped at node 1, a force P at node 2: deflection P L³/(3EI) + P L/(κGA) and
    // end rotation P L²/(2EI), with the sign of each bending plane (dux/dy = −rz, duz/dy = rx).
    const double L = 0.5, kappa = 0.886, P = 1000.0;
    const ds::solver::BeamSection s = roundSection(0.04);
    const ds::solver::BeamMaterial mat{kE, kG, kappa, kRho};
    const Eigen::Matrix<double, 6, 6> K = ds::solver::timoshenkoElement(L, s, mat).stiffness().bottomRightCorner<6, 6>();
    const double deflection = P * L * L * L / (3 * kE * s.Ixx) + P * L / (kappa * kG * s.area);
    const double rotation = P * L * L / (2 * kE * s.Ixx);
    Eigen::Matrix<double, 6, 1> f = Eigen::Matrix<double, 6, 1>::Zero();
    f(0) = P;  // ux
    Eigen::Matrix<double, 6, 1> u = K.ldlt().solve(f);
    EXPECT_NEAR(u(0), deflection, 1e-9 * deflection);
    EXPECT_NEAR(u(5), -rotation, 1e-9 * rotation);
    f.setZero();
    f(2) = P;  // uz
    u = K.ldlt().solve(f);
    EXPECT_NEAR(u(2), deflection, 1e-9 * deflection);
    EXPECT_NEAR(u(3), rotation, 1e-9 * rotation);
    // Axial bar and torsion: E A / L and G J / L.
    EXPECT_NEAR(K(1, 1), kE * s.area / L, 1e-6 * kE * s.area / L);
    EXPECT_NEAR(K(4, 4), kG * s.J / L, 1e-6 * kG * s.J / L);
}

TEST(BeamElement, MassOfARigidMotionIsTheElementsMassAndGyroscopicMatrixIsSkew) {
    const double L = 0.3;
    const ds::solver::BeamSection s = roundSection(0.05);
    const auto e = ds::solver::timoshenkoElement(L, s, {kE, kG, 0.886, kRho});
    for (int dof : {0, 1, 2}) {
        Eigen::Matrix<double, 12, 1> q = Eigen::Matrix<double, 12, 1>::Zero();
        q(dof) = q(dof + 6) = 1.0;
        EXPECT_NEAR(q.dot(e.mass * q), kRho * s.area * L, 1e-12) << dof;
    }
    Eigen::Matrix<double, 12, 1> twist = Eigen::Matrix<double, 12, 1>::Zero();
    twist(4) = twist(10) = 1.0;
    EXPECT_NEAR(twist.dot(e.mass * twist), kRho * s.J * L, 1e-15);
    EXPECT_LT((e.gyroscopic + e.gyroscopic.transpose()).norm(), 1e-18);
}

TEST(ModalAnalysis, SimplySupportedBeamConvergesToTimoshenkoTheory) {
    const double L = 1.0, d = 0.05, kappa = 0.886;
    std::vector<double> errors;
    for (double element : {0.25, 0.125, 0.0625}) {
        RotorBuilder b;
        const size_t s = b.shaft(L"beam", {{L, d}}, kRho, kappa);
        b.bearing(s, L"left", 0.0, {kStiff, 0, kStiff, 0, 0, 0});
        b.bearing(s, L"right", L, {kStiff, 0, kStiff, 0, 0, 0});
        SolverOptions o;
        o.maxElementLength = element;
        o.numModes = 8;
        const SystemVibrationResults r = solve(b, 0, o);
        // Free axial and torsional motion: two rigid-body modes at exactly 0 Hz.
        const auto& modes = r.resultsPerShaft[0].shaftResultsPerSubShaft[0].mode;
        ASSERT_GE(modes.size(), 2u);
        EXPECT_EQ(modes[0].frequency, 0.0);
        EXPECT_EQ(modes[1].frequency, 0.0);
        EXPECT_EQ(frequencies(r, "rigid body torsion").size(), 1u);
        const std::vector<double> bending = frequencies(r, "bending");
        ASSERT_GE(bending.size(), 4u);
        const double f1 = timoshenkoSimplySupported(1, L, d, kappa), f2 = timoshenkoSimplySupported(2, L, d, kappa);
        // Two planes: each frequency twice.
        EXPECT_NEAR(bending[0], bending[1], 1e-9 * f1);
        errors.push_back(std::abs(bending[0] / f1 - 1));
        if (element < 0.1) {
            EXPECT_NEAR(bending[0], f1, 1e-3 * f1);
            EXPECT_NEAR(bending[2], f2, 1e-3 * f2);
        }
    }
    EXPECT_GT(errors[0], errors[1]);
    EXPECT_GT(errors[1], errors[2]);
}

TEST(ModalAnalysis, GearPairTorsionalModeFollowsTheBaseRadii) {
    // Only the mesh couples the gears' rotations: ω² = k_m (rb1²/J1 + rb2²/J2), rb = rw cos α.
    // The supports' compliance, in series with the mesh, is below 1e-5 of the mesh's.
    const double km = 5e8, J1 = 2e-3, J2 = 3e-2;
    RotorBuilder b = RotorBuilder::gearPair(J1, J2, km);
    b.d.campbellSpeed = {0.0, 3000.0};
    const double rb1 = kPinionRadius * std::cos(kPressureAngle), rb2 = kWheelRadius * std::cos(kPressureAngle);
    const double expected = std::sqrt(km * (rb1 * rb1 / J1 + rb2 * rb2 / J2)) / (2 * kPi);
    const SystemVibrationResults r = solve(b, 2);
    const std::vector<double> torsion = frequencies(r, "1st torsion");
    ASSERT_EQ(torsion.size(), 1u);
    EXPECT_NEAR(torsion[0], expected, 1e-3 * expected);
    // The wheel turns the other way at a third of the speed; the mesh frequency is z1 · n1.
    const NWelleResultCampbells& top = r.resCampbell.back();
    EXPECT_DOUBLE_EQ(top.shaftsSpeeds[0], 50.0);
    EXPECT_NEAR(top.shaftsSpeeds[1], -50.0 / 3.0, 1e-12);
    EXPECT_NEAR(top.gearMeshFrequency.at(0), 20 * 50.0, 1e-9);
}

/// Overhung disk on a light cantilever (length L, diameter d), whose tip stiffness
/// [[k11, k12], [k12, k22]] (deflection and tilt) is the inverse of its flexibility
/// [[L³/3EI, L²/2EI], [L²/2EI, L/EI]]. For circular whirl at ω with spin Ω the tilt inertia
/// becomes Id ∓ Ip Ω/ω (forward −, backward +):
///   (k11 − m ω²)(k22 − Id ω² ± Ip Ω ω) − k12² = 0.
double overhungWhirl(double L, double d, double m, double Id, double Ip, double spin, bool forward) {
    const double EI = kE * kPi * std::pow(d, 4) / 64;
    const double f11 = L * L * L / (3 * EI), f12 = L * L / (2 * EI), f22 = L / EI, det = f11 * f22 - f12 * f12;
    const double k11 = f22 / det, k12 = -f12 / det, k22 = f11 / det;
    auto f = [&](double w) {
        return (k11 - m * w * w) * (k22 - Id * w * w + (forward ? 1 : -1) * Ip * spin * w) - k12 * k12;
    };
    // The lower root lies below √(k11/m); bisection on the sign change from the positive f(0).
    double lo = 0.0, hi = std::sqrt(k11 / m);
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (f(mid) > 0 ? lo : hi) = mid;
    }
    return lo / (2 * kPi);
}

/// Forward and backward whirl of an overhung disk (mass m, polar inertia Ip, width b) on a
/// light cantilever, from the Campbell curves, against overhungWhirl with the disk's diametral
/// inertia Id = Ip/2 + m b²/12 (a thin disk about a diameter, plus its width as a cylinder).
void expectOverhungWhirl(double width) {
    const double L = 0.25, d = 0.03, m = 8.0, Ip = 0.06, Id = Ip / 2 + m * width * width / 12;
    RotorBuilder b = RotorBuilder::overhungDisk(L, d, m, Ip, width);
    b.d.campbellSpeed = {0.0, 6000.0, 12000.0};
    SolverOptions o;
    o.numModes = 4;
    const SystemVibrationResults r = solve(b, 2, o);
    const auto& forward = campbellCurve(r, "1st bending forward");
    const auto& backward = campbellCurve(r, "1st bending backward");
    ASSERT_EQ(forward.size(), 3u);
    ASSERT_EQ(backward.size(), 3u);
    for (size_t j = 0; j < 3; ++j) {
        const double spin = b.d.campbellSpeed[j] * 2 * kPi / 60;
        const double fw = overhungWhirl(L, d, m, Id, Ip, spin, true);
        const double bw = overhungWhirl(L, d, m, Id, Ip, spin, false);
        EXPECT_NEAR(forward[j], fw, 1e-3 * fw) << j << " width " << width;
        EXPECT_NEAR(backward[j], bw, 1e-3 * bw) << j << " width " << width;
    }
    EXPECT_GT(forward[2], forward[1]);
    EXPECT_LT(backward[2], backward[1]);
}

TEST(ModalAnalysis, GyroscopicSplittingOfAnOverhungDiskFollowsTheClosedForm) {
    expectOverhungWhirl(0.0);
    expectOverhungWhirl(0.12);  // Id 0.0396 kg·m² instead of 0.03
}

TEST(ModalAnalysis, HystereticDampingGivesHalfTheLossFactorPerKindOfStrain) {
    // Complex stiffness K(1 + iη) of an undamped, non-rotating shaft: to first order in η,
    // λ = iω − ηω/2 and ζ = η/2 — for bending modes η_bending, for torsion η_torsion, for axial
    // modes η_axial, on supports that take no strain energy to speak of.
    const double L = 1.0, d = 0.05;
    RotorBuilder b;
    b.d.hystereticDampingBending = 0.02;
    b.d.hystereticDampingTorsion = 0.06;
    b.d.hystereticDampingAxial = 0.04;
    const size_t s = b.shaft(L"beam", {{L, d}}, kRho, 0.886);
    b.bearing(s, L"left", 0.0, {kStiff, kStiff, kStiff, 0, 1e14, 0});
    b.bearing(s, L"right", L, {kStiff, 0, kStiff, 0, 0, 0});
    SolverOptions o;
    o.numModes = 8;
    o.maxElementLength = 0.05;
    SystemVibrationResults r;
    const SolverReport report = ds::test::solve(b, 0, r, o);
    size_t bending = 0, torsion = 0;
    for (const ModeStability& m : report.modes) {
        const double eta = m.description.find("bending") != std::string::npos ? 0.02
                           : m.description.find("torsion") != std::string::npos ? 0.06
                                                                                  : 0.04;
        if (m.rigid) continue;
        bending += eta == 0.02;
        torsion += eta == 0.06;
        // The stiff supports take a share of the strain energy below 1e-3 (no loss there).
        EXPECT_NEAR(m.dampingRatio, eta / 2, 1e-3 * eta) << m.description;
    }
    EXPECT_GE(bending, 4u);
    EXPECT_GE(torsion, 1u);
}

TEST(Campbell, CrossingBranchesStayOnTheirOwnCurves) {
    // Bending of an overhung disk rises with speed (forward whirl) through the constant torsion
    // mode of the disk on a torsional spring: the two cross without interacting, so tracking by
    // shape must keep the torsion curve flat where sorting by frequency would swap them.
    // Torsion of the disk on the shaft (GJ/L) lies a little above the bending mode at rest.
    RotorBuilder b = RotorBuilder::overhungDisk(0.25, 0.03, 8.0, 0.06);
    for (int rpm = 0; rpm <= 30000; rpm += 1000) b.d.campbellSpeed.push_back(rpm);
    SolverOptions o;
    o.numModes = 3;
    const SystemVibrationResults r = solve(b, 2, o);
    const auto& t = campbellCurve(r, "1st torsion");
    const auto& f = campbellCurve(r, "1st bending forward");
    ASSERT_FALSE(t.empty() || f.empty());
    for (double v : t) EXPECT_NEAR(v, t.front(), 1e-6 * t.front());
    EXPECT_LT(f.front(), t.front());
    EXPECT_GT(f.back(), t.back());
    EXPECT_TRUE(std::is_sorted(f.begin(), f.end()));
}

}  // namespace

TEST(Campbell, AModeEnteringFromAboveGetsItsCurve) {
    // An overhung disk whose torsion mode (the disk on the shaft's torsional stiffness GJ/L) lies
    // below its bending pair at rest; with one mode asked for, only torsion is in the window at
    // rest, and the backward whirl falls through it as the speed rises. It must come out as a
    // curve of its own from the first speed on, on the closed form of overhungWhirl, while the
    // forward whirl, which never comes near the window, does not.
    const double L = 0.25, d = 0.03, m = 2.0, Ip = 0.06, Id = Ip / 2;
    RotorBuilder b = RotorBuilder::overhungDisk(L, d, m, Ip);
    for (int rpm = 0; rpm <= 30000; rpm += 3000) b.d.campbellSpeed.push_back(rpm);
    SolverOptions o;
    o.numModes = 1;
    const SystemVibrationResults r = solve(b, 2, o);
    const auto& cls = r.resCampbellClassified;
    ASSERT_EQ(cls.eigenID.size(), 2u);
    EXPECT_EQ(cls.eigenID[0].toUtf8(), "1st torsion");
    EXPECT_EQ(cls.eigenID[1].toUtf8(), "1st bending backward");
    const double GJ = kG * kPi * std::pow(d, 4) / 32;
    const double torsion = std::sqrt(GJ / L / Ip) / (2 * kPi);
    const auto& t = cls.eigenfrequencies[0].curve;
    const auto& bw = cls.eigenfrequencies[1].curve;
    ASSERT_EQ(bw.size(), b.d.campbellSpeed.size());
    for (size_t j = 0; j < bw.size(); ++j) {
        const double spin = b.d.campbellSpeed[j] * 2 * kPi / 60;
        const double expected = overhungWhirl(L, d, m, Id, Ip, spin, false);
        EXPECT_NEAR(bw[j], expected, 1e-3 * expected) << j;
        EXPECT_NEAR(t[j], torsion, 1e-3 * torsion) << j;
    }
    EXPECT_GT(bw.front(), t.front());  // above the window at rest
    EXPECT_LT(bw.back(), t.back());    // the lowest mode at the top speed
}

TEST(Campbell, ModalAssuranceIsMassWeighted) {
    // MAC(a, b) = |aᴴMb|² / (aᴴMa · bᴴMb) on the torsion of a geared chain, whose consistent mass
    // couples neighbouring DOF (M01 ≠ 0): for a = e_0, b = e_0 + e_1 it is
    // (M00 + M01)² / (M00 (M00 + 2M01 + M11)), for b = e_0 + i e_1 (M00² + M01²) / (M00 (M00 + M11)).
    RotorBuilder b;
    const size_t s1 = b.shaft(L"pinion shaft", {{0.2, 0.03}}, kRho, 0.0, kE, kG, 0.0);
    const size_t s2 = b.shaft(L"wheel shaft", {{0.2, 0.08}}, kRho, 0.0, kE, kG, 0.12);
    for (size_t s : {s1, s2}) b.bearing(s, L"A", 0.1, {kStiff, kStiff, kStiff, 1e10, 0, 1e10});
    const size_t g1 = b.gear(s1, L"pinion", 0.1, 1.0, 2e-3, 0.0, 20, 0.06, 0.35);
    const size_t g2 = b.gear(s2, L"wheel", 0.1, 30.0, 0.2, 0.0, 60, 0.18, 0.35);
    b.mesh(s1, g1, s2, g2, 5e8, 3.0);
    b.d.solveOnlyTorsionalVibrations = 1;
    ds::solver::ModelOptions mo;
    mo.maxElementLength = 0.05;
    const ds::solver::ShaftSystemModel model = ds::solver::ShaftSystemModel::build(b.d, mo);
    const double M00 = model.M.coeff(0, 0), M01 = model.M.coeff(0, 1), M11 = model.M.coeff(1, 1);
    ASSERT_NE(M01, 0.0);
    Eigen::VectorXcd e0 = Eigen::VectorXcd::Zero(model.M.rows()), e01 = e0, e0i1 = e0;
    e0(0) = e01(0) = e01(1) = e0i1(0) = 1.0;
    e0i1(1) = std::complex<double>(0, 1);
    const double real = (M00 + M01) * (M00 + M01) / (M00 * (M00 + 2 * M01 + M11));
    EXPECT_NEAR(ds::solver::modalAssurance(model, e0, e01), real, 1e-14);
    EXPECT_NEAR(ds::solver::modalAssurance(model, e0, e0i1), (M00 * M00 + M01 * M01) / (M00 * (M00 + M11)), 1e-14);
}
