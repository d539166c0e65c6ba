// The definition file's housing section, the checks of its matrices and the placement of the
// outer rings on interface nodes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fmt/format.h>
#include <fstream>
#include <nlohmann/json.hpp>

#include "drivesys/solver/definition_json.h"
#include "drivesys/solver/housing_model.h"
#include "drivesys/solver/model.h"

namespace {
using json = nlohmann::json;
using ds::solver::HousingModel;
using ds::solver::ModelError;
using ds::solver::RingCandidate;

/// A folder of its own for the files a test writes, removed afterwards.
struct TempDir {
    std::filesystem::path path;
    TempDir() {
        path = std::filesystem::temp_directory_path() /
               ("drivesys_housing_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    void write(const std::string& name, const std::string& text) const { std::ofstream(path / name) << text; }
};

/// Two 3-DOF nodes 100 mm apart on x, each on a 1e4 N/mm spring per direction, coupled by 2e3 N/mm.
const char* kTwoNodes =
    "UNITS mm N\nNODES\n11 0 0 0\n12 100 0 0\n"
    "STIFFNESS 3 LOWER\n1.2e4\n0 1.2e4\n0 0 1.2e4\n-2e3 0 0 1.2e4\n0 -2e3 0 0 1.2e4\n0 0 -2e3 0 0 1.2e4\n"
    "MASS 3 LOWER\n1e-3\n0 1e-3\n0 0 1e-3\n0 0 0 1e-3\n0 0 0 0 1e-3\n0 0 0 0 0 1e-3\n";

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(accepted)";
}

HousingDefinition twoNodes() {
    HousingDefinition h;
    std::istringstream text(kTwoNodes);
    h.matrices = readFEStiffnessMatrix(text);
    h.stiffnessFile = "two.txt";
    return h;
}
}  // namespace

TEST(HousingSection, RoundTripsWithItsFileAndNamesUnknownKeys) {
    TempDir dir;
    dir.write("two.txt", kTwoNodes);
    const json section = json::parse(R"({
        "stiffnessFile": "two.txt", "lossFactor": 0.03, "maxMappingDistance": 0.002,
        "frame": {"origin": [0.5, 0, 0], "xAxis": [0, 1, 0], "yAxis": [-1, 0, 0], "zAxis": [0, 0, 1], "tilt": 1},
        "rings": [{"bearing": [0, 0, 1], "node": 12}, {"connection": [0, 2], "node": "ground", "why": "x"}],
        "sharedNodes": [11], "colour": "grey"
    })");
    const SolverInput in = ReadSolverInput(json{{"housing", section}}, dir.path.string());
    ASSERT_TRUE(in.hasHousing);
    EXPECT_EQ(in.unknownKeys, (std::vector<std::string>{"housing.colour", "housing.frame.tilt", "housing.rings[1].why"}));
    const HousingDefinition& h = in.housing;
    EXPECT_EQ(h.matrices.nodeNumbers, (std::vector<unsigned>{11, 12}));
    EXPECT_EQ(h.matrices.mass(5, 5), 1e-3);
    EXPECT_EQ(h.lossFactor, 0.03);
    EXPECT_EQ(h.xAxis, NVektor(0, 1, 0));
    EXPECT_EQ(h.rings, (std::vector<HousingRing>{{HousingRing::Kind::Bearing, 0, 0, 1, 12},
                                                  {HousingRing::Kind::Connection, 0, 0, 2, HousingRing::kGround}}));
    // Written and read again: the same definition.
    const json written = WriteSolverInput(in);
    const SolverInput again = ReadSolverInput(written, dir.path.string());
    EXPECT_EQ(WriteHousingDefinition(again.housing), written["housing"]);
    EXPECT_EQ(again.housing.rings, h.rings);
    EXPECT_EQ(again.housing.sharedNodes, (std::vector<unsigned>{11}));
    EXPECT_EQ(again.housing.maxMappingDistance, 0.002);
}

TEST(HousingSection, BadSectionsAreRefusedNamingTheKey) {
    TempDir dir;
    dir.write("two.txt", kTwoNodes);
    dir.write("nounits.txt", std::string(kTwoNodes).substr(std::string("UNITS mm N\n").size()));
    dir.write("broken.txt", "UNITS mm N\nNODES\n1 0 0 0\nSTIFFNESS 3 LOWER\n1\n0 1\n");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {R"({"lossFactor": 0.1})", "housing.stiffnessFile: missing"},
        {R"({"stiffnessFile": "none.txt"})", "none.txt: no such file"},
        {R"({"stiffnessFile": "/dev/zero"})", "/dev/zero: no such file (a regular file is needed)"},
        {R"({"stiffnessFile": "broken.txt"})", "broken.txt: the file ends after 2 of 3 stiffness rows"},
        {R"({"stiffnessFile": "nounits.txt"})", "housing.units: missing"},
        {R"({"stiffnessFile": "two.txt", "units": {"length": "m", "force": "N"}})", "states other units (UNITS mm N)"},
        {R"({"stiffnessFile": "two.txt", "units": {"length": "mile", "force": "N"}})", "housing.units: expected"},
        {R"({"stiffnessFile": "two.txt", "lossFactor": "high"})", "housing.lossFactor: not a number"},
        {R"({"stiffnessFile": "two.txt", "frame": {"origin": [0, 0]}})", "housing.frame.origin: not a vector"},
        {R"({"stiffnessFile": "two.txt", "rings": [{"node": 11}]})", "housing.rings[0]: names neither or both"},
        {R"({"stiffnessFile": "two.txt", "rings": [{"bearing": [0, 0], "node": 11}]})", "rings[0].bearing: not [shaft"},
        {R"({"stiffnessFile": "two.txt", "rings": [{"bearing": [0, -1, 0], "node": 11}]})", "rings[0].bearing[1]: not a whole"},
        {R"({"stiffnessFile": "two.txt", "rings": [{"connection": [0, 0], "node": "roof"}]})", "rings[0].node: not an FE node"},
        {R"({"stiffnessFile": "two.txt", "rings": [{"connection": [0, 0]}]})", "rings[0].node: missing"},
        {R"({"stiffnessFile": "two.txt", "sharedNodes": [11.5]})", "housing.sharedNodes[0]: not a whole number"},
        {R"([1])", "housing: not an object"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> unknown;
        const std::string what =
            messageOf([&] { ReadHousingDefinition(json::parse(c.first), dir.path.string(), unknown); });
        EXPECT_NE(what.find(c.second), std::string::npos) << c.first << " → " << what;
    }
    // Units from the section make a file without them usable.
    std::vector<std::string> unknown;
    const HousingDefinition h = ReadHousingDefinition(
        json::parse(R"({"stiffnessFile": "nounits.txt", "units": {"length": "m", "force": "kN"}})"), dir.path.string(), unknown);
    EXPECT_EQ(h.matrices.systemOfUnits, (FEStiffnessMatrixSystemOfUnits{FELengthUnit::Metre, FEForceUnit::Kilonewton}));
    EXPECT_EQ(WriteHousingDefinition(h)["units"], json::parse(R"({"length": "m", "force": "kN"})"));
}

// SI conversion by hand: 1.2e4 N/mm = 1.2e7 N/m, 1e-3 N·s²/mm = 1 kg; the nodes in the global
// frame through the housing's frame (x of the FE model along global y, origin 0.5 m along x).
TEST(HousingModelCheck, ConvertsToSIAndPlacesNodesInTheGlobalFrame) {
    HousingDefinition h = twoNodes();
    h.origin = NVektor(0.5, 0, 0);
    h.xAxis = NVektor(0, 2, 0);  // length does not matter
    h.yAxis = NVektor(-1, 0, 0);
    const HousingModel m = ds::solver::prepareHousing(h);
    EXPECT_EQ(m.dofs, 6u);
    EXPECT_DOUBLE_EQ(m.K(0, 0), 1.2e7);
    EXPECT_DOUBLE_EQ(m.K(3, 0), -2e6);
    EXPECT_DOUBLE_EQ(m.M(4, 4), 1.0);
    EXPECT_TRUE(m.nodes[1].isApprox(Eigen::Vector3d(0.5, 0.1, 0)));
    EXPECT_EQ(m.nodeNumbers, (std::vector<unsigned>{11, 12}));
    EXPECT_EQ(m.dof(1, 2), 5u);
    EXPECT_EQ(m.dof(1, 4), ds::solver::kNone);  // no rotations at 3-DOF nodes
}

TEST(HousingModelCheck, BadMatricesAndFramesAreRefusedNamingTheItem) {
    auto refused = [](const std::function<void(HousingDefinition&)>& change, const std::string& fragment) {
        HousingDefinition h = twoNodes();
        change(h);
        const std::string what = messageOf([&] { ds::solver::prepareHousing(h); });
        EXPECT_NE(what.find(fragment), std::string::npos) << fragment << " → " << what;
    };
    refused([](HousingDefinition& h) { h.lossFactor = -0.1; }, "housing.lossFactor must be a finite number ≥ 0");
    refused([](HousingDefinition& h) { h.yAxis = NVektor(1, 1, 0); }, "not a right-handed orthogonal frame");
    refused([](HousingDefinition& h) { h.zAxis = NVektor(0, 0, -1); }, "not a right-handed orthogonal frame");
    refused([](HousingDefinition& h) { h.origin.x = std::nan(""); }, "housing.frame");
    refused([](HousingDefinition& h) { h.matrices.stiffness(0, 3) = -1e3; }, "the housing (two.txt): the stiffness matrix is not symmetric");
    refused([](HousingDefinition& h) { h.matrices.mass(1, 0) = 2e-4; }, "the mass matrix of the housing (two.txt) is not symmetric");
    refused([](HousingDefinition& h) { h.matrices.mass = NMatrix(5); }, "has 5 × 5 entries, but the stiffness matrix 6 × 6");
    refused([](HousingDefinition& h) { h.matrices.stiffness = NMatrix(5); }, "5 rows, but 2 nodes with 3 DOF need 6");
    // A housing without its feet: both nodes float together on the coupling spring alone.
    refused(
        [](HousingDefinition& h) {
            for (size_t i = 0; i < 6; ++i) h.matrices.stiffness(i, i) = 2e3;
        },
        "stiffness matrix of the housing (two.txt) is not positive definite");
    refused([](HousingDefinition& h) { h.matrices.stiffness(2, 2) = 0; }, "row 2 is 0");
    // Mass: a negative diagonal entry; a massless row that couples; an indefinite coupling
    // (|M01| > √(M00·M11)).
    refused([](HousingDefinition& h) { h.matrices.mass(3, 3) = -1e-3; }, "row 3 is -1 (SI units)");
    refused(
        [](HousingDefinition& h) {
            h.matrices.mass(2, 2) = 0;
            h.matrices.mass(2, 5) = h.matrices.mass(5, 2) = 1e-4;
        },
        "row 2 has no mass on its diagonal but couples to row 5");
    refused([](HousingDefinition& h) { h.matrices.mass(0, 1) = h.matrices.mass(1, 0) = 1.5e-3; },
            "mass matrix of the housing (two.txt) is not positive semi-definite");
    // A massless housing, or one with massless DOF, is fine.
    HousingDefinition massless = twoNodes();
    massless.matrices.mass = NMatrix();
    EXPECT_EQ(ds::solver::prepareHousing(massless).M.norm(), 0.0);
}

TEST(HousingPlacement, ListedRingsThenNearestNodesWithinTheLimit) {
    HousingDefinition h = twoNodes();  // nodes 11 at x = 0 and 12 at x = 0.1 m
    const HousingModel housing = ds::solver::prepareHousing(h);
    auto bearing = [](size_t k, double x) {
        RingCandidate c;
        c.shaft = 0, c.subShaft = 0, c.index = k;
        c.name = fmt::format("B{}", k);  // (GCC 12 warns falsely on "B" + to_string)
        c.centre = Eigen::Vector3d(x, 0, 0);
        return c;
    };
    std::vector<RingCandidate> candidates{bearing(0, 0.0011), bearing(1, 0.05), bearing(2, 0.0989)};
    RingCandidate link;
    link.kind = HousingRing::Kind::Connection;
    link.shaft = 0, link.index = 0, link.name = "L", link.mappable = false;
    candidates.push_back(link);

    // B1 sits halfway: listed on node 11; B0 and B2 find their nodes within 1.2 mm.
    h.maxMappingDistance = 0.0012;
    h.rings = {{HousingRing::Kind::Bearing, 0, 0, 1, 11}};
    h.sharedNodes = {11};
    auto placed = ds::solver::placeRings(h, housing, candidates);
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0].candidate, 1u);
    EXPECT_TRUE(placed[0].listed);
    EXPECT_NEAR(placed[0].distance, 0.05, 1e-15);
    EXPECT_EQ(placed[1].candidate, 0u);
    EXPECT_EQ(placed[1].node, 0u);
    EXPECT_FALSE(placed[1].listed);
    EXPECT_NEAR(placed[1].distance, 0.0011, 1e-15);
    EXPECT_EQ(placed[2].node, 1u);

    // The limit itself does not map (1.1 mm from node 11); a tie goes to the lower node index.
    h.maxMappingDistance = 0.0011;
    h.rings = {{HousingRing::Kind::Bearing, 0, 0, 1, HousingRing::kGround}};
    std::string what = messageOf([&] { ds::solver::placeRings(h, housing, candidates); });
    EXPECT_NE(what.find("bearing B0 (bearingName[0][0][0]) at (0.0011, 0, 0) m is 1.100 mm from the nearest node of the "
                        "housing (two.txt) (node 11), beyond housing.maxMappingDistance = 1.100 mm"),
              std::string::npos)
        << what;
    h.maxMappingDistance = 0.06;
    h.rings = {};
    h.sharedNodes = {11, 12};
    placed = ds::solver::placeRings(h, housing, candidates);
    EXPECT_EQ(placed[1].node, 0u);  // B1 at 0.05 m: 0.05 from both nodes

    // Two rings on one node that the definition does not share.
    h.sharedNodes = {12};
    what = messageOf([&] { ds::solver::placeRings(h, housing, candidates); });
    EXPECT_NE(what.find("node 11 of the housing (two.txt) carries bearing B0 (bearingName[0][0][0]) and bearing B1"),
              std::string::npos)
        << what;

    // Listing errors.
    auto listed = [&](std::vector<HousingRing> rings, std::vector<unsigned> shared, const std::string& fragment) {
        HousingDefinition d = twoNodes();
        d.rings = std::move(rings);
        d.sharedNodes = std::move(shared);
        const std::string w = messageOf([&] { ds::solver::placeRings(d, housing, candidates); });
        EXPECT_NE(w.find(fragment), std::string::npos) << fragment << " → " << w;
    };
    using K = HousingRing::Kind;
    listed({{K::Bearing, 0, 0, 7, 11}}, {}, "housing.rings[0]: there is no bearing [0][0][7]");
    listed({{K::Connection, 1, 0, 0, 11}}, {}, "there is no connection [1][0]");
    listed({{K::Bearing, 0, 0, 2, 99}}, {}, "housing.rings[0]: node 99 is not a node of the housing (two.txt) (it has 2 nodes, numbered 11 … 12)");
    listed({{K::Bearing, 0, 0, 2, 12}, {K::Bearing, 0, 0, 2, HousingRing::kGround}}, {},
           "housing.rings[1] places bearing B2 (bearingName[0][0][2]) again (housing.rings[0] placed it)");
    listed({{K::Connection, 0, 0, 0, 12}}, {}, "connection L (connectionName[0][0]) couples two shafts");
    listed({}, {13}, "housing.sharedNodes[0]: node 13 is not a node");
    // Without a mapping distance only the listed rings sit on the housing.
    listed({}, {}, "(accepted)");
    h = twoNodes();
    h.maxMappingDistance = -1.0;
    what = messageOf([&] { ds::solver::placeRings(h, housing, candidates); });
    EXPECT_NE(what.find("housing.maxMappingDistance must be a finite length > 0"), std::string::npos) << what;
}
