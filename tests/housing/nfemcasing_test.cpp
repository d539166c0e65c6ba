#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "drivesys/housing/housingtexts.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"
#include "drivesys/housing/nfemcasing.h"
#include "drivesys/platform/ntypes/translator.h"

namespace {
using Frame = NFEMCasing::Frame;
using PerShaft = NFEMCasing::PerShaftVectors;

Frame frame(const NVektor& origin, const NVektor& x, const NVektor& y) {
    return {origin, x, y, x.cross(y)};
}

// Frame rotated by `angle` about the unit axis k (Rodrigues), at `origin`.
Frame rotatedFrame(const NVektor& origin, const NVektor& k, double angle) {
    auto rot = [&](const NVektor& v) {
        return v * std::cos(angle) + k.cross(v) * std::sin(angle) + k * (k.dot(v) * (1 - std::cos(angle)));
    };
    return frame(origin, rot({1, 0, 0}), rot({0, 1, 0}));
}

Eigen::Matrix3d axes(const Frame& f) {
    Eigen::Matrix3d m;
    for (int c = 0; c < 3; ++c) m.col(c) = Eigen::Vector3d(f[c + 1].x, f[c + 1].y, f[c + 1].z);
    return m;
}

Eigen::Vector3d ev(const NVektor& v) { return {v.x, v.y, v.z}; }

// Symmetric positive definite stiffness (diagonally dominant), translational entries stiffer.
NMatrix stiffness(size_t nodes, int dof) {
    const size_t n = nodes * static_cast<size_t>(dof);
    NMatrix k(n);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < i; ++j) k(i, j) = k(j, i) = 1e3 * std::sin(0.7 * i + 1.3 * j + 0.1);
    for (size_t i = 0; i < n; ++i) {
        double sum = 0;
        for (size_t j = 0; j < n; ++j)
            if (j != i) sum += std::abs(k(i, j));
        k(i, i) = sum + (static_cast<int>(i % dof) < 3 ? 5e4 : 2e3);
    }
    return k;
}

/// A housing model in the units the casing takes: lengths in mm, matrix in N/mm, N, N·mm/rad.
struct Model {
    int dof = 6;
    NMatrix k;
    std::vector<NVektor> nodesFem;  // mm, FE frame
    Frame systemCS = frame({5, -3, 2}, {1, 0, 0}, {0, 1, 0});
    Frame femCS = rotatedFrame({100, 20, -30}, NVektor(1, 1, 0.5).normalized(), 0.4);
    std::vector<Frame> shaftCS;
    PerShaft points;  // mm, system frame
    std::vector<unsigned> numbers;
    double limit = 2.0;

    /// Reference position of a point given in FE coordinates (mm).
    NVektor femToReference(const NVektor& p) const {
        const Eigen::Vector3d r = ev(femCS[0]) + axes(femCS) * ev(p);
        return {r.x(), r.y(), r.z()};
    }
    /// Bearing point (system coordinates, mm) at `offset` (reference axes) from FE node n.
    NVektor pointAtNode(size_t n, const NVektor& offset = {}) const {
        const NVektor ref = femToReference(nodesFem[n]) + offset;
        const Eigen::Vector3d s = axes(systemCS).transpose() * (ev(ref) - ev(systemCS[0]));
        return {s.x(), s.y(), s.z()};
    }
    NFEMCasing build(bool report = false, bool enabled = true) {
        return NFEMCasing(enabled, limit, k, shaftCS, points, nodesFem, systemCS, femCS, FEStiffnessMatrixSystemOfUnits{},
                          numbers, report, false, true);
    }
};

Model boxModel(int dof) {
    Model m;
    m.dof = dof;
    m.nodesFem = {NVektor(0, 0, 0), NVektor(50, 0, 0), NVektor(0, 80, 0), NVektor(50, 80, 10), NVektor(25, 40, 60)};
    m.k = stiffness(m.nodesFem.size(), dof);
    m.shaftCS = {rotatedFrame({10, 10, 10}, NVektor(0, 0, 1), 0.9), rotatedFrame({-40, 5, 0}, NVektor(0.3, -1, 0.2).normalized(), 2.1)};
    // Shaft 0 sits on nodes 0 and 3, shaft 1 on node 2; nodes 1 and 4 carry nothing.
    m.points = {{m.pointAtNode(0, {0.5, 0, 0}), m.pointAtNode(3, {0, -0.3, 0.4})}, {m.pointAtNode(2)}};
    return m;
}

/// Deflections computed independently: SI scaling by hand, kept nodes' dense block, loads
/// rotated from shaft into FE axes, dense LU solve, results rotated back.
void expectedDeflection(const Model& m, const std::vector<std::pair<std::pair<unsigned, unsigned>, size_t>>& mapped,
                        const PerShaft& forces, const PerShaft& moments, PerShaft& disp, PerShaft& rot) {
    const int d = m.dof;
    std::vector<size_t> keptNodes;
    for (const auto& e : mapped)
        if (std::find(keptNodes.begin(), keptNodes.end(), e.second) == keptNodes.end()) keptNodes.push_back(e.second);
    std::sort(keptNodes.begin(), keptNodes.end());
    const Eigen::Index n = static_cast<Eigen::Index>(keptNodes.size()) * d;
    Eigen::MatrixXd k(n, n);
    for (Eigen::Index a = 0; a < n; ++a)
        for (Eigen::Index b = 0; b < n; ++b) {
            const size_t ra = keptNodes[static_cast<size_t>(a / d)] * d + a % d;
            const size_t rb = keptNodes[static_cast<size_t>(b / d)] * d + b % d;
            // N/mm → N/m (×1000), N·mm/rad → N·m/rad (×0.001), couplings unchanged.
            const bool rotA = a % d >= 3, rotB = b % d >= 3;
            const double f = (!rotA && !rotB) ? 1e3 : (rotA && rotB ? 1e-3 : 1.0);
            k(a, b) = m.k(ra, rb) * f;
        }
    auto shaftToFem = [&](unsigned s) { return Eigen::Matrix3d(axes(m.femCS).transpose() * axes(m.shaftCS[s])); };
    Eigen::VectorXd load = Eigen::VectorXd::Zero(n);
    for (const auto& [key, node] : mapped) {
        const Eigen::Index base = (std::find(keptNodes.begin(), keptNodes.end(), node) - keptNodes.begin()) * d;
        load.segment<3>(base) = shaftToFem(key.first) * ev(forces[key.first][key.second]);
        if (d == 6) load.segment<3>(base + 3) = shaftToFem(key.first) * ev(moments[key.first][key.second]);
    }
    const Eigen::VectorXd u = k.partialPivLu().solve(load);
    disp.assign(m.points.size(), {});
    rot.assign(m.points.size(), {});
    for (size_t i = 0; i < m.points.size(); ++i) {
        disp[i].assign(m.points[i].size(), NVektor());
        rot[i].assign(m.points[i].size(), NVektor());
    }
    for (const auto& [key, node] : mapped) {
        const Eigen::Index base = (std::find(keptNodes.begin(), keptNodes.end(), node) - keptNodes.begin()) * d;
        const Eigen::Vector3d t = shaftToFem(key.first).transpose() * u.segment<3>(base);
        disp[key.first][key.second] = NVektor(t.x(), t.y(), t.z());
        if (d == 6) {
            const Eigen::Vector3d r = shaftToFem(key.first).transpose() * u.segment<3>(base + 3);
            rot[key.first][key.second] = NVektor(r.x(), r.y(), r.z());
        }
    }
}

void expectClose(const PerShaft& a, const PerShaft& b, double scale) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].size(), b[i].size()) << "shaft " << i;
        for (size_t j = 0; j < a[i].size(); ++j)
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(a[i][j][c], b[i][j][c], scale * 1e-9) << i << "," << j << "," << c;
    }
}

/// The casing built with a report whose node lines have the format `line`.
NFEMCasing buildWithNodeLine(Model& m, const wchar_t* line) {
    housing_texts::ensureRegistered();
    const nWString saved = pool.GetString(housing_texts::kUnmappedNodeLine);
    pool.setString(housing_texts::kUnmappedNodeLine, line);
    NFEMCasing casing = m.build(true);
    pool.setString(housing_texts::kUnmappedNodeLine, saved);
    return casing;
}

const PerShaft kForces{{NVektor(1000, -200, 50), NVektor(-300, 800, 0)}, {NVektor(0, 0, 1500)}};
const PerShaft kMoments{{NVektor(10, 0, -5), NVektor(0, 3, 0)}, {NVektor(-2, 7, 1)}};
}  // namespace

TEST(NFEMCasing, SixDofDeflectionsMatchHandRotatedDenseSolve) {
    Model m = boxModel(6);
    m.numbers = {11, 12, 13, 14, 15};
    const NFEMCasing casing = m.build();
    ASSERT_EQ(casing.getConstructorStatus(), CasingOk) << casing.getErrorMessage().toUtf8();
    EXPECT_TRUE(casing.hasSixDofNodes());
    EXPECT_EQ(casing.getUnmappedNodes(), (std::vector<unsigned>{1, 4}));
    EXPECT_EQ(m.numbers, (std::vector<unsigned>{11, 13, 14}));
    // Kept nodes 0, 2, 3 become 0, 1, 2.
    EXPECT_EQ(casing.getMappingInfo(), (NFEMCasing::Mapping{{{0, 0}, 0}, {{0, 1}, 2}, {{1, 0}, 1}}));
    EXPECT_EQ(casing.getCompliance().numRows(), 18u);

    PerShaft disp, rot, expDisp, expRot;
    casing.calculateCasingDeflection(kForces, kMoments, disp, rot);
    expectedDeflection(m, {{{0, 0}, 0}, {{0, 1}, 3}, {{1, 0}, 2}}, kForces, kMoments, expDisp, expRot);
    double scale = 0;
    for (const auto& s : expDisp)
        for (const auto& v : s) scale = std::max(scale, v.length());
    ASSERT_GT(scale, 0.0);
    expectClose(disp, expDisp, scale);
    expectClose(rot, expRot, scale * 1e3);

    // The full transformation holds each node's shaft-to-FE rotation twice on its diagonal.
    const NMatrix t = casing.getshaftCSToFEMCSFullTransformationMatrix();
    ASSERT_EQ(t.numRows(), 18u);
    const Eigen::Matrix3d r1 = axes(m.femCS).transpose() * axes(m.shaftCS[1]);
    EXPECT_TRUE((nmath::eigenView(t).block<3, 3>(6, 6).isApprox(r1, 1e-12)));
    EXPECT_TRUE((nmath::eigenView(t).block<3, 3>(9, 9).isApprox(r1, 1e-12)));
    EXPECT_TRUE((nmath::eigenView(t).block<3, 3>(0, 6).isZero()));
}

TEST(NFEMCasing, ThreeDofMatrixLeavesRotationsAlone) {
    Model m = boxModel(3);
    const NFEMCasing casing = m.build();
    ASSERT_EQ(casing.getConstructorStatus(), CasingOk);
    EXPECT_FALSE(casing.hasSixDofNodes());
    EXPECT_EQ(casing.getCompliance().numRows(), 9u);
    // The full transformation keeps 6 rows per node: twice K's size.
    EXPECT_EQ(casing.getshaftCSToFEMCSFullTransformationMatrix().numRows(), 18u);

    PerShaft disp, expDisp, expRot;
    PerShaft rot{{NVektor(9, 9, 9)}};  // untouched in the 3-DOF case
    casing.calculateCasingDeflection(kForces, kMoments, disp, rot);
    expectedDeflection(m, {{{0, 0}, 0}, {{0, 1}, 3}, {{1, 0}, 2}}, kForces, kMoments, expDisp, expRot);
    expectClose(disp, expDisp, 1e-5);
    ASSERT_EQ(rot.size(), 2u);
    EXPECT_EQ(rot[0], (std::vector<NVektor>{NVektor(9, 9, 9)}));
    EXPECT_TRUE(rot[1].empty());
}

TEST(NFEMCasing, MappingLimitIsExclusiveAndTiesGoToLowerIndex) {
    Model m;
    m.femCS = frame({}, {1, 0, 0}, {0, 1, 0});
    m.systemCS = m.femCS;
    // Each point lies exactly halfway between two nodes (exact in metres too: the node offsets
    // are negatives or doubles of each other).
    m.nodesFem = {NVektor(10, 0, 0), NVektor(-10, 0, 0), NVektor(30, 40, 0), NVektor(30, 0, 0)};
    m.k = stiffness(4, 6);
    m.shaftCS = {m.femCS};
    m.points = {{NVektor(0, 0, 0)}};
    m.limit = 10.0;  // the nearest nodes of point 0 lie exactly at the limit
    const NFEMCasing atLimit = m.build(true);
    EXPECT_EQ(atLimit.getConstructorStatus(), CasingNoBearingMapped);
    EXPECT_TRUE(atLimit.getMappingInfo().empty());
    EXPECT_EQ(atLimit.getErrorMessage(), pool.GetString(housing_texts::kNoBearingMapped));
    EXPECT_EQ(m.build(false).getConstructorStatus(), CasingNoBearingMapped);
    m.points[0].push_back(NVektor(30, 20, 0));
    m.limit = 25.0;
    const NFEMCasing tie = m.build();
    ASSERT_EQ(tie.getConstructorStatus(), CasingOk);
    // Point 0 ties between nodes 0 and 1, point 1 between nodes 2 and 3: the lower index wins.
    EXPECT_EQ(tie.getUnmappedNodes(), (std::vector<unsigned>{1, 3}));
    EXPECT_EQ(tie.getMappingInfo(), (NFEMCasing::Mapping{{{0, 0}, 0}, {{0, 1}, 1}}));
}

TEST(NFEMCasing, SharedNodeKeepsTheLaterBearingPoint) {
    Model m = boxModel(6);
    // Shaft 0's first point and shaft 1's only point both sit on node 2.
    m.points = {{m.pointAtNode(2, {0.2, 0, 0}), m.pointAtNode(3)}, {m.pointAtNode(2, {0, 0.1, 0})}};
    const NFEMCasing casing = m.build();
    ASSERT_EQ(casing.getConstructorStatus(), CasingOk);
    EXPECT_EQ(casing.getMappingInfo(), (NFEMCasing::Mapping{{{0, 1}, 1}, {{1, 0}, 0}}));
    PerShaft disp, rot, expDisp, expRot;
    casing.calculateCasingDeflection(kForces, kMoments, disp, rot);
    EXPECT_EQ(disp[0][0], NVektor());
    EXPECT_EQ(rot[0][0], NVektor());
    // The dropped point's load is ignored: the same as a model without it.
    expectedDeflection(m, {{{0, 1}, 3}, {{1, 0}, 2}}, kForces, kMoments, expDisp, expRot);
    expectClose(disp, expDisp, 1e-5);
}

TEST(NFEMCasing, UnmappedNodeReport) {
    Model m;
    m.femCS = frame({}, {1, 0, 0}, {0, 1, 0});
    m.systemCS = m.femCS;
    m.nodesFem = {NVektor(0, 0, 0), NVektor(100, 0, 0), NVektor(0, 0, 0.5)};
    m.k = stiffness(3, 6);
    // Shaft axes turned 90° about z: reference x is the shaft's −y.
    m.shaftCS = {frame({}, {0, 1, 0}, {-1, 0, 0})};
    m.points = {{NVektor(3, 0, 0)}};
    m.limit = 3.5;  // node 0 (3 mm) maps; node 2 (3.04 mm) is next in line; node 1 is far off
    const NFEMCasing casing = buildWithNodeLine(m, L"{0}|{1}|{2}|{3}|{4}");
    ASSERT_EQ(casing.getConstructorStatus(), CasingOk);
    EXPECT_EQ(casing.getUnmappedNodes(), (std::vector<unsigned>{1, 2}));
    // Empty number list: nodes are numbered from 1. Offsets node → point in shaft axes:
    // node 1: (−97, 0, 0) in reference axes is (0, 97, 0) in shaft axes; node 2: (3, 0, −0.5)
    // is (0, −3, −0.5).
    const nWString heading = pool.GetString(housing_texts::kUnmappedNodesHeading);
    const nWString closing = pool.GetString(housing_texts::kUnmappedNodesClosing);
    EXPECT_EQ(casing.getConfirmMessage(), heading + L"\n" + L"2|97.00 mm|0.00 mm|97.00 mm|0.00 mm\n" +
                                              L"3|3.04 mm|0.00 mm|-3.00 mm|-0.50 mm\n" + closing);
    EXPECT_TRUE(casing.getErrorMessage().empty());
}

TEST(NFEMCasing, ReportUsesNodeNumbers) {
    Model m = boxModel(6);
    m.numbers = {501, 502, 503, 504, 505};
    const NFEMCasing withNumbers = buildWithNodeLine(m, L"N{0}");
    EXPECT_NE(withNumbers.getConfirmMessage().find(L"\nN502\nN505\n"), nWString::npos) << withNumbers.getConfirmMessage().toUtf8();
    // Without reporting there is no text.
    EXPECT_TRUE(m.build(false).getConfirmMessage().empty());
}

TEST(NFEMCasing, DisabledLeavesEverythingEmpty) {
    Model m = boxModel(6);
    m.numbers = {1, 2, 3, 4, 5};
    const NFEMCasing casing = m.build(true, false);
    EXPECT_EQ(casing.getConstructorStatus(), CasingNotElastic);
    EXPECT_TRUE(casing.getErrorMessage().empty());
    EXPECT_TRUE(casing.getConfirmMessage().empty());
    EXPECT_TRUE(casing.getMappingInfo().empty());
    EXPECT_TRUE(casing.getUnmappedNodes().empty());
    EXPECT_TRUE(casing.getCompliance().isEmpty());
    EXPECT_TRUE(casing.getNodeCoords().empty());
    EXPECT_EQ(m.numbers.size(), 5u);
    PerShaft disp, rot;
    casing.calculateCasingDeflection(kForces, kMoments, disp, rot);
    EXPECT_TRUE(disp.empty());
}

TEST(NFEMCasing, FailureStatuses) {
    // One fault each on the box model.
    const std::pair<void (*)(Model&), int> faults[] = {
        {[](Model& m) { m.k = NMatrix(30); }, CasingNotInvertible},  // symmetric and finite, but no stiffness at all
        {[](Model& m) { m.shaftCS[1] = frame({}, {1, 0, 0}, {2, 0, 0}); }, CasingNotInvertible},  // no rotation to build
        // Asymmetric and non-finite entries between kept nodes (0 and 2) stop the coupling.
        {[](Model& m) { m.k(1, 13) += 1.0; }, CasingNotInvertible},
        {[](Model& m) { m.k(4, 4) = std::nan(""); }, CasingFEDataInvalid},
        {[](Model& m) { m.k = NMatrix(25); }, CasingFELayoutMismatch},
        {[](Model& m) { m.k = NMatrix(30, 31); }, CasingFEMatrixNotSquare},
        {[](Model& m) { m.k = NMatrix(); }, CasingNotElastic},
    };
    for (size_t i = 0; i < std::size(faults); ++i) {
        Model m = boxModel(6);
        faults[i].first(m);
        EXPECT_EQ(m.build().getConstructorStatus(), faults[i].second) << "fault " << i;
    }
    {
        Model m = boxModel(6);
        // Node 0's axial translation has no stiffness: singular kept matrix.
        for (size_t i = 0; i < 30; ++i) m.k(0, i) = m.k(i, 0) = 0.0;
        const NFEMCasing casing = m.build();
        EXPECT_EQ(casing.getConstructorStatus(), CasingNotInvertible);
        EXPECT_TRUE(casing.getCompliance().isNull());
        PerShaft disp, rot;
        casing.calculateCasingDeflection(kForces, kMoments, disp, rot);
        EXPECT_EQ(disp[0][1], NVektor());
    }
    {
        // Nodes 1 and 4 carry no bearing: their entries are never read, so faults there leave the
        // compliance as it is without them.
        Model clean = boxModel(6);
        Model m = boxModel(6);
        m.k(0, 7) += 1.0;
        m.k(25, 26) = std::nan("");
        m.k(9, 28) = std::numeric_limits<double>::infinity();
        const NFEMCasing casing = m.build();
        ASSERT_EQ(casing.getConstructorStatus(), CasingOk);
        EXPECT_EQ(casing.getCompliance(), clean.build().getCompliance());
    }
    {
        // No mapped point replaces an FE failure, and nothing is left half-built.
        Model m = boxModel(6);
        m.k = NMatrix();
        m.limit = 0.0;
        const NFEMCasing none = m.build();
        EXPECT_EQ(none.getConstructorStatus(), CasingNoBearingMapped);
        PerShaft disp, rot;
        none.calculateCasingDeflection(kForces, kMoments, disp, rot);
        EXPECT_EQ(disp.size(), 2u);
    }
    {
        // FE failure with mapped points: the mapping holds raw node indices but the empty
        // compliance yields zero deflections, never an out-of-range access.
        Model m = boxModel(6);
        m.k = NMatrix(30, 31);
        const NFEMCasing casing = m.build();
        EXPECT_FALSE(casing.getMappingInfo().empty());
        PerShaft disp, rot;
        casing.calculateCasingDeflection(kForces, kMoments, disp, rot);
        EXPECT_EQ(disp[0][0], NVektor());
    }
}

TEST(NFEMCasing, ThreePointsChecksDistancesInOrder) {
    const std::array<NVektor, 3> a0{NVektor(0, 0, 0), NVektor(100, 0, 0), NVektor(0, 200, 0)};
    struct Case {
        std::array<NVektor, 3> b;
        const wchar_t* names;
        const wchar_t* diff;
    };
    const Case cases[] = {
        {{NVektor(0, 0, 0), NVektor(102, 0, 0), NVektor(0, 200, 0)}, L"points 1 and 2", L"2.00 mm"},
        {{NVektor(0, 0, 0), NVektor(100, 0, 0), NVektor(0, 196.5, 0)}, L"points 1 and 3", L"3.50 mm"},
        {{NVektor(0, 0, 0), NVektor(100, 0, 0), NVektor(3, 200, 0)}, L"points 2 and 3", L"1.33 mm"},
    };
    for (const Case& c : cases) {
        std::array<NVektor, 3> a = a0, b = c.b;
        nWString error, warning;
        EXPECT_TRUE(NFEMCasing::transformationThreePoints(0.5, a, b, error, warning, false).empty());
        EXPECT_NE(error.find(c.names), nWString::npos) << error.toUtf8();
        EXPECT_NE(error.find(c.diff), nWString::npos) << error.toUtf8();
        // The caller's points hold metres afterwards.
        EXPECT_EQ(a[1], NVektor(0.1, 0, 0));
        EXPECT_EQ(b[0], NVektor(0, 0, 0));
        EXPECT_NEAR(b[2].y, c.b[2].y * 0.001, 1e-15);
    }
}

TEST(NFEMCasing, ThreePointsGivesFrameInMillimetres) {
    const Frame target = rotatedFrame({120, -40, 15}, NVektor(0.2, 0.5, 1).normalized(), 1.1);
    const std::array<NVektor, 3> local{NVektor(0, 0, 0), NVektor(100, 0, 0), NVektor(20, 150, 30)};
    std::array<NVektor, 3> a = local, b;
    for (size_t i = 0; i < 3; ++i) {
        const Eigen::Vector3d r = ev(target[0]) + axes(target) * ev(local[i]);
        b[i] = NVektor(r.x(), r.y(), r.z());
    }
    nWString error, warning;
    const auto cs = NFEMCasing::transformationThreePoints(0.01, a, b, error, warning, false);
    ASSERT_EQ(cs.size(), 4u) << error.toUtf8();
    EXPECT_TRUE(error.empty());
    EXPECT_TRUE(warning.empty());
    for (int i = 0; i < 4; ++i)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(cs[i][c], target[i][c], i == 0 ? 1e-9 : 1e-12) << i << "," << c;

    // Collinear points: a frame all the same, with the warning.
    std::array<NVektor, 3> line{NVektor(0, 0, 0), NVektor(10, 0, 0), NVektor(20, 0, 0)};
    std::array<NVektor, 3> line2 = line;
    EXPECT_EQ(NFEMCasing::transformationThreePoints(0.01, line, line2, error, warning, false).size(), 4u);
    EXPECT_EQ(warning, pool.GetString(housing_texts::kThreePointsPoorFit));
}

// The unit codes themselves are tested with feLengthUnitInMillimetres; here one larger and one
// smaller than the millimetre.
TEST(NFEMCasing, FemNodesInGlobalCoordsScaleByUnitCode) {
    const Frame cs = rotatedFrame({10, 20, 30}, NVektor(0, 0, 1), M_PI / 2);
    const std::vector<NVektor> nodes{NVektor(1, 0, 0), NVektor(0, 2, 3)};
    const std::pair<unsigned, double> table[] = {{3, 304.8}, {7, 0.001}};
    for (const auto& [code, factor] : table) {
        const auto out = NFEMCasing::getFEMNodesInGlobalCoords(nodes, cs, code);
        ASSERT_EQ(out.size(), 2u);
        // 90° about z: local (x, y, z) lies at (−y, x, z) from the origin.
        EXPECT_NEAR(out[0].x, 10.0, 1e-9 * factor) << code;
        EXPECT_NEAR(out[0].y, 20.0 + factor, 1e-9 * factor) << code;
        EXPECT_NEAR(out[1].x, 10.0 - 2 * factor, 1e-9 * factor) << code;
        EXPECT_NEAR(out[1].z, 30.0 + 3 * factor, 1e-9 * factor) << code;
    }
}
