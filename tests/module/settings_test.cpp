// Settings tab, thermal-rating and export records: the nested records, the member kept outside
// the member list, the translated foundation name.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

using json = nlohmann::json;

TEST(SettingsTab, SerialisesToItsFiveNestedObjects) {
    nvSettingsTab tab;
    const json j = tab.toJson();
    ASSERT_TRUE(j.is_object());
    ASSERT_EQ(j.size(), 5u);
    EXPECT_EQ(j.at("namingSettings"), tab.namingSettings.toJson());
    EXPECT_EQ(j.at("defaultgeom"), tab.defaultgeom.toJson());
    EXPECT_EQ(j.at("defaultValues"), tab.defaultValues.toJson());
    EXPECT_EQ(j.at("calculationSettings"), tab.calculationSettings.toJson());
    EXPECT_EQ(j.at("default3DViewerValues"), tab.default3DViewerValues.toJson());
    EXPECT_EQ(j["namingSettings"]["shafts"]["name"], "shaft<autoInc>");
    EXPECT_EQ(j["defaultgeom"]["cylinder"]["internalDiameter"], 36.0);

    // The framework's own JSON form (through the Meta) gives the same object.
    EXPECT_EQ(tab.nMetaStruct::toJson(), j);
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

TEST(FoundationElement, DefaultNameIsTheTranslatedText) {
    nvThermalRatingTab tab;
    MetaVar* name = tab.getMeta()->GetMetaVar(L"foundations[0].name");
    ASSERT_NE(name, nullptr);
    ASSERT_EQ(tab.foundations.size(), 1u);
    EXPECT_EQ(tab.foundations[0].name, pool.GetString(740));
    EXPECT_EQ(tab.foundations[0].name, nWString(L"Unnamed"));
    EXPECT_EQ(tab.foundations[0].alphaFun, 20.0);

    // A loaded translation names new foundations in that language.
    pool.setString(740, L"Fundament");
    nvFoundationElement translated;
    pool.resetToBuiltin();
    EXPECT_EQ(translated.name, nWString(L"Fundament"));
    EXPECT_EQ(nvFoundationElement().name, nWString(L"Unnamed"));
}

// Defaults that are translated texts follow a language switch: the Meta of a record made after
// the switch shows, and Initialize writes, the text of the new language — for every record whose
// default comes from the translator, also when its defaults were read before the switch.
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
    EXPECT_EQ(defaultName(back), "Unnamed");
}
