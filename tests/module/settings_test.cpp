// The records of the settings and thermal tabs: the member kept outside the member list, the
// translated default names, initialisation and the JSON assignments of the naming rules and the
// default geometry. The rule and preset tables themselves are in fixed_tables_test.cpp.
#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>

#include "drivesys/drivesys.h"
#include "support/record_contract.h"

namespace {
/// The message of the JSON library's exception a JSON assignment raises, or "no error".
template <class R> std::string errorOf(R& record, const json& j) {
    try {
        record = j;
    } catch (const json::exception& e) {
        return e.what();
    }
    return "no error";
}
}  // namespace

TEST(SettingsTab, TheFrameworksJsonFormIsTheRecordsOwn) {
    nvSettingsTab tab;
    contract::mutateAll(tab);
    EXPECT_EQ(tab.nMetaStruct::toJson(), tab.toJson());
}

// The framework's "initialise" goes back to the naming rules' and geometry presets' initial
// values (to the lone record's default where a preset has none).
TEST(SettingsTab, InitialiseGoesBackToTheRulesAndPresets) {
    nvSettingsTab tab;
    tab.namingSettings.shaftCalcs.name = L"edited";
    tab.namingSettings.shaftCalcs.type = 1;
    tab.namingSettings.shaftCalcs.counter = 5;
    tab.defaultgeom.cylinder.internalDiameter = 1.0;
    tab.defaultgeom.bearingOnShaft.dbid = 5;
    tab.getMeta()->GetVar("namingSettings")->Initialize(0);
    tab.getMeta()->GetVar("defaultgeom")->GetMeta()->Initialize(0);
    EXPECT_EQ(tab.namingSettings.shaftCalcs.name, nWString(L"shaft_calc<autoInc>"));
    EXPECT_EQ(tab.namingSettings.shaftCalcs.type, 136);
    EXPECT_EQ(tab.namingSettings.shaftCalcs.counter, 0u);
    EXPECT_EQ(tab.defaultgeom.cylinder.internalDiameter, 36.0);
    EXPECT_EQ(tab.defaultgeom.bearingOnShaft.dbid, 10160);
}

TEST(CalculationSettings, AxialOffsetsSwitchIsCopiedButNeverStoredOrDescribed) {
    nvCalculationSettings s;
    EXPECT_TRUE(s.setGearsAxialOffsets);
    s.setGearsAxialOffsets = false;

    EXPECT_FALSE(s.toJson().contains("setGearsAxialOffsets"));
    EXPECT_FALSE(s.nMetaStruct::toJson().contains("setGearsAxialOffsets"));
    EXPECT_EQ(s.getMeta()->GetVar("setGearsAxialOffsets"), nullptr);
    for (size_t i = 0; i < s.getNumberOfMembers(); ++i) EXPECT_NE(s.getMemberName(i), nWString(L"setGearsAxialOffsets"));

    nvCalculationSettings copy(s);
    EXPECT_FALSE(copy.setGearsAxialOffsets);
    nvCalculationSettings assigned;
    assigned = s;
    EXPECT_FALSE(assigned.setGearsAxialOffsets);
    auto cloned = s.clone();
    EXPECT_FALSE(static_cast<nvCalculationSettings&>(*cloned).setGearsAxialOffsets);

    // Reading JSON leaves it alone, even under its own name; reset restores it.
    s.fromJson(json{{"setGearsAxialOffsets", true}, {"hidePlanetCopies", false}});
    EXPECT_FALSE(s.setGearsAxialOffsets);
    EXPECT_FALSE(s.hidePlanetCopies);
    s.reset();
    EXPECT_TRUE(s.setGearsAxialOffsets);

    // It travels with the settings tab too.
    nvSettingsTab tab;
    tab.calculationSettings.setGearsAxialOffsets = false;
    nvSettingsTab tabCopy = tab;
    EXPECT_FALSE(tabCopy.calculationSettings.setGearsAxialOffsets);
}

TEST(ThermalRatingTab, ListsAreRecordVectorsWithTheirDefaultsAndNestedRecordsHaveNone) {
    nvThermalRatingTab tab;
    Meta* meta = tab.getMeta();
    for (const char* list : {"inputPower", "gearLoadIndepLosses", "foundations", "shaftCoupDissipations"}) {
        MetaVar* v = meta->GetVar(list);
        ASSERT_NE(v, nullptr) << list;
        EXPECT_EQ(v->GetType(), nmath::kTypeRecordVector) << list;
        EXPECT_EQ(v->map(), NMetaMapDefault) << list;
        EXPECT_EQ(v->size(), 0u) << list;
    }
    for (const char* nested : {"losses", "housingDissipation"}) {
        MetaVar* v = meta->GetVar(nested);
        ASSERT_NE(v, nullptr) << nested;
        EXPECT_EQ(v->GetType(), nmath::kTypeStruct) << nested;
        EXPECT_FALSE(v->hasDefault()) << nested;
    }
}

// Defaults that are translated texts (text 740) follow a language switch: a record made after the
// switch holds, its Meta shows and Initialize writes the text of the new language — for every
// record whose default comes from the translator, also when its defaults were read before.
TEST(TranslatedDefaults, FollowALanguageSwitchInMetaAndInitialize) {
    auto defaultName = [](nMetaStruct& record) {
        json d;
        record.getMeta()->GetVar("name")->defaultAsJson(d);
        return d;
    };
    auto initializedName = [](nMetaStruct& record) {
        record.getMeta()->Initialize(0);
        return record.getMeta()->GetVar("name")->GetAsWString();
    };
    {
        nvThermalRatingTab tab;
        ASSERT_NE(tab.getMeta()->GetMetaVar(L"foundations[0].name"), nullptr);
        EXPECT_EQ(tab.foundations.at(0).name, nWString(L"Unnamed"));
        EXPECT_EQ(tab.foundations[0].alphaFun, 20.0);
        // Read every default once in the first language, so that a cached one would be stale.
        nvFoundationElement f;
        nAdditionalFrequencies a;
        nBushingElement b;
        EXPECT_EQ(defaultName(f), "Unnamed");
        EXPECT_EQ(defaultName(a), "Unnamed");
        EXPECT_EQ(defaultName(b), "Unnamed");
    }
    pool.setString(740, L"Fundament");
    nvFoundationElement f;
    nAdditionalFrequencies a;
    nBushingElement b;
    EXPECT_EQ(f.name, nWString(L"Fundament"));
    for (nMetaStruct* record : std::initializer_list<nMetaStruct*>{&f, &a, &b}) {
        EXPECT_EQ(defaultName(*record), "Fundament");
        record->getMeta()->GetVar("name")->SetVar(nWString(L"edited"));
        EXPECT_EQ(initializedName(*record), nWString(L"Fundament"));
    }
    json schema;
    ds::schemaOf(*ds::Catalog::instance().find("nvFoundationElement")->info, schema);
    pool.resetToBuiltin();
    EXPECT_EQ(schema["members"][0]["default"], "Fundament") << schema.dump();
    nvFoundationElement back;
    EXPECT_EQ(back.name, nWString(L"Unnamed"));
    EXPECT_EQ(defaultName(back), "Unnamed");
}

// ---- naming rules ------------------------------------------------------------------------------

TEST(SystemNamingSettings, JsonAssignmentChangesNothingButFromJsonRestores) {
    SystemNamingSettings edited;
    edited.worms.name = L"Schnecke<autoInc>";
    edited.worms.counter = 8;
    const json j = edited.toJson();

    SystemNamingSettings s;
    const json before = s.toJson();
    SystemNamingSettings& result = (s = j);
    EXPECT_EQ(&result, &s);
    EXPECT_EQ(s.toJson(), before);
    s = json::array();  // not even a wrong shape is looked at
    EXPECT_EQ(s.toJson(), before);

    s.fromJson(j);
    EXPECT_EQ(s.worms.name, nWString(L"Schnecke<autoInc>"));
    EXPECT_EQ(s.worms.counter, 8u);
    EXPECT_EQ(ds::Catalog::instance().find("SystemNamingSettings")->reading, std::string("inherited"));
}

TEST(SystemNaming, JsonAssignmentAcceptsAnyNumberOrBooleanAsCounter) {
    SystemNaming rule;
    rule = json{{"name", "x<autoInc>"}, {"type", 5.5}, {"counter", 12}};
    EXPECT_EQ(rule.name, nWString(L"x<autoInc>"));
    EXPECT_EQ(rule.type, 5);
    EXPECT_EQ(rule.counter, 12u);
    // Floating numbers outside the counter's range are clamped rather than overflowing.
    const std::pair<json, unsigned> counters[] = {{true, 1u},         {false, 0u},
                                                  {7.9, 7u},          {4294967295u, 4294967295u},
                                                  {-3.5, 0u},         {1e30, std::numeric_limits<unsigned>::max()}};
    for (const auto& [counter, expected] : counters) {
        rule = json{{"name", "x"}, {"type", 5}, {"counter", counter}};
        EXPECT_EQ(rule.counter, expected) << counter.dump();
    }
}

TEST(SystemNaming, JsonAssignmentErrorsLeaveTheRuleUnchanged) {
    SystemNaming rule;
    rule.name = L"keep<autoInc>";
    rule.type = 30;
    rule.counter = 2;
    const std::pair<json, const char*> refused[] = {
        {json::array({1, 2}), "[json.exception.type_error.305] cannot use operator[] with a string argument with array"},
        {json("shaft"), "[json.exception.type_error.305] cannot use operator[] with a string argument with string"},
        {{{"name", "n"}, {"type", 1}, {"counter", "3"}}, "[json.exception.type_error.302] type must be number, but is string"},
        {{{"name", "n"}, {"type", 1}, {"counter", nullptr}}, "[json.exception.type_error.302] type must be number, but is null"},
        {{{"name", "n"}, {"type", "16"}, {"counter", 1}}, "[json.exception.type_error.302] type must be number, but is string"},
        {{{"name", 3}, {"type", 1}, {"counter", 1}}, "[json.exception.type_error.302] type must be string, but is number"},
        {{{"name", "n"}, {"type", 1}}, "[json.exception.out_of_range.403] key 'counter' not found"},
    };
    for (const auto& [value, message] : refused) {
        EXPECT_EQ(errorOf(rule, value), message) << value.dump();
        EXPECT_TRUE(rule.name == nWString(L"keep<autoInc>") && rule.type == 30 && rule.counter == 2u) << value.dump();
    }
}

// ---- default geometry --------------------------------------------------------------------------

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

    EXPECT_EQ(errorOf(g, json::array()),
              "[json.exception.type_error.305] cannot use operator[] with a string argument with array");
    json bad = j;
    bad["modulesFactorOld"] = "1";
    EXPECT_EQ(errorOf(g, bad), "[json.exception.type_error.302] type must be number, but is string");
    bad["modulesFactorOld"] = true;
    EXPECT_EQ(errorOf(g, bad), "[json.exception.type_error.302] type must be number, but is boolean");
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
    EXPECT_EQ(errorOf(other, json(3.0)),
              "[json.exception.type_error.305] cannot use operator[] with a string argument with number");
    EXPECT_EQ(errorOf(other, json{{"diameter", "20"}, {"width", 1}, {"centerDistance", 1}}),
              "[json.exception.type_error.302] type must be number, but is string");
    EXPECT_EQ(errorOf(other, json{{"diameter", 20}}), "[json.exception.out_of_range.403] key 'width' not found");
}
