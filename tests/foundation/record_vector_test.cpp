// Record vectors over a list member of a small test record.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"
#include "drivesys/foundation/record_impl.h"

namespace {
using json = nlohmann::json;

class Item : public nMetaStruct {
    DS_RECORD(Item)
public:
    DS_EQUALITY(Item)
    nWString name = L"item";
    int count = 2;
};

class Holder : public nMetaStruct {
    DS_RECORD(Holder)
public:
    std::vector<Item> items;
    std::vector<Item> plain;
    std::vector<std::vector<Item>> grid;
};
}  // namespace

DS_DEFINE_RECORD(Item, nMetaStruct, DS_F(name), DS_F(count))
DS_DEFINE_EQUALITY(Item)
DS_DEFINE_RECORD(Holder, nMetaStruct, DS_F(items), DS_F_NODEF(plain), DS_F(grid))

namespace {
MetaVector<Item>* itemsOf(Holder& h) { return dynamic_cast<MetaVector<Item>*>(h.getMeta()->GetVar("items")); }

Holder threeItems() {
    Holder h;
    for (int i = 0; i < 3; ++i) {
        Item it;
        it.name = nWString(L"n") + nWString(i);
        it.count = i;
        h.items.push_back(it);
    }
    return h;
}

TEST(RecordVector, BindsWithMapAndInitialListFromTheFlag) {
    Holder h;
    Meta* meta = h.getMeta();
    auto* items = dynamic_cast<MetaCalcVar*>(meta->GetVar("items"));
    auto* plain = dynamic_cast<MetaCalcVar*>(meta->GetVar("plain"));
    ASSERT_TRUE(items && plain);
    EXPECT_EQ(items->map(), NMetaMapDefault);
    EXPECT_TRUE(items->hasInitialList());
    EXPECT_EQ(plain->map(), NMetaMapPlain);
    EXPECT_FALSE(plain->hasInitialList());
    EXPECT_EQ(items->GetType(), 27);
    EXPECT_EQ(meta->GetVar("grid")->GetType(), 28);
    EXPECT_EQ(meta->GetVar("grid")->dimensions(), 2);
    EXPECT_TRUE(items->isDynamic());
}

TEST(RecordVector, EraseSwapCopyIgnoreOutOfRange) {
    Holder h = threeItems();
    auto* v = itemsOf(h);
    v->erase(0);
    ASSERT_EQ(h.items.size(), 2u);
    EXPECT_EQ(h.items[0].name, L"n1");
    EXPECT_EQ(h.items[1].name, L"n2");
    v->erase(5);
    v->swap(0, 7);
    v->copy(9, 0);
    EXPECT_EQ(h.items.size(), 2u);
    EXPECT_EQ(h.items[0].name, L"n1");
    v->swap(0, 1);
    EXPECT_EQ(h.items[0].name, L"n2");
    v->copy(1, 0);
    EXPECT_EQ(h.items[1].name, L"n2");
    v->resize(4);
    EXPECT_EQ(h.items[3].name, L"item");
    v->Initialize(0);
    EXPECT_TRUE(h.items.empty());  // the default list is empty
    h = threeItems();
    itemsOf(h)->Initialize(1);
    EXPECT_TRUE(h.items.empty());
}

TEST(RecordVector, IndexPathsGrowWrapAndDelegate) {
    Holder h;
    h.items.resize(2);
    auto* v = itemsOf(h);
    EXPECT_EQ(v->GetMetaVar(L""), v);
    EXPECT_EQ(v->GetMetaVar(L"no bracket"), v);
    MetaVar* w = v->GetMetaVar(L"5]");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(h.items.size(), 6u);
    EXPECT_EQ(w->GetType(), 7);
    EXPECT_EQ(w->GetRef(), &h.items[5]);
    MetaVar* name = v->GetMetaVar(L"[1].name");
    ASSERT_NE(name, nullptr);
    name->SetVar(nWString(L"second"));
    EXPECT_EQ(h.items[1].name, L"second");
    EXPECT_EQ(h.getMeta()->GetMetaVar(L"items[2].count")->GetAsInt(), 2);
}

TEST(RecordVector, MalformedIndexPathsAreRefusedWithAMessage) {
    Holder h;
    auto* v = itemsOf(h);
    ntypes::InternMessageCapture capture;
    for (const wchar_t* bad : {L"4000000000]", L"-1]", L"x]", L"]", L"1e3]", L"99999999999999999999999]", L"100000]"}) {
        EXPECT_EQ(v->GetMetaVar(bad), nullptr) << ntypes::toUtf8(bad);
        EXPECT_EQ(v->remove(bad), false);
    }
    EXPECT_TRUE(h.items.empty());
    EXPECT_EQ(capture.messages().size(), 7u);
    EXPECT_EQ(capture.messages()[0].source, "foundation/metavector");
    ASSERT_NE(v->GetMetaVar(L"99999]"), nullptr);  // the largest list a path may make
    EXPECT_EQ(h.items.size(), ds::kMaxIndexPathElements);

    // Two-level lists keep the same limit on rows and on the elements of a row.
    MetaVar* grid = h.getMeta()->GetVar("grid");
    EXPECT_EQ(grid->GetMetaVar(L"100000]"), nullptr);
    EXPECT_EQ(grid->GetMetaVar(L"0].100000].count"), nullptr);
    EXPECT_TRUE(h.grid.size() <= 1u && (h.grid.empty() || h.grid[0].empty()));
    EXPECT_EQ(capture.messages().size(), 9u);
    ASSERT_NE(grid->GetMetaVar(L"99999]"), nullptr);
    EXPECT_EQ(h.grid.size(), ds::kMaxIndexPathElements);
    ASSERT_NE(grid->GetMetaVar(L"0].99999].count"), nullptr);
    EXPECT_EQ(h.grid[0].size(), ds::kMaxIndexPathElements);
}

TEST(RecordVector, RemoveDelegatesToTheElement) {
    Holder h = threeItems();
    auto* v = itemsOf(h);
    EXPECT_FALSE(v->remove(L""));
    EXPECT_FALSE(v->remove(L"3]"));
    EXPECT_FALSE(v->remove(L"1].name"));  // an element has no list named "name"
    EXPECT_TRUE(h.remove(L"items[1]"));
    ASSERT_EQ(h.items.size(), 2u);
    EXPECT_EQ(h.items[1].name, L"n2");
    EXPECT_FALSE(h.remove(L"items[7]"));
}

TEST(RecordVector, ElementTextsReportTheMissingConversion) {
    Holder h = threeItems();
    auto* v = itemsOf(h);
    {
        ntypes::InternMessageCapture capture;
        EXPECT_EQ(v->GetAsInt(MetaIndex{7}), -1);
        EXPECT_TRUE(capture.messages().empty());
    }
    {
        ntypes::InternMessageCapture capture;
        EXPECT_EQ(v->GetAsInt(MetaIndex{1}), -1);
        ASSERT_EQ(capture.messages().size(), 3u);
        EXPECT_EQ(capture.messages()[0].source, "nmath/nmetacalcvar");
        EXPECT_EQ(capture.messages()[0].line, 1447);
        EXPECT_EQ(capture.messages()[0].text, L"Implementation fault in MetaVector: transformContents was not specialized");
    }
    ntypes::InternMessageCapture capture;
    EXPECT_EQ(v->GetAsWString(), L",,");
    EXPECT_EQ(v->GetAsReal(MetaIndex{0}), -1.0);
    EXPECT_EQ(v->GetAsInt64(), -1);
    EXPECT_EQ(v->GetAsWString(nWString(L"mm")), L"Not implemented. Do not use directly");
    h.items.resize(2);
    EXPECT_EQ(v->GetAsWString(true), h.items[0].GetAsWString() + L"," + h.items[1].GetAsWString());
    h.items.clear();
    EXPECT_EQ(v->GetAsWString(true), L"");
}

TEST(RecordVector, SetVarFromTextResizesAndReports) {
    Holder h;
    auto* v = itemsOf(h);
    ntypes::InternMessageCapture capture;
    v->SetVar(nWString(L""));
    EXPECT_TRUE(h.items.empty());
    v->SetVar("a,b,c");
    EXPECT_EQ(h.items.size(), 3u);
    ASSERT_EQ(capture.messages().size(), 3u);
    EXPECT_EQ(capture.messages()[0].line, 1727);
    EXPECT_EQ(capture.messages()[0].text, L"Implementation fault in MetaVector: stringToValue was not specialized");
}

TEST(RecordVector, SetElementFromMetaVar) {
    Holder h = threeItems();
    auto* v = itemsOf(h);
    Item source;
    source.name = L"copied";
    auto wrapper = MakeMetaVar(source);
    v->SetElementFromMetaVar(MetaIndex{1}, *wrapper);
    EXPECT_EQ(h.items[1].name, L"copied");
    v->SetElementFromMetaVar(MetaIndex{0}, *h.getMeta()->GetVar("plain"));
    EXPECT_EQ(h.items[0], Item());
    EXPECT_THROW(v->SetElementFromMetaVar(MetaIndex{}, *wrapper), std::out_of_range);
    EXPECT_THROW(v->SetElementFromMetaVar(MetaIndex{3}, *wrapper), std::out_of_range);
    EXPECT_EQ(h.items.size(), 3u);
}

TEST(RecordVector, JsonAndSerialize) {
    Holder h = threeItems();
    h.items.resize(2);
    auto* v = itemsOf(h);
    json out;
    ASSERT_EQ(v->GetAsJson(json(), out), nStatusCodes::Ok);
    EXPECT_EQ(out, json::parse(R"([{"count":0,"name":"n0"},{"count":1,"name":"n1"}])"));
    const nWString text = v->serialize(L"P.", NMetaMapDefault);
    EXPECT_NE(text.find(L"P.items[0].count=0\n"), nWString::npos);
    EXPECT_NE(text.find(L"P.items[1].name=n1\n"), nWString::npos);
    EXPECT_EQ(v->getMemberName(1), L"count");
    auto element = v->GetAsMetaVar(MetaIndex{1});
    EXPECT_EQ(element->GetRef(), &h.items[1]);
    EXPECT_EQ(v->GetAsMetaVar(MetaIndex{9})->GetRef(), &h.items);
}

TEST(RecordVector, TwoLevelListsAddressRowsAndElements) {
    Holder h;
    MetaVar* grid = h.getMeta()->GetVar("grid");
    MetaVar* cell = grid->GetMetaVar(L"1].2].count");
    ASSERT_NE(cell, nullptr);
    cell->SetVar(9);
    ASSERT_EQ(h.grid.size(), 2u);
    ASSERT_EQ(h.grid[1].size(), 3u);
    EXPECT_EQ(h.grid[1][2].count, 9);
    json out;
    ASSERT_EQ(grid->GetAsJson(json(), out), nStatusCodes::Ok);
    EXPECT_EQ(out[1][2]["count"], 9);
    Holder back;
    back.fromJson(h.toJson());
    EXPECT_EQ(back.grid[1][2].count, 9);

    // A row below the size is a record vector over that row; row and element index, the element.
    const auto row = grid->GetAsMetaVar(MetaIndex{1});
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetRef(), &h.grid[1]);
    EXPECT_EQ(row->GetType(), 27);
    json rowJson;
    ASSERT_EQ(row->GetAsJson(json(), rowJson), nStatusCodes::Ok);
    ASSERT_EQ(rowJson.size(), 3u);
    EXPECT_EQ(rowJson[2]["count"], 9);
    const auto element = grid->GetAsMetaVar(MetaIndex{1, 2});
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->GetRef(), &h.grid[1][2]);
    // Beyond the rows: a record vector over the whole list, of the same kind.
    for (const MetaIndex& index : {MetaIndex{}, MetaIndex{2}, MetaIndex{9, 0}}) {
        const auto whole = grid->GetAsMetaVar(index);
        ASSERT_NE(whole, nullptr);
        EXPECT_EQ(whole->GetRef(), &h.grid);
        EXPECT_EQ(whole->GetType(), 28);
    }

    EXPECT_TRUE(grid->remove(L"1].0]"));
    EXPECT_EQ(h.grid[1].size(), 2u);
    // Removing never grows: a row or element beyond the lists is refused.
    EXPECT_FALSE(grid->remove(L"2].0]"));
    EXPECT_FALSE(grid->remove(L"1].2]"));
    EXPECT_FALSE(grid->remove(L"1].x]"));
    EXPECT_EQ(h.grid.size(), 2u);
    EXPECT_EQ(h.grid[1].size(), 2u);
}

TEST(RecordVector, AreVectorsEqual) {
    std::vector<Item> a(2), b(2);
    EXPECT_TRUE(areVectorsEqual(a, b));
    EXPECT_TRUE(areVectorsEqual(std::vector<Item>{}, std::vector<Item>{}));
    b[1].count = 5;
    EXPECT_FALSE(areVectorsEqual(a, b));
    b.pop_back();
    EXPECT_FALSE(areVectorsEqual(a, b));
}
// A list element costs its members plus the virtual-table pointer and one pointer: reading,
// copying and comparing elements builds no Meta and keeps nothing else per element.
TEST(RecordVector, ElementsHoldOnlyTheirMembersUntilDescribed) {
    struct SameMembers {
        int attribute;
        int64_t elementId;
        double referenceValue;
        bool asFactor;
        double corrFactor;
        bool active;
        std::vector<double> spectrumValues;
    };
    EXPECT_LE(sizeof(nvSpectrumElement), sizeof(SameMembers) + 2 * sizeof(void*));
    nvLoadSpectrumTab tab;
    tab.fromJson(nlohmann::json{{"elements", {nlohmann::json::object(), {{"attribute", 3}}}}});
    ASSERT_EQ(tab.elements.size(), 2u);
    EXPECT_EQ(tab.elements[1].attribute, 3);
    const auto copy = tab.elements;
    EXPECT_EQ(copy[1].attribute, 3);
    for (const auto& e : copy) EXPECT_FALSE(e.hasMeta());

    // Initial values still travel with a copy and reach the copy's own Meta.
    nvSpectrumElement described;
    ASSERT_TRUE(described.getMeta()->SetInit("attribute", L"7"));
    nvSpectrumElement carried(described);
    EXPECT_FALSE(carried.hasMeta());
    MetaVar* attribute = carried.getMeta()->GetVar("attribute");
    ASSERT_NE(attribute, nullptr);
    EXPECT_TRUE(attribute->hasInit());
    EXPECT_EQ(attribute->initText(), L"7");
}
}  // namespace
