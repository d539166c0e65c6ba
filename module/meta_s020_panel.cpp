// Step 1 of Meta_S020: the element property panel that the host shows for the element selected
// in the object tree. Every value of the panel belongs to the host (function variables, host
// lists and host check boxes); the panel binds no record. Items appear in screen order, each
// followed by its attributes.
#include <string>

#include "drivesys/module/meta_s020.h"
#include "drivesys/platform/ncore/nfile.h"
#include "drivesys/platform/nmath/meta.h"

namespace ds::s020 {
namespace {

// Handlers the host runs after a change.
constexpr const char* kGraphics = "onQueuedUpdateGraphicsFromEditor";
constexpr const char* kKinematics = "onQueuedUpdateKinematicsFromEditor";
constexpr const char* kKinematicsAndGraphics = "onQueuedUpdateKinematicsAndGraphicsFromEditor";
constexpr const char* kPlanetCopies = "onQueuedUpdatePlanetCopiesKinematicsAndGraphicsFromEditor";
constexpr const char* kHousingDeformation = "onRefreshHousingDeformation";

constexpr const wchar_t* kMountingAnglePicture = L"Polar-Roll-Mounting-Angle.png";

// Entry tables of the panel's fixed selection lists (text id shown, value handed to the host).
constexpr nUiListEntry kPositionForPos[] = {{5908, 0}, {5909, 1}};
constexpr nUiListEntry kSealLossMethod[] = {{3383, 0}, {382, 1}, {383, 2}};
constexpr nUiListEntry kPowerDirectionCalc[] = {{1828, 0}, {1827, 1}};
constexpr nUiListEntry kTorquePowerLossEfficiencyInput[] = {{1083, 0}, {1041, 1}, {1246, 2}, {1294, 3}};
constexpr nUiListEntry kCoordinatesInput[] = {{2550, 0}, {2551, 1}};
constexpr nUiListEntry kTorqueSpeedPowerInputSigned[] = {{1083, 0}, {1041, 1}, {225, 2}, {1246, 3},
                                                         {2163, 4}, {2164, 5}, {2165, 6}};
// Ratio inputs first, in the host's list order; the stored values keep their old meaning.
constexpr nUiListEntry kTorqueSpeedPowerRatioInput[] = {{2163, 0}, {2164, 3}, {2165, 4}, {1041, 1},
                                                        {225, 2},  {1246, 5}, {1083, 6}};
constexpr nUiListEntry kRoughLayoutGearsType[] = {{1843, 1}, {1844, 2}, {1845, 3}, {1846, 4},
                                                  {1847, 5}, {1848, 6}, {1849, 7}};
constexpr nUiListEntry kSenseOfRotation[] = {{226, 0}, {227, 1}};
constexpr nUiListEntry kCurrentStatus[] = {{2601, 0}, {2602, 1}};
constexpr nUiListEntry kBearingFixation[] = {{1832, 0},  {1833, 10}, {1834, 11}, {1835, 12},
                                             {1836, 20}, {1837, 21}, {1838, 22}};
// One table shared by the five support directions.
constexpr nUiListEntry kSupportStatus[] = {{2056, 0}, {1072, 1}, {2057, 2}, {2058, 3}, {2059, 4},
                                           {2060, 5}, {2061, 6}, {2062, 7}, {2063, 8}};
constexpr nUiListEntry kSupportFixation[] = {{220, 0},  {1832, 1}, {1833, 2}, {1834, 3},
                                             {1835, 4}, {1836, 5}, {1837, 6}, {1838, 7}};
constexpr nUiListEntry kConnectionFixation[] = {{220, 0}, {2597, 1}, {5843, 3}};
constexpr nUiListEntry kJournalFixation[] = {{5304, 0}, {5298, 10}, {5299, 11}, {5301, 21}, {5302, 22}};
constexpr nUiListEntry kToothGeometry[] = {{3236, 0}, {3237, 1}};
constexpr nUiListEntry kHandOfGearCylindrical[] = {{159, 0}, {160, 1}, {161, 2}, {162, 3}, {163, 4}};
constexpr nUiListEntry kSplineCalculationMethod[] = {{837, 0}, {838, 1}, {839, 2}, {840, 3}};
constexpr nUiListEntry kOrientationFace[] = {{1785, 0}, {1784, 1}};
constexpr nUiListEntry kOrientationConical[] = {{1951, 0}, {1950, 1}};
constexpr nUiListEntry kOrientationCylindrical[] = {{1953, 0}, {1952, 1}};
constexpr nUiListEntry kHandOfGearConical[] = {{159, 0},  {1154, 1}, {1155, 2}, {1156, 3},
                                               {1157, 4}, {1158, 5}, {1159, 6}};
constexpr nUiListEntry kHandOfGearCrossedOrFace[] = {{159, 0}, {160, 1}, {161, 2}};
constexpr nUiListEntry kHandOfGearWorm[] = {{160, 0}, {161, 1}};

// "Name1", "Name2", ... for the numbered item families and their conditions.
std::string numbered(const char* stem, int n) { return stem + std::to_string(n); }

// A host number of one value with a graphics update, editable while the shaft it sits on is
// not positioned yet (condition of the same number as the item).
void positioningNumber(Meta& m, const std::string& name, int textId, const wchar_t* symbol, int unitValue, int n) {
    m.PutUiFuncVar(name.c_str(), textId, symbol, unitValue, 1, false);
    m.AddUpdate(name.c_str(), kGraphics);
    m.AddEditableCondition(name.c_str(), numbered("IsShaftNotPositioned", n).c_str());
}

// A host number shown only while the named condition holds.
void shownNumber(Meta& m, const char* name, int textId, const wchar_t* symbol, int unitValue, const char* visibleWhile,
                 const char* handler) {
    m.PutUiFuncVar(name, textId, symbol, unitValue, 1, false);
    m.AddVisibleCondition(name, visibleWhile);
    if (handler) m.AddUpdate(name, handler);
}

// An output-only host number.
void outputNumber(Meta& m, const char* name, int textId, const wchar_t* symbol, int unitValue, int count) {
    m.PutUiFuncVar(name, textId, symbol, unitValue, count, false);
    m.AddReadOnlyFlag(name);
}

// A host number of a gear, editable while the transmission is not locked.
void gearNumber(Meta& m, const char* name, int textId, const wchar_t* symbol, int unitValue) {
    m.PutUiFuncVar(name, textId, symbol, unitValue, 1, false);
    m.AddUpdate(name, kGraphics);
    m.AddEditableCondition(name, "IsTransUnlocked");
}

// A host list with a fixed entry table and a handler.
void fixedList(Meta& m, const char* name, int textId, std::span<const nUiListEntry> entries, const char* handler) {
    m.PutUiListFuncVar(name, textId, L"", entries);
    if (handler) m.AddUpdate(name, handler);
}

// A value of a shaft-hub connection: shown while the element is used in such a calculation,
// editable unless it comes from the shafts (diameters) or the shaft calculation (loads).
void shaftHubNumber(Meta& m, const char* name, int textId, const wchar_t* symbol, int unitValue, const char* takenFrom) {
    m.PutUiFuncVar(name, textId, symbol, unitValue, 1, false);
    m.AddVisibleCondition(name, "IsUsedInShaftHubCalculation");
    m.AddEditableCondition(name, takenFrom, true);
}

void describePosition(Meta& m) {
    m.PutUiTextFuncVar("Name", 5892, 1);
    m.AddUpdate("Name", false, false);
    m.AddEditableCondition("Name", "IsACopy", true);

    m.PutUiTextFuncVar("CalcName", 5893, 1);
    m.AddReadOnlyFlag("CalcName");

    m.PutUiListVar("ReferenceShaft", 1902, 1);
    m.AddUpdate("ReferenceShaft", kGraphics);
    m.AddEditableCondition("ReferenceShaft", "IsPositionAccToCalc", true);

    m.PutUiTextVar("NoElementSelected", 1901);

    m.PutUiTextVar("GlobalPositionHeader", L"", L"X", L"Y", L"Z");
    m.PutUiFuncVar("GlobalPosition", 1358, L"", unit::kLength, 3, false);
    m.AddEditableCondition("GlobalPosition", "IsPositionAccToCalc", true);
    m.AddConvertButton("GlobalPosition", "onConvertGlobalPosition", "IsPositionAccToCalc");
    const std::pair<const char*, int> unitVectors[] = {{"xAxisUnitVector", 1904}, {"yAxisUnitVector", 1905}};
    for (const auto& [name, textId] : unitVectors) {
        m.PutUiFuncVar(name, textId, L"", unit::kLength, 3, false);
        m.AddEditableCondition(name, "IsPositionAccToCalc", true);
        m.AddConvertButton(name, "onConvertUnitVectors", "IsPositionAccToCalc");
    }

    // Positioning by center distance to reference elements (one pair per positioned shaft).
    for (int n = 1; n <= 3; ++n) {
        const std::string reference = numbered("CenterDistanceReference", n);
        m.PutUiListVar(reference.c_str(), 2620, 1);
        m.AddUpdate(reference.c_str(), kGraphics);
        m.AddEditableCondition(reference.c_str(), numbered("IsShaftNotPositioned", n).c_str());
        positioningNumber(m, numbered("CenterDistanceForPos", n), 2621, L"a", unit::kLength, n);
    }
    for (int n = 1; n <= 3; ++n) {
        const std::string name = numbered("PositionForPos", n);
        fixedList(m, name.c_str(), 2622, kPositionForPos, kGraphics);
        m.AddEditableCondition(name.c_str(), numbered("IsShaftNotPositioned", n).c_str());
    }

    // Spherical position of a shaft against a reference.
    m.PutUiListVar("SphericalPositionReference", 2627, 1);
    m.AddUpdate("SphericalPositionReference", kGraphics);
    m.AddEditableCondition("SphericalPositionReference", "IsShaftNotPositioned1");
    const struct {
        const char* name;
        int textId;
        const wchar_t* symbol;
        int unitValue;
    } spherical[] = {{"SphericalPositionR", 2628, L"r", unit::kLength},
                     {"SphericalPositionTheta", 2630, L"&theta;", unit::kAngle},
                     {"SphericalPositionPhi", 2631, L"&phi;", unit::kAngle}};
    for (const auto& s : spherical) {
        m.PutUiFuncVar(s.name, s.textId, s.symbol, s.unitValue, 1, false);
        m.AddVisibleCondition(s.name);
        m.AddUpdate(s.name, kGraphics);
        m.AddEditableCondition(s.name, "IsShaftNotPositioned1");
    }

    // Rotation of a shaft axis.
    m.PutUiListVar("AxisRotationReference", 2632, 1);
    m.AddUpdate("AxisRotationReference", kGraphics);
    m.AddEditableCondition("AxisRotationReference", "IsShaftNotPositioned1");
    positioningNumber(m, "AxisRotationThetaZ", 2634, L"&theta;<sub>z", unit::kAngle, 1);
    positioningNumber(m, "AxisRotationThetaY", 2635, L"&theta;<sub>y", unit::kAngle, 1);
    positioningNumber(m, "AxisRotationThetaX", 2636, L"&theta;<sub>x", unit::kAngle, 1);
    for (int n = 1; n <= 3; ++n) {
        const std::string name = numbered("AxisRotationThetaY", n);
        positioningNumber(m, name, 2633, L"&xi;", unit::kAngle, n);
        m.AddInfoFile(name.c_str(), kMountingAnglePicture, L"");
    }
}

void describeHousing(Meta& m) {
    m.PutUiListVar("HousingType", 641, 1);
    m.AddUpdate("HousingType", kGraphics);
    m.AddSizeButton("HousingType", "SizeHousingDimensionsAndPosition", "IsHousingBoxOrCylinder");

    shownNumber(m, "HousingModelLengthBox", 5730, L"l", unit::kLength, "housingIsBox", kGraphics);
    shownNumber(m, "HousingModelWidth", 5731, L"b", unit::kLength, "housingIsBox", kGraphics);
    shownNumber(m, "HousingModelHeight", 5732, L"h", unit::kLength, "housingIsBox", kGraphics);
    shownNumber(m, "HousingModelDiameter", 5733, L"d", unit::kLength, "housingIsCylinder", kGraphics);
    shownNumber(m, "HousingModelLengthCylinder", 5734, L"l", unit::kLength, "housingIsCylinder", kGraphics);
    m.PutUiListVar("HousingCylinderLengthDirection", 5735, 1);
    m.AddVisibleCondition("HousingCylinderLengthDirection", "housingIsCylinder");
    m.AddUpdate("HousingCylinderLengthDirection", kGraphics);

    m.PutUiFuncVar("HousingModelArea", 5736, L"", unit::kArea, 1, false);
    m.AddVisibleCondition("HousingModelArea", "housingIsBoxOrCylinder");
    m.AddReadOnlyFlag("HousingModelArea");

    const nWString projectDir = nFile::GetProjectDir();
    m.PutUiFileVar("HousingSTEPFile", 3998, L"*.stp;*.step");
    m.AddFileDirectory("HousingSTEPFile", projectDir);
    m.AddVisibleCondition("HousingSTEPFile", "housingIsGeneral");

    m.PutUiFileVar("HousingStiffnessMatrixFile", 3999, L"*.txt");
    m.AddFileDirectory("HousingStiffnessMatrixFile", projectDir);
    m.AddVisibleCondition("HousingStiffnessMatrixFile", "IsUsedForHousingDeformation");
    m.AddUpdate("HousingStiffnessMatrixFile", kHousingDeformation);

    m.PutUiFlagFuncVar("UsedForHousingDeformation", 4000);
    m.AddVisibleCondition("UsedForHousingDeformation", "housingIsGeneral");
    m.AddUpdate("UsedForHousingDeformation", kHousingDeformation);

    m.PutUiFlagFuncVar("ThreePointsPositioning", 4001);
    m.AddVisibleCondition("ThreePointsPositioning", "IsUsedForHousingDeformation");
    m.AddUpdate("ThreePointsPositioning", kGraphics);

    shownNumber(m, "HousingTolerance", 2206, L"&epsilon;", unit::kLength, "IsUsedForHousingDeformation", nullptr);

    m.PutUiFuncVar("HousingMaxNumIterations", 2207, L"", unit::kNone, 1, false);
    m.AddIntCondition("HousingMaxNumIterations");

    m.PutUiListVar("HousingSystemOfUnits", 3717, 1);
    m.AddUpdate("HousingSystemOfUnits", kHousingDeformation);
    m.AddEditableCondition("HousingSystemOfUnits", "housingStiffnessMatrixContainsUnits", true);
    m.AddInfoFile("HousingSystemOfUnits", L"HousingSystemOfUnits.png", L"");
}

void describePlacement(Meta& m) {
    m.PutUiFuncVar("Position", 1900, L"y", unit::kLength, 1, false);
    m.AddUpdate("Position", kGraphics);
    m.AddEditableCondition("Position", "IsShaftUnlocked");

    shownNumber(m, "SealDiameter", 381, L"d", unit::kLength, "IsSealLossCalculated", kKinematics);
    fixedList(m, "SealLossMethod", 380, kSealLossMethod, kKinematics);
    m.AddVisibleCondition("SealLossMethod", "IsSealLossCalculated");
    m.AddEditableCondition("SealLossMethod", "IsSealLossFromSystemData", true);

    m.PutUiListVar("MeshingLossMethod", 384, 1);
    m.AddUpdate("MeshingLossMethod", kKinematics);
    m.AddVisibleCondition("MeshingLossMethod", "IsMeshingLossCalculated");
    m.AddEditableCondition("MeshingLossMethod", "IsMeshingLossFromSystemData", true);

    // Position of an element in its group and on its shaft, each a given input or a result.
    m.PutUiFuncVar("PositionInGroup", 1903, L"Y", unit::kLength, 1, false);
    m.AddAuthorItCode("PositionInGroup", 8305);
    m.AddEditButton("PositionInGroup", "IsPositionInput", "SetPositionAsInput");
    const struct {
        const char* name;
        int textId;
        const char* state;
        const char* setter;
    } onShaft[] = {
        {"PositionOnShaft", 1906, "IsPositionOnShaftInput", "SetPositionOnShaftAsInput"},
        {"PositionOnShaftInner", 1907, "IsPositionOnShaftInnerInput", "SetPositionOnShaftInnerAsInput"},
        {"PositionOnShaftOuter", 1908, "IsPositionOnShaftOuterInput", "SetPositionOnShaftOuterAsInput"},
    };
    for (const auto& p : onShaft) {
        m.PutUiFuncVar(p.name, p.textId, L"y", unit::kLength, 1, false);
        m.AddEditButton(p.name, p.state, p.setter);
        m.AddUpdate(p.name, kGraphics);
    }
    m.PutUiBlock({"PositionInGroup", "PositionOnShaft", "PositionOnShaftInner", "PositionOnShaftOuter"}, L"",
                 kBlockMode);

    m.PutUiFileVar("FileName", 1909, L"*.*");
    m.AddFileDirectory("FileName", nFile::GetProjectDir());
    m.AddEditButton("FileName", "IsFileNameSet", "SetFileNameStatus");

    m.PutUiListVar("LoadApplicationOnShaft", 2640, 1);
    m.AddUpdate("LoadApplicationOnShaft", kGraphics);
    m.PutUiListVar("LoadApplicationInShaftGroup", 2641, 1);
    m.AddUpdate("LoadApplicationInShaftGroup", kGraphics);

    for (int n = 1; n <= 3; ++n) {
        const std::string name = numbered("PositionAngle", n);
        m.PutUiFuncVar(name.c_str(), 2629, L"&phi;", unit::kAngle, 1, false);
        m.AddEditableCondition(name.c_str(), numbered("IsShaftNotPositioned", n).c_str());
        m.AddConvertButton(name.c_str(), numbered("onConvertCenterDistance", n).c_str(),
                           numbered("IsIdlerAndShaftNotPositioned", n).c_str());
        m.AddInfoFile(name.c_str(), kMountingAnglePicture, L"");
    }
    for (int n = 1; n <= 3; ++n) positioningNumber(m, numbered("AxialOffset", n), 2642, L"&Delta;y", unit::kLength, n);
    for (int n = 1; n <= 3; ++n) {
        const std::string name = numbered("LengthOfLoadApplication", n);
        m.PutUiFuncVar(name.c_str(), 2643, L"l", unit::kLength, 1, false);
        m.AddUpdate(name.c_str(), kGraphics);
    }

    m.PutUiFuncVar("ShaftAngle", 2644, L"&Sigma;", unit::kAngle, 1, false);
    m.AddUpdate("ShaftAngle", kGraphics);
    m.AddVisibleCondition("ShaftAngle", "IsConnecting");
    m.AddEditableCondition("ShaftAngle", "IsNotCrossedOrWorm", true);
    for (int n = 1; n <= 3; ++n) {
        const std::string name = numbered("CenterDistance", n);
        positioningNumber(m, name, 2645, L"a", unit::kLength, n);
        m.AddVisibleCondition(name.c_str(), "IsConnecting");
    }
    shownNumber(m, "HypoidOffset", 2646, L"a<sub>v", unit::kLength, "IsConnecting", kGraphics);
    shownNumber(m, "RadialOffset", 2647, L"e", unit::kLength, "IsNotConnecting", kGraphics);
}

void describePower(Meta& m) {
    m.PutUiListVar("PowerDirection", 1826, 1);
    m.AddUpdate("PowerDirection", kKinematics);

    // Power direction and absolute power of the gears of a pair, a carrier and a planetary stage,
    // each under a header naming its values.
    const struct {
        const char* direction;
        const char* header;
        int count;
        const wchar_t* columns[4];
    } absolute[] = {
        {"PowerDirectionAbsolute", "PowerAbsoluteHeader", 2, {L"", L"A", L"B", L""}},
        {"PowerDirectionAbsoluteCarrier", "PowerAbsoluteCarrierHeader", 1, {L"", L"A", L"", L""}},
        {"PowerDirectionAbsolutePlanetary", "PowerAbsolutePlanetaryHeader", 3, {L"", L"A", L"B", L"C"}},
    };
    for (const auto& a : absolute) {
        m.PutUiTextFuncVar(a.direction, 1825, a.count);
        m.AddReadOnlyFlag(a.direction);
        m.PutUiTextVar(a.header, a.columns[0], a.columns[1], a.columns[2], a.columns[3]);
    }

    fixedList(m, "PowerDirectionCalc", 1826, kPowerDirectionCalc, nullptr);
    m.AddReadOnlyFlag("PowerDirectionCalc");

    m.PutUiListVar("PowersplitReference", 1830, 1);
    m.AddUpdate("PowersplitReference", kKinematics);
    m.PutUiListVar("ReferenceBoundaryForRatio", 2546, 1);
    m.AddUpdate("ReferenceBoundaryForRatio", kKinematics);
    m.PutUiFuncVar("BoundarySpeedRatio", 2545, L"i", unit::kNone, 1, false);
    m.AddUpdate("BoundarySpeedRatio", kKinematics);

    fixedList(m, "TorquePowerLossEfficiencyInput", 1082, kTorquePowerLossEfficiencyInput, kKinematics);
    m.AddEditableCondition("TorquePowerLossEfficiencyInput", "IsLossInputEnabled");

    fixedList(m, "CoordinatesInput", 2549, kCoordinatesInput, kGraphics);
    shownNumber(m, "PositionX", 2552, L"x", unit::kLength, "IsCartesianCoordinates", kGraphics);
    shownNumber(m, "PositionZ", 2553, L"z", unit::kLength, "IsCartesianCoordinates", kGraphics);
    shownNumber(m, "PositionR", 2554, L"r", unit::kLength, "IsPolarCoordinates", kGraphics);
    shownNumber(m, "AnglePhi", 2555, L"&phi;", unit::kAngle, "IsPolarCoordinates", kGraphics);

    shownNumber(m, "Powerloss", 1246, L"P<sub>V", unit::kPower, "IsPowerLossSet", kKinematics);
    shownNumber(m, "Torqueloss", 1041, L"T<sub>V", unit::kTorque, "IsTorqueLossSet", kKinematics);

    m.PutUiFuncVar("Powersplit", 1829, L"", unit::kPercent, 1, false);
    m.AddEditButton("Powersplit", "IsPowerSplitGiven", "SetPowerSplitStatus");
    m.AddUpdate("Powersplit", kKinematics);
    m.SetRange("Powersplit", 0.0, 100.0);

    shownNumber(m, "SpeedSigned", 225, L"n", unit::kSpeed, "IsSpeedDefined", kKinematics);
    shownNumber(m, "TorqueSigned", 1041, L"T", unit::kTorque, "IsTorqueDefined", kKinematics);
    shownNumber(m, "PowerSigned", 1246, L"P", unit::kPower, "IsPowerDefined", kKinematics);
    fixedList(m, "TorqueSpeedPowerInputSigned", 1084, kTorqueSpeedPowerInputSigned, kKinematics);
    fixedList(m, "TorqueSpeedPowerRatioInput", 1085, kTorqueSpeedPowerRatioInput, kKinematics);

    m.PutUiFuncVar("Speed", 225, L"n", unit::kSpeed, 1, false);
    m.AddAuthorItCode("Speed", 8308);
    m.AddReadOnlyFlag("Speed");
    outputNumber(m, "Torque", 1041, L"T", unit::kTorque, 1);
    outputNumber(m, "PowerCalcAbsolute", 1246, L"P", unit::kPower, 2);
    outputNumber(m, "PowerCalcAbsoluteCarrier", 1246, L"P", unit::kPower, 1);
    outputNumber(m, "PowerCalcAbsolutePlanetary", 1246, L"P", unit::kPower, 3);
    outputNumber(m, "PowerCalc", 1246, L"P", unit::kPower, 1);
    outputNumber(m, "PowerCalcRelative", 1250, L"P<sub>rel", unit::kPower, 1);

    fixedList(m, "RoughLayoutGearsType", 1842, kRoughLayoutGearsType, kKinematicsAndGraphics);
}

void describeKinematics(Meta& m) {
    for (int n = 1; n <= 3; ++n) outputNumber(m, numbered("TorqueCalc", n).c_str(), 1041, L"T", unit::kTorque, 1);
    for (int n = 1; n <= 3; ++n) outputNumber(m, numbered("SpeedCalc", n).c_str(), 225, L"n", unit::kSpeed, 1);
    for (int n = 1; n <= 3; ++n)
        outputNumber(m, (numbered("SpeedCalc", n) + "Relative").c_str(), 2560, L"n<sub>rel", unit::kSpeed, 1);

    m.PutUiFuncVar("Ratio", 2544, L"i", unit::kNone, 1, false);
    m.AddUpdate("Ratio", kKinematics);
    m.AddEditableCondition("Ratio", "IsACopy", true);

    m.PutUiFuncVar("SpeedRatio", 2547, L"i<sub>n(A/B)", unit::kNone, 1, false);
    m.AddVisibleCondition("SpeedRatio", "IsSpeedRatioDefined");
    m.AddEditableCondition("SpeedRatio", "IsACopy", true);
    const struct {
        const char* name;
        int textId;
        const wchar_t* symbol;
        const char* definedWhile;
    } ratios[] = {{"TorqueRatio", 2548, L"i<sub>T(A/B)", "IsTorqueRatioDefined"},
                  {"PowerRatio", 2556, L"i<sub>P(A/B)", "IsPowerRatioDefined"}};
    for (const auto& r : ratios) {
        m.PutUiFuncVar(r.name, r.textId, r.symbol, unit::kNone, 1, false);
        m.AddVisibleCondition(r.name, r.definedWhile);
        m.AddEditableCondition(r.name, "IsACopy", true);
        m.AddUpdate(r.name, kKinematics);
    }
    for (int n = 1; n <= 3; ++n) {
        const std::string name = numbered("RatioCalc", n);
        m.PutUiFuncVar(name.c_str(), 2544, L"i", unit::kNone, 1, false);
        m.AddEditButton(name.c_str(), ("IsRatio" + std::to_string(n) + "Defined").c_str(),
                        ("SetRatio" + std::to_string(n) + "Status").c_str());
        m.AddUpdate(name.c_str(), kKinematics);
    }

    m.PutUiFuncVar("SpeedEfficiency", 21, L"&eta;<sub>n", unit::kPercent, 1, false);
    m.SetRange("SpeedEfficiency", 0.0, 100.0);
    m.AddEditButton("SpeedEfficiency", "IsSpeedEfficiencyDefined", "SetSpeedEfficiencyStatus");
    m.PutUiFuncVar("Efficiency", 1294, L"&eta;", unit::kPercent, 1, false);
    m.SetRange("Efficiency", 0.0, 100.0);
    shownNumber(m, "CorrectionFactor", 1295, L"f", unit::kNone, "IsLossCalculated", kKinematics);

    m.PutUiListVar("SenseOfRotation", 228, 1);
    m.AddUpdate("SenseOfRotation", kKinematics);
    for (int n = 1; n <= 3; ++n) {
        const std::string name = numbered("SenseOfRotationCalc", n);
        fixedList(m, name.c_str(), 228, kSenseOfRotation, nullptr);
        m.AddReadOnlyFlag(name.c_str());
    }

    m.PutUiFlagFuncVar("Switchable", 2600);
    m.AddUpdate("Switchable", kKinematicsAndGraphics);
    fixedList(m, "CurrentStatus", 2603, kCurrentStatus, kKinematicsAndGraphics);
}

void describeBearingsAndSupports(Meta& m) {
    fixedList(m, "BearingFixation", 1831, kBearingFixation, kGraphics);
    m.AddEditableCondition("BearingFixation", "IsShaftUnlocked");

    m.PutUiDBListVar("BearingSeries", 641, L"W000", L"W05BFORM", false);
    m.AddEditableCondition("BearingSeries", "IsShaftUnlocked");
    m.PutUiListVar("BearingIdentifier", 642, 1);
    m.AddUpdate("BearingIdentifier", kGraphics);
    m.AddEditableCondition("BearingIdentifier", "IsShaftUnlocked");
    m.PutUiTextFuncVar("BearingComment", 643, 1);
    m.AddReadOnlyFlag("BearingComment");

    m.PutUiListFuncVar("InnerDiameterList", 91, L"d", unit::kLength);
    m.AddSizeButton("InnerDiameterList", "SizeBearingInnerDiameter", "IsShaftUnlocked");
    const struct {
        const char* name;
        int textId;
        const wchar_t* symbol;
    } diameters[] = {{"InnerDiameter", 91, L"d"}, {"OuterDiameter", 92, L"D"}};
    for (const auto& d : diameters) {
        m.PutUiFuncVar(d.name, d.textId, d.symbol, unit::kLength, 1, false);
        m.AddUpdate(d.name, kGraphics);
        m.AddEditableCondition(d.name, "IsShaftUnlocked");
    }

    for (const char* name : {"SupportStatusUx", "SupportStatusUy", "SupportStatusUz", "SupportStatusRx", "SupportStatusRz"})
        fixedList(m, name, 2055, kSupportStatus, kGraphics);

    fixedList(m, "SupportFixation", 1831, kSupportFixation, kGraphics);
    m.AddEditableCondition("SupportFixation", "IsShaftUnlocked");
    fixedList(m, "ConnectionFixation", 2596, kConnectionFixation, kGraphics);
    m.AddEditableCondition("ConnectionFixation", "IsConnectionUnlocked");
    fixedList(m, "JournalFixation", 5297, kJournalFixation, kGraphics);
    m.AddEditableCondition("JournalFixation", "IsShaftUnlocked");
}

void describeGears(Meta& m) {
    m.PutUiFuncVar("TeethRatio", 1060, L"u", unit::kNone, 1, false);
    m.AddVisibleCondition("TeethRatio", "IsSecondGear");
    m.AddEditableCondition("TeethRatio", "IsTransUnlocked");
    m.AddUpdate("TeethRatio", kKinematicsAndGraphics);

    m.PutUiFuncVar("NumberOfTeeth", 1061, L"z", unit::kNone, 1, false);
    m.AddIntCondition("NumberOfTeeth");
    m.AddEditButton("NumberOfTeeth", "IsNumTeethDefined", "SetNumTeethStatus");
    m.AddEditableCondition("NumberOfTeeth", "IsTransUnlocked");
    m.AddUpdate("NumberOfTeeth", kKinematicsAndGraphics);

    gearNumber(m, "ModuleNormal", 1062, L"m<sub>n", unit::kLength);
    gearNumber(m, "ModuleMeanNormal", 1063, L"m<sub>mn", unit::kLength);
    gearNumber(m, "ModuleTransverse", 1064, L"m<sub>t", unit::kLength);
    gearNumber(m, "ModuleAxial", 1065, L"m<sub>x", unit::kLength);

    shownNumber(m, "Width", 1066, L"b", unit::kLength, "IsWidthDefined", kGraphics);

    m.PutUiFuncVar("Stiffness", 5610, L"c", unit::kStiffness, 1, false);
    m.AddEditableCondition("Stiffness", "IsConnectionUnlocked");
    m.PutUiFuncVar("RotationalStiffness", 5611, L"c<sub>&phi;", unit::kRotationalStiffness, 1, false);
    m.AddEditButton("RotationalStiffness", "IsWithRotationalStiffness", "SetWithRotationalStiffness");
    m.PutUiFuncVar("RotationalClearance", 5615, L"", unit::kSmallAngle, 2, false);
    m.AddEditButton("RotationalClearance", "IsWithRotationalClearance", "SetWithRotationalClearance");
    m.PutUiTextVar("RotationalClearanceHeader", L"", L"ccw", L"cw", L"");

    gearNumber(m, "Facewidth", 1067, L"b", unit::kLength);
    gearNumber(m, "FacewidthWormWheel", 1068, L"b<sub>2", unit::kLength);

    m.PutUiFuncVar("NumberOfPlanets", 500, L"", unit::kNone, 1, false);
    m.AddIntCondition("NumberOfPlanets");
    m.AddUpdate("NumberOfPlanets", kPlanetCopies);
    m.PutUiListVar("CurrentPlanet", 501, 1);
    m.AddUpdate("CurrentPlanet", kGraphics);

    m.PutUiFuncVar("Diameter", 1069, L"d", unit::kLength, 1, false);
    m.AddVisibleCondition("Diameter", "IsDiameterDefined");
    m.AddEditButton("Diameter", "IsDiameterNotFromShaft", "SetIsDiameterNotFromShaft");
    m.AddUpdate("Diameter", kGraphics);

    gearNumber(m, "HelixAngle", 1070, L"&beta;", unit::kAngle);
    gearNumber(m, "LeadAngle", 1071, L"&gamma;", unit::kAngle);
    gearNumber(m, "SpiralAngle", 1073, L"&beta;<sub>m", unit::kAngle);

    fixedList(m, "ToothGeometry", 3235, kToothGeometry, kGraphics);
    gearNumber(m, "PressureAngle", 158, L"&alpha;<sub>n", unit::kAngle);
    m.AddVisibleCondition("PressureAngle", "IsAsymmetricToothGeometry", true);
    m.PutUiTextVar("PressureAngleLeftRightHeader", L"", L"L", L"R", L"");
    m.AddVisibleCondition("PressureAngleLeftRightHeader", "IsAsymmetricToothGeometry");
    m.PutUiFuncVar("PressureAngleLeftRight", 158, L"&alpha;<sub>n", unit::kAngle, 2, false);
    m.AddVisibleCondition("PressureAngleLeftRight", "IsAsymmetricToothGeometry");

    fixedList(m, "OrientationFace", 1783, kOrientationFace, kGraphics);
    fixedList(m, "OrientationConical", 1949, kOrientationConical, kGraphics);
    fixedList(m, "OrientationCylindrical", 1954, kOrientationCylindrical, kGraphics);
    fixedList(m, "HandOfGearCylindrical", 1150, kHandOfGearCylindrical, kGraphics);
    m.AddEditableCondition("HandOfGearCylindrical", "IsHelicalGear");
    fixedList(m, "HandOfGearConical", 11150, kHandOfGearConical, kGraphics);
    fixedList(m, "HandOfGearCrossedOrFace", 1152, kHandOfGearCrossedOrFace, kGraphics);
    m.AddVisibleCondition("HandOfGearCrossedOrFace", "IsUsedInCrossedOrFaceGearCalculation");
    fixedList(m, "HandOfGearWorm", 1153, kHandOfGearWorm, kGraphics);

    m.PutUiFuncVar("MountingAngle", 2637, L"&delta;", unit::kAngle, 1, false);
    m.AddEditButton("MountingAngle", "IsMountingAngleSet", "SetMountingAngleStatus");
    m.AddUpdate("MountingAngle", kGraphics);
    m.AddInfoFile("MountingAngle", kMountingAnglePicture, L"");

    m.PutUiTextVar("PositionAccToCalc", 2638);
    m.AddEditButton("PositionAccToCalc", "IsPositionAccToCalc", "SetPositionAccToCalc");
    m.AddUpdate("PositionAccToCalc", kGraphics);

    m.PutUiFlagFuncVar("FullTreeGeneration", 2639);
    m.AddUpdate("FullTreeGeneration", false, false);
}

void describeShaftHubConnections(Meta& m) {
    m.PutUiFlagFuncVar("DiametersFromShafts", 5840);
    m.AddVisibleCondition("DiametersFromShafts", "IsUsedInShaftHubCalculation");
    m.AddUpdate("DiametersFromShafts", false, false);
    shaftHubNumber(m, "OutsideDiameterShaft", 5841, L"d<sub>a", unit::kLength, "IsDiametersFromShafts");
    shaftHubNumber(m, "JointDiameter", 5844, L"d<sub>F", unit::kLength, "IsDiametersFromShafts");
    shaftHubNumber(m, "InsideDiameterShaft", 5845, L"d<sub>i", unit::kLength, "IsDiametersFromShafts");
    shaftHubNumber(m, "ShaftBoreDiameter", 5846, L"d<sub>b", unit::kLength, "IsDiametersFromShafts");
    shaftHubNumber(m, "OutsideDiameterHub", 5847, L"D<sub>a", unit::kLength, "IsDiametersFromShafts");

    m.PutUiFlagFuncVar("ForcesMomentsFromShaftCalculation", 5848);
    m.AddVisibleCondition("ForcesMomentsFromShaftCalculation", "IsUsedInShaftHubCalculation");
    m.AddUpdate("ForcesMomentsFromShaftCalculation", false, false);
    const char* fromShafts = "IsForcesMomentsFromShaftCalculation";
    shaftHubNumber(m, "NominalTorque", 5849, L"T", unit::kTorque, fromShafts);
    shaftHubNumber(m, "AxialForce", 5850, L"F<sub>a", unit::kForce, fromShafts);
    shaftHubNumber(m, "RadialForce", 5851, L"F<sub>r", unit::kForce, fromShafts);
    shaftHubNumber(m, "ResultingShearingForce", 5852, L"F<sub>Q", unit::kForce, fromShafts);
    shaftHubNumber(m, "BendingMoment", 5853, L"M<sub>b", unit::kTorque, fromShafts);
    shaftHubNumber(m, "BendingMomentAtSupport", 5854, L"M<sub>bA", unit::kTorque, fromShafts);

    fixedList(m, "SplineCalculationMethod", 836, kSplineCalculationMethod, nullptr);
    m.AddVisibleCondition("SplineCalculationMethod", "IsUsedInShaftHubCalculation");
}

void describeThrustCones(Meta& m) {
    m.PutUiFlagFuncVar("ThrustConeBearing", 1244);
    m.AddUpdate("ThrustConeBearing", kGraphics);

    m.PutUiListVar("ReferenceMesh", 1245, 1);
    m.AddVisibleCondition("ReferenceMesh", "IsThrustConeBearing");
    m.AddEditButton("ReferenceMesh", "IsFromReferenceMesh", "SetIsFromReferenceMesh");

    m.PutUiFuncVar("RadiusToContact", 1248, L"r", unit::kLength, 1, false);
    m.AddVisibleCondition("RadiusToContact", "IsThrustConeBearing");
    m.AddEditableCondition("RadiusToContact", "IsNotFromReferenceMeshOrGiven");
    m.AddEditButton("RadiusToContact", "IsRadiusToContactGiven", "SetIsRadiusToContactGiven");

    m.PutUiFuncVar("PositionOfContact", 1247, L"a<sub>pos</sub>", unit::kAngle, 1, false);
    m.AddInfoFile("PositionOfContact", L"W-012_1.png", L"");
    m.AddEditableCondition("PositionOfContact", "IsFromReferenceMesh", true);
    m.AddVisibleCondition("PositionOfContact", "IsThrustConeBearing");
}

}  // namespace

void describeElementPanel(Meta& meta) {
    describePosition(meta);
    describeHousing(meta);
    describePlacement(meta);
    describePower(meta);
    describeKinematics(meta);
    describeBearingsAndSupports(meta);
    describeGears(meta);
    describeShaftHubConnections(meta);
    describeThrustCones(meta);
}

}  // namespace ds::s020
