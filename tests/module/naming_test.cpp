// Naming rules: patterns and kind codes as initial values of each rule's Meta, reset, and the
// JSON assignment with its errors.
#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>
#include <string>

#include "drivesys/drivesys.h"

using json = nlohmann::json;

namespace {
SystemNaming& ruleAt(SystemNamingSettings& s, size_t i) {
    const ds::FieldEntry& f = SystemNamingSettings::recordInfo().fields().at(i);
    return *static_cast<SystemNaming*>(f.ops->asRecord(f.in(s)));
}

/// Every rule's Meta holds its current pattern and kind code as initial values.
void expectInitValuesMatchRules(SystemNamingSettings& s) {
    const size_t n = SystemNamingSettings::recordInfo().fields().size();
    ASSERT_EQ(n, 50u);
    for (size_t i = 0; i < n; ++i) {
        SystemNaming& rule = ruleAt(s, i);
        const char* key = SystemNamingSettings::recordInfo().fields()[i].name;
        MetaVar* name = rule.getMeta()->GetVar("name");
        MetaVar* type = rule.getMeta()->GetVar("type");
        ASSERT_TRUE(name->hasInit() && type->hasInit()) << key;
        EXPECT_EQ(name->initText(), rule.name) << key;
        EXPECT_EQ(type->initText(), nWString(rule.type)) << key;
        EXPECT_FALSE(rule.getMeta()->GetVar("counter")->hasInit()) << key;
        EXPECT_NE(rule.name.find(L"<autoInc>"), nWString::npos) << key;
    }
}

template <class E> std::string errorOf(SystemNaming& rule, const json& j, int* id = nullptr) {
    try {
        rule = j;
    } catch (const E& e) {
        if (id) *id = e.id;
        return e.what();
    }
    return "no error";
}
}  // namespace

TEST(SystemNamingSettings, RulesCarryTheirPatternAndCodeAsInitialValues) {
    SystemNamingSettings s;
    EXPECT_EQ(s.bearings.name, nWString(L"rolling<autoInc>"));
    EXPECT_EQ(s.bearings.type, 16);
    EXPECT_EQ(s.clampedConnectionCalcs.name, nWString(L"clampedconnection_calc<autoInc>"));
    EXPECT_EQ(s.clampedConnectionCalcs.type, 159);
    expectInitValuesMatchRules(s);

    // A lone rule has no initial values: they come from the settings.
    SystemNaming lone;
    EXPECT_FALSE(lone.getMeta()->GetVar("name")->hasInit());
    EXPECT_EQ(lone.type, 16);
}

TEST(SystemNamingSettings, InitialValuesTravelWithCopiesIntoTheSettingsTabMeta) {
    SystemNamingSettings original;
    SystemNamingSettings copy(original);
    expectInitValuesMatchRules(copy);

    nvSettingsTab tab;
    MetaVar* name = tab.getMeta()->GetMetaVar(L"namingSettings.shaftCalcs.name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->initText(), nWString(L"shaft_calc<autoInc>"));
    MetaVar* type = tab.getMeta()->GetMetaVar(L"namingSettings.shaftCalcs.type");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->initText(), nWString(L"136"));

    // The framework's "initialise" brings an edited rule back to its pattern and code.
    tab.namingSettings.shaftCalcs.name = L"edited";
    tab.namingSettings.shaftCalcs.type = 1;
    tab.namingSettings.shaftCalcs.counter = 5;
    tab.getMeta()->GetVar("namingSettings")->Initialize(0);
    EXPECT_EQ(tab.namingSettings.shaftCalcs.name, nWString(L"shaft_calc<autoInc>"));
    EXPECT_EQ(tab.namingSettings.shaftCalcs.type, 136);
    EXPECT_EQ(tab.namingSettings.shaftCalcs.counter, 0u);
}

TEST(SystemNamingSettings, ResetRestoresPatternsCodesCountersAndInitialValues) {
    SystemNamingSettings s;
    Meta* shaftsMeta = s.shafts.getMeta();
    s.shafts.name = L"W<autoInc>";
    s.shafts.type = 99;
    s.shafts.counter = 17;
    s.gears.counter = 3;
    shaftsMeta->SetInit("name", L"W<autoInc>");

    s.reset();
    EXPECT_EQ(s.shafts.name, nWString(L"shaft<autoInc>"));
    EXPECT_EQ(s.shafts.type, 30);
    EXPECT_EQ(s.shafts.counter, 0u);
    EXPECT_EQ(s.gears.counter, 0u);
    // The rule keeps its Meta, which again holds the pattern.
    EXPECT_EQ(s.shafts.getMeta(), shaftsMeta);
    expectInitValuesMatchRules(s);

    // The Meta stays bound to the rule's storage after the reset.
    shaftsMeta->GetVar("counter")->SetVar(4);
    EXPECT_EQ(s.shafts.counter, 4u);
}

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
    rule = json{{"name", "x<autoInc>"}, {"type", 5}, {"counter", 12}};
    EXPECT_EQ(rule.name, nWString(L"x<autoInc>"));
    EXPECT_EQ(rule.type, 5);
    EXPECT_EQ(rule.counter, 12u);

    rule = json{{"name", "x"}, {"type", 5}, {"counter", true}};
    EXPECT_EQ(rule.counter, 1u);
    rule = json{{"name", "x"}, {"type", 5}, {"counter", false}};
    EXPECT_EQ(rule.counter, 0u);
    rule = json{{"name", "x"}, {"type", 5}, {"counter", 7.9}};
    EXPECT_EQ(rule.counter, 7u);
    rule = json{{"name", "x"}, {"type", 5}, {"counter", 4294967295u}};
    EXPECT_EQ(rule.counter, 4294967295u);
    // Floating numbers outside the counter's range are clamped rather than overflowing.
    rule = json{{"name", "x"}, {"type", 5}, {"counter", 1e30}};
    EXPECT_EQ(rule.counter, std::numeric_limits<unsigned>::max());
    rule = json{{"name", "x"}, {"type", 5.5}, {"counter", -3.5}};
    EXPECT_EQ(rule.counter, 0u);
    EXPECT_EQ(rule.type, 5);
}

TEST(SystemNaming, JsonAssignmentErrorsLeaveTheRuleUnchanged) {
    SystemNaming rule;
    rule.name = L"keep<autoInc>";
    rule.type = 30;
    rule.counter = 2;
    auto unchanged = [&] { return rule.name == nWString(L"keep<autoInc>") && rule.type == 30 && rule.counter == 2u; };

    int id = 0;
    EXPECT_EQ(errorOf<json::type_error>(rule, json::array({1, 2}), &id),
              "[json.exception.type_error.305] cannot use operator[] with a string argument with array");
    EXPECT_EQ(id, 305);
    EXPECT_EQ(errorOf<json::type_error>(rule, json("shaft"), &id),
              "[json.exception.type_error.305] cannot use operator[] with a string argument with string");
    EXPECT_TRUE(unchanged());

    EXPECT_EQ(errorOf<json::type_error>(rule, json{{"name", "n"}, {"type", 1}, {"counter", "3"}}, &id),
              "[json.exception.type_error.302] type must be number, but is string");
    EXPECT_EQ(id, 302);
    EXPECT_EQ(errorOf<json::type_error>(rule, json{{"name", "n"}, {"type", 1}, {"counter", nullptr}}),
              "[json.exception.type_error.302] type must be number, but is null");
    EXPECT_EQ(errorOf<json::type_error>(rule, json{{"name", "n"}, {"type", "16"}, {"counter", 1}}),
              "[json.exception.type_error.302] type must be number, but is string");
    EXPECT_EQ(errorOf<json::type_error>(rule, json{{"name", 3}, {"type", 1}, {"counter", 1}}),
              "[json.exception.type_error.302] type must be string, but is number");
    EXPECT_TRUE(unchanged());

    EXPECT_EQ(errorOf<json::out_of_range>(rule, json{{"name", "n"}, {"type", 1}}, &id),
              "[json.exception.out_of_range.403] key 'counter' not found");
    EXPECT_EQ(id, 403);
    EXPECT_TRUE(unchanged());
}
