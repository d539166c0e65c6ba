// Meta_S020 as a whole: the tab screens bound to the records, read and written through the Meta.
#include <set>

#include "module/screen_items.h"

namespace {
using screen::item;
using screen::json;
using screen::Screen;

TEST(MetaS020, DescribesPanelThenTabsWithEveryAttributeOnAnEarlierItem) {
    Screen s;
    EXPECT_EQ(s.result, 1);
    EXPECT_TRUE(s.meta.unattachedAttributes().empty()) << s.meta.unattachedAttributes().front();
    const json items = s.dump();
    // The panel (193 items and its block) comes first, then the trees.
    ASSERT_GT(items.size(), 194u);
    EXPECT_EQ(items[193]["name"], "PositionOfContact");
    EXPECT_EQ(items[194]["name"], "ObjectTreeShafts");

    // Screens in their order, each after the tables.
    size_t last = 0;
    for (const char* landmark : {"ObjectTreeConstraints", "L2HP_bearingsTableSystem", "NoOfGearPairs", "RoughLayoutAutoSize",
                                 "MassOfVehicle", "ReferenceGear", "smoothing", "BearingName", "dimensionsFactor",
                                 "switchableRotationalClearance", "GeneralCalculationType", "UseConesInsteadOfCylinders",
                                 "SetGearsAxialOffsets", "HeatDissipationCalcMethod", "OrganizationType",
                                 "gearMeshStiffnessCalcTypeModal", "considerGearMeshForced", "selectForcedResponseOutputDocPoints",
                                 "gearMeshStiffnessCalcTypeCampbell", "selectHousing", "numberOfHarmonics",
                                 "speedRangeFrequencies", "totalRunningDistance", "isExportStiffnessMatrix",
                                 "boundarySelection3sssOutput"}) {
        size_t at = 0;
        for (; at < items.size() && items[at]["name"] != landmark; ++at) {}
        ASSERT_LT(at, items.size()) << landmark;
        EXPECT_GT(at, last) << landmark;
        last = at;
    }
    EXPECT_EQ(last, items.size() - 1);

    // Item names are unique, so every name addresses one item.
    std::set<std::string> names;
    for (const json& i : items) EXPECT_TRUE(names.insert(i["name"]).second) << i["name"];

    // The three tab blocks, each right after its items.
    std::vector<json> blocks;
    for (size_t i = 195; i < items.size(); ++i) {
        if (items[i]["call"] != "PutUiBlock") continue;
        blocks.push_back(items[i]["args"]["items"]);
        EXPECT_EQ(items[i - 1]["name"], items[i]["args"]["items"].back());
    }
    EXPECT_EQ(json(blocks), json::parse(R"([["toleranceRangePercent", "toleranceRangeHz"],
        ["isExportStiffnesMatrixGlobal", "isExportStiffnesMatrixLocal"], ["exportDamageReferenceCycles", "exportDamageReferenceHours"]])"));
}

// Entry tables and ranges are in fixed_tables_test.cpp; Meta's refusal of values outside them in
// the Meta tests.
TEST(MetaS020, WritingThroughItemsChangesTheBoundMembers) {
    Screen s;
    Meta& m = s.meta;
    EXPECT_TRUE(m.setItemValue("RoughLayoutReducerType", 6));
    EXPECT_EQ(s.r.roughLayout.reducerType, 6);

    EXPECT_TRUE(m.setItemValue("switchableRotationalClearance", json::array({0.5, 0.75})));
    EXPECT_EQ(s.r.settings.defaultgeom.switchable.counterClockwiseClearance, 0.5);
    EXPECT_EQ(s.r.settings.defaultgeom.switchable.clockwiseClearance, 0.75);

    EXPECT_TRUE(m.setItemValue("BearingName", "wl<autoInc>"));
    EXPECT_EQ(s.r.settings.namingSettings.bearings.name, nWString(L"wl<autoInc>"));
    EXPECT_TRUE(m.setItemValue("ClampedConnectionCalcName", "clamp"));
    EXPECT_EQ(s.r.settings.namingSettings.clampedConnectionCalcs.name, nWString(L"clamp"));

    EXPECT_TRUE(m.setItemValue("HousingLengthFlowDirection", 0.4));
    EXPECT_EQ(s.r.thermalRating.housingDissipation.lX, 0.4);
    EXPECT_TRUE(m.setItemValue("isGLEcomponent", true));
    EXPECT_TRUE(s.r.zfGeneral.nPrintfixZF.isGLEcomponent);
    EXPECT_TRUE(m.setItemValue("unitsSelection", 2));
    EXPECT_EQ(s.r.frequencies.unitSelection, 2);
    EXPECT_TRUE(m.setItemValue("speedForced", 1500.0));
    EXPECT_EQ(s.r.forcedResponse.xAxisMin, 1500.0);
    EXPECT_TRUE(m.setItemValue("getBushingElementsData", true));
    EXPECT_TRUE(s.r.coSimulation.getBushingElementsData);
    EXPECT_TRUE(m.setItemValue("TR06systemRefTorqueInd", true));
    EXPECT_TRUE(s.r.zfGeneral.isZFTR06refTorqueIndividual);
    EXPECT_FALSE(m.setItemValue("totalRunningTimeOuput", 5.0));  // output only
    EXPECT_FALSE(m.setItemValue("GlobalPosition", 1.0));          // the host's value

    // The foundations table is the thermal tab's record list.
    ASSERT_NE(m.itemVar("FoundationsTable"), nullptr);
    m.itemVar("FoundationsTable")->resize(2);
    EXPECT_EQ(s.r.thermalRating.foundations.size(), 2u);

    const json items = s.dump();
    EXPECT_EQ(item(items, "BearingName")["binding"],
              (json{{"record", "nvSettingsTab"}, {"member", "namingSettings.bearings.name"}}));
    EXPECT_EQ(item(items, "shaftCylinderGeo")["binding"]["member"], "defaultgeom.cylinder.length");
    EXPECT_EQ(item(items, "shaftCylinderGeo")["secondBinding"]["member"], "defaultgeom.cylinder.externalDiameter");
    EXPECT_EQ(item(items, "FoundationsTable")["binding"],
              (json{{"record", "nvThermalRatingTab"}, {"member", "foundations"}}));
    EXPECT_EQ(item(items, "getGearStep")["binding"],
              (json{{"record", "nNorvaneRecurDynInterface"}, {"member", "getGearStep"}}));
}

TEST(MetaS020, EveryBoundItemNamesItsRecordAndMember) {
    Screen s;
    size_t bound = 0;
    for (const json& i : s.dump()) {
        const std::string name = i["name"];
        if (!s.meta.itemVar(name)) continue;
        ++bound;
        EXPECT_TRUE(i.contains("binding")) << name;
    }
    EXPECT_GT(bound, 200u);
}

TEST(MetaS020, GlobalAndLocalExportShowOneBool) {
    Screen s;
    Meta& m = s.meta;
    nvExportStiffnesZF& zf = s.r.exportStiffness;
    EXPECT_EQ(m.itemVisible("isExportStiffnesMatrixLocal"), UiState::No);
    zf.isExportStiffness = true;
    EXPECT_EQ(m.itemVisible("isExportStiffnesMatrixLocal"), UiState::Yes);
    EXPECT_EQ(m.itemVisible("isExportStiffnesMatrixBearings"), UiState::Yes);

    // Both check boxes show the one flag, the local one inverted (the pair's mechanics are tested
    // with Meta).
    ASSERT_TRUE(zf.isGlobal);
    EXPECT_TRUE(m.setItemValue("isExportStiffnesMatrixLocal", true));
    EXPECT_FALSE(zf.isGlobal);
    const json items = s.dump();
    for (const char* name : {"isExportStiffnesMatrixGlobal", "isExportStiffnesMatrixLocal"})
        EXPECT_EQ(item(items, name)["binding"]["member"], "isGlobal") << name;
    EXPECT_EQ(item(items, "isExportStiffnesMatrixGlobal")["args"]["inverted"], false);
    EXPECT_EQ(item(items, "isExportStiffnesMatrixLocal")["args"]["inverted"], true);
}

TEST(MetaS020, ThermalScreenFollowsTheHeatDissipationMethod) {
    Screen s;
    Meta& m = s.meta;
    ASSERT_EQ(s.r.thermalRating.heatDissipCalcMethod, 0);
    EXPECT_EQ(m.itemVisible("HousingLengthFlowDirection"), UiState::Yes);
    EXPECT_EQ(m.itemVisible("HousingLength"), UiState::No);
    EXPECT_EQ(m.itemVisible("InsulationUnderneath"), UiState::Yes);
    EXPECT_EQ(m.itemVisible("OilTemperature"), UiState::Host);

    EXPECT_TRUE(m.setItemValue("HeatDissipationCalcMethod", 2));
    EXPECT_EQ(m.itemVisible("HousingLengthFlowDirection"), UiState::No);
    EXPECT_EQ(m.itemVisible("HousingLength"), UiState::Yes);
    EXPECT_EQ(m.itemVisible("NumberOfFins"), UiState::Yes);
    EXPECT_EQ(m.itemVisible("ProjectedFinArea"), UiState::No);
    const json items = s.dump();
    EXPECT_EQ(item(items, "HousingLength")["visible"], true);
    EXPECT_EQ(item(items, "HousingLengthFlowDirection")["visible"], false);
}

TEST(MetaS020, SetGearsAxialOffsetsIsEditedThroughTheScreenButNotStored) {
    Screen s;
    Meta& m = s.meta;
    EXPECT_EQ(m.itemEditable("SetGearsAxialOffsets"), UiState::Yes);
    EXPECT_TRUE(m.setItemValue("SetGearsAxialOffsets", false));
    EXPECT_FALSE(s.r.settings.calculationSettings.setGearsAxialOffsets);
    EXPECT_FALSE(s.r.settings.toJson()["calculationSettings"].contains("setGearsAxialOffsets"));
    EXPECT_EQ(item(s.dump(), "SetGearsAxialOffsets")["binding"],
              (json{{"record", "nvSettingsTab"}, {"member", "calculationSettings.setGearsAxialOffsets"}}));
}

TEST(MetaS020, MemberConditionsOfTheRoughLayoutForcedResponseAndFrequencies) {
    Screen s;
    Meta& m = s.meta;
    s.r.roughLayout.roughLayoutGears = false;
    EXPECT_EQ(m.itemEditable("RoughLayoutReducerType"), UiState::No);
    s.r.roughLayout.roughLayoutShafts = false;
    EXPECT_EQ(m.itemEditable("RoughLayoutLeaveSections"), UiState::No);
    EXPECT_EQ(m.itemEditable("RoughLayoutBearingType"), UiState::No);
    s.r.roughLayout.roughLayoutShafts = true;
    EXPECT_EQ(m.itemVisible("RoughLayoutBearingType"), UiState::Host);

    nvForcedResponseTab& f = s.r.forcedResponse;
    ASSERT_TRUE(f.considerGearMeshForces);
    EXPECT_EQ(m.itemVisible("dynamicFactor"), UiState::Yes);
    EXPECT_EQ(m.itemEditable("variedSizeForced"), UiState::No);
    EXPECT_EQ(m.itemEditable("getShaftStep"), UiState::Yes);
    EXPECT_EQ(m.itemVisible("getShaftStep"), UiState::Host);
    EXPECT_TRUE(m.setItemValue("considerGearMeshForced", false));
    EXPECT_EQ(m.itemVisible("dynamicFactor"), UiState::No);
    EXPECT_EQ(m.itemVisible("saveRecurDynInterface"), UiState::No);
    EXPECT_EQ(m.itemEditable("variedSizeForced"), UiState::Yes);
    EXPECT_EQ(m.itemEditable("modelingType"), UiState::No);
    EXPECT_EQ(m.itemEditable("getShaftStep"), UiState::No);
    EXPECT_EQ(m.itemEditable("referenceSpeedForced"), UiState::No);  // plotted against speed
    EXPECT_EQ(m.itemInput("userDefinedEndTime"), UiState::No);
    f.useUserDefinedEndTime = true;
    EXPECT_EQ(m.itemInput("userDefinedEndTime"), UiState::Yes);

    nFrequencies& fr = s.r.frequencies;
    ASSERT_TRUE(fr.isToleranceRangeInPercent);
    EXPECT_EQ(m.itemInput("toleranceRangePercent"), UiState::Yes);
    EXPECT_EQ(m.itemInput("toleranceRangeHz"), UiState::No);
    fr.isToleranceRangeInPercent = false;
    EXPECT_EQ(m.itemInput("toleranceRangePercent"), UiState::No);
    EXPECT_EQ(m.itemInput("toleranceRangeHz"), UiState::Yes);
    EXPECT_EQ(m.itemVisible("similarRange"), UiState::No);
    EXPECT_EQ(m.itemEditable("sidebandNumberOfHarmonicVariation"), UiState::No);

    EXPECT_EQ(m.itemInput("totalRunningDistance"), UiState::No);
    s.r.loadSpectrumImport.isDistanceInput = true;
    EXPECT_EQ(m.itemInput("totalRunningDistance"), UiState::Yes);
}

TEST(MetaS020, ReturnsOneForAnyRecordsAndWithoutMeta) {
    ds::S020Records r;
    EXPECT_EQ(Meta_S020(r.pool, r.assistant, r.roughLayout, r.tractivePower, r.contactAnalysis, r.modalAnalysis,
                        r.campbellDiagram, r.forcedResponse, r.powerLosses, r.housingDeformation, r.settings,
                        r.switchMatrix, r.bcMatrix, r.operatingModes, r.loadSpectrum, r.variants, r.thermalRating,
                        r.frequencies, r.coSimulation, r.loadSpectrumImport, r.exportStiffness, r.zfGeneral, nullptr),
              1);

    // Odd values the screen does not expect: a reducer type outside its list, a negative method,
    // lists filled, texts empty, a pool with objects.
    r.readModel(json::parse(R"({
        "nvRoughLayoutTab": [{"reducerType": 99, "roughLayoutGears": false}],
        "nvThermalRatingTab": [{"heatDissipCalcMethod": -3, "foundations": [{}, {"Lfun": 2}]}],
        "nFrequencies": [{"unitSelection": 12345, "speedMin": 9e300}],
        "Shaft": [{}]
    })"));
    r.pool.add(7, 30, L"shaft1");
    r.settings.namingSettings.bearings.name = L"";
    Meta meta;
    EXPECT_EQ(r.describe(meta), 1);
    EXPECT_EQ(r.thermalRating.foundations.size(), 2u);
    EXPECT_EQ(meta.itemVisible("HousingLength"), UiState::Yes);
    json v;
    ASSERT_TRUE(meta.itemValue("RoughLayoutReducerType", v));
    EXPECT_EQ(v, 99);  // shown as it is; only writes are checked against the list
    // Described twice into one Meta: the later items take the names over.
    EXPECT_EQ(r.describe(meta), 1);
    EXPECT_TRUE(meta.setItemValue("RoughLayoutAutoSize", true));
    EXPECT_TRUE(r.roughLayout.autoSize);
}

TEST(S020Records, ReadingAModelRefusesWrongShapesNamingTheClass) {
    ds::S020Records r;
    EXPECT_THROW(r.readModel(json::array()), std::runtime_error);
    try {
        r.readModel(json::parse(R"({"nvVariantsTab": {"organizationType": 1}})"));
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("nvVariantsTab"), std::string::npos);
    }
    EXPECT_THROW(r.readModel(json::parse(R"({"nFrequencies": [3]})")), std::runtime_error);
    EXPECT_NO_THROW(r.readModel(json::parse(R"({"nFrequencies": [], "Unknown": 3})")));
    r.readModel(json::parse(R"({"nvVariantsTab": [{"organizationType": 2}, {"organizationType": 1}]})"));
    EXPECT_EQ(r.variants.organizationType, 2);
}
}  // namespace
