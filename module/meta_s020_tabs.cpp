// Step 2 of Meta_S020 for the module's own tab records: the trees, the tables with their buttons
// and the controls of the assistant, rough-layout, tractive-power, contact-analysis, naming,
// default-geometry, general, settings, thermal-rating, variants, modal-analysis, Campbell,
// housing-deformation and ZF export screens. Controls bind the members of the given records;
// lists without a bound member and the values of "function" items belong to the host.
#include <limits>
#include <memory>

#include "drivesys/foundation/metavector.h"
#include "drivesys/module/meta_s020.h"
#include "drivesys/module/settings.h"
#include "drivesys/module/tabs.h"
#include "drivesys/module/thermal_rating.h"
#include "drivesys/module/zf_export.h"
#include "drivesys/platform/nmath/meta.h"

namespace ds::s020 {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr const wchar_t* kSizeIcon = L"button_size.svg";
constexpr const wchar_t* kSettingsIcon = L"button_settings.svg";
constexpr const wchar_t* kDatabaseTable = L"W000";
constexpr const wchar_t* kBearingTypeKey = L"W05BFORM";
// Text of the buttons that open a further input dialog.
constexpr int kMoreInputText = 2186;

constexpr nUiListEntry kReducerType[] = {{1843, 1}, {1844, 2}, {1845, 3}, {1846, 4}, {1847, 5}, {1848, 6}, {1849, 7}};
constexpr nUiListEntry kRoughLayoutCalculationType[] = {{4185, 0}, {4186, 1}, {4226, 2}};
constexpr nUiListEntry kShaftDeformationType[] = {{3517, 0}, {3519, 1}, {3520, 2}};
constexpr nUiListEntry kAccuracy[] = {{220, 0}, {339, 1}, {338, 2}, {337, 3}, {2173, 4}};
constexpr nUiListEntry kEpsilon[] = {{339, 0}, {338, 1}, {337, 2}, {2173, 3}};
constexpr nUiListEntry kSmoothing[] = {{2838, 0}, {339, 1}, {338, 2}, {337, 3}, {2173, 4}};
constexpr nUiListEntry kGeneralCalculationType[] = {{4388, 0}, {2737, 3}, {3889, 1}, {2738, 2}};
constexpr nUiListEntry kOrganizationType[] = {{506, 0}, {2571, 1}, {1107, 2}};

// A table whose rows the host takes from the model: the user edits cells but neither adds,
// removes nor reorders rows.
nTableSetup modelRows() {
    nTableSetup s;
    s.clear(TableAddRows).clear(TableDeleteRows).clear(TableMoveRows).clear(TableCopyRows).clear(TableInsertRows);
    return s;
}
// A table of results: rows from the model, nothing editable.
nTableSetup resultRows() {
    nTableSetup s = modelRows();
    s.clear(TableEditCells);
    return s;
}

void statusTable(Meta& m, const char* name, const nTableSetup& setup) {
    m.PutUiTableVar(name, setup);
    m.AddStatusButtons(name, true);
}

void helpTable(Meta& m, const char* name, const nTableSetup& setup, int helpCode) {
    m.PutUiTableVar(name, setup);
    m.AddAuthorItCode(name, helpCode);
}

// A check box bound to a bool member.
MetaVar* flag(Meta& m, const char* name, bool& member, int textId) { return m.PutUiFlagVar(name, member, textId, false); }

}  // namespace

void describeTreesAndTables(Meta& m, nvThermalRatingTab& thermal, nvZFGeneral& zfGeneral) {
    m.PutUiTreeVar("ObjectTreeShafts");
    m.PutUiTreeVar("ObjectTreeConstraints");

    m.PutUiTableVar("BoundaryTable", modelRows());
    m.PutUiTableVar("BCMatrixTable", nTableSetup{});
    m.PutUiTableVar("RatioTable", resultRows());
    m.PutUiTableVar("ShaftsDissipationTable", modelRows());
    m.PutUiTableVar("HousingDeformationTable", false);
    m.PutUiTableVar("additionalFrequenciesOrderTable", nTableSetup{});
    m.PutUiTableVar("additionalFrequenciesTable", nTableSetup{});

    statusTable(m, "PowersplitTable", modelRows());
    statusTable(m, "PowerlossTableHeader", resultRows());
    m.AddUpdate("PowerlossTableHeader", "onUpdateLossesTabSelection");

    m.PutUiTableVar("PowerlossTable", modelRows());
    m.AddIconButton("PowerlossTable", kSizeIcon, 3409, "onCreateMeshingLosses", L"");
    m.AddIconButton("PowerlossTable", kSizeIcon, 3408, "onCreateChurningLosses", L"");
    m.AddIconButton("PowerlossTable", kSizeIcon, 2585, "onCreateBearingLosses", L"");

    m.PutUiTableVar("SwitchingMatrixTable", nTableSetup{});
    m.AddImportAndLinkButton("SwitchingMatrixTable", "onRefreshSwitchMatrix");
    m.AddStatusButtons("SwitchingMatrixTable", true);
    m.AddSizeButton("SwitchingMatrixTable", "onCreateSwitchableMatrix");
    m.AddSizeToolTip("SwitchingMatrixTable", 2773);

    statusTable(m, "ZFTR06Table", modelRows());
    m.AddIconButton("ZFTR06Table", kSizeIcon, 6060, "onAssignSameMaterialRootAsFirstGearTR06", L"");
    m.AddIconButton("ZFTR06Table", kSizeIcon, 6061, "onAssignSameMaterialFlankFirstGearTR06", L"");
    m.PutUiFlagVar("TR06systemRefTorqueInd", zfGeneral.isZFTR06refTorqueIndividual, 5842, false);
    m.AddUpdate("TR06systemRefTorqueInd", "onTreatReferenceTorqueIndependentTR06");

    m.PutUiTableVar("LoadSpectrumTable", nTableSetup{});
    m.AddColumnButtons("LoadSpectrumTable");
    m.AddStatusButtons("LoadSpectrumTable", true);
    m.AddImportAndLinkButton("LoadSpectrumTable", "onRefreshLoadSpectrum");
    m.AddSizeButton("LoadSpectrumTable", "onSizeLoadSpectrumBoundaries");
    m.AddSizeToolTip("LoadSpectrumTable", 4700);

    m.PutUiTableVar("ContactAnalysisTable", modelRows());
    m.AddSizeButton("ContactAnalysisTable", "S020_contact_analysis_table_sizing.nui");

    statusTable(m, "SystemDataTable", modelRows());

    m.PutUiTableVar("DatFilesTable", nTableSetup{});
    m.AddVisibleCondition("DatFilesTable");
    m.AddEditableCondition("DatFilesTable");
    m.AddInfoFile("DatFilesTable", L"TorqueRippleSpec.png", L"");
    m.AddAuthorItCode("DatFilesTable", 11599);

    for (const char* name : {"ForcedResponseRecurDynGearsTable", "ForcedResponseRecurDynShaftsTable",
                             "ForcedResponseRecurDynBushingElementsTable"})
        helpTable(m, name, modelRows(), 11676);

    m.PutUiTableVar("ForcedResponseInputGearPairsSelectionTable", modelRows());
    m.AddVisibleCondition("ForcedResponseInputGearPairsSelectionTable");
    m.AddEditableCondition("ForcedResponseInputGearPairsSelectionTable");
    m.AddStatusButtons("ForcedResponseInputGearPairsSelectionTable", true);
    m.AddAuthorItCode("ForcedResponseInputGearPairsSelectionTable", 11666);
    for (const char* name : {"ForcedResponseOutputGearPairsSelectionTable", "ForcedResponseOutputBearingsSelectionTable",
                             "ForcedResponseOutputDocPointsSelectionTable"}) {
        statusTable(m, name, modelRows());
        m.AddAuthorItCode(name, 11598);
    }

    m.PutUiTableVarFromVectorStruct(
        "FoundationsTable", std::make_unique<MetaVectorStruct<nvFoundationElement>>(&thermal.foundations), nTableSetup{});
    m.AddEditableCondition("FoundationsTable", "IsFoundationTableEditable");

    m.PutUiTableVar("OperatingModesTable", nTableSetup{});
    m.AddSizeButton("OperatingModesTable", "onSizeOperatingModes");

    m.PutUiTableVar("VariantsTable", nTableSetup{});
    m.AddColumnButtons("VariantsTable");
    m.AddStatusButtons("VariantsTable", true);
    m.AddImportAndLinkButton("VariantsTable", "onRefreshVariantsTable");
    m.AddIconButton("VariantsTable", kSizeIcon, 4066, "onCreateGearVariants", L"");
    m.AddIconButton("VariantsTable", kSizeIcon, 4067, "onCreateShaftVariants", L"");
    m.AddIconButton("VariantsTable", kSizeIcon, 4818, "onCreateConnectionVariants", L"");

    m.PutUiTableVar("ZFLKimportTable", nTableSetup{});
    m.AddColumnButtons("ZFLKimportTable");
    m.AddStatusButtons("ZFLKimportTable", true);

    m.PutUiTableVar("ZBFTable", nTableSetup{});
    m.AddColumnButtons("ZBFTable");
    m.AddStatusButtons("ZBFTable", true);
    m.AddSizeButton("ZBFTable", "onSizeLoadZBFboundaries");
    m.AddSizeToolTip("ZBFTable", 4700);
    m.AddImportAndLinkButton("ZBFTable", "onRefreshZBF");
    m.AddIconButton("ZBFTable", kSettingsIcon, 2585, "C_ZF_S020_ZBF_Settings.nui", L"");

    for (const char* name : {"bearingFrequencySelectionTable", "gearStageFrequencySelectionTable",
                             "shaftFrequencySelectionTable", "sidebandSelectionTable", "L2HP_bearingsTableSystem"})
        statusTable(m, name, modelRows());
}

void describeAssistant(Meta& m, nvAssistantTab& t) {
    const struct {
        const char* name;
        int nvAssistantTab::*member;
    } fields[] = {
        {"NoOfGearPairs", &nvAssistantTab::numOfGearPairs},
        {"NoOfThreeGearChains", &nvAssistantTab::numOfThreeGearChains},
        {"NoOfFourGearChains", &nvAssistantTab::numOfFourGearChains},
        {"NoInGearPairChain", &nvAssistantTab::numInGearPairChain},
        {"NoOfBevelGearPairs", &nvAssistantTab::numOfBevelGearPairs},
        {"NoOfFacegearPairs", &nvAssistantTab::numOfFacegearPairs},
        {"NoOfWormGearPairs", &nvAssistantTab::numOfWormGearPairs},
        {"NoOfSkewGearPairs", &nvAssistantTab::numOfSkewGearPairs},
        {"NoOfMinus", &nvAssistantTab::numOfMinus},
        {"NoOfPlus", &nvAssistantTab::numOfPlus},
        {"NoOfWolfrom", &nvAssistantTab::numOfWolfrom},
        {"NoOfRavigneaux", &nvAssistantTab::numOfRavigneaux},
        {"NoOfFixGears", &nvAssistantTab::numOfFixGears},
        {"NoOfLooseGears", &nvAssistantTab::numOfLooseGears},
        {"NoOfTopSwitchableStages", &nvAssistantTab::numOfTopSwitchableStages},
        {"NoOfBottomSwitchableStages", &nvAssistantTab::numOfBottomSwitchableStages},
    };
    int textId = 4150;
    for (const auto& f : fields) {
        m.PutUiVar(f.name, t.*f.member, textId++, L"");
        m.AddIntCondition(f.name);
    }
}

void describeRoughLayout(Meta& m, nvRoughLayoutTab& t) {
    flag(m, "RoughLayoutAutoSize", t.autoSize, 4180);
    m.PutUiListFuncVar("RoughLayoutCalculationType", 4184, L"", kRoughLayoutCalculationType);
    flag(m, "RoughLayoutGears", t.roughLayoutGears, 4181);
    m.PutUiListVar("RoughLayoutReducerType", t.reducerType, 1842, kReducerType);
    m.AddEditableCondition("RoughLayoutReducerType", t.roughLayoutGears);
    flag(m, "RoughLayoutShafts", t.roughLayoutShafts, 4182);

    // Everything from the bearing sizing on depends on sizing the shafts; the bearing options on
    // sizing the bearings too.
    flag(m, "RoughLayoutConsiderBearingsSizing", t.considerBearingsSizing, 4187);
    m.AddEditableCondition("RoughLayoutConsiderBearingsSizing", t.roughLayoutShafts);
    m.PutUiVar("RoughLayoutBearingLifetimeSizing", t.bearingLifetimeSizing, 4188, L"N<sub>l</sub>", unit::kLifetimeH);
    m.AddEditableCondition("RoughLayoutBearingLifetimeSizing", t.roughLayoutShafts);
    m.AddVisibleCondition("RoughLayoutBearingLifetimeSizing", t.considerBearingsSizing);
    flag(m, "RoughLayoutRoundDiameterSizing", t.roundDiameterSizing, 4189);
    m.AddEditableCondition("RoughLayoutRoundDiameterSizing", t.roughLayoutShafts);
    m.AddVisibleCondition("RoughLayoutRoundDiameterSizing", t.considerBearingsSizing);
    flag(m, "RoughLayoutUseExistingTypeSizing", t.useExistingTypeSizing, 4190);
    m.AddEditableCondition("RoughLayoutUseExistingTypeSizing", t.roughLayoutShafts);
    m.AddVisibleCondition("RoughLayoutUseExistingTypeSizing", t.considerBearingsSizing);
    m.PutUiDBListVar("RoughLayoutBearingType", t.bearingType, 4191, kDatabaseTable, kBearingTypeKey, false);
    m.AddVisibleCondition("RoughLayoutBearingType", "isRoughLayoutBearingTypeSizingVisible");
    m.AddEditableCondition("RoughLayoutBearingType", t.roughLayoutShafts);
    flag(m, "RoughLayoutMoveBearing", t.moveBearing, 4192);
    m.AddEditableCondition("RoughLayoutMoveBearing", t.roughLayoutShafts);
    m.AddVisibleCondition("RoughLayoutMoveBearing", t.considerBearingsSizing);
    flag(m, "RoughLayoutFirstBearing", t.firstBearing, 4193);
    m.AddEditableCondition("RoughLayoutFirstBearing", t.roughLayoutShafts);
    m.AddVisibleCondition("RoughLayoutFirstBearing", t.considerBearingsSizing);
    m.PutUiVar("RoughLayoutEquivalentStressSizing", t.equivalentStressSizing, 4197, L"\u03c3<SUB>v</SUB>", unit::kStress);
    m.AddEditableCondition("RoughLayoutEquivalentStressSizing", t.roughLayoutShafts);
    flag(m, "RoughLayoutChangeOnlyDiameter", t.changeOnlyDiameter, 4198);
    m.AddEditableCondition("RoughLayoutChangeOnlyDiameter", t.roughLayoutShafts);
    flag(m, "RoughLayoutLeaveSections", t.leaveSections, 4199);
    m.AddEditableCondition("RoughLayoutLeaveSections", t.roughLayoutShafts);
    m.AddVisibleCondition("RoughLayoutLeaveSections", t.changeOnlyDiameter);
}

void describeTractivePower(Meta& m, nvTractivePowerTab& t) {
    m.PutUiVar("MassOfVehicle", t.m_F, 4240, L"m<sub>F", unit::kMass);
    m.PutUiVar("RollingResistance", t.f_R, 4241, L"f<sub>R");
    m.PutUiVar("AerodynamicResistance", t.c_W, 4242, L"c<sub>W");
    m.PutUiVar("ProjectedSurface", t.A, 4243, L"A", unit::kArea);
    m.PutUiVar("DynamicWheelRadius", t.r_dyn, 4244, L"r<sub>dyn", unit::kWheelRadius);
    m.PutUiVar("AlphaAscendingSlope", t.alpha, 4245, L"&alpha;", unit::kSmallAngle);
    m.PutUiVar("RatioOfDifferential", t.i_diff, 4246, L"i<sub>diff");
}

void describeContactAnalysis(Meta& m, nvContactAnalysisTab& t) {
    m.PutUiListVar("ReferenceGear", 3510, 1);
    m.AddVisibleCondition("ReferenceGear", "useReferenceGear");
    m.PutUiListVar("ReferenceBoundary", 3511, 1);
    m.AddVisibleCondition("ReferenceBoundary", "useReferenceGear", true);

    m.PutUiVar("Pitches", t.pitches, 3512, L"");
    m.SetRange("Pitches", 0.0, kLargest);
    m.AddSizeButton("Pitches", "contactAnalysisSizePitches");
    m.PutUiVar("Steps", t.steps, 3513, L"");
    m.AddSizeButton("Steps", "contactAnalysisSizeSteps");
    flag(m, "PowersplitFromContactAnalysis", t.calculateSplitRatios, 3514);
    m.PutUiVar("debug_damping_factor", t.debug_damping_factor, 3521, L"debug_damping_factor");
    m.PutUiVar("debug_max_deviation_factor", t.debug_max_deviation_factor, 3522, L"debug_delta_factor");
    m.PutUiVar("debug_max_iteration_factor", t.debug_max_iteration_factor, 3523, L"debug_max_iter_factor");
    m.PutUiListVar("ShaftDeformationType", t.shaftDeformationType, 3516, kShaftDeformationType);

    m.PutUiListVar("Accuracy", t.accuracy, 3515, kAccuracy);
    m.AddPlusButton("Accuracy", kMoreInputText, "S020_contact_analysis_resolution.nui", "isCustomCAResolution");
    m.AddUpdate("Accuracy", "contactAnalysisUpdateResolution");
    m.PutUiVar("Slices", t.slices, 3518, L"");
    m.PutUiListVar("Epsilon", t.epsilonID, 3524, kEpsilon);
    m.AddUpdate("Epsilon", "contactAnalysisUpdateResolution");

    flag(m, "SizeFrictionCoefficient", t.sizeFrictionCoefficient, 3525);
    flag(m, "SizePitchDeviation", t.sizePitchDeviation, 3526);
    m.AddInfoFile("SizePitchDeviation", L"fptInfo.png", L"");

    flag(m, "useReferenceGear", t.useReferenceGear, 3527);
    m.PutUiListVar("smoothing", t.smoothing, 3528, kSmoothing);
}

void describeNamingRules(Meta& m, SystemNamingSettings& n) {
    using N = SystemNamingSettings;
    const struct {
        const char* name;
        SystemNaming N::*rule;
    } fields[] = {
        {"BearingName", &N::bearings},
        {"SlidingBearingName", &N::slidingBearings},
        {"SupportName", &N::supportGenerals},
        {"CarrierName", &N::carriers},
        {"SynchroName", &N::synchronizers},
        {"CouplingName", &N::couplings},
        {"BoundaryName", &N::boundarys},
        {"CouplingConnecName", &N::couplingconnections},
        {"ForceConnecName", &N::forcetransfers},
        {"PowersplitName", &N::powersplits},
        {"PowerlossName", &N::powerlosses},
        {"GroupName", &N::groups},
        {"ShaftName", &N::shafts},
        {"GearName", &N::gears},
        {"BevelHypoGearName", &N::bevelHypos},
        {"WormName", &N::worms},
        {"WormGearName", &N::wormGears},
        {"FaceGearName", &N::faceGears},
        {"RopeSheaveName", &N::ropeSheaves},
        {"MagneticForceName", &N::magneticforces},
        {"CentricalLoadName", &N::centricalloads},
        {"ExcentricalLoadName", &N::excentricalloads},
        {"AdditionalMassName", &N::additionalmasses},
        {"ShaftCalcName", &N::shaftCalcs},
        {"CrossedHelicalGearPairCalcName", &N::crossedHelicalGearPairCalcs},
        {"HelicalGearPairCalcName", &N::helicalGearPairCalcs},
        {"ThreeGearPairCalcName", &N::threeGearPairCalcs},
        {"FourGearPairCalcName", &N::fourGearPairCalcs},
        {"PlanetaryCalcName", &N::planetaryCalcs},
        {"BevelHypoGearPairCalcName", &N::bevelHypoGearPairCalcs},
        {"FaceGearPairCalcName", &N::faceGearPairCalcs},
        {"WormGearPairCalcName", &N::wormGearPairCalcs},
        {"VBeltCalcName", &N::vBeltCalcs},
        {"ToothedBeltCalcName", &N::toothedBeltCalcs},
        {"ChainDriveCalcName", &N::chainDriveCalcs},
        {"HousingName", &N::housings},
        {"KeyCalcName", &N::keyCalcs},
        {"StraightSplineCalcName", &N::straightSplineCalcs},
        {"SplineStrengthCalcName", &N::splineStrengthCalcs},
        {"SplineGeometryCalcName", &N::splineGeometryCalcs},
        {"PolygonCalcName", &N::polygonCalcs},
        {"WoodruffKeyCalcName", &N::woodruffKeyCalcs},
        {"CylindricalInterferenceCalcName", &N::cylindricalInterferenceCalcs},
        {"ConicalInterferenceCalcName", &N::conicalInterferenceCalcs},
        {"ClampedConnectionCalcName", &N::clampedConnectionCalcs},
    };
    int textId = 5900;
    for (const auto& f : fields) m.PutUiVar(f.name, (n.*f.rule).name, textId++, L"");
}

void describeDefaultGeometry(Meta& m, nvDefaultGeometry& g) {
    m.PutUiVar("dimensionsFactor", g.dimensionsFactor, 5950, L"f<sub>dim");
    m.AddUpdate("dimensionsFactor", "UpdateDefaultDimensions");
    m.PutUiVar("modulesFactor", g.modulesFactor, 5951, L"f<sub>m");
    m.AddUpdate("modulesFactor", "UpdateDefaultModules");
    m.PutUiTextVar("headerWidthAndDiameter", 5952);
    m.PutUiTextVar("headerAdditionalData", 5953);
    m.PutUiTextVar("headerRollerBearing", 5954);
    m.PutUiTextVar("headerPlainBearing", 5955);

    // Width (or length) and diameter of each element kind, shown as one pair.
    m.PutUiVar("shaftCylinderGeo", g.cylinder.length, g.cylinder.externalDiameter, 5956, L"", unit::kLength);
    const struct {
        const char* name;
        GearGeom nvDefaultGeometry::*geom;
        int textId;
    } gears[] = {{"cylGearGeo", &nvDefaultGeometry::gear, 5957},
                 {"bevelGearGeo", &nvDefaultGeometry::bevel, 5958},
                 {"wormGeo", &nvDefaultGeometry::worm, 5959},
                 {"wormWheelGeo", &nvDefaultGeometry::wormWheel, 5960},
                 {"faceGearGeo", &nvDefaultGeometry::face, 5961}};
    for (const auto& e : gears) m.PutUiVar(e.name, (g.*e.geom).width, (g.*e.geom).diameter, e.textId, L"", unit::kLength);
    m.PutUiVar("pulleyGeo", g.rope_sheave.width, g.rope_sheave.diameter, 5962, L"", unit::kLength);
    m.PutUiVar("couplingGeo", g.coupling.width, g.coupling.diameter, 5963, L"", unit::kLength);

    m.PutUiVar("faceGearHeight", g.face.height, 5964, L"h", unit::kLength);
    m.PutUiVar("pulleyCenterDistance", g.rope_sheave.centerDistance, 5965, L"a", unit::kLength);
    m.PutUiVar("cylAndFaceGearModule", g.gear.module, 5966, L"m<sub>n", unit::kLength);
    m.PutUiVar("bevelGearModule", g.bevel.module, 5967, L"m<sub>n", unit::kLength);
    m.PutUiVar("wormAndWheelModule", g.worm.module, 5968, L"m<sub>x", unit::kLength);
    m.PutUiVar("hubBoreGeo", g.cylinder.internalDiameter, 5969, L"d<sub>i", unit::kLength);
    m.PutUiDBListVar("bearingsDefaultType", 5970, kDatabaseTable, kBearingTypeKey, false);
    m.PutUiVar("plainBearingWidth", g.plainBearing.width, 5971, L"b", unit::kLength);
    m.PutUiVar("plainBearingStiffness", g.plainBearing.stiffness, 5972, L"c", unit::kStiffness);
    m.PutUiVar("switchableRotationalStiffness", g.switchable.stiffness, 5973, L"c<sub>&phi;", unit::kRotationalStiffness);
    m.PutUiVar("switchableRotationalClearance", g.switchable.counterClockwiseClearance, g.switchable.clockwiseClearance,
               5974, L"", unit::kSmallAngle);
}

void describeGeneral(Meta& m, nvLoadSpectrumTab& spectrum, nvPowerLossesTab& losses) {
    m.PutUiListFuncVar("GeneralCalculationType", 4387, L"", kGeneralCalculationType);
    m.AddUpdate("GeneralCalculationType", "KeepSystemSpectrums");
    m.PutUiListVar("ReferenceOperatingMode", 4389, 1);
    m.AddPlusButton("ReferenceOperatingMode", kMoreInputText, "onOperatingModes");
    m.PutUiLSVar("LoadSpectrumType", spectrum.loadSpectrumType);
    m.AddUpdate("LoadSpectrumType", "onQueuedUpdateKinematicsAndGraphicsAndKeepSystemSpectrums");
    flag(m, "SetLoadBinAsTemporaryNominalLoad", spectrum.setLoadBinAsTemporaryNominalLoad, 4390);
    m.AddVisibleCondition("SetLoadBinAsTemporaryNominalLoad", "IsOneElementConsidered");
    m.AddUpdate("SetLoadBinAsTemporaryNominalLoad", "onQueuedUpdateKinematicsAndGraphicsAndActivateLoadBinTransfer");
    flag(m, "RecalculateLossesAndForces", spectrum.recalculateLossesAndForcesForEachBin, 4391);
    m.AddVisibleCondition("RecalculateLossesAndForces", "IsNominalLoadOrKinematicsOnly", true);
    m.AddUpdate("RecalculateLossesAndForces", "onQueuedSetInkonsistent");
    m.PutUiVar("MaxEfficiencyDeviation", losses.maxEfficiencyDeviation, 4392, L"&Delta;&eta;", unit::kPercent);
    m.SetRange("MaxEfficiencyDeviation", 0.0, 100.0);
    m.PutUiVar("MaxNumberOfIterations", losses.maxNumberOfIterations, 4393, L"");
    m.SetRange("MaxNumberOfIterations", 0.0, 100.0);
    m.PutUiListVar("CurrentVariant", 4394, 1);
    flag(m, "ConnectOperatingModes", spectrum.connectOperatingModes, 4395);
}

void describeSettings(Meta& m, nvSettingsTab& s) {
    nv3DViewerDefaults& viewer = s.default3DViewerValues;
    nvCalculationSettings& calc = s.calculationSettings;
    flag(m, "UseConesInsteadOfCylinders", viewer.useConesInsteadOfCylinders, 5980);
    flag(m, "MergeCylindersOrCones", viewer.mergeCylindersOrCones, 5981);
    flag(m, "UseSimplifiedGears", viewer.useSimplifiedGears, 5982);
    flag(m, "UseSimplifiedBearings", viewer.useSimplifiedBearings, 5983);
    flag(m, "OnItemManipulation", calc.createBackupOnItemManipulation, 5984);
    flag(m, "OnDotManipulation", calc.createBackupOnDotManipulation, 5985);
    flag(m, "OnCloseSubModule", calc.createBackupOnCloseSubModule, 5986);
    flag(m, "SuppressSubmodulesMessages", calc.supressSubmodulesMessages, 5987);
    flag(m, "ShowLockSubmodulesMessages", calc.showLockSubmodulesMessages, 5988);
    flag(m, "CreatePlanetCopies", calc.createPlanetCopies, 5989);
    m.AddUpdate("CreatePlanetCopies", "UpdatePlanetCopies");
    flag(m, "HidePlanetCopies", calc.hidePlanetCopies, 5990);
    m.AddUpdate("HidePlanetCopies", "UpdatePlanetCopies_temp");
    flag(m, "UpdateShaftsPositions", calc.updateShaftsPositions, 5991);
    // Outside the record's member list: named for the dump here.
    m.addKnownMember(&calc.setGearsAxialOffsets, "nvSettingsTab", "calculationSettings.setGearsAxialOffsets");
    flag(m, "SetGearsAxialOffsets", calc.setGearsAxialOffsets, 5992);
}

void describeThermalRating(Meta& m, nvThermalRatingTab& t) {
    nvHousingDissipation& h = t.housingDissipation;
    short& method = t.heatDissipCalcMethod;
    // Items of the detailed method (0) and of the simplified ones (any other value).
    const auto detailed = [&](const char* name) { m.AddVisibleCondition(name, method, 0); };
    const auto simplified = [&](const char* name) { m.AddVisibleCondition(name, method, 0, true); };

    m.PutUiVar("HeatDissipationCalcMethod", method, 6000, L"");
    m.PutUiVar("ThermalBalanceType", t.thermalBalanceType, 6001, L"");
    m.PutUiVar("OilTemperature", t.Toil, 6002, L"T<sub>oil", unit::kTemperature);
    m.AddVisibleCondition("OilTemperature");
    m.PutUiVar("CoolerPower", t.coolerPower, 6003, L"P<sub>C", unit::kPower);
    m.AddVisibleCondition("CoolerPower");
    m.PutUiVar("AmbientTemperature", t.Tamb, 6004, L"T<sub>amb", unit::kTemperature);
    m.PutUiVar("EmissionRatio", h.epsilon, 6005, L"&epsilon;");
    m.PutUiVar("HousingHeight", h.hCa, 6006, L"h<sub>Ca", unit::kLength);
    m.AddSizeButton("HousingHeight", "SizeHousingHeight");
    m.PutUiVar("HousingThermalConductivity", h.lambdaWall, 6007, L"&lambda;<sub>wall", unit::kThermalConductivity);

    const struct {
        const char* name;
        bool nvHousingDissipation::*with;
        int textId;
        const char* dialog;
    } options[] = {{"ThermalFinning", &nvHousingDissipation::withFinning, 6008, "S020_ThermalFinning.nui"},
                   {"Foundations", &nvHousingDissipation::withFoundations, 6009, "S020_Foundations.nui"},
                   {"ForcedConvection", &nvHousingDissipation::forcedConvection, 6010, "S020_ForcedConvection.nui"},
                   {"OutcomingShafts", &nvHousingDissipation::withOutcomingShafts, 6011, "S020_OutcomingShafts.nui"}};
    for (const auto& o : options) {
        flag(m, o.name, h.*o.with, o.textId);
        m.AddPlusButton(o.name, kMoreInputText, o.dialog);
    }

    m.PutUiVar("ExternalHousingArea", h.Aca, 6012, L"A<sub>Ca", unit::kArea);
    m.AddSizeButton("ExternalHousingArea", "SizeExternalHousingArea");
    detailed("ExternalHousingArea");
    m.PutUiVar("InternalHousingArea", h.Aoil, 6013, L"A<sub>oil", unit::kArea);
    m.AddSizeButton("InternalHousingArea", "SizeInternalHousingArea");
    detailed("InternalHousingArea");
    m.PutUiVar("RatioWallonOilTemperature", h.ratioWallonOil, 6014, L"f<sub>wall");
    detailed("RatioWallonOilTemperature");
    m.PutUiVar("HousingThickness", h.deltaWall, 6015, L"&delta;<sub>wall", unit::kLength);
    detailed("HousingThickness");
    m.PutUiVar("HousingProjectedSurface", h.AproTotal, 6016, L"A<sub>pro", unit::kArea);
    simplified("HousingProjectedSurface");
    m.PutUiVar("HousingLength", h.lX, 6017, L"l<sub>X", unit::kLength);
    simplified("HousingLength");
    m.PutUiVar("AirFlowVelocity", h.vAir, 6018, L"v<sub>air", unit::kVelocity);
    m.PutUiVar("VentilatedHousingArea", h.Aair, 6019, L"A<sub>air", unit::kArea);
    detailed("VentilatedHousingArea");
    m.PutUiVar("CoolingAirTemperature", h.Tair, 6020, L"T<sub>air", unit::kTemperature);
    detailed("CoolingAirTemperature");
    m.PutUiVar("HousingLengthFlowDirection", h.lX, 6021, L"l<sub>X", unit::kLength);
    detailed("HousingLengthFlowDirection");
    m.PutUiVar("ThicknessOneFin", h.deltaFin, 6022, L"&delta;<sub>fin", unit::kLength);
    m.PutUiVar("DepthOneFin", h.lFin, 6023, L"l<sub>fin", unit::kLength);
    m.PutUiVar("NumberOfFins", h.nFin, 6024, L"n<sub>fin");
    simplified("NumberOfFins");
    m.PutUiVar("ProjectedFinArea", h.Apro, 6025, L"A<sub>pro,fin", unit::kArea);
    detailed("ProjectedFinArea");
    m.PutUiVar("TotalFinArea", h.Afin, 6026, L"A<sub>fin", unit::kArea);
    detailed("TotalFinArea");
    m.PutUiVar("HousingFootprintArea", h.Afoot, 6027, L"A<sub>foot", unit::kArea);
    m.PutUiVar("FoundationsThermalConductivity", h.lambdaFun, 6028, L"&lambda;<sub>fun", unit::kThermalConductivity);
    m.PutUiVar("HousingBottomArea", h.Abot, 6029, L"A<sub>bot", unit::kArea);
    detailed("HousingBottomArea");
    flag(m, "InsulationUnderneath", h.insulatedUnderneath, 6030);
    detailed("InsulationUnderneath");
}

void describeVariants(Meta& m, nvVariantsTab& t) {
    m.PutUiListVar("OrganizationType", t.organizationType, 4060, kOrganizationType);
    m.AddUpdate("OrganizationType", "onRefreshVariantsTable");
    m.PutUiDirVar("MainFolder", t.mainFolderName, 4061);
    m.AddEditButton("MainFolder", "IsMainFolderSet", "SetMainFolderStatus");
    m.AddUpdate("MainFolder", "onRefreshVariantsTable");
}

void describeModalAnalysis(Meta& m, nvModalAnalysisTab& t) {
    m.PutUiListVar("gearMeshStiffnessCalcTypeModal", 2480, 1);
    m.PutUiVar("numEigenFreqsModal", t.numEigenFrequencies, 2481, L"n<sub>eig");
    flag(m, "solveOnlyTorsionalVibrations", t.solveOnlyTorsionalVibrations, 2482);
    flag(m, "considerGyroscopicEffectModal", t.considerGyroscopicEffects, 2483);
}

void describeCampbellDiagram(Meta& m, nvCampbellDiagramTab& t) {
    m.PutUiListVar("gearMeshStiffnessCalcTypeCampbell", 2480, 1);
    m.PutUiListVar("boundarySelectionCampbell", 2484, 1);
    m.PutUiVar("numEigenFreqsCampbell", t.numEigenFrequencies, 2481, L"n<sub>eig");
    m.PutUiVar("speedRangeCampbell", t.speedMin, t.speedMax, 2485, L"n", unit::kSpeed);
    m.PutUiVar("nStepsCampbell", t.numCalculationPoints, 2486, L"n<sub>steps");
    m.PutUiVar("nResCurvesCampbell", t.numResonanceCurves, 2487, L"n<sub>res");
    flag(m, "considerGyroscopicEffectsCampbell", t.considerGyroscopicEffects, 2483);
}

void describeHousingDeformation(Meta& m, nvHousingDeformationTab& t) {
    m.PutUiListVar("selectHousing", 4020, 1);
    m.AddUpdate("selectHousing", "onRefreshHousingDeformation");
    m.PutUiVar("housingConvergenceAccuracy", t.convergenceAccuracy, 4021, L"");
}

void describeZFExport(Meta& m, nvExportStiffnesZF& stiffness, nvZFGeneral& general) {
    nvPrintfixZF& print = general.nPrintfixZF;
    flag(m, "isExportStiffnessMatrix", stiffness.isExportStiffness, 6100);
    flag(m, "isExportDamageMatrix", general.isExportDamage, 6101);
    flag(m, "isPrintFix", print.isPrintFix, 6102);
    m.PutUiDirVar("exportSpecialZFfolder", general.exportFolderPath, 6103);

    // One bool shown twice: global, and its negation as local.
    flag(m, "isExportStiffnesMatrixGlobal", stiffness.isGlobal, 6104);
    m.AddVisibleCondition("isExportStiffnesMatrixGlobal", stiffness.isExportStiffness);
    m.AddUpdate("isExportStiffnesMatrixGlobal", false, false);
    m.PutUiFlagVar("isExportStiffnesMatrixLocal", stiffness.isGlobal, 6105, true);
    m.AddVisibleCondition("isExportStiffnesMatrixLocal", stiffness.isExportStiffness);
    m.AddUpdate("isExportStiffnesMatrixLocal", false, false);
    m.PutUiBlock({"isExportStiffnesMatrixGlobal", "isExportStiffnesMatrixLocal"}, L"", kBlockMode);
    flag(m, "isExportStiffnesMatrixGears", stiffness.isGears, 6106);
    m.AddVisibleCondition("isExportStiffnesMatrixGears", stiffness.isExportStiffness);
    flag(m, "isExportStiffnesMatrixBearings", stiffness.isBearings, 6107);
    m.AddVisibleCondition("isExportStiffnesMatrixBearings", stiffness.isExportStiffness);

    const struct {
        const char* name;
        bool nvPrintfixZF::*member;
        int textId;
    } gle[] = {{"isGLE", &nvPrintfixZF::isGLE, 6108},
               {"isGLEextended", &nvPrintfixZF::isGLEextended, 6109},
               {"isGLEcomprehensive", &nvPrintfixZF::isGLEcomprehensive, 6110},
               {"isGLEcomponent", &nvPrintfixZF::isGLEcomponent, 6111}};
    for (const auto& g : gle) {
        flag(m, g.name, print.*g.member, g.textId);
        m.AddVisibleCondition(g.name, print.isPrintFix);
    }

    m.PutUiVar("exportDamageReferenceCycles", general.referenceCycles, 6112, L"N<sub>ref");
    m.SetRange("exportDamageReferenceCycles", 0.0001, kLargest);
    m.AddVisibleCondition("exportDamageReferenceCycles", general.isExportDamage);
    m.PutUiVar("exportDamageReferenceHours", general.referenceHours, 6113, L"H<sub>ref", unit::kLifetimeH);
    m.AddVisibleCondition("exportDamageReferenceHours", general.isExportDamage);
    m.PutUiBlock({"exportDamageReferenceCycles", "exportDamageReferenceHours"}, L"", kBlockMode);
    m.PutUiListVar("exportDamageReferenceBoundary", 6114, 1);
    m.AddVisibleCondition("exportDamageReferenceBoundary", general.isExportDamage);

    m.PutUiDirVar("ZBFfileLocation", general.ZBFfileLocation, 6115);
    flag(m, "isHVfromNorvane", general.ZBFisHVfromNorvane, 6116);
    m.PutUiVar("XL_Schlenk", general.ZBFxl_Schlenk, 6117, L"XL<sub>Schlenk</sub>");
    m.PutUiVar("XL_EHD", general.ZBFxl_EHD, 6118, L"XL<sub>EHD</sub>");
    flag(m, "isUserInputOfDeci", general.ZBFisInputNumbOfDeci, 6119);
    m.PutUiVar("ZBFnumberOfDecimals", general.ZBFnumberOfDecimals, 6120, L"");
    m.SetDefaultDecimals("ZBFnumberOfDecimals", 0);
    m.SetRange("ZBFnumberOfDecimals", 1.0, 20.0);
    m.AddVisibleCondition("ZBFnumberOfDecimals", general.ZBFisInputNumbOfDeci);
    m.PutUiDirVar("import3sssPath", general.sssFolderPath, 6121);
    m.PutUiListVar("boundarySelection3sssTorque", 6122, 1);
    m.PutUiListVar("boundarySelection3sssSpeed", 6123, 1);
    m.PutUiListVar("boundarySelection3sssOutput", 6124, 1);
}

}  // namespace ds::s020
