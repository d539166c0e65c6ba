// The typed screen-description calls of Meta: writing through items, member-bound conditions,
// attributes on unknown items and the dump.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "drivesys/platform/nmath/meta.h"

namespace {
using json = nlohmann::json;

constexpr nUiListEntry kEntries[] = {{10, 1}, {11, 4}, {12, 2}};

TEST(MetaScreen, WritesThroughItemsIntoTheBoundMembersWithinTheirLimits) {
    double speed = 5.0;
    int steps = 3;
    short choice = 1;
    nWString folder;
    Meta m;
    m.PutUiVar("Speed", speed, 1, L"n", 142);
    m.SetRange("Speed", 0.0, 100.0);
    m.PutUiVar("Steps", steps, 2, L"N");
    m.AddIntCondition("Steps");
    m.PutUiListVar("Choice", choice, 3, kEntries);
    m.PutUiDirVar("Folder", folder, 4);
    m.PutUiFuncVar("HostValue", 5, L"x", 2, 1, false);

    EXPECT_TRUE(m.setItemValue("Speed", 42.5));
    EXPECT_EQ(speed, 42.5);
    EXPECT_FALSE(m.setItemValue("Speed", 100.5));
    EXPECT_FALSE(m.setItemValue("Speed", "fast"));
    EXPECT_EQ(speed, 42.5);

    EXPECT_TRUE(m.setItemValue("Steps", 7));
    EXPECT_FALSE(m.setItemValue("Steps", 7.5));
    EXPECT_EQ(steps, 7);

    // Only values of the entry table; the table's order is not the values' order.
    EXPECT_TRUE(m.setItemValue("Choice", 4));
    EXPECT_EQ(choice, 4);
    EXPECT_FALSE(m.setItemValue("Choice", 3));
    EXPECT_FALSE(m.setItemValue("Choice", 2.5));
    EXPECT_EQ(choice, 4);

    EXPECT_TRUE(m.setItemValue("Folder", "C:/projects/ü"));
    EXPECT_EQ(folder, nWString(L"C:/projects/\u00fc"));

    EXPECT_FALSE(m.setItemValue("HostValue", 1.0));
    EXPECT_EQ(m.itemVar("HostValue"), nullptr);
    EXPECT_FALSE(m.setItemValue("Nothing", 1.0));

    json value;
    ASSERT_TRUE(m.itemValue("Steps", value));
    EXPECT_EQ(value, 7);
    ASSERT_NE(m.itemVar("Speed"), nullptr);
    EXPECT_EQ(m.itemVar("Speed")->GetAsReal(), 42.5);
}

TEST(MetaScreen, OutputOnlyItemsRefuseWritesAndAreNeverEditable) {
    double total = 1.0;
    Meta m;
    m.PutUiVar("Total", total, 1, L"s");
    m.AddReadOnlyFlag("Total");
    EXPECT_FALSE(m.setItemValue("Total", 2.0));
    EXPECT_EQ(total, 1.0);
    EXPECT_EQ(m.itemEditable("Total"), UiState::No);
    EXPECT_EQ(m.itemVisible("Total"), UiState::Yes);
}

TEST(MetaScreen, InvertedCheckBoxAndPairShareOrSplitTheirMembers) {
    bool global = true;
    double from = 1.0, to = 2.0;
    Meta m;
    m.PutUiFlagVar("Global", global, 1, false);
    m.PutUiFlagVar("Local", global, 2, true);
    m.PutUiVar("Range", from, to, 3, L"n", 142);
    m.SetRange("Range", 0.0, 1000.0);

    EXPECT_TRUE(m.setItemValue("Local", true));
    EXPECT_FALSE(global);
    json v;
    ASSERT_TRUE(m.itemValue("Global", v));
    EXPECT_EQ(v, false);
    EXPECT_TRUE(m.setItemValue("Global", true));
    ASSERT_TRUE(m.itemValue("Local", v));
    EXPECT_EQ(v, false);
    EXPECT_FALSE(m.setItemValue("Local", 1));  // a number is not a check-box value

    EXPECT_TRUE(m.setItemValue("Range", json::array({10.0, 500.0})));
    EXPECT_EQ(from, 10.0);
    EXPECT_EQ(to, 500.0);
    EXPECT_FALSE(m.setItemValue("Range", json::array({10.0, 5000.0})));
    EXPECT_FALSE(m.setItemValue("Range", json::array({1.0})));
    EXPECT_EQ(to, 500.0);
    EXPECT_TRUE(m.itemVar("Range")->SetVar(nWString(L"3,4")));
    EXPECT_EQ(m.itemVar("Range")->GetAsWString(), nWString(L"3,4"));
}

TEST(MetaScreen, ConditionsBoundToMembersFollowTheirCurrentValues) {
    bool shown = false;
    short method = 0;
    bool given = true;
    double a = 0.0, b = 0.0, c = 0.0;
    Meta m;
    m.PutUiVar("A", a, 1, L"a");
    m.AddVisibleCondition("A", shown);
    m.AddEditableCondition("A", shown, true);
    m.PutUiVar("B", b, 2, L"b");
    m.AddVisibleCondition("B", method, 0, true);
    m.AddEditButton("B", given, true);
    m.PutUiVar("C", c, 3, L"c");
    m.AddVisibleCondition("C", method, 0);
    m.AddVisibleCondition("C", "IsHostHappy");
    m.PutUiFuncVar("D", 4, L"d", 1, false);
    m.AddVisibleCondition("D");
    m.AddEditButton("D", "IsDGiven", "SetDGiven");

    EXPECT_EQ(m.itemVisible("A"), UiState::No);
    EXPECT_EQ(m.itemEditable("A"), UiState::Yes);
    EXPECT_EQ(m.itemVisible("B"), UiState::No);
    EXPECT_EQ(m.itemVisible("C"), UiState::Host);
    EXPECT_EQ(m.itemInput("B"), UiState::No);
    EXPECT_EQ(m.itemVisible("D"), UiState::Host);
    EXPECT_EQ(m.itemInput("D"), UiState::Host);
    EXPECT_EQ(m.itemInput("A"), UiState::Yes);

    shown = true;
    method = 2;
    given = false;
    EXPECT_EQ(m.itemVisible("A"), UiState::Yes);
    EXPECT_EQ(m.itemEditable("A"), UiState::No);
    EXPECT_EQ(m.itemVisible("B"), UiState::Yes);
    EXPECT_EQ(m.itemVisible("C"), UiState::No);  // a failing member condition decides alone
    EXPECT_EQ(m.itemInput("B"), UiState::Yes);
    EXPECT_EQ(m.itemVisible("Unknown"), UiState::No);
}

TEST(MetaScreen, AttributesAndBlocksNeedEarlierItems) {
    Meta m;
    EXPECT_FALSE(m.SetRange("Later", 0, 1));
    m.PutUiTextVar("Later", 1);
    EXPECT_TRUE(m.SetRange("Later", 0, 1));
    EXPECT_FALSE(m.PutUiBlock({"Later", "Missing"}, L"", 2));
    EXPECT_TRUE(m.PutUiBlock({"Later"}, L"", 2));
    EXPECT_EQ(m.unattachedAttributes(), (std::vector<std::string>{"SetRange:Later", "PutUiBlock:Missing"}));
    EXPECT_TRUE(m.hasItem("Block2"));
    EXPECT_EQ(m.GetNumberOfItems(), 3u);
}

TEST(MetaScreen, DumpNamesBindingsOfPairsAndUnlistedMembersAndTheEvaluatedStates) {
    struct Settings {
        double min = 0.0, max = 1.0;
        bool hidden = false;
        short kind = 1;
    } s;
    Meta m;
    m.addKnownMember(&s.min, "Settings", "range.min");
    m.addKnownMember(&s.max, "Settings", "range.max");
    m.addKnownMember(&s.hidden, "Settings", "hidden");
    m.PutUiVar("Range", s.min, s.max, 7, L"n", 142);
    m.AddVisibleCondition("Range", s.hidden, true);
    m.PutUiFlagVar("Hidden", s.hidden, 8, false);
    m.AddEditableCondition("Hidden", "IsHostHappy");
    constexpr nUiListEntry kinds[] = {{1, 1}, {2, 2}};
    m.PutUiListVar("Kind", s.kind, 9, kinds);
    m.AddReadOnlyFlag("Kind");

    json d;
    m.dumpWithState(d);
    ASSERT_EQ(d["items"].size(), 3u);
    const json& range = d["items"][0];
    EXPECT_EQ(range["call"], "PutUiVar");
    EXPECT_EQ(range["args"], (json{{"textId", 7}, {"symbol", "n"}, {"unit", 142}}));
    EXPECT_EQ(range["binding"], (json{{"record", "Settings"}, {"member", "range.min"}}));
    EXPECT_EQ(range["secondBinding"], (json{{"record", "Settings"}, {"member", "range.max"}}));
    EXPECT_EQ(range["attributes"][0]["binding"]["member"], "hidden");
    EXPECT_EQ(range["attributes"][0]["args"]["inverted"], true);
    EXPECT_EQ(range["visible"], true);
    EXPECT_EQ(d["items"][1]["editable"], "host");
    EXPECT_EQ(d["items"][2]["args"]["entries"], json::parse("[[1,1],[2,2]]"));
    EXPECT_EQ(d["items"][2]["editable"], false);
    EXPECT_FALSE(d["items"][2].contains("binding"));  // no known record or member holds it

    s.hidden = true;
    m.dumpWithState(d);
    EXPECT_EQ(d["items"][0]["visible"], false);
    json plain;
    m.dump(plain);
    EXPECT_FALSE(plain["items"][0].contains("visible"));
}

TEST(MetaScreen, RemakingAnItemReplacesItsStateAndValue) {
    double first = 1.0, second = 2.0;
    Meta m;
    m.PutUiVar("X", first, 1, L"x");
    m.AddReadOnlyFlag("X");
    m.PutUiVar("X", second, 1, L"x");
    EXPECT_TRUE(m.setItemValue("X", 5.0));
    EXPECT_EQ(first, 1.0);
    EXPECT_EQ(second, 5.0);
}
}  // namespace
