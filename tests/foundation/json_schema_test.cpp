// JSON Schema of a record: types and ranges per member type, nested records and record lists as
// shared definitions, and defaults taken from the default-constructed record.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "drivesys/foundation/json_schema.h"
#include "drivesys/foundation/record_impl.h"

namespace {
using json = nlohmann::json;

class SchemaLeaf : public nMetaStruct {
    DS_RECORD(SchemaLeaf)
public:
    short s = -3;
    unsigned u = 7;
    double d = NAN;
};

class SchemaRoot : public nMetaStruct {
    DS_RECORD(SchemaRoot)
public:
    int64_t id = -1;
    nWString name = L"n\u00e4me";
    std::vector<std::vector<double>> grid;
    SchemaLeaf leaf;
    std::vector<SchemaLeaf> leaves;
    std::vector<std::vector<SchemaLeaf>> table;
    bool unlisted = true;
};
}  // namespace

DS_DEFINE_RECORD(SchemaLeaf, nMetaStruct, DS_F(s), DS_F(u), DS_F(d))
DS_DEFINE_RECORD(SchemaRoot, nMetaStruct, DS_F(id), DS_F(name), DS_F(grid), DS_F(leaf), DS_F(leaves), DS_F(table))

namespace {
TEST(JsonSchema, DescribesEveryListedMemberWithTypeAndDefault) {
    json s;
    ds::jsonSchemaOf(SchemaRoot::recordInfo(), s);
    EXPECT_EQ(s["$schema"], "https://json-schema.org/draft/2020-12/schema");
    EXPECT_EQ(s["required"], json({"id", "name", "grid", "leaf", "leaves", "table"}));
    EXPECT_FALSE(s["properties"].contains("unlisted"));
    EXPECT_EQ(s["additionalProperties"], false);

    const json& p = s["properties"];
    EXPECT_EQ(p["id"]["type"], "integer");
    EXPECT_EQ(p["id"]["minimum"].get<int64_t>(), INT64_MIN);
    EXPECT_EQ(p["name"]["default"], "n\xC3\xA4me");
    EXPECT_EQ(p["grid"]["items"]["items"]["type"], json({"number", "null"}));
    EXPECT_EQ(p["leaf"]["$ref"], "#/$defs/SchemaLeaf");
    EXPECT_EQ(p["leaves"]["items"]["$ref"], "#/$defs/SchemaLeaf");
    EXPECT_EQ(p["table"]["items"]["items"]["$ref"], "#/$defs/SchemaLeaf");
    EXPECT_EQ(p["leaf"]["default"]["u"], 7);

    // One shared definition, whatever the number of uses.
    ASSERT_EQ(s["$defs"].size(), 1u);
    const json& leaf = s["$defs"]["SchemaLeaf"]["properties"];
    EXPECT_EQ(leaf["s"]["minimum"], -32768);
    EXPECT_EQ(leaf["s"]["maximum"], 32767);
    EXPECT_EQ(leaf["u"]["minimum"], 0);
    EXPECT_EQ(leaf["u"]["maximum"], 4294967295u);
    EXPECT_EQ(json::parse(s.dump())["$defs"]["SchemaLeaf"]["properties"]["d"]["default"], nullptr);  // NaN writes as null
}
}  // namespace
