// Records read from JSON text as a stream and written without a tree: the same records and the
// same text as parsing the whole tree and dumping it, giving up where only the tree can decide.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>

#include "drivesys/foundation/record_impl.h"
#include "drivesys/foundation/record_text.h"

namespace {
using json = nlohmann::json;

class TextLeaf : public nMetaStruct {
    DS_RECORD(TextLeaf)
public:
    nWString name = L"leaf";
    int count = 2;
    std::vector<double> values;
};

class TextNode : public nMetaStruct {
    DS_RECORD(TextNode)
public:
    int id = -1;
    double weight = 0.5;
    TextLeaf leaf;
    std::vector<TextLeaf> leaves;
    std::vector<std::vector<TextLeaf>> grid;
    std::vector<std::vector<double>> matrix;
};
}  // namespace

DS_DEFINE_RECORD(TextLeaf, nMetaStruct, DS_F(name), DS_F(count), DS_F(values))
DS_DEFINE_RECORD(TextNode, nMetaStruct, DS_F(id), DS_F(weight), DS_F(leaf), DS_F(leaves), DS_F(grid), DS_F(matrix))

namespace {
const ds::RecordInfo& nodeInfo() { return TextNode::recordInfo(); }

/// The reading the stream read stands for: the whole tree, then readJson.
TextNode treeRead(const std::string& text) {
    TextNode node;
    ds::readJson(node, nodeInfo(), json::parse(text));
    return node;
}

bool streamRead(const std::string& text, TextNode& node) {
    ds::RecordTextReport report;
    return ds::readRecordText(text, node, nodeInfo(), report);
}

TEST(RecordTextRead, FillsRecordsAsTheTreeReadDoes) {
    const std::string texts[] = {
        R"({})",
        R"({"id": 7, "weight": 1e-3, "leaf": {"name": "a", "values": [1, 2.5]}})",
        // Entries that are not objects stay default records; rows that are not arrays stay empty.
        R"({"leaves": [{"count": 3}, null, 7, [1, {"a": [2]}], {"name": "x"}], "grid": [[{"count": 1}], {}, 5, []]})",
        // Members of the wrong kind keep their values; unknown keys are passed over, whatever they hold.
        R"({"leaf": [1, 2], "leaves": {"count": 1}, "grid": "no", "id": "seven", "other": {"leaves": [{"count": 9}]}})",
        R"({"leaf": null, "leaves": null, "matrix": [[1, 2], [3], []], "weight": null})",
        R"({"leaves": [{"leaf": {"count": 4}, "count": 5, "values": [[1]]}], "unknown": [[[{}]]], "id": 2})",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        TextNode streamed;
        ASSERT_TRUE(streamRead(text, streamed));
        EXPECT_EQ(streamed.toJson(), treeRead(text).toJson());
    }

    TextNode node;
    ASSERT_TRUE(streamRead(texts[2], node));
    ASSERT_EQ(node.leaves.size(), 5u);
    EXPECT_EQ(node.leaves[0].count, 3);
    EXPECT_EQ(node.leaves[1].count, 2);
    EXPECT_EQ(node.leaves[3].count, 2);
    EXPECT_EQ(node.leaves[4].name, nWString(L"x"));
    ASSERT_EQ(node.grid.size(), 4u);
    EXPECT_EQ(node.grid[0].size(), 1u);
    EXPECT_TRUE(node.grid[1].empty() && node.grid[2].empty() && node.grid[3].empty());
}

TEST(RecordTextRead, AllocatesATopLevelListOnceAtItsSize) {
    // Brackets, commas and escaped quotes inside texts must not be counted as entries.
    std::string text = R"({"leaves": [)";
    for (int i = 0; i < 1000; ++i) text += std::string(i ? "," : "") + R"({"name": "a,[b]\"{,"})";
    text += "]}";
    TextNode node;
    ASSERT_TRUE(streamRead(text, node));
    ASSERT_EQ(node.leaves.size(), 1000u);
    EXPECT_EQ(node.leaves.capacity(), 1000u);
    EXPECT_EQ(node.leaves[999].name, nWString(L"a,[b]\"{,"));
}

TEST(RecordTextRead, LeavesToTheTreeWhatOnlyTheTreeDecides) {
    TextNode node;
    // A repeated member key: the tree keeps the last value only.
    EXPECT_FALSE(streamRead(R"({"id": 1, "leaf": {"count": 1, "count": 2}})", node));
    EXPECT_FALSE(streamRead(R"({"id": 1, "id": 2})", node));
    EXPECT_FALSE(streamRead(R"({"leaves": [{"values": [1]}, {"values": [1], "values": [2, 3]}]})", node));
    // A repeated unknown key is passed over as the tree read passes it over.
    const std::string repeated = R"({"x": 1, "x": {"y": 2, "y": 3}, "matrix": [[1]], "leaf": {"z": [], "z": 0}})";
    TextNode streamed;
    ASSERT_TRUE(streamRead(repeated, streamed));
    EXPECT_EQ(streamed.toJson(), treeRead(repeated).toJson());
}

TEST(RecordTextRead, ReportsTheTopLevelWithoutATree) {
    struct Case {
        const char* text;
        const char* type;
    } cases[] = {{"[1, {\"id\": 2}]", "array"}, {"5", "integer"}, {"-5", "integer"}, {"2.5", "number"},
                 {"\"x\"", "string"},       {"null", "null"},   {"true", "boolean"}};
    for (const auto& c : cases) {
        TextNode node;
        ds::RecordTextReport report;
        EXPECT_FALSE(ds::readRecordText(c.text, node, nodeInfo(), report)) << c.text;
        EXPECT_EQ(report.topType, c.type) << c.text;
        EXPECT_EQ(node.toJson(), TextNode().toJson()) << c.text;
    }

    TextNode node;
    ds::RecordTextReport report;
    ASSERT_TRUE(ds::readRecordText(R"({"zeta": 1, "Beta": {"id": 1}, "alpha": 2})", node, nodeInfo(), report));
    EXPECT_EQ(report.topType, "object");
    EXPECT_TRUE(report.anyKey);
    EXPECT_FALSE(report.anyMember);  // "id" inside another key's value is not a member of the record
    EXPECT_EQ(report.firstKey, "Beta");
    ASSERT_TRUE(ds::readRecordText(R"({"zeta": 1, "weight": 3})", node, nodeInfo(), report));
    EXPECT_TRUE(report.anyMember);
    ASSERT_TRUE(ds::readRecordText("{}", node, nodeInfo(), report));
    EXPECT_FALSE(report.anyKey);
}

TEST(RecordTextRead, ThrowsTheParseErrorsOfTheTreeParser) {
    const char* broken[] = {
        R"({"leaves": [{"count": 1}, )",          // ends inside a list
        R"({"id": 1} x)",                          // text after the value
        R"([{}, {}, tru])",                        // inside a top-level array that is passed over
        R"({"unknown": [1, 2,], "id": 1})",       // inside an unknown key's value
        R"({"leaf": {"values": [1e400]}})",        // a number beyond double (out_of_range 406)
        "{\"id\": 1, \"id\": 2, \"x\": \"\x02\"}",   // after a repeated key (the stream read gives up)
        "",
    };
    for (const char* text : broken) {
        std::string expected;
        try {
            const json tree = json::parse(text);
        } catch (const json::exception& e) {
            expected = e.what();
        }
        ASSERT_FALSE(expected.empty()) << text;
        TextNode node;
        ds::RecordTextReport report;
        try {
            ds::readRecordText(text, node, nodeInfo(), report);
            ADD_FAILURE() << "no error for " << text;
        } catch (const json::exception& e) {
            EXPECT_EQ(std::string(e.what()), expected);
        }
    }
    TextNode node;
    ds::RecordTextReport report;
    EXPECT_THROW(ds::readRecordText("[1,", node, nodeInfo(), report), json::parse_error);
}

TEST(RecordTextRead, ChecksTheFormOfTheSchema) {
    int checked = 0;
    const ds::MemberValueCheck check = [&checked](const ds::RecordInfo&, const ds::FieldEntry& member, const json& value) {
        ++checked;
        return std::string(member.name) != "id" || value.is_number_integer();
    };
    const std::string leaf = R"({"name": "n", "count": 1, "values": [1]})";
    auto conforms = [&](const std::string& text) {
        TextNode node;
        ds::RecordTextReport report;
        const bool read = ds::readRecordText(text, node, nodeInfo(), report, &check);
        EXPECT_EQ(read, report.conforms) << text;
        return report.conforms;
    };
    const std::string members = R"("weight": 1, "leaf": )" + leaf + R"(, "grid": [[)" + leaf + R"(]], "matrix": [])";
    EXPECT_TRUE(conforms(R"({"id": 1, "leaves": [], )" + members + "}"));
    EXPECT_EQ(checked, 9);  // id, weight and matrix, and the three members of each of the two leaves
    EXPECT_FALSE(conforms(R"({"id": "1", "leaves": [], )" + members + "}"));              // the callback's verdict
    EXPECT_FALSE(conforms(R"({"leaves": [], )" + members + "}"));                         // a missing member
    EXPECT_FALSE(conforms(R"({"id": 1, "leaves": [], "more": 0, )" + members + "}"));     // a key of no member
    EXPECT_FALSE(conforms(R"({"id": 1, "leaves": [null], )" + members + "}"));            // an entry that is no record
    EXPECT_FALSE(conforms(R"({"id": 1, "leaves": {}, )" + members + "}"));                // a list that is no array
    EXPECT_FALSE(conforms(R"({"id": 1, "leaves": [{"name": "n"}], )" + members + "}"));  // a member missing in an entry
}

/// A record with something in every kind of member.
TextNode filledNode() {
    TextNode n;
    n.id = 42;
    n.weight = NAN;  // written as null
    n.leaf.name = L"quote \" backslash \\ tab \t \u00e4\u20ac";
    n.leaf.values = {1.0, -0.1, 1e300};
    for (int i = 0; i < 3; ++i) {
        TextLeaf l;
        l.count = i;
        if (i == 1) l.values = {0.25};
        n.leaves.push_back(l);
    }
    n.grid = {{}, {TextLeaf()}, {}};
    n.matrix = {{1, 2}, {}, {3}};
    return n;
}

// A large record is streamed in pieces; the text must still be the dumped tree's.
TEST(RecordTextWrite, WritesTheTextOfTheDumpedTree) {
    TextNode big;
    big.leaves.resize(20000);
    for (size_t i = 0; i < big.leaves.size(); ++i) big.leaves[i].count = int(i);
    for (const TextNode& node : {filledNode(), TextNode(), big}) {
        for (int indent : {-1, 0, 2, 4}) {
            SCOPED_TRACE(indent);
            std::ostringstream out;
            ds::writeRecordText(out, node, nodeInfo(), indent);
            EXPECT_EQ(out.str(), node.toJson().dump(indent));
        }
    }
}
}  // namespace
