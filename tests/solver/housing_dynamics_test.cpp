// The elastic housing in the modal analysis and the forced response, against closed forms:
// springs in series, two-mass systems, a gear pair on a flexible plate.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "drivesys/solver/housing_definition.h"
#include "drivesys/solver/housing_elimination.h"
#include "drivesys/solver/solver.h"
#include "solver/rotor_builder.h"

namespace {
using namespace ds::test;
using Complex = std::complex<double>;
constexpr double kPi = std::numbers::pi;

struct Solved {
    SystemVibrationResults results;
    SolverReport report;
};

Solved solve(const RotorBuilder& b, int calculation, const HousingDefinition* h, SolverOptions o = {}) {
    GeneralSystemDynamicsDefinitions general;
    general.calculationToPerform = calculation;
    o.housing = h;
    Solved s;
    s.report = SolveSystemDynamics(b.definition(), general, s.results, o);
    EXPECT_EQ(s.report.status, kSolverOk) << s.report.message;
    return s;
}

/// Frequencies (Hz) of the modes whose description holds `containing`.
std::vector<double> frequencies(const SolverReport& r, const std::string& containing) {
    std::vector<double> out;
    for (const ModeStability& m : r.modes)
        if (m.description.find(containing) != std::string::npos) out.push_back(m.frequency);
    return out;
}
}  // namespace

// A diagonal housing spring kh under each bearing spring kb: each support is kb·kh/(kb + kh),
// and the disk's deflection adds the shaft's and half a support's compliance:
//   1/k = 1/ks + (1/kb + 1/kh)/2,   f = √(k/m)/2π.
// The strain energy divides as the compliances do (the same force passes through the springs in
// series): the housing's share is (1/(2kh)) / (1/ks + 1/(2kb) + 1/(2kh)). An infinitely stiff
// housing leaves the grounded result.
TEST(HousingModal, SpringInSeriesWithTheBearingOfAJeffcottRotor) {
    const double L = 0.6, d = 0.03, m = 10.0, kb = 4e6, kh = 6e6;
    const double ks = midSpanStiffness(L, d);
    RotorBuilder b = RotorBuilder::jeffcott(L, d, m, kb);
    b.noHystereticDamping();
    HousingDefinition h = springHousing({NVektor(0, 0, 0), NVektor(0, L, 0)}, {{kh, kh, kh, 1e6, 1e6, 1e6}});
    h.maxMappingDistance = 1e-3;

    const Solved coupled = solve(b, 0, &h);
    const double k = 1.0 / (1 / ks + (1 / kb + 1 / kh) / 2);
    const std::vector<double> bending = frequencies(coupled.report, "1st bending");
    ASSERT_EQ(bending.size(), 2u);  // one per plane
    for (double f : bending) EXPECT_NEAR(f, std::sqrt(k / m) / (2 * kPi), 1e-4 * f);
    const double total = 1 / ks + 1 / (2 * kb) + 1 / (2 * kh);
    const size_t first = size_t(std::find_if(coupled.report.modes.begin(), coupled.report.modes.end(),
                                             [](const ModeStability& s) { return s.description == "1st bending"; }) -
                                coupled.report.modes.begin());
    EXPECT_NEAR(coupled.report.housing.modeStrainShare.at(first), 1 / (2 * kh) / total, 1e-4);
    // In the records: the supports' translational share holds the bearings' and the housing's.
    const NWelleResultEnergies& e = coupled.results.resultsPerShaft[0].shaftResultsPerSubShaft[0].mode.at(first).energies;
    EXPECT_NEAR(e.rigidTranslation, (1 / (2 * kb) + 1 / (2 * kh)) / total, 1e-4);
    // Both bearings found their nodes, 0 m away, by the nearest-node mapping.
    ASSERT_EQ(coupled.report.housing.rings.size(), 2u);
    EXPECT_EQ(coupled.report.housing.rings[1].node, 101u);
    EXPECT_EQ(coupled.report.housing.rings[1].name, "B");
    EXPECT_FALSE(coupled.report.housing.rings[1].listed);
    EXPECT_EQ(coupled.report.housing.dofCount, 12u);

    // kh → ∞: the grounded frequencies, to the housing's compliance of 1e-10 of the bearing's.
    const Solved grounded = solve(b, 0, nullptr);
    HousingDefinition stiff = springHousing({NVektor(0, 0, 0), NVektor(0, L, 0)}, {{kb * 1e10, kb * 1e10, kb * 1e10, 1e6, 1e6, 1e6}});
    stiff.maxMappingDistance = 1e-3;
    const Solved rigid = solve(b, 0, &stiff);
    const std::vector<double> expected = frequencies(grounded.report, ""), got = frequencies(rigid.report, "");
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i], expected[i], 1e-8 * expected[i]) << i;
        EXPECT_EQ(rigid.report.modes[i].description, grounded.report.modes[i].description) << i;
    }
    // A housing that no ring sits on stands apart, and the report says so.
    HousingDefinition apart = h;
    apart.maxMappingDistance = 0.0;
    const Solved alone = solve(b, 0, &apart);
    EXPECT_TRUE(alone.report.housing.rings.empty());
    ASSERT_EQ(alone.report.warnings.size(), 1u);
    EXPECT_NE(alone.report.warnings[0].find("no bearing or connection sits on the housing"), std::string::npos);
    // A torsion-only analysis leaves the housing out, and says so.
    RotorBuilder torsion = b;
    torsion.d.solveOnlyTorsionalVibrations = 1;
    const Solved t = solve(torsion, 0, &h);
    EXPECT_FALSE(t.report.housing.present);
    ASSERT_EQ(t.report.warnings.size(), 1u);
    EXPECT_NE(t.report.warnings[0].find("left out of a torsion-only analysis"), std::string::npos);
}

// A rigid rotor of mass ms on two bearings (2kb in all) that sit on a massless housing node A,
// tied by k1 to a node C of mass mh on a spring k2 to the ground (C carries no ring: an interior
// DOF of the housing). The bearings and the tie are springs in series, ks = 2kb·k1/(2kb + k1),
// and in each lateral plane the two-mass system
//   det [[ks − ms ω², −ks], [−ks, ks + k2 − mh ω²]] = 0
// holds, with C's amplitude r = (ks − ms ω²)/ks per unit shaft amplitude and the housing's kinetic
// share mh r² / (ms + mh r²). The mode that moves the housing more is named as its housing mode.
// Solved by the Arnoldi runs (8 modes) and whole (20 modes: the QZ path, for the massless DOF).
TEST(HousingModal, MassOnASpringUnderARigidShaftIsATwoMassSystem) {
    const double disk = 10.0, mh = 40.0, kb = 1e7, k1 = 8e7, k2 = 2e7;
    const double ms = disk + 1.0 * kPi / 4 * 0.2 * 0.2 * 0.1;  // the disk and the shaft (density 1) move as one
    const double ks = 2 * kb * k1 / (2 * kb + k1);
    RotorBuilder b;
    b.noHystereticDamping();
    // Short, thick and a hundred times as stiff as steel: rigid to 1e-7.
    const size_t s = b.shaft(L"rotor", {{0.1, 0.2}}, 1.0, 0.0, 100 * kSteelE, 100 * kSteelG);
    b.bearing(s, L"A", 0.0, {kb, kb, kb, 0, 0, 0});
    b.bearing(s, L"B", 0.1, {kb, 0, kb, 0, 0, 0});
    b.gear(s, L"disk", 0.05, disk, 1.0, 0.2);
    // A under both bearings (shared), C beside it; both turn stiffly, out of the way.
    HousingDefinition h = springHousing({NVektor(0, 0.05, 0), NVektor(0.3, 0.05, 0)},
                                  {{0, 1e12, 0, 1e12, 1e12, 1e12}, {k2, 1e12, k2, 1e12, 1e12, 1e12}},
                                  {{0, 0, 0, 0, 0, 0}, {mh, mh, mh, 1, 1, 1}}, k1);
    h.rings = {{HousingRing::Kind::Bearing, 0, 0, 0, 100}, {HousingRing::Kind::Bearing, 0, 0, 1, 100}};
    h.sharedNodes = {100};

    const double a = ms * mh, bb = ms * (ks + k2) + ks * mh, c = ks * k2, disc = std::sqrt(bb * bb - 4 * a * c);
    for (unsigned modes : {8u, 20u}) {
        SolverOptions o;
        o.numModes = modes;
        o.maxElementLength = 0.0;
        const Solved r = solve(b, 0, &h, o);
        for (double w2 : {(bb - disc) / (2 * a), (bb + disc) / (2 * a)}) {
            const double ratio = (ks - ms * w2) / ks, share = mh * ratio * ratio / (ms + mh * ratio * ratio);
            const double f = std::sqrt(w2) / (2 * kPi);
            int found = 0;
            for (size_t i = 0; i < r.report.modes.size(); ++i) {
                if (std::abs(r.report.modes[i].frequency - f) > 1e-6 * f) continue;
                ++found;
                EXPECT_NEAR(r.report.housing.modeKineticShare[i], share, 1e-6) << f;
                EXPECT_EQ(r.report.modes[i].description.find("housing") != std::string::npos, share > 0.5)
                    << r.report.modes[i].description;
            }
            EXPECT_EQ(found, 2) << "the mode at " << f << " Hz in both lateral planes, " << modes << " modes";
        }
        EXPECT_TRUE(r.report.housing.rings[0].listed);
        EXPECT_EQ(r.report.housing.boundaryDofs, 6u);
    }
}

// Two gears held by stiff bearings (kb) on two nodes of one plate: each node on a spring ka to
// the ground, the two tied by kc. The plate is much lighter than the gears' inertia needs (its
// translations follow the mesh force statically), so under the mesh force ±F along the line of
// action the gear centres part by 2F/(ka + 2kc) + 2F/kb: a compliance in series with the mesh,
//   ω² = (rb1²/J1 + rb2²/J2) / (1/km + 2/(ka + 2kc) + 2/kb),   rb = rw cos α.
TEST(HousingModal, GearPairOnOneFlexiblePlate) {
    const double km = 5e8, J1 = 2e-3, J2 = 3e-2, kb = 1e12, ka = 2e8, kc = 1.5e8;
    RotorBuilder b = RotorBuilder::gearPair(J1, J2, km, 1e-5, kb);
    b.noHystereticDamping();
    HousingDefinition plate = springHousing({NVektor(0, 0.05, 0), NVektor(0, 0.05, kPinionRadius + kWheelRadius)},
                                      {{ka, ka, ka, 1e10, 1e10, 1e10}}, {{1e-5, 1e-5, 1e-5, 1e-8, 1e-8, 1e-8}}, kc);
    plate.maxMappingDistance = 1e-3;
    const Solved r = solve(b, 0, &plate);
    const double rb1 = kPinionRadius * std::cos(kPressureAngle), rb2 = kWheelRadius * std::cos(kPressureAngle);
    const double expected =
        std::sqrt((rb1 * rb1 / J1 + rb2 * rb2 / J2) / (1 / km + 2 / (ka + 2 * kc) + 2 / kb)) / (2 * kPi);
    const std::vector<double> torsion = frequencies(r.report, "1st torsion");
    ASSERT_EQ(torsion.size(), 1u);
    EXPECT_NEAR(torsion[0], expected, 1e-4 * expected);
}

// A disk of mass m on one bearing (k, c) that stands on a housing node (kh, loss factor η, mass
// mh), turning at Ω with unbalance U = m·e: in x (and in z with the force turned by 90°)
//   [[k − mΩ² + icΩ, −(k + icΩ)], [−(k + icΩ), k + icΩ + kh(1 + iη) − mh Ω²]] (u, w) = (UΩ², 0).
// The bearing passes (k + icΩ)(u − w) into the housing, which is what the housing's own spring
// and inertia take: (kh(1 + iη) − mh Ω²) w.
TEST(HousingForced, UnbalanceThroughABearingIntoAHousingMass) {
    const double m = 10.0, k = 1e6, c = 200.0, kh = 3e6, eta = 0.05, mh = 20.0, nominal = 3000.0;
    const RotorBuilder b = RotorBuilder::diskOnSupport(m, k, c);
    // The node turned against the global frame (its x along global z): the results come back in
    // its own axes.
    HousingDefinition h = springHousing({NVektor(0, 0, 0)}, {{kh, 1e12, kh, 1e12, 1e12, 1e12}}, {{mh, mh, mh, 1, 1, 1}});
    h.lossFactor = eta;
    h.origin = NVektor(0, 0.05, 0);
    h.xAxis = NVektor(0, 0, 1);
    h.yAxis = NVektor(0, 1, 0);
    h.zAxis = NVektor(-1, 0, 0);
    h.maxMappingDistance = 1e-3;

    ForcedResponseDefinitionsStruct run;
    run.considerUnbalanceMasses = true;
    run.considerGearMeshForces = false;
    run.speeds = {1000.0, 2500.0, 6000.0};
    SolverOptions o;
    o.forcedResponse = &run;
    o.nominalSpeed = nominal;
    const Solved r = solve(b, 1, &h, o);
    ASSERT_EQ(r.report.housing.response.size(), 3u);
    const double U = m * 6.3e-3 / (nominal * 2 * kPi / 60);
    for (size_t j = 0; j < 3; ++j) {
        const double w = run.speeds[j] * 2 * kPi / 60;
        const Complex kc(k, c * w), kH = Complex(kh, kh * eta) - mh * w * w;
        const Complex det = (kc - m * w * w) * (kc + kH) - kc * kc;
        const Complex F = U * w * w;
        const Complex u = F * (kc + kH) / det, wh = F * kc / det;  // in x; in z times i
        const auto& disk = r.results.forcedResponseResults[j].docPointResults.at(0).docPointSpeedDomain;
        auto at = [](const RiapSeries2& s, size_t row) { return Complex(s.at(row).at(0).real, s.at(row).at(0).imaginary); };
        // The light shaft's own mass and the bearing's tilt stiffness add below 1e-4 near the
        // coupled resonance (1e-3 as the grounded rotor's test).
        EXPECT_LT(std::abs(at(disk.uVecVsSpeed, 0) - u), 1e-3 * std::abs(u)) << j;
        EXPECT_LT(std::abs(at(disk.uVecVsSpeed, 2) - Complex(0, 1) * u), 1e-3 * std::abs(u)) << j;
        // The housing side, in the node's axes: global x is the node's −z, global z its x.
        const ForcedResponseResultsSpeedDomain& hs = r.report.housing.response[j].at(0).housing;
        const Complex wz = -at(hs.uVecVsSpeed, 2), fz = -at(hs.fVecVsSpeed, 2);
        EXPECT_LT(std::abs(wz - wh), 1e-3 * std::abs(wh)) << j;
        EXPECT_LT(std::abs(at(hs.uVecVsSpeed, 0) - Complex(0, 1) * wh), 1e-3 * std::abs(wh)) << j;
        EXPECT_LT(std::abs(fz - kc * (u - wh)), 1e-3 * std::abs(kc * (u - wh))) << j;
        // What the ring passes in is what the node's spring, loss and inertia take, exactly.
        EXPECT_LT(std::abs(fz - kH * wz), 1e-9 * std::abs(fz)) << j;
        // The bearing's own result: the load of its relative motion, in the shaft's axes.
        const auto& bearing = r.results.forcedResponseResults[j].bearingResults.at(0).bearingSpeedDomain;
        EXPECT_LT(std::abs(at(bearing.fVecVsSpeed, 0) - fz), 1e-12 * std::abs(fz)) << j;
    }
}

// Q(σ) x = r with the housing eliminated against the whole matrix assembled densely: a chain of
// shaft DOF, rings with unsymmetric (cross-coupled) terms on the first housing node, free
// housing nodes and generalised coordinates in the interior. The residual of the dense matrix
// is the check, whatever path the elimination takes.
TEST(HousingElimination, SolvesTheWholeQuadraticMatrix) {
    using ds::solver::EliminatedQuadratic;
    using ds::solver::HousingElimination;
    using ds::solver::HousingModel;
    const Eigen::Index shafts = 9, nh = 3 * 3 + 31;  // three 3-DOF nodes and 31 modal coordinates
    HousingModel h;
    h.offset = size_t(shafts);
    h.dofs = size_t(nh);
    h.dofPerNode = 3;
    h.nodes.assign(3, Eigen::Vector3d::Zero());
    Eigen::MatrixXd a(nh, nh);
    for (Eigen::Index i = 0; i < nh; ++i)
        for (Eigen::Index j = 0; j < nh; ++j) a(i, j) = std::sin(1.0 + 3.0 * double(i) + 7.0 * double(j));
    h.K = a * a.transpose() + 5.0 * Eigen::MatrixXd::Identity(nh, nh);
    h.M = 0.3 * Eigen::MatrixXd::Identity(nh, nh);
    h.M(1, 1) = 0.0;  // a boundary DOF without mass
    h.hasMass = true;
    const Eigen::Index n = shafts + nh;
    // The sparse parts: a shaft chain, and rings between shaft DOF 3…5 and housing DOF 0…2.
    Eigen::MatrixXd qs = Eigen::MatrixXd::Zero(n, n);
    for (Eigen::Index i = 0; i < shafts; ++i) {
        qs(i, i) = 4.0;
        if (i + 1 < shafts) qs(i, i + 1) = -1.0, qs(i + 1, i) = -1.5;  // unsymmetric, as gyroscopics make it
    }
    for (Eigen::Index d = 0; d < 3; ++d) {
        qs(3 + d, 3 + d) += 2.0, qs(shafts + d, shafts + d) += 2.0;
        qs(3 + d, shafts + d) -= 2.0, qs(shafts + d, 3 + d) -= 2.0;
    }
    qs(3, shafts + 1) -= 0.7;  // a cross-coupled ring term, transposed nowhere
    qs(shafts, 4) += 0.7;
    const Eigen::SparseMatrix<double> sparse = qs.sparseView();
    Eigen::SparseMatrix<double> pattern = sparse;
    for (Eigen::Index i = 0; i < n; ++i) pattern.coeffRef(i, i) += 0.0;  // the diagonal, as the pencil has it
    pattern.makeCompressed();
    std::vector<double> values(pattern.valuePtr(), pattern.valuePtr() + pattern.nonZeros()), none(values.size(), 0.0);
    const HousingElimination elimination(h, pattern, {&values, &none, &none, &none});
    EXPECT_EQ(elimination.boundaryCount(), 3);
    EliminatedQuadratic q(elimination);
    const double sigma = 1.7;
    q.factorize(pattern, sigma, true);
    Eigen::MatrixXd whole = qs;
    whole.bottomRightCorner(nh, nh) += h.K + sigma * sigma * h.M;
    const Eigen::VectorXd r = Eigen::VectorXd::LinSpaced(n, -1.0, 2.0);
    Eigen::VectorXd x;
    q.solve(r, x);
    EXPECT_LT((whole * x - r).norm(), 1e-12 * r.norm());

    // The changed coordinates of the Arnoldi runs, x = T x̃, T read off column by column: T is
    // the identity but on the interior's rows, in T's coordinates the housing's σ²M_h + K_h has
    // the identity on the interior and nothing between interior and boundary, the whole matrix
    // is Tᵀ(whole)T for the transformed solve and the mass Tᵀ M_h T, and the way back inverts T.
    Eigen::MatrixXcd columns = Eigen::MatrixXcd::Identity(n, n);
    q.toPhysical(columns);
    const Eigen::MatrixXd T = columns.real();
    EXPECT_EQ(columns.imag().norm(), 0.0);
    EXPECT_TRUE(T.topRows(shafts + 3).isIdentity(0.0));  // the shafts and the boundary (housing DOF 0…2)
    const Eigen::MatrixXd Th = T.bottomRightCorner(nh, nh);
    const Eigen::MatrixXd q0 = Th.transpose() * (h.K + sigma * sigma * h.M) * Th;
    EXPECT_TRUE(q0.bottomRightCorner(nh - 3, nh - 3).isIdentity(1e-12));
    EXPECT_LT(q0.bottomLeftCorner(nh - 3, 3).norm(), 1e-12);
    EXPECT_LT((q.transformedMass() - Th.transpose() * h.M * Th).norm(), 1e-12 * h.M.norm());
    const Eigen::VectorXd xh = r.tail(nh);
    Eigen::VectorXd product = Eigen::VectorXd::Ones(nh);
    q.addTransformedMass(xh, product);
    EXPECT_LT((product - Eigen::VectorXd::Ones(nh) - Th.transpose() * h.M * Th * xh).norm(), 1e-12 * product.norm());
    Eigen::VectorXd xt;
    q.solveTransformed(r, xt);
    EXPECT_LT((T.transpose() * whole * T * xt - r).norm(), 1e-12 * r.norm());
    Eigen::VectorXd back = T * r;
    q.toTransformed(back);
    EXPECT_LT((back - r).norm(), 1e-12 * r.norm());
}
