// The sparse modal path against the dense reference (every undamped mode, then the whole state
// space): the same frequencies, damping, whirl, names and shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "drivesys/samples/sample_definition.h"
#include "drivesys/solver/modal.h"
#include "solver/dense_reference.h"
#include "solver/rotor_builder.h"

namespace {
using namespace ds::solver;
using ds::test::RotorBuilder;
constexpr double kRpm = 2.0 * std::numbers::pi / 60.0;

/// The sparse path's modes against the dense ones: frequencies to 1e-9, damping ratios to 1e-7
/// absolute, whirl and names alike, shapes with MAC ≥ 1 − 1e-8. A mode that shares its
/// frequency with a neighbour is compared by the MAC of its shape with the pair's plane.
void expectSameModes(const ShaftSystemModel& model, const std::vector<Mode>& sparseAll, const std::vector<Mode>& denseAll,
                     const std::string& what, bool compareRigid) {
    // Rigid-body modes: the same kinds (in any order; any basis of them will do). The dense
    // path's count is sound at rest only: at speed, rounding in its null-space basis lets the
    // gyroscopic terms pull a free motion into its state space, where its root at 0 is dropped.
    std::vector<Mode> sparse, dense;
    std::vector<std::string> sparseRigid, denseRigid;
    for (const Mode& m : sparseAll) m.rigid ? sparseRigid.push_back(m.description) : sparse.push_back(m);
    for (const Mode& m : denseAll) m.rigid ? denseRigid.push_back(m.description) : dense.push_back(m);
    std::sort(sparseRigid.begin(), sparseRigid.end());
    std::sort(denseRigid.begin(), denseRigid.end());
    if (compareRigid) {
        EXPECT_EQ(sparseRigid, denseRigid) << what;
    }
    ASSERT_EQ(sparse.size(), dense.size()) << what;
    for (size_t i = 0; i < dense.size(); ++i) {
        const Mode &a = sparse[i], &b = dense[i];
        const std::string at = what + " mode " + std::to_string(i) + " (" + b.description + ")";
        EXPECT_NEAR(a.frequency, b.frequency, 1e-9 * b.frequency) << at;
        EXPECT_NEAR(a.dampingRatio, b.dampingRatio, 1e-7) << at;
        EXPECT_EQ(a.whirl, b.whirl) << at;
        EXPECT_EQ(a.description, b.description) << at;
        bool twin = false;
        for (size_t j = 0; j < dense.size(); ++j)
            if (j != i && std::abs(dense[j].frequency - b.frequency) <= 1e-7 * b.frequency) twin = true;
        if (!twin) {
            EXPECT_GE(modalAssurance(model, a.shape, b.shape), 1 - 1e-8) << at;
        } else {
            double sum = 0.0;
            for (size_t j = 0; j < dense.size(); ++j)
                if (std::abs(dense[j].frequency - b.frequency) <= 1e-7 * b.frequency)
                    sum += modalAssurance(model, a.shape, dense[j].shape);
            EXPECT_GE(sum, 1 - 1e-8) << at;
        }
    }
}

/// Compares the two paths on `data` without its hysteretic damping (the dense reference has none).
void compareAtSpeeds(SystemDefinitionData data, double maxElement, size_t count, std::initializer_list<double> rpms,
                     const std::string& what) {
    data.hystereticDampingAxial = data.hystereticDampingBending = data.hystereticDampingTorsion = 0.0;
    ModelOptions mo;
    mo.maxElementLength = maxElement;
    const ShaftSystemModel model = ShaftSystemModel::build(data, mo);
    ModalProblem problem(model);
    QuadraticEigenSolver solver(problem.pencil);
    const std::vector<Mode> first = solveModes(problem, solver, 0.0, count, true);
    problem.tune(first, count);
    for (double rpm : rpms) {
        const std::vector<Mode> sparse = solveModes(problem, solver, rpm * kRpm, count, true);
        const std::vector<Mode> dense = ds::test::denseModes(model, rpm * kRpm, count, true);
        expectSameModes(model, sparse, dense, what + " at " + std::to_string(rpm) + " 1/min", rpm == 0.0);
    }
}

TEST(SparseModal, SampleGearboxMatchesTheDensePath) {
    compareAtSpeeds(ds::sampleGearboxSolverInput().definition.data, 0.04, 16, {0.0, 3000.0}, "sample gearbox");
}

TEST(SparseModal, GearChainWithDampedAnisotropicBearingsMatchesTheDensePath) {
    SystemDefinitionData d = ds::test::gearChain(3, 10).definition.data;
    // Heavier bearing damping, so that damped and undamped frequencies differ visibly.
    for (auto& shaft : d.bearingDampingX)
        for (double& c : shaft[0]) c = 2e4;
    compareAtSpeeds(d, 0.0100001, 20, {0.0, 6000.0}, "gear chain");
}

TEST(SparseModal, RoundRotorAtRestWithFreeTorsionMatchesTheDensePath) {
    // Isotropic supports: every bending frequency twice at rest; torsion is free (a rigid-body
    // mode at 0 Hz), so is axial motion.
    RotorBuilder b;
    const size_t s = b.shaft(L"rotor", {{0.3, 0.05}, {0.4, 0.08}, {0.3, 0.05}}, 7850.0, 0.886);
    b.bearing(s, L"A", 0.05, {2e8, 0, 2e8, 0, 0, 0});
    b.bearing(s, L"B", 0.95, {2e8, 0, 2e8, 0, 0, 0});
    b.gear(s, L"disk", 0.5, 30.0, 0.4, 0.06);
    compareAtSpeeds(b.d, 0.05, 12, {0.0, 9000.0}, "round rotor");
}

TEST(SparseModal, TorsionOnlyGearChainMatchesTheDensePath) {
    SystemDefinitionData d = ds::test::gearChain(4, 30).definition.data;
    d.solveOnlyTorsionalVibrations = 1;
    compareAtSpeeds(d, 0.0100001, 10, {0.0, 3000.0}, "torsion-only chain");
}

}  // namespace
