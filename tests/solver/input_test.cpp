// The definition file's JSON form and the refusal of bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "drivesys/solver/definition_json.h"
#include "solver/rotor_builder.h"
#include "drivesys/samples/sample_definition.h"
#include "drivesys/solver/solver.h"

namespace {
using ds::test::RotorBuilder;
using json = nlohmann::json;

RotorBuilder simpleRotor() {
    RotorBuilder b;
    const size_t s = b.shaft(L"shaft", {{0.2, 0.03}, {0.1, 0.04}});
    b.bearing(s, L"A", 0.0, {1e8, 1e8, 1e8, 0, 0, 0});
    b.bearing(s, L"B", 0.3, {1e8, 0, 1e8, 0, 0, 0});
    b.gear(s, L"disk", 0.25, 2.0, 0.004, 0.02);
    b.d.campbellSpeed = {0, 1000, 2000};
    return b;
}

SolverReport run(const SystemDefinition& def, int calculation, SystemVibrationResults& r) {
    GeneralSystemDynamicsDefinitions general;
    general.calculationToPerform = calculation;
    return SolveSystemDynamics(def, general, r);
}

TEST(SolverInput, DefinitionFileRoundTripsAndNamesWhatItDoesNotKnow) {
    const json text = json::parse(R"({
        "systemDefinition": {
            "shaftsNames": [["S"]], "shaftE": [[2.1e11]], "shaftG": [[8.1e10]], "shaftRo": [[7850]],
            "secLength": [[[0.3]]], "secLda": [[[0.03]]],
            "bearingName": [[["A", "B"]]], "bearingPosition": [[[[0, 0, 0], [0, 0.3, 0]]]],
            "bearingStiffnessFxUx": [[[1e8, 1e8]]], "bearingStiffnessFzUz": [[[1e8, 1e8]]],
            "gearCalcResults.PPTE": [[1e-6]],
            "secLenght": [[[0.3]]]
        },
        "generalSystemDynamicsDefinitions": {"calculationToPerform": 0},
        "solverOptions": {"nominalSpeed": 1500, "numModes": 4, "colour": "red"},
        "comment": "x"
    })");
    const SolverInput in = ReadSolverInput(text);
    EXPECT_EQ(in.unknownKeys, (std::vector<std::string>{"comment", "solverOptions.colour", "systemDefinition.secLenght"}));
    EXPECT_EQ(in.definition.data.bearingPosition[0][0][1].y, 0.3);
    EXPECT_EQ(in.definition.data.gearCalcResults.PPTE[0][0], 1e-6);
    EXPECT_EQ(in.options.nominalSpeed, 1500.0);
    EXPECT_EQ(in.options.numModes, 4u);
    // Written back: the data block keeps only what differs from the defaults, under the same keys.
    const json written = WriteSolverInput(in);
    json expected = text["systemDefinition"];
    expected.erase("secLenght");
    EXPECT_EQ(written["systemDefinition"], expected);
    SystemVibrationResults r;
    EXPECT_EQ(SolveSystemDynamics(in.definition, in.general, r, in.options).status, kSolverOk);
}

TEST(SolverInput, ValuesOfTheWrongTypeAreRefusedNamingTheKey) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"systemDefinition": {"secLength": [[["x"]]]}})", "systemDefinition.secLength"},
        {R"({"systemDefinition": []})", "systemDefinition"},
        {R"({"solverOptions": {"numModes": -3}})", "solverOptions.numModes"},
        {R"([1, 2])", "not hold a JSON object"},
    };
    for (const auto& [bad, key] : cases) {
        try {
            ReadSolverInput(json::parse(bad));
            ADD_FAILURE() << bad;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(key), std::string::npos) << e.what();
        }
    }
}

TEST(SolverInput, BadModelsGiveAnInputErrorNamingTableAndIndex) {
    struct Case {
        const char* name;
        void (*spoil)(SystemDefinitionData&);
        const char* message;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    static double nanValue;
    nanValue = nan;
    const Case cases[] = {
        {"no shaft", [](SystemDefinitionData& d) { d.shaftsNames.clear(); }, "shaftsNames"},
        {"zero-length section", [](SystemDefinitionData& d) { d.secLength[0][0][1] = 0.0; }, "secLength[0][0][1]"},
        {"NaN modulus", [](SystemDefinitionData& d) { d.shaftE[0][0] = nanValue; }, "shaftE[0][0]"},
        {"infinite diameter", [](SystemDefinitionData& d) { d.secLda[0][0][0] = INFINITY; }, "secLda[0][0][0]"},
        {"inconsistent sections", [](SystemDefinitionData& d) { d.secLda[0][0].pop_back(); }, "secLda[0][0]"},
        {"negative bearing stiffness", [](SystemDefinitionData& d) { d.bearingStiffnessFxUx[0][0][1] = -1.0; }, "bearing B"},
        {"bearing without stiffness",
         [](SystemDefinitionData& d) { d.bearingStiffnessFxUx[0][0][0] = d.bearingStiffnessFyUy[0][0][0] = d.bearingStiffnessFzUz[0][0][0] = 0; },
         "bearing A"},
        {"bearing off the shaft", [](SystemDefinitionData& d) { d.bearingPosition[0][0][1].y = 0.5; }, "outside"},
        {"mesh with a missing gear",
         [](SystemDefinitionData& d) {
             d.constraintConnectionShaft1 = {{0}}, d.constraintConnectionShaft2 = {{0}};
             d.constraintConnectionGear1 = {{0}}, d.constraintConnectionGear2 = {{3}};
             d.constraintConnectionGearMeshStiffness = {{1e8}};
         },
         "constraintConnectionGear2[0][0] = 3"},
        {"mesh naming a missing shaft",
         [](SystemDefinitionData& d) {
             d.constraintConnectionShaft1 = {{0}}, d.constraintConnectionShaft2 = {{7}};
             d.constraintConnectionGear1 = {{0}}, d.constraintConnectionGear2 = {{0}};
             d.constraintConnectionGearMeshStiffness = {{1e8}};
         },
         "constraintConnectionShaft2[0][0] = 7"},
        {"unknown controlling shaft", [](SystemDefinitionData& d) { d.controlingShaftName = L"nope"; }, "controlingShaftName"},
        {"NaN Campbell speed", [](SystemDefinitionData& d) { d.campbellSpeed[1] = nanValue; }, "campbellSpeed[1]"},
    };
    for (const Case& c : cases) {
        RotorBuilder b = simpleRotor();
        c.spoil(b.d);
        SystemVibrationResults r;
        const SolverReport report = run(b.definition(), 2, r);
        EXPECT_EQ(report.status, kSolverInputError) << c.name;
        EXPECT_EQ(r.solverStatus, kSolverInputError) << c.name;
        EXPECT_NE(report.message.find(c.message), std::string::npos) << c.name << ": " << report.message;
        EXPECT_TRUE(r.resCampbell.empty() && r.resultsPerShaft.empty()) << c.name;
    }
}

TEST(SolverInput, AFreeShaftHasRigidBodyModesAtZeroAndNoNaN) {
    RotorBuilder b;
    b.shaft(L"free", {{0.5, 0.04}});
    SystemVibrationResults r;
    SolverOptions o;
    o.numModes = 4;
    ASSERT_EQ(ds::test::solve(b, 0, r, o).status, kSolverOk);
    const auto& modes = r.resultsPerShaft.at(0).shaftResultsPerSubShaft.at(0).mode;
    // Free in space: three translations and three rotations, all at exactly 0 Hz.
    size_t rigid = 0;
    for (const auto& mode : modes) {
        EXPECT_TRUE(std::isfinite(mode.frequency));
        if (mode.description.toUtf8().rfind("rigid body", 0) == 0) {
            ++rigid;
            EXPECT_EQ(mode.frequency, 0.0);
        }
    }
    EXPECT_EQ(rigid, 6u);
}

TEST(SolverInput, AbsurdMaterialValuesEndInAStatusNotAnException) {
    // A shear modulus of 8.1e210 Pa makes the pencil's entries span 200 decades: the Arnoldi
    // restarts' small Schur decomposition fails inside the eigen-solver, which must come back as a
    // solver status (or modes), never as an exception through the API.
    const SolverInput in = ReadSolverInput(json::parse(R"({"systemDefinition": {
        "shaftsNames": [["S"]], "shaftE": [[2.1e11]], "shaftG": [[8.1e210]], "shaftRo": [[7850]],
        "secLength": [[[0.1, 0.2]]], "secLda": [[[0.03, 0.04]]],
        "bearingName": [[["A", "B"]]], "bearingPosition": [[[[0, 0, 0], [0, 0.3, 0]]]],
        "bearingStiffnessFxUx": [[[1e8, 1e8]]], "bearingStiffnessFzUz": [[[1e8, 1e8]]],
        "gearName": [[["G"]]], "gearPosition": [[[[0, 0.15, 0]]]], "gearMass": [[[2]]], "gearMassMomentOfInertia": [[[0.004]]],
        "campbellSpeed": [0, 3000]},
        "solverOptions": {"nominalSpeed": 1500, "numModes": 4}})"));
    SystemVibrationResults r;
    SolverReport report;
    EXPECT_NO_THROW(report = SolveSystemDynamics(in.definition, in.general, r, in.options));
    EXPECT_EQ(report.status, r.solverStatus);
    EXPECT_EQ(report.status == kSolverOk, report.message.empty()) << report.message;
}

TEST(SolverInput, OversizedRequestsAreRefusedBeforeAnyWork) {
    auto refused = [](int calculation, const RotorBuilder& b, const SolverOptions& o) {
        GeneralSystemDynamicsDefinitions general;
        general.calculationToPerform = calculation;
        SystemVibrationResults r;
        const SolverReport report = SolveSystemDynamics(b.definition(), general, r, o);
        EXPECT_EQ(report.status, kSolverInputError) << calculation;
        EXPECT_EQ(r.solverStatus, kSolverInputError) << calculation;
        EXPECT_TRUE(r.resCampbell.empty() && r.forcedResponseResults.empty()) << calculation;
        EXPECT_FALSE(report.message.empty()) << calculation;
    };
    RotorBuilder speeds = simpleRotor();
    speeds.d.campbellSpeed.assign(kSolverMaxSpeeds + 1, 100.0);
    refused(2, speeds, {});
    SolverOptions tiny;
    tiny.maxElementLength = 1e-9;
    refused(0, simpleRotor(), tiny);
    // Forced responses of a million speeds, a million harmonics, and none (nor plot points).
    ForcedResponseDefinitionsStruct runs[3];
    runs[0].speeds.assign(1000000, 1000.0);
    runs[1].numHarmonics = 1000000, runs[1].speeds = {1000.0};
    for (const auto& run : runs) {
        SolverOptions o;
        o.forcedResponse = &run;
        refused(1, simpleRotor(), o);
    }
}

TEST(SolverInput, SampleGearboxDefinitionMatchesItsModel) {
    const SolverInput in = ds::sampleGearboxSolverInput();
    const SystemDefinitionData& d = in.definition.data;
    ASSERT_EQ(d.shaftsNames.size(), 3u);
    // Shaft lengths of the sample: 300, 260 and 330 mm.
    const double lengths[] = {0.300, 0.260, 0.330};
    for (size_t s = 0; s < 3; ++s) {
        double total = 0;
        for (double l : d.secLength[s][0]) total += l;
        EXPECT_NEAR(total, lengths[s], 1e-12) << s;
    }
    EXPECT_EQ(d.gearZ[0][0], (std::vector<int>{19}));
    EXPECT_EQ(d.gearZ[1][0], (std::vector<int>{83, 17}));
    EXPECT_EQ(d.gearZ[2][0], (std::vector<int>{71}));
    EXPECT_EQ(d.bearingName[1][0].size(), 2u);
    EXPECT_NEAR(d.constraintConnectionGearRatio[0][0], 83.0 / 19.0, 1e-12);
}

}  // namespace
