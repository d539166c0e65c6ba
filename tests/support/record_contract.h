#pragma once
// The record contract as one typed test suite. A record family joins with its type list
// (support/record_families.h):
//
//   DS_CONTRACT_SUITE(Model, ds::ModelRecords);
//
// It checks, from the member list alone: defaults and binding order, clone independence, reset,
// resetTo (same type, other type, null), makeMeta twice, registration once, the JSON round trip
// with every listed member set to a non-default value, that nothing but listed members is
// written, and that the schema matches the member list.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "drivesys/drivesys.h"

namespace contract {
using json = nlohmann::json;

/// A JSON value of the same type word as `def` but different from it (recursing into records).
json nonDefault(const std::string& type, const json& def);
/// Sets every listed member of `record` to a non-default value through the record's own JSON
/// reading; returns the JSON written into it.
json mutateAll(nMetaStruct& record);
/// Names of the listed members whose value still equals the default after mutateAll.
std::vector<std::string> unchangedMembers(const nMetaStruct& record);
/// Member names in list order.
std::vector<std::string> listNames(const ds::RecordInfo& info);
/// A record of another type whose destruction is observable.
struct Sentinel;
std::unique_ptr<nMetaStruct> makeSentinel(bool* destroyed);
}  // namespace contract

using contract::json;

template <class T>
class RecordContract : public ::testing::Test {};
TYPED_TEST_SUITE_P(RecordContract);

TYPED_TEST_P(RecordContract, DefaultsBindInListOrderWithTheirDefaults) {
    TypeParam r;
    const ds::RecordInfo& info = TypeParam::recordInfo();
    ASSERT_TRUE(ds::equalFields(r, info.prototype(), info));
    Meta* meta = r.getMeta();
    // Entries marked undescribed are registered and stored but not bound.
    std::vector<const ds::FieldEntry*> described;
    for (const auto& f : info.fields())
        if (f.described) described.push_back(&f);
    ASSERT_EQ(meta->GetNumberOfVars(), described.size());
    const json current = r.toJson();
    for (size_t i = 0; i < described.size(); ++i) {
        MetaVar* v = meta->GetVarAt(i);
        const ds::FieldEntry& f = *described[i];
        const std::string name = f.name;
        EXPECT_EQ(v->GetName(), name);
        json value;
        ASSERT_EQ(v->GetAsJson(json(), value), nStatusCodes::Ok) << name;
        if (v->GetType() != nmath::kTypeStruct) {
            EXPECT_EQ(value, current[name]) << name;
        }
        // Lists of texts have no defaulted binding in the framework, whatever their flag.
        const bool textList = f.ops->typeWord() == "list<string>";
        if (textList) {
            EXPECT_FALSE(v->hasDefault()) << name;
            EXPECT_EQ(v->map(), NMetaMapPlain) << name;
        } else if (f.withDefault) {
            json def;
            v->defaultAsJson(def);
            EXPECT_EQ(def, current[name]) << name;
            EXPECT_EQ(v->map(), NMetaMapDefault) << name;
        } else if (v->GetType() == nmath::kTypeRecordVector || v->GetType() == nmath::kTypeRecordVector2D) {
            EXPECT_EQ(v->map(), NMetaMapPlain) << name;
        }
    }
}

TYPED_TEST_P(RecordContract, CloneIsIndependentOfTheOriginal) {
    TypeParam original;
    contract::mutateAll(original);
    const json before = original.toJson();
    std::unique_ptr<nMetaStruct> copy = original.clone();
    ASSERT_TRUE(copy);
    const nMetaStruct& copied = *copy;
    EXPECT_EQ(typeid(copied), typeid(TypeParam));
    EXPECT_EQ(copy->toJson(), before);
    copy->reset();
    EXPECT_EQ(original.toJson(), before);
    TypeParam assigned;
    assigned = original;
    EXPECT_EQ(assigned.toJson(), before);
    TypeParam moved(std::move(assigned));
    EXPECT_EQ(moved.toJson(), before);
}

TYPED_TEST_P(RecordContract, ResetRestoresEveryDefault) {
    TypeParam r;
    const json defaults = r.toJson();
    contract::mutateAll(r);
    ASSERT_NE(r.toJson(), defaults);
    r.reset();
    EXPECT_EQ(r.toJson(), defaults);
    EXPECT_TRUE(ds::equalFields(r, TypeParam::recordInfo().prototype(), TypeParam::recordInfo()));
}

TYPED_TEST_P(RecordContract, ResetToTakesOverSameTypeAndResetsOtherwise) {
    TypeParam source;
    contract::mutateAll(source);
    const json mutated = source.toJson();
    TypeParam target;
    const json defaults = target.toJson();
    target.resetTo(source.clone());
    EXPECT_EQ(target.toJson(), mutated);

    bool destroyed = false;
    target.resetTo(contract::makeSentinel(&destroyed));
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(target.toJson(), defaults);

    contract::mutateAll(target);
    target.resetTo(nullptr);
    EXPECT_EQ(target.toJson(), defaults);
}

TYPED_TEST_P(RecordContract, MakeMetaTwiceKeepsTheFirstMeta) {
    TypeParam r;
    Meta* first = r.getMeta();
    const size_t vars = first->GetNumberOfVars();
    r.makeMeta();
    EXPECT_EQ(r.getMeta(), first);
    EXPECT_EQ(first->GetNumberOfVars(), vars);
}

TYPED_TEST_P(RecordContract, RegistersOnceWithTheListedNames) {
    TypeParam a, b;
    a.registerStruct();
    b.registerStruct();
    a.registerStruct();
    auto& registry = nStructRegistry::getInstance();
    const int token = registry.getRegisterToken(TypeParam::struct_identifier());
    ASSERT_NE(token, 0);
    const auto names = contract::listNames(TypeParam::recordInfo());
    ASSERT_EQ(registry.getNumberOfNames(token), names.size());
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(a.getMemberName(i).toUtf8(), names[i]);
    EXPECT_EQ(TypeParam::struct_identifier(), TypeParam::struct_identifier());
    EXPECT_EQ(ntypes::toUtf8(TypeParam::struct_identifier()), "class " + TypeParam::recordInfo().className());
}

TYPED_TEST_P(RecordContract, JsonRoundTripOfEveryListedMember) {
    TypeParam r;
    contract::mutateAll(r);
    EXPECT_EQ(contract::unchangedMembers(r), std::vector<std::string>{});
    const json written = r.toJson();
    // Only listed members are written.
    std::vector<std::string> keys;
    for (auto it = written.begin(); it != written.end(); ++it) keys.push_back(it.key());
    auto names = contract::listNames(TypeParam::recordInfo());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(keys, names);
    // Read back through the record's JSON form (a JSON assignment may read less by design and
    // is tested with its record).
    ASSERT_NE(ds::Catalog::instance().find(TypeParam::recordInfo().className()), nullptr) << "record is not in the catalog";
    TypeParam back;
    back.fromJson(json::parse(written.dump()));
    EXPECT_EQ(back.toJson(), written);
    EXPECT_TRUE(ds::equalFields(back, r, TypeParam::recordInfo()));
}

// Every listed member set to a non-default value reads back through its Meta path (nested
// records member by member: "outer.inner"), whether the Meta was made before or after the change.
TYPED_TEST_P(RecordContract, MetaPathsReadBackEveryChangedMember) {
    struct Pending {
        std::string prefix;
        const json* values;
        const ds::RecordInfo* info;
    };
    for (const bool metaFirst : {true, false}) {
        TypeParam r;
        if (metaFirst) r.getMeta();
        contract::mutateAll(r);
        const json written = r.toJson();
        std::vector<Pending> pending{{"", &written, &TypeParam::recordInfo()}};
        size_t checked = 0;
        while (!pending.empty()) {
            const Pending p = pending.back();
            pending.pop_back();
            for (const auto& f : p.info->fields()) {
                if (!f.described) continue;
                const std::string path = p.prefix + f.name;
                const json& expected = (*p.values)[f.name];
                if (f.ops->typeWord().rfind("record:", 0) == 0 && f.ops->nested) {
                    pending.push_back({path + ".", &expected, f.ops->nested()});
                    continue;
                }
                MetaVar* v = r.getMeta()->GetMetaVar(nWString::fromUtf8(path));
                ASSERT_NE(v, nullptr) << path;
                json value;
                ASSERT_EQ(v->GetAsJson(json(), value), nStatusCodes::Ok) << path;
                EXPECT_EQ(value, expected) << path << (metaFirst ? " (Meta made before the change)" : "");
                ++checked;
            }
        }
        EXPECT_GT(checked, 0u);
    }
}

TYPED_TEST_P(RecordContract, SchemaMatchesTheMemberList) {
    json schema;
    ds::schemaOf(TypeParam::recordInfo(), schema);
    TypeParam r;
    const json defaults = r.toJson();
    const auto names = contract::listNames(TypeParam::recordInfo());
    ASSERT_EQ(schema["members"].size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const json& m = schema["members"][i];
        EXPECT_EQ(m["name"], names[i]);
        EXPECT_EQ(m["default"], defaults[names[i]]);
        EXPECT_FALSE(m["type"].get<std::string>().empty());
    }
}

REGISTER_TYPED_TEST_SUITE_P(RecordContract, DefaultsBindInListOrderWithTheirDefaults, CloneIsIndependentOfTheOriginal,
                            ResetRestoresEveryDefault, ResetToTakesOverSameTypeAndResetsOtherwise,
                            MakeMetaTwiceKeepsTheFirstMeta, RegistersOnceWithTheListedNames,
                            JsonRoundTripOfEveryListedMember, MetaPathsReadBackEveryChangedMember,
                            SchemaMatchesTheMemberList);
