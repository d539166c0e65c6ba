// Default geometry: presets over the lone records' defaults, their initial values (and the
// values deliberately left without one), reset, and the JSON assignments.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "drivesys/drivesys.h"

using json = nlohmann::json;

namespace {
/// Initial value text of `key` in a record's own Meta, or "-" when it has none.
std::string initOf(nMetaStruct& record, const char* key) {
    MetaVar* v = record.getMeta()->GetVar(key);
    if (!v) return "?";
    return v->hasInit() ? v->initText().toUtf8() : "-";
}

void expectPresetInitValues(nvDefaultGeometry& g) {
    EXPECT_EQ(initOf(g.cylinder, "externalDiameter"), "20");
    EXPECT_EQ(initOf(g.cylinder, "internalDiameter"), "36");
    EXPECT_EQ(initOf(g.cylinder, "length"), "30");
    EXPECT_EQ(initOf(g.bearingOnShaft, "di"), "20");
    EXPECT_EQ(initOf(g.bearingOnShaft, "identifier"), "8052");
    EXPECT_EQ(initOf(g.plainBearing, "stiffness"), "10");
    EXPECT_EQ(initOf(g.switchable, "counterClockwiseClearance"), "1");
    EXPECT_EQ(initOf(g.worm, "diameter"), "33");
    EXPECT_EQ(initOf(g.wormWheel, "width"), "15");
    EXPECT_EQ(initOf(g.face, "height"), "10");
    EXPECT_EQ(initOf(g.rope_sheave, "centerDistance"), "70");
    EXPECT_EQ(initOf(g.noncircular, "diameter"), "28");
    // Preset without an initial value.
    EXPECT_EQ(initOf(g.bearingOnShaft, "dbid"), "-");
    for (GearGeom* gear : {&g.gear, &g.worm, &g.wormWheel, &g.bevel, &g.noncircular})
        EXPECT_EQ(initOf(*gear, "height"), "-");
    EXPECT_EQ(initOf(g.coupling, "centerDistance"), "-");
}

template <class E, class R> std::string errorOf(R& record, const json& j) {
    try {
        record = j;
    } catch (const E& e) {
        return e.what();
    }
    return "no error";
}
}  // namespace

TEST(DefaultGeometry, PresetsDifferFromTheLoneRecordsDefaults) {
    nvDefaultGeometry g;
    EXPECT_EQ(g.cylinder.internalDiameter, 36.0);
    EXPECT_EQ(ShaftGeom().internalDiameter, 0.0);
    EXPECT_EQ(g.rope_sheave.centerDistance, 70.0);
    EXPECT_EQ(g.coupling.centerDistance, 0.0);
    EXPECT_EQ(g.bearingOnShaft.identifier, 8052);
    EXPECT_EQ(BearingGeom().identifier, 0);
    expectPresetInitValues(g);

    // A lone record carries no initial values.
    ShaftGeom lone;
    EXPECT_EQ(initOf(lone, "internalDiameter"), "-");
}

TEST(DefaultGeometry, InitialValuesAreSeenThroughTheSettingsTabAndCopies) {
    nvSettingsTab tab;
    MetaVar* inner = tab.getMeta()->GetMetaVar(L"defaultgeom.cylinder.internalDiameter");
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->initText(), nWString(L"36"));
    MetaVar* dbid = tab.getMeta()->GetMetaVar(L"defaultgeom.bearingOnShaft.dbid");
    ASSERT_NE(dbid, nullptr);
    EXPECT_FALSE(dbid->hasInit());

    nvDefaultGeometry copy(tab.defaultgeom);
    expectPresetInitValues(copy);
    auto cloned = copy.clone();
    expectPresetInitValues(static_cast<nvDefaultGeometry&>(*cloned));

    // "Initialise" goes back to the presets, and to the lone record's default where no
    // initial value was set.
    tab.defaultgeom.cylinder.internalDiameter = 1.0;
    tab.defaultgeom.bearingOnShaft.dbid = 5;
    tab.getMeta()->GetVar("defaultgeom")->GetMeta()->Initialize(0);
    EXPECT_EQ(tab.defaultgeom.cylinder.internalDiameter, 36.0);
    EXPECT_EQ(tab.defaultgeom.bearingOnShaft.dbid, 10160);
}

TEST(DefaultGeometry, ResetRestoresPresetsAndTheirInitialValues) {
    nvDefaultGeometry g;
    Meta* wormMeta = g.worm.getMeta();
    g.worm.diameter = 99.0;
    g.rope_sheave.centerDistance = 1.0;
    g.dimensionsFactor = 2.5;
    g.modulesFactorOld = 0.5;
    wormMeta->SetInit("diameter", L"99");

    g.reset();
    EXPECT_EQ(g.worm.diameter, 33.0);
    EXPECT_EQ(g.rope_sheave.centerDistance, 70.0);
    EXPECT_EQ(g.dimensionsFactor, 1.0);
    EXPECT_EQ(g.modulesFactorOld, 1.0);
    EXPECT_EQ(g.worm.getMeta(), wormMeta);
    expectPresetInitValues(g);
    EXPECT_EQ(g.toJson(), nvDefaultGeometry().toJson());

    // Reset through the settings tab as well.
    nvSettingsTab tab;
    tab.defaultgeom.face.height = 0.0;
    tab.reset();
    EXPECT_EQ(tab.defaultgeom.face.height, 10.0);
    expectPresetInitValues(tab.defaultgeom);
}

TEST(DefaultGeometry, JsonAssignmentReadsOnlyTheFactors) {
    nvDefaultGeometry g;
    json j = nvDefaultGeometry().toJson();
    j["dimensionsFactor"] = 2;
    j["modulesFactor"] = 1.5;
    j["dimensionsFactorOld"] = 3u;
    j["modulesFactorOld"] = -0.5;
    j["worm"]["diameter"] = 1.0;
    g = j;
    EXPECT_EQ(g.dimensionsFactor, 2.0);
    EXPECT_EQ(g.modulesFactor, 1.5);
    EXPECT_EQ(g.dimensionsFactorOld, 3.0);
    EXPECT_EQ(g.modulesFactorOld, -0.5);
    EXPECT_EQ(g.worm.diameter, 33.0);

    EXPECT_EQ(errorOf<json::type_error>(g, json::array()),
              "[json.exception.type_error.305] cannot use operator[] with a string argument with array");
    json bad = j;
    bad["modulesFactorOld"] = "1";
    EXPECT_EQ(errorOf<json::type_error>(g, bad), "[json.exception.type_error.302] type must be number, but is string");
    bad["modulesFactorOld"] = true;
    EXPECT_EQ(errorOf<json::type_error>(g, bad), "[json.exception.type_error.302] type must be number, but is boolean");
    // Nothing was taken over from the rejected objects.
    EXPECT_EQ(g.modulesFactorOld, -0.5);
}

TEST(GeometryRecords, JsonAssignmentReadsEveryKeyWithTheLibrarysConversions) {
    GearGeom gear;
    gear = json{{"diameter", 50}, {"module", 2.5}, {"width", 12u}, {"height", 0.0}};
    EXPECT_EQ(gear.diameter, 50.0);
    EXPECT_EQ(gear.module, 2.5);
    EXPECT_EQ(gear.width, 12.0);

    BearingGeom bearing;
    bearing = json{{"dbid", 10170}, {"di", 35}, {"identifier", 6207}};
    EXPECT_EQ(bearing.dbid, 10170);
    EXPECT_EQ(bearing.di, 35.0);
    EXPECT_EQ(bearing.identifier, 6207);

    OtherGeom other;
    EXPECT_EQ(errorOf<json::type_error>(other, json(3.0)),
              "[json.exception.type_error.305] cannot use operator[] with a string argument with number");
    EXPECT_EQ(errorOf<json::type_error>(other, json{{"diameter", "20"}, {"width", 1}, {"centerDistance", 1}}),
              "[json.exception.type_error.302] type must be number, but is string");
    EXPECT_EQ(errorOf<json::out_of_range>(other, json{{"diameter", 20}}),
              "[json.exception.out_of_range.403] key 'width' not found");
}
