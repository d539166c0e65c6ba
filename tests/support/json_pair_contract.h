#pragma once
// The tolerant JSON reading of records that carry the JSON pair (DS_JSON_PAIR), as one typed
// test suite. A record family joins with its type list (support/record_families.h):
//
//   INSTANTIATE_TYPED_TEST_SUITE_P(LoadSpectrum, JsonPairContract, contract::TestTypes<ds::LoadSpectrumRecords>);
//
// It reads through the free from_json (and the catalog's reader, which the command-line tool
// uses) and checks: null changes nothing, a non-object is refused with std::invalid_argument and
// changes nothing, an empty object changes nothing, and for every listed member a value of the
// wrong type leaves that member alone while the others are read. It also checks that entries
// without the withDefault flag are bound without a default.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "drivesys/drivesys.h"
#include "support/record_contract.h"

namespace pair_contract {
/// A JSON value that the standard conversion into a member of this type word refuses; for a flag
/// the number that would turn its current value over if it were taken as a boolean.
inline json wrongTypeFor(const std::string& type, const json& current) {
    if (type == "bool") return current == true ? 0 : 1;  // a number is not a boolean
    if (type == "string") return 5;
    if (type.rfind("record:", 0) == 0) return 7;
    if (type.rfind("list", 0) == 0) return "not a list";
    return "not a number";
}
}  // namespace pair_contract

template <class T>
class JsonPairContract : public ::testing::Test {};
TYPED_TEST_SUITE_P(JsonPairContract);

TYPED_TEST_P(JsonPairContract, NullAndEmptyObjectChangeNothing) {
    TypeParam r;
    contract::mutateAll(r);
    const json before = r.toJson();
    from_json(json(), r);
    EXPECT_EQ(r.toJson(), before);
    from_json(json::object(), r);
    EXPECT_EQ(r.toJson(), before);
    r.fromJson(json());
    EXPECT_EQ(r.toJson(), before);
}

TYPED_TEST_P(JsonPairContract, NonObjectIsRefusedAndChangesNothing) {
    TypeParam r;
    contract::mutateAll(r);
    const json before = r.toJson();
    const ds::CatalogEntry* entry = ds::Catalog::instance().find(TypeParam::recordInfo().className());
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->reading, "pair");
    for (const json& bad : {json::array({1, 2}), json("text"), json(3), json(true)}) {
        try {
            from_json(bad, r);
            ADD_FAILURE() << "accepted " << bad.dump();
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), "the conversion function expects a valid json object as argument");
        }
        EXPECT_THROW(r.fromJson(bad), std::invalid_argument);
        EXPECT_THROW(entry->read(r, bad), std::invalid_argument);
        EXPECT_EQ(r.toJson(), before);
    }
}

TYPED_TEST_P(JsonPairContract, WrongTypeKeepsThatMemberAndReadsTheOthers) {
    const ds::RecordInfo& info = TypeParam::recordInfo();
    const json defaults = TypeParam().toJson();
    for (const auto& f : info.fields()) {
        TypeParam r;
        contract::mutateAll(r);
        const json mutated = r.toJson();
        json in = defaults;
        in[f.name] = pair_contract::wrongTypeFor(f.ops->typeWord(), mutated[f.name]);
        from_json(in, r);
        const json out = r.toJson();
        for (const auto& g : info.fields()) {
            const json& expected = std::string(g.name) == f.name ? mutated[g.name] : defaults[g.name];
            EXPECT_EQ(out[g.name], expected) << "reading " << f.name << " as " << in[f.name].dump() << ", member " << g.name;
        }
    }
}

TYPED_TEST_P(JsonPairContract, FreeFunctionsRoundTripThroughTheJsonLibrary) {
    TypeParam r;
    contract::mutateAll(r);
    const json j = r;  // to_json found by argument-dependent lookup
    EXPECT_EQ(j, r.toJson());
    const TypeParam back = j.get<TypeParam>();
    EXPECT_TRUE(ds::equalFields(back, r, TypeParam::recordInfo()));
}

TYPED_TEST_P(JsonPairContract, EntriesWithoutTheFlagBindWithoutDefault) {
    TypeParam r;
    Meta* meta = r.getMeta();
    const auto& fields = TypeParam::recordInfo().fields();
    ASSERT_EQ(meta->GetNumberOfVars(), fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].withDefault) continue;
        MetaVar* v = meta->GetVarAt(i);
        EXPECT_EQ(v->map(), NMetaMapPlain) << fields[i].name;
        if (auto* list = dynamic_cast<MetaCalcVar*>(v)) {
            EXPECT_FALSE(list->hasInitialList()) << fields[i].name;
        } else {
            json def;
            v->defaultAsJson(def);
            EXPECT_TRUE(def.is_null()) << fields[i].name;
        }
    }
}

REGISTER_TYPED_TEST_SUITE_P(JsonPairContract, NullAndEmptyObjectChangeNothing, NonObjectIsRefusedAndChangesNothing,
                            WrongTypeKeepsThatMemberAndReadsTheOthers, FreeFunctionsRoundTripThroughTheJsonLibrary,
                            EntriesWithoutTheFlagBindWithoutDefault);
