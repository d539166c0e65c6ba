// The fixed tables of the module, value by value: the 50 naming rules (key, pattern, kind code, in
// order) and every preset of the default geometry, with the initial values they give the Meta
// (fresh, copied, cloned, nested in the settings tab and after reset), and the tab screens' entry
// tables and input ranges.
#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "drivesys/drivesys.h"
#include "module/screen_items.h"

using json = nlohmann::json;

namespace {
struct Rule {
    const char* key;
    const char* pattern;
    int code;
};

const std::vector<Rule> kRules{
    {"bearings", "rolling<autoInc>", 16},
    {"slidingBearings", "plain<autoInc>", 17},
    {"supportGenerals", "support<autoInc>", 18},
    {"carriers", "carrier<autoInc>", 28},
    {"couplings", "coupling<autoInc>", 12},
    {"synchronizers", "switchable<autoInc>", 31},
    {"boundarys", "boundary<autoInc>", 25},
    {"couplingconnections", "connection<autoInc>", 26},
    {"forcetransfers", "transfer<autoInc>", 32},
    {"powersplits", "split<autoInc>", 27},
    {"powerlosses", "loss<autoInc>", 15},
    {"magneticforces", "magnetic<autoInc>", 14},
    {"centricalloads", "centrical<autoInc>", 1},
    {"additionalmasses", "mass<autoInc>", 13},
    {"excentricalloads", "eccentrical<autoInc>", 2},
    {"shafts", "shaft<autoInc>", 30},
    {"constraints", "constraint<autoInc>", 33},
    {"gears", "cylindrical<autoInc>", 3},
    {"bevelHypos", "bevel<autoInc>", 4},
    {"worms", "worm<autoInc>", 5},
    {"wormGears", "wheel<autoInc>", 6},
    {"faceGears", "face<autoInc>", 7},
    {"ropeSheaves", "sheave<autoInc>", 11},
    {"sketcherDots", "sketcherDot<autoInc>", 36},
    {"shaftPieces", "shaftPiece<autoInc>", 38},
    {"groups", "group<autoInc>", 23},
    {"housings", "housing<autoInc>", 29},
    {"shaftCalcs", "shaft_calc<autoInc>", 136},
    {"crossedHelicalGearPairCalcs", "crossed_calc<autoInc>", 144},
    {"helicalGearPairCalcs", "pair_calc<autoInc>", 137},
    {"threeGearPairCalcs", "three_calc<autoInc>", 138},
    {"fourGearPairCalcs", "four_calc<autoInc>", 139},
    {"planetaryCalcs", "planetary_calc<autoInc>", 140},
    {"bevelHypoGearPairCalcs", "bevel_calc<autoInc>", 141},
    {"beveloidGearPairCalcs", "beveloid_calc<autoInc>", 145},
    {"faceGearPairCalcs", "face_calc<autoInc>", 142},
    {"wormGearPairCalcs", "worm_calc<autoInc>", 143},
    {"vBeltCalcs", "vbelt_calc<autoInc>", 148},
    {"toothedBeltCalcs", "toothedbelt_calc<autoInc>", 149},
    {"chainDriveCalcs", "chaindrive_calc<autoInc>", 150},
    {"noncircularPairCalcs", "noncircular_calc<autoInc>", 147},
    {"keyCalcs", "key_calc<autoInc>", 151},
    {"straightSplineCalcs", "straightspline_calc<autoInc>", 152},
    {"splineStrengthCalcs", "splinestrength_calc<autoInc>", 153},
    {"splineGeometryCalcs", "splinegeometry_calc<autoInc>", 154},
    {"polygonCalcs", "polygon_calc<autoInc>", 155},
    {"woodruffKeyCalcs", "woodruffkey_calc<autoInc>", 156},
    {"cylindricalInterferenceCalcs", "cylinterference_calc<autoInc>", 157},
    {"conicalInterferenceCalcs", "coninterference_calc<autoInc>", 158},
    {"clampedConnectionCalcs", "clampedconnection_calc<autoInc>", 159},
};

/// Every rule in table order with its pattern, code and a zero counter, and the pattern and code
/// as initial values of the rule's own Meta (the counter has none).
void expectRules(SystemNamingSettings& s, const std::string& what) {
    const auto& fields = SystemNamingSettings::recordInfo().fields();
    ASSERT_EQ(fields.size(), kRules.size());
    const json j = s.toJson();
    for (size_t i = 0; i < kRules.size(); ++i) {
        const Rule& r = kRules[i];
        EXPECT_STREQ(fields[i].name, r.key) << "position " << i;
        EXPECT_EQ(j.at(r.key), (json{{"name", r.pattern}, {"type", r.code}, {"counter", 0}})) << what << " " << r.key;
        Meta* meta = fields[i].ops->asRecord(fields[i].in(s))->getMeta();
        EXPECT_EQ(meta->GetVar("name")->initText().toUtf8(), r.pattern) << what << " " << r.key;
        EXPECT_EQ(meta->GetVar("type")->initText().toUtf8(), std::to_string(r.code)) << what << " " << r.key;
        EXPECT_FALSE(meta->GetVar("counter")->hasInit()) << what << " " << r.key;
    }
}

TEST(FixedTables, NamingRulesInTableOrderWithPatternCodeAndCounter) {
    ASSERT_EQ(kRules.size(), 50u);
    SystemNamingSettings fresh;
    expectRules(fresh, "fresh");
    SystemNamingSettings copy(fresh);
    expectRules(copy, "copy");

    // Reset brings back values and initial values, and keeps each rule's Meta bound to its storage.
    SystemNamingSettings s;
    Meta* shaftsMeta = s.shafts.getMeta();
    s.shafts.name = L"W<autoInc>";
    s.shafts.type = 99;
    s.shafts.counter = 17;
    s.gears.counter = 3;
    shaftsMeta->SetInit("name", L"W<autoInc>");
    s.reset();
    expectRules(s, "reset");
    EXPECT_EQ(s.shafts.getMeta(), shaftsMeta);
    shaftsMeta->GetVar("counter")->SetVar(4);
    EXPECT_EQ(s.shafts.counter, 4u);
}

TEST(FixedTables, LoneGeometryRecordsHoldTheirRecordDefaults) {
    EXPECT_EQ(ShaftGeom().toJson(), json::parse(R"({"externalDiameter": 20.0, "internalDiameter": 0.0, "length": 10.0})"));
    EXPECT_EQ(BearingGeom().toJson(), json::parse(R"({"dbid": 10160, "di": 20.0, "identifier": 0})"));
    EXPECT_EQ(JournalGeom().toJson(), json::parse(R"({"width": 10.0, "stiffness": 10.0})"));
    EXPECT_EQ(SwitchableGeom().toJson(),
              json::parse(R"({"counterClockwiseClearance": 1.0, "clockwiseClearance": 1.0, "stiffness": 10.0})"));
    EXPECT_EQ(GearGeom().toJson(), json::parse(R"({"diameter": 20.0, "module": 2.0, "width": 10.0, "height": 0.0})"));
    EXPECT_EQ(OtherGeom().toJson(), json::parse(R"({"diameter": 20.0, "width": 10.0, "centerDistance": 0.0})"));
}

const json kPresets = json::parse(R"({
    "cylinder": {"externalDiameter": 20.0, "internalDiameter": 36.0, "length": 30.0},
    "bearingOnShaft": {"dbid": 10160, "di": 20.0, "identifier": 8052},
    "plainBearing": {"width": 10.0, "stiffness": 10.0},
    "switchable": {"counterClockwiseClearance": 1.0, "clockwiseClearance": 1.0, "stiffness": 10.0},
    "gear": {"diameter": 40.0, "module": 2.0, "width": 20.0, "height": 0.0},
    "worm": {"diameter": 33.0, "module": 2.0, "width": 30.0, "height": 0.0},
    "wormWheel": {"diameter": 55.0, "module": 2.0, "width": 15.0, "height": 0.0},
    "bevel": {"diameter": 40.0, "module": 2.0, "width": 20.0, "height": 0.0},
    "face": {"diameter": 60.0, "module": 2.0, "width": 20.0, "height": 10.0},
    "coupling": {"diameter": 30.0, "width": 10.0, "centerDistance": 0.0},
    "rope_sheave": {"diameter": 30.0, "width": 10.0, "centerDistance": 70.0},
    "noncircular": {"diameter": 28.0, "module": 2.0, "width": 10.0, "height": 0.0},
    "dimensionsFactor": 1.0, "modulesFactor": 1.0, "dimensionsFactorOld": 1.0, "modulesFactorOld": 1.0})");
/// Preset values deliberately left without an initial value; every other preset value is also the
/// initial value of its member in the nested record's own Meta.
const std::set<std::string> kPresetsWithoutInit{"bearingOnShaft.dbid", "gear.height",        "worm.height",
                                                "wormWheel.height",    "bevel.height",       "noncircular.height",
                                                "coupling.centerDistance"};

void expectPresets(nvDefaultGeometry& g, const std::string& what) {
    EXPECT_EQ(g.toJson(), kPresets) << what;
    for (const auto& f : nvDefaultGeometry::recordInfo().fields()) {
        nMetaStruct* nested = f.ops->asRecord ? f.ops->asRecord(f.in(g)) : nullptr;
        if (!nested) continue;
        for (const auto& [key, value] : kPresets.at(f.name).items()) {
            const std::string path = std::string(f.name) + "." + key;
            MetaVar* v = nested->getMeta()->GetVar(key.c_str());
            ASSERT_NE(v, nullptr) << path;
            const std::string expected = kPresetsWithoutInit.count(path) ? "-" : std::to_string(value.get<long long>());
            EXPECT_EQ(v->hasInit() ? v->initText().toUtf8() : "-", expected) << what << " " << path;
        }
    }
}

TEST(FixedTables, EveryDefaultGeometryPresetWithItsInitialValue) {
    const std::vector<std::string> order{"cylinder", "bearingOnShaft", "plainBearing", "switchable", "gear", "worm",
                                         "wormWheel", "bevel", "face", "coupling", "rope_sheave", "noncircular",
                                         "dimensionsFactor", "modulesFactor", "dimensionsFactorOld", "modulesFactorOld"};
    const auto& fields = nvDefaultGeometry::recordInfo().fields();
    ASSERT_EQ(fields.size(), order.size());
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(fields[i].name, order[i]);

    nvDefaultGeometry g;
    expectPresets(g, "fresh");
    nvDefaultGeometry copy(g);
    expectPresets(copy, "copy");
    expectPresets(static_cast<nvDefaultGeometry&>(*g.clone()), "clone");
    nvSettingsTab tab;
    expectPresets(tab.defaultgeom, "settings tab");

    // Change one value in every preset and an initial value, then reset: presets and initial
    // values are back, and each nested record keeps its Meta.
    Meta* wormMeta = g.worm.getMeta();
    wormMeta->SetInit("diameter", L"99");
    g.cylinder.length = 1;
    g.bearingOnShaft.identifier = 1;
    g.plainBearing.width = 1;
    g.switchable.stiffness = 1;
    for (GearGeom* gear : {&g.gear, &g.worm, &g.wormWheel, &g.bevel, &g.face, &g.noncircular}) gear->diameter = 1;
    g.coupling.width = 1;
    g.rope_sheave.centerDistance = 1;
    g.dimensionsFactor = g.modulesFactor = g.dimensionsFactorOld = g.modulesFactorOld = 3;
    g.reset();
    expectPresets(g, "reset");
    EXPECT_EQ(g.worm.getMeta(), wormMeta);
    tab.defaultgeom.face.height = 0.0;
    tab.defaultgeom.face.getMeta()->SetInit("height", L"0");
    tab.reset();
    expectPresets(tab.defaultgeom, "settings tab reset");

    // Lone records carry no initial values: they come from the settings.
    ShaftGeom lone;
    EXPECT_FALSE(lone.getMeta()->GetVar("internalDiameter")->hasInit());
    SystemNaming loneRule;
    EXPECT_FALSE(loneRule.getMeta()->GetVar("name")->hasInit());
    EXPECT_EQ(loneRule.type, 16);
}
}  // namespace

using screen::item;

TEST(FixedTables, TabScreensEntryTablesInListOrderAndInputRanges) {
    const json items = screen::Screen().dump();
    const std::vector<std::pair<std::vector<const char*>, const char*>> tables{
        {{"RoughLayoutReducerType"}, "[[1843,1],[1844,2],[1845,3],[1846,4],[1847,5],[1848,6],[1849,7]]"},
        {{"RoughLayoutCalculationType"}, "[[4185,0],[4186,1],[4226,2]]"},
        {{"ShaftDeformationType"}, "[[3517,0],[3519,1],[3520,2]]"},
        {{"Accuracy"}, "[[220,0],[339,1],[338,2],[337,3],[2173,4]]"},
        {{"Epsilon"}, "[[339,0],[338,1],[337,2],[2173,3]]"},
        {{"smoothing"}, "[[2838,0],[339,1],[338,2],[337,3],[2173,4]]"},
        {{"GeneralCalculationType"}, "[[4388,0],[2737,3],[3889,1],[2738,2]]"},
        {{"forcedResponseCalculationType"}, "[[4194,0],[4195,1],[4196,2]]"},
        {{"OrganizationType"}, "[[506,0],[2571,1],[1107,2]]"},
        {{"gearCalcSelection", "bearingCalcSelection", "shaftCalcSelection"}, "[[2471,0],[2581,1],[2582,2]]"},
        {{"refSpeedSelection"}, "[[4500,0],[4501,1]]"},
        {{"unitsSelection"}, "[[4331,0],[4332,1],[5136,2]]"},
    };
    for (const auto& [names, entries] : tables)
        for (const char* name : names) EXPECT_EQ(item(items, name)["args"]["entries"], json::parse(entries)) << name;

    const double largest = std::numeric_limits<double>::max();
    const std::vector<std::tuple<const char*, double, double>> ranges{
        {"MaxEfficiencyDeviation", 0, 100}, {"MaxNumberOfIterations", 0, 100},  {"NumStepsForcedResponse", 1, 10000},
        {"speedRangeForced", 0, largest},   {"speedForced", 0, largest},        {"numHarmonicsForced", 1, 100},
        {"numHarmonicsSingle", 1, 100},     {"numResponseHarmonics", 1, 100},   {"convergenceToleranceForced", 0, 1},
        {"hystereticDampingTorsion", 0, largest}, {"gearMeshDampingForced", 0, largest}, {"gearMeshDampingRatio", 0, 10},
        {"minElementSizeRecurDyn", 0, 1e12}, {"numNormalModesRecurDyn", 1, 1000}, {"plotMultiplierStepFactor", 1, 100},
        {"userDefinedEndTime", 0, 1000000}, {"ZBFnumberOfDecimals", 1, 20},     {"Pitches", 0, largest},
    };
    for (const auto& [name, min, max] : ranges)
        EXPECT_EQ(screen::attributes(item(items, name), "SetRange"), (std::vector<json>{{{"min", min}, {"max", max}}})) << name;
}
