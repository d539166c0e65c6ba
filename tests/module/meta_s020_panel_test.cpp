// The element property panel (first step of Meta_S020).
#include <cctype>
#include <set>

#include "drivesys/module/meta_s020.h"
#include "module/screen_items.h"

namespace {
using screen::attributes;
using screen::item;
using screen::json;

json panelDump() {
    Meta m;
    ds::s020::describeElementPanel(m);
    EXPECT_TRUE(m.unattachedAttributes().empty());
    json d;
    m.dumpWithState(d);
    return d["items"];
}

TEST(ElementPanel, MakesThe193ItemsInScreenOrderAndOneBlockAfterItsItems) {
    const std::vector<std::string> expected = {
        "Name", "CalcName", "ReferenceShaft", "NoElementSelected", "GlobalPositionHeader", "GlobalPosition",
        "xAxisUnitVector", "yAxisUnitVector", "CenterDistanceReference1", "CenterDistanceForPos1",
        "CenterDistanceReference2", "CenterDistanceForPos2", "CenterDistanceReference3", "CenterDistanceForPos3",
        "PositionForPos1", "PositionForPos2", "PositionForPos3", "SphericalPositionReference", "SphericalPositionR",
        "SphericalPositionTheta", "SphericalPositionPhi", "AxisRotationReference", "AxisRotationThetaZ",
        "AxisRotationThetaY", "AxisRotationThetaX", "AxisRotationThetaY1", "AxisRotationThetaY2",
        "AxisRotationThetaY3", "HousingType", "HousingModelLengthBox", "HousingModelWidth", "HousingModelHeight",
        "HousingModelDiameter", "HousingModelLengthCylinder", "HousingCylinderLengthDirection", "HousingModelArea",
        "HousingSTEPFile", "HousingStiffnessMatrixFile", "UsedForHousingDeformation", "ThreePointsPositioning",
        "HousingTolerance", "HousingMaxNumIterations", "HousingSystemOfUnits", "Position", "SealDiameter",
        "SealLossMethod", "MeshingLossMethod", "PositionInGroup", "PositionOnShaft", "PositionOnShaftInner",
        "PositionOnShaftOuter", "FileName", "LoadApplicationOnShaft", "LoadApplicationInShaftGroup",
        "PositionAngle1", "PositionAngle2", "PositionAngle3", "AxialOffset1", "AxialOffset2", "AxialOffset3",
        "LengthOfLoadApplication1", "LengthOfLoadApplication2", "LengthOfLoadApplication3", "ShaftAngle",
        "CenterDistance1", "CenterDistance2", "CenterDistance3", "HypoidOffset", "RadialOffset", "PowerDirection",
        "PowerDirectionAbsolute", "PowerAbsoluteHeader", "PowerDirectionAbsoluteCarrier",
        "PowerAbsoluteCarrierHeader", "PowerDirectionAbsolutePlanetary", "PowerAbsolutePlanetaryHeader",
        "PowerDirectionCalc", "PowersplitReference", "ReferenceBoundaryForRatio", "BoundarySpeedRatio",
        "TorquePowerLossEfficiencyInput", "CoordinatesInput", "PositionX", "PositionZ", "PositionR", "AnglePhi",
        "Powerloss", "Torqueloss", "Powersplit", "SpeedSigned", "TorqueSigned", "PowerSigned",
        "TorqueSpeedPowerInputSigned", "TorqueSpeedPowerRatioInput", "Speed", "Torque", "PowerCalcAbsolute",
        "PowerCalcAbsoluteCarrier", "PowerCalcAbsolutePlanetary", "PowerCalc", "PowerCalcRelative",
        "RoughLayoutGearsType", "TorqueCalc1", "TorqueCalc2", "TorqueCalc3", "SpeedCalc1", "SpeedCalc2",
        "SpeedCalc3", "SpeedCalc1Relative", "SpeedCalc2Relative", "SpeedCalc3Relative", "Ratio", "SpeedRatio",
        "TorqueRatio", "PowerRatio", "RatioCalc1", "RatioCalc2", "RatioCalc3", "SpeedEfficiency", "Efficiency",
        "CorrectionFactor", "SenseOfRotation", "SenseOfRotationCalc1", "SenseOfRotationCalc2",
        "SenseOfRotationCalc3", "Switchable", "CurrentStatus", "BearingFixation", "BearingSeries",
        "BearingIdentifier", "BearingComment", "InnerDiameterList", "InnerDiameter", "OuterDiameter",
        "SupportStatusUx", "SupportStatusUy", "SupportStatusUz", "SupportStatusRx", "SupportStatusRz",
        "SupportFixation", "ConnectionFixation", "JournalFixation", "TeethRatio", "NumberOfTeeth", "ModuleNormal",
        "ModuleMeanNormal", "ModuleTransverse", "ModuleAxial", "Width", "Stiffness", "RotationalStiffness",
        "RotationalClearance", "RotationalClearanceHeader", "Facewidth", "FacewidthWormWheel", "NumberOfPlanets",
        "CurrentPlanet", "Diameter", "HelixAngle", "LeadAngle", "SpiralAngle", "ToothGeometry", "PressureAngle",
        "PressureAngleLeftRightHeader", "PressureAngleLeftRight", "OrientationFace", "OrientationConical",
        "OrientationCylindrical", "HandOfGearCylindrical", "HandOfGearConical", "HandOfGearCrossedOrFace",
        "HandOfGearWorm", "MountingAngle", "PositionAccToCalc", "FullTreeGeneration", "DiametersFromShafts",
        "OutsideDiameterShaft", "JointDiameter", "InsideDiameterShaft", "ShaftBoreDiameter", "OutsideDiameterHub",
        "ForcesMomentsFromShaftCalculation", "NominalTorque", "AxialForce", "RadialForce", "ResultingShearingForce",
        "BendingMoment", "BendingMomentAtSupport", "SplineCalculationMethod", "ThrustConeBearing", "ReferenceMesh",
        "RadiusToContact", "PositionOfContact"};
    ASSERT_EQ(expected.size(), 193u);

    const json items = panelDump();
    std::vector<std::string> names;
    std::vector<std::string> blocks;
    size_t blockAt = 0;
    for (const json& i : items) {
        if (i["call"] == "PutUiBlock") {
            blocks.push_back(i["name"]);
            blockAt = names.size();
            EXPECT_EQ(i["args"], (json{{"items", {"PositionInGroup", "PositionOnShaft", "PositionOnShaftInner",
                                                  "PositionOnShaftOuter"}},
                                       {"title", ""},
                                       {"mode", 2}}));
        } else {
            names.push_back(i["name"]);
        }
    }
    EXPECT_EQ(names, expected);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(expected[blockAt - 1], "PositionOnShaftOuter");
}

TEST(ElementPanel, BindsNoMemberAndLeavesEveryValueToTheHost) {
    Meta m;
    ds::s020::describeElementPanel(m);
    json d;
    m.dump(d);
    for (const json& i : d["items"]) {
        EXPECT_FALSE(i.contains("binding")) << i["name"];
        EXPECT_EQ(m.itemVar(i["name"].get<std::string>()), nullptr) << i["name"];
    }
}

// Every numbered item (name ending in 1, 2 or 3) names only conditions, handlers and setters of
// its own number.
TEST(ElementPanel, NumberedFamiliesUseTheConditionsOfTheirNumber) {
    const json items = panelDump();
    int checked = 0;
    for (const json& i : items) {
        const std::string name = i["name"];
        const char last = name.back();
        const std::string number = std::isdigit(static_cast<unsigned char>(last)) ? std::string(1, last) : "";
        for (const json& a : i["attributes"]) {
            for (const char* key : {"condition", "handler", "state", "setter"}) {
                if (!a["args"].contains(key)) continue;
                const std::string target = a["args"][key];
                const size_t digit = target.find_first_of("123");
                if (digit == std::string::npos) continue;
                if (number.empty()) {
                    // Unnumbered items may use the first positioned shaft's condition.
                    EXPECT_EQ(target.substr(digit, 1), "1") << name << " " << target;
                } else {
                    EXPECT_EQ(target.substr(digit, 1), number) << name << " " << target;
                    ++checked;
                }
            }
        }
    }
    EXPECT_GE(checked, 24);
    const json& thetaY2 = item(items, "AxisRotationThetaY2");
    EXPECT_EQ(attributes(thetaY2, "AddEditableCondition")[0]["condition"], "IsShaftNotPositioned2");
    EXPECT_EQ(attributes(item(items, "PositionAngle3"), "AddConvertButton")[0],
              (json{{"handler", "onConvertCenterDistance3"}, {"condition", "IsIdlerAndShaftNotPositioned3"}}));
    EXPECT_EQ(attributes(item(items, "RatioCalc2"), "AddEditButton")[0],
              (json{{"state", "IsRatio2Defined"}, {"setter", "SetRatio2Status"}}));
}

TEST(ElementPanel, SelectionListsCarryTheirEntryTablesInListOrder) {
    const json items = panelDump();
    const json support = item(items, "SupportStatusUx")["args"]["entries"];
    EXPECT_EQ(support, json::parse("[[2056,0],[1072,1],[2057,2],[2058,3],[2059,4],[2060,5],[2061,6],[2062,7],[2063,8]]"));
    for (const char* name : {"SupportStatusUy", "SupportStatusUz", "SupportStatusRx", "SupportStatusRz"})
        EXPECT_EQ(item(items, name)["args"]["entries"], support) << name;

    EXPECT_EQ(item(items, "TorqueSpeedPowerRatioInput")["args"]["entries"],
              json::parse("[[2163,0],[2164,3],[2165,4],[1041,1],[225,2],[1246,5],[1083,6]]"));
    EXPECT_EQ(item(items, "BearingFixation")["args"]["entries"],
              json::parse("[[1832,0],[1833,10],[1834,11],[1835,12],[1836,20],[1837,21],[1838,22]]"));
    EXPECT_EQ(item(items, "JournalFixation")["args"]["entries"],
              json::parse("[[5304,0],[5298,10],[5299,11],[5301,21],[5302,22]]"));
    EXPECT_EQ(item(items, "PositionForPos3")["args"]["entries"], json::parse("[[5908,0],[5909,1]]"));

    // Lists with a fixed table hand their value to the host; the others get entries from it.
    std::set<std::string> withTable;
    for (const json& i : items)
        if (i["call"] == "PutUiListFuncVar" && i["args"].contains("entries")) withTable.insert(i["name"]);
    EXPECT_EQ(withTable.size(), 32u);
    EXPECT_EQ(item(items, "HousingType")["call"], "PutUiListVar");
    EXPECT_EQ(item(items, "HousingType")["args"], (json{{"textId", 641}, {"flag", 1}}));
}

TEST(ElementPanel, TellingItemsCarryTheirGivenDetails) {
    const json items = panelDump();
    const json& global = item(items, "GlobalPosition");
    EXPECT_EQ(global["args"], (json{{"textId", 1358}, {"symbol", ""}, {"unit", 2}, {"count", 3}, {"flag", false}}));
    EXPECT_EQ(global["attributes"], json::parse(R"([
        {"call": "AddEditableCondition", "args": {"condition": "IsPositionAccToCalc", "inverted": true, "flag": false}},
        {"call": "AddConvertButton", "args": {"handler": "onConvertGlobalPosition", "condition": "IsPositionAccToCalc"}}])"));
    EXPECT_EQ(item(items, "GlobalPositionHeader")["args"]["columns"], json::parse(R"(["", "X", "Y", "Z"])"));

    const json& area = item(items, "HousingModelArea");
    EXPECT_EQ(area["editable"], false);
    EXPECT_EQ(area["visible"], "host");

    const json& speedEfficiency = item(items, "SpeedEfficiency");
    EXPECT_EQ(attributes(speedEfficiency, "AddEditButton"),
              (std::vector<json>{json{{"state", "IsSpeedEfficiencyDefined"}, {"setter", "SetSpeedEfficiencyStatus"}}}));
    EXPECT_EQ(speedEfficiency["input"], "host");

    const json& split = item(items, "Powersplit");
    EXPECT_EQ(attributes(split, "SetRange")[0], (json{{"min", 0.0}, {"max", 100.0}}));
    EXPECT_EQ(split["input"], "host");

    const json& step = item(items, "HousingSTEPFile");
    EXPECT_EQ(step["call"], "PutUiFileVar");
    EXPECT_EQ(attributes(step, "AddFileDirectory").size(), 1u);

    const json& series = item(items, "BearingSeries");
    EXPECT_EQ(series["args"]["table"], "W000");
    EXPECT_EQ(series["args"]["key"], "W05BFORM");

    const json& contact = item(items, "PositionOfContact");
    EXPECT_EQ(contact["args"]["symbol"], "a<sub>pos</sub>");
    EXPECT_EQ(attributes(contact, "AddInfoFile")[0]["image"], "W-012_1.png");

    EXPECT_EQ(item(items, "PowerCalcAbsolute")["args"]["count"], 2);
    EXPECT_EQ(item(items, "PowerCalcAbsoluteCarrier")["args"]["count"], 1);
    EXPECT_EQ(item(items, "PowerCalcAbsolutePlanetary")["args"]["count"], 3);
    EXPECT_EQ(item(items, "Name")["attributes"][0], (json{{"call", "AddUpdate"}, {"args", {{"notify", false}, {"queued", false}}}}));
}
}  // namespace
