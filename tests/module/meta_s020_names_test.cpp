// The host-side names the module screen uses — conditions, handlers, lock pairs, dialogs,
// pictures and icons — against the fixed list of names the host implements: each listed name is
// used at least once, and no name outside the list is used.
#include <set>

#include "module/screen_items.h"

namespace {
using screen::json;
using Names = std::set<std::string>;

const Names kConditions{
    "IsACopy", "IsPositionAccToCalc", "IsShaftNotPositioned1", "IsShaftNotPositioned2", "IsShaftNotPositioned3",
    "IsIdlerAndShaftNotPositioned1", "IsIdlerAndShaftNotPositioned2", "IsIdlerAndShaftNotPositioned3",
    "IsHousingBoxOrCylinder", "housingIsBox", "housingIsCylinder", "housingIsBoxOrCylinder", "housingIsGeneral",
    "housingStiffnessMatrixContainsUnits", "IsUsedForHousingDeformation", "IsSealLossCalculated", "IsSealLossFromSystemData",
    "IsMeshingLossCalculated", "IsMeshingLossFromSystemData", "IsShaftUnlocked", "IsTransUnlocked", "IsConnectionUnlocked",
    "IsCartesianCoordinates", "IsPolarCoordinates", "IsPowerLossSet", "IsTorqueLossSet", "IsSpeedDefined", "IsTorqueDefined",
    "IsPowerDefined", "IsSpeedRatioDefined", "IsTorqueRatioDefined", "IsPowerRatioDefined", "IsLossInputEnabled",
    "IsLossCalculated", "IsNotCrossedOrWorm", "IsConnecting", "IsNotConnecting", "IsWidthDefined", "IsDiameterDefined",
    "IsHelicalGear", "IsSecondGear", "IsAsymmetricToothGeometry", "IsUsedInCrossedOrFaceGearCalculation",
    "IsDiametersFromShafts", "IsForcesMomentsFromShaftCalculation", "IsUsedInShaftHubCalculation", "IsThrustConeBearing",
    "IsNotFromReferenceMeshOrGiven", "IsFromReferenceMesh", "useReferenceGear", "isRoughLayoutBearingTypeSizingVisible",
    "IsOneElementConsidered", "IsNominalLoadOrKinematicsOnly", "IsFoundationTableEditable",
    "IsForcedResponseMoreThan1CalcSteps", "IsForcedResponseLessThanOrEqual1CalcSteps", "IsFrequencyResponseMultipleHarmonics",
    "IsFrequencyResponseSingleHarmonic", "IsForcedIterativeMultipleHarmonics", "IsSolutionApproachForcedIterative",
    "IsGearMeshDampingCoefficient", "IsGearMeshDampingRatio", "IsRecurDynInterfaceVisible", "IsPlotMultiplierStepFactor",
    "IsFrequencyBoundrySelection", "isCustomCAResolution", "IsSelectForcedResponseInputGearPairs",
    "IsSelectForcedResponseOutputGearPairs", "IsSelectForcedResponseOutputBearings", "IsSelectForcedResponseOutputDocPoints",
    "IsFrequencyGearSelection", "IsFrequencyBearingSelection", "IsFrequencyShaftSelection", "IsFrequencyUserInput",
    "IsFrequencySidebandSelection"};

const Names kLockPairs{"IsPositionInput/SetPositionAsInput",
                       "IsPositionOnShaftInput/SetPositionOnShaftAsInput",
                       "IsPositionOnShaftInnerInput/SetPositionOnShaftInnerAsInput",
                       "IsPositionOnShaftOuterInput/SetPositionOnShaftOuterAsInput",
                       "IsFileNameSet/SetFileNameStatus",
                       "IsDiameterNotFromShaft/SetIsDiameterNotFromShaft",
                       "IsPowerSplitGiven/SetPowerSplitStatus",
                       "IsRatio1Defined/SetRatio1Status",
                       "IsRatio2Defined/SetRatio2Status",
                       "IsRatio3Defined/SetRatio3Status",
                       "IsSpeedEfficiencyDefined/SetSpeedEfficiencyStatus",
                       "IsNumTeethDefined/SetNumTeethStatus",
                       "IsWithRotationalStiffness/SetWithRotationalStiffness",
                       "IsWithRotationalClearance/SetWithRotationalClearance",
                       "IsMountingAngleSet/SetMountingAngleStatus",
                       "IsPositionAccToCalc/SetPositionAccToCalc",
                       "IsFromReferenceMesh/SetIsFromReferenceMesh",
                       "IsRadiusToContactGiven/SetIsRadiusToContactGiven",
                       "IsMainFolderSet/SetMainFolderStatus"};

const Names kHandlers{
    "onQueuedUpdateGraphicsFromEditor", "onQueuedUpdateKinematicsFromEditor", "onQueuedUpdateKinematicsAndGraphicsFromEditor",
    "onQueuedUpdatePlanetCopiesKinematicsAndGraphicsFromEditor", "onQueuedUpdateKinematicsAndGraphicsAndKeepSystemSpectrums",
    "onQueuedUpdateKinematicsAndGraphicsAndActivateLoadBinTransfer", "onQueuedSetInkonsistent", "onRefreshHousingDeformation",
    "onRefreshVariantsTable", "onRefreshSwitchMatrix", "onRefreshLoadSpectrum", "onRefreshZBF", "onUpdateLossesTabSelection",
    "onTreatReferenceTorqueIndependentTR06", "onConvertGlobalPosition", "onConvertUnitVectors", "onConvertCenterDistance1",
    "onConvertCenterDistance2", "onConvertCenterDistance3", "onCreateMeshingLosses", "onCreateChurningLosses",
    "onCreateBearingLosses", "onCreateSwitchableMatrix", "onCreateGearVariants", "onCreateShaftVariants",
    "onCreateConnectionVariants", "onAssignSameMaterialRootAsFirstGearTR06", "onAssignSameMaterialFlankFirstGearTR06",
    "onSizeOperatingModes", "onSizeLoadSpectrumBoundaries", "onSizeLoadZBFboundaries", "onOperatingModes",
    "contactAnalysisUpdateResolution", "contactAnalysisSizePitches", "contactAnalysisSizeSteps",
    "checkNumResponseHarmonicsForcedResponse", "UpdateForceResponseSpeedRange", "UpdatePlanetCopies", "UpdatePlanetCopies_temp",
    "UpdateDefaultDimensions", "UpdateDefaultModules", "KeepSystemSpectrums", "SizeHousingDimensionsAndPosition",
    "SizeBearingInnerDiameter", "SizeHousingHeight", "SizeExternalHousingArea", "SizeInternalHousingArea",
    "IsZFLKdistanceOrTimeInput(0)", "IsZFLKdistanceOrTimeInput(1)"};

const Names kDialogs{"S020_contact_analysis_table_sizing.nui",
                     "S020_contact_analysis_resolution.nui",
                     "S020_ThermalFinning.nui",
                     "S020_Foundations.nui",
                     "S020_ForcedConvection.nui",
                     "S020_OutcomingShafts.nui",
                     "S020_ForcedResponseInputs.nui",
                     "S020_ForcedResponseTorqueRipple.nui",
                     "S020_ForcedResponseGearPairsSelection.nui",
                     "S020_ForcedResponseGears.nui",
                     "S020_ForcedResponseShafts.nui",
                     "S020_ForcedResponseBushingElements.nui",
                     "S020_ForcedResponseOutputGearPairsSelectionTableUi.nui",
                     "S020_ForcedResponseOutputBearingsSelectionTableUiGeneralExport.nui",
                     "S020_ForcedResponseOutputBearingsSelectionTableUiRecurDynExport.nui",
                     "S020_ForcedResponseOutputDocPointsSelectionTableUi.nui",
                     "S020_FrequenciesGearSelection.nui",
                     "S020_FrequenciesGMFselection.nui",
                     "S020_FrequenciesBearingSelection.nui",
                     "S020_FrequenciesBFselection.nui",
                     "S020_FrequenciesShaftSelection.nui",
                     "S020_FrequenciesSidebandSelection.nui",
                     "S020_FrequenciesUserInput.nui",
                     "C_ZF_S020_ZBF_Settings.nui"};

const Names kPictures{"Polar-Roll-Mounting-Angle.png", "HousingSystemOfUnits.png", "W-012_1.png", "TorqueRippleSpec.png",
                      "fptInfo.png"};
const Names kIcons{"button_size.svg", "button_settings.svg"};

struct UsedNames {
    Names conditions, lockPairs, handlers, dialogs, pictures, icons;
};

UsedNames usedByTheScreen() {
    UsedNames used;
    auto text = [](const json& args, const char* key) -> std::string {
        const auto it = args.find(key);
        return it != args.end() && it->is_string() ? it->get<std::string>() : std::string();
    };
    for (const json& item : screen::Screen().dump()) {
        for (const json& a : item.value("attributes", json::array())) {
            const json& args = a["args"];
            if (a["call"] == "AddEditButton") {
                // A lock bound to a member names no host condition.
                if (args.contains("state")) used.lockPairs.insert(text(args, "state") + "/" + text(args, "setter"));
                continue;
            }
            if (const std::string c = text(args, "condition"); !c.empty()) used.conditions.insert(c);
            if (const std::string img = text(args, "image"); !img.empty()) used.pictures.insert(img);
            if (const std::string icon = text(args, "icon"); !icon.empty()) used.icons.insert(icon);
            // A button runs a host handler or opens a dialog (a .nui file), whichever argument
            // names it: a plus button may run a handler, an icon button open a dialog.
            for (const char* key : {"handler", "dialog", "action"}) {
                const std::string target = text(args, key);
                if (target.empty()) continue;
                const bool dialog = target.size() > 4 && target.substr(target.size() - 4) == ".nui";
                (dialog ? used.dialogs : used.handlers).insert(target);
            }
        }
    }
    return used;
}

Names minus(const Names& a, const Names& b) {
    Names out;
    for (const auto& n : a)
        if (!b.count(n)) out.insert(n);
    return out;
}

TEST(ScreenNames, EveryListedNameIsUsedAndNothingElse) {
    const UsedNames used = usedByTheScreen();
    const struct {
        const char* kind;
        const Names& listed;
        const Names& used;
    } kinds[] = {{"condition", kConditions, used.conditions}, {"lock pair", kLockPairs, used.lockPairs},
                 {"handler", kHandlers, used.handlers},       {"dialog", kDialogs, used.dialogs},
                 {"picture", kPictures, used.pictures},       {"icon", kIcons, used.icons}};
    for (const auto& k : kinds) {
        for (const auto& n : minus(k.listed, k.used)) ADD_FAILURE() << k.kind << " never used: " << n;
        for (const auto& n : minus(k.used, k.listed)) ADD_FAILURE() << k.kind << " not in the host's list: " << n;
    }
}
}  // namespace
