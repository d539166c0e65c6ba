// Step 2 of Meta_S020 for the records of the analyses that share the module's screen: the
// forced-response tab with the co-simulation export, the exciting frequencies and the ZF
// load-spectrum import.
#include <limits>

#include "drivesys/forcedresponse/cosimulation_interface.h"
#include "drivesys/forcedresponse/forced_response_tab.h"
#include "drivesys/frequencies/exciting_frequencies.h"
#include "drivesys/loadspectrum/load_spectrum_import.h"
#include "drivesys/module/meta_s020.h"
#include "drivesys/platform/nmath/meta.h"

namespace ds::s020 {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr int kMoreInputText = 2186;
constexpr int kCoSimulationHelp = 11676;

constexpr nUiListEntry kForcedResponseCalculationType[] = {{4194, 0}, {4195, 1}, {4196, 2}};
constexpr nUiListEntry kCalcSelection[] = {{2471, 0}, {2581, 1}, {2582, 2}};
constexpr nUiListEntry kRefSpeedSelection[] = {{4500, 0}, {4501, 1}};
constexpr nUiListEntry kUnitsSelection[] = {{4331, 0}, {4332, 1}, {5136, 2}};

MetaVar* flag(Meta& m, const char* name, bool& member, int textId) { return m.PutUiFlagVar(name, member, textId, false); }

// A host list shown while gear-mesh forces are considered, or editable only then.
void gearMeshList(Meta& m, const char* name, int textId, bool& considerGearMeshForces, bool visibleToo) {
    m.PutUiListVar(name, textId, 1);
    if (visibleToo) m.AddVisibleCondition(name, considerGearMeshForces);
    m.AddEditableCondition(name, considerGearMeshForces);
}

// An item of the co-simulation export: shown only where the host offers the export, editable
// while gear-mesh forces are considered.
void coSimulation(Meta& m, const char* name, bool& considerGearMeshForces) {
    m.AddVisibleCondition(name, "IsRecurDynInterfaceVisible");
    m.AddAuthorItCode(name, kCoSimulationHelp);
    m.AddEditableCondition(name, considerGearMeshForces);
}

}  // namespace

void describeForcedResponse(Meta& m, nvForcedResponseTab& t, nNorvaneRecurDynInterface& cosim) {
    bool& gearMesh = t.considerGearMeshForces;
    // Check boxes bound to members outside the records' member lists, named for the dump here.
    m.addKnownMember(&t.forcedResponseCalculateTorqueRipple, "nvForcedResponseTab", "forcedResponseCalculateTorqueRipple");
    m.addKnownMember(&t.saveRecurDynInterface, "nvForcedResponseTab", "saveRecurDynInterface");
    m.addKnownMember(&cosim.getGearStep, "nNorvaneRecurDynInterface", "getGearStep");
    m.addKnownMember(&cosim.getShaftStep, "nNorvaneRecurDynInterface", "getShaftStep");
    m.addKnownMember(&cosim.getBushingElementsData, "nNorvaneRecurDynInterface", "getBushingElementsData");

    flag(m, "considerGearMeshForced", gearMesh, 4200);
    m.PutUiListFuncVar("forcedResponseCalculationType", 4193, L"", kForcedResponseCalculationType);
    m.AddSettingsButton("forcedResponseCalculationType", "S020_ForcedResponseInputs.nui", 0);
    m.AddAuthorItCode("forcedResponseCalculationType", 11596);
    flag(m, "forcedResponseCalculateTorqueRipple", t.forcedResponseCalculateTorqueRipple, 4201);
    m.AddVisibleCondition("forcedResponseCalculateTorqueRipple", gearMesh);
    m.AddPlusButton("forcedResponseCalculateTorqueRipple", kMoreInputText, "S020_ForcedResponseTorqueRipple.nui");
    m.PutUiListVar("selectForcedResponseInputGearPairs", 4202, 1);
    m.AddVisibleCondition("selectForcedResponseInputGearPairs", gearMesh);
    m.AddPlusButton("selectForcedResponseInputGearPairs", kMoreInputText, "S020_ForcedResponseGearPairsSelection.nui",
                    "IsSelectForcedResponseInputGearPairs");
    flag(m, "considerUnbalaceForced", t.considerUnbalanceMasses, 4203);
    m.PutUiListVar("boundarySelectionForced", 4204, 1);

    m.PutUiVar("NumStepsForcedResponse", t.numCalculationPoints, 4205, L"n<sub>steps");
    m.SetRange("NumStepsForcedResponse", 1.0, 10000.0);
    m.AddUpdate("NumStepsForcedResponse", "UpdateForceResponseSpeedRange");
    m.PutUiVar("speedRangeForced", t.xAxisMin, t.xAxisMax, 4206, L"n", unit::kSpeed);
    m.AddVisibleCondition("speedRangeForced", "IsForcedResponseMoreThan1CalcSteps");
    m.SetRange("speedRangeForced", 0.0, kLargest);
    m.PutUiVar("speedForced", t.xAxisMin, 4207, L"n", unit::kSpeed);
    m.AddVisibleCondition("speedForced", "IsForcedResponseLessThanOrEqual1CalcSteps");
    m.SetRange("speedForced", 0.0, kLargest);

    gearMeshList(m, "frequencyResponseApproach", 4208, gearMesh, false);
    m.PutUiVar("numHarmonicsForced", t.numHarmonics, 4209, L"n<sub>harm");
    m.SetRange("numHarmonicsForced", 1.0, 100.0);
    m.AddVisibleCondition("numHarmonicsForced", "IsFrequencyResponseMultipleHarmonics");
    m.PutUiVar("numHarmonicsSingle", t.numHarmonicsSingle, 4210, L"n<sub>harm");
    m.SetRange("numHarmonicsSingle", 1.0, 100.0);
    m.AddVisibleCondition("numHarmonicsSingle", "IsFrequencyResponseSingleHarmonic");
    gearMeshList(m, "solutionApproachForced", 4211, gearMesh, false);
    m.PutUiVar("numResponseHarmonics", t.numResponseHarmonics, 4212, L"n<sub>resp");
    m.SetRange("numResponseHarmonics", 1.0, 100.0);
    m.AddUpdate("numResponseHarmonics", "checkNumResponseHarmonicsForcedResponse");
    m.AddVisibleCondition("numResponseHarmonics", "IsForcedIterativeMultipleHarmonics");
    m.PutUiVar("convergenceToleranceForced", t.convergenceTolerance, 4213, L"&epsilon;");
    m.SetRange("convergenceToleranceForced", 0.0, 1.0);
    m.AddVisibleCondition("convergenceToleranceForced", "IsSolutionApproachForcedIterative");
    gearMeshList(m, "contactAnalysisApproachForced", 4214, gearMesh, false);
    m.PutUiListVar("gearMeshStiffnessCalcTypeForced", 2480, 1);
    gearMeshList(m, "excitationForceType", 4215, gearMesh, false);
    gearMeshList(m, "modelingType", 4216, gearMesh, false);
    m.PutUiVar("referenceSpeedForced", t.refSpeed, 4217, L"n<sub>ref", unit::kSpeed);
    m.AddEditableCondition("referenceSpeedForced", t.plotVsSpeed, true);
    m.PutUiListVar("variedSizeForced", 4218, 1);
    m.AddEditableCondition("variedSizeForced", gearMesh, true);

    const struct {
        const char* name;
        double nvForcedResponseTab::*member;
        int textId;
    } dampings[] = {{"hystereticDampingTorsion", &nvForcedResponseTab::hystereticDampingTorsion, 4219},
                    {"hystereticDampingAxial", &nvForcedResponseTab::hystereticDampingAxial, 4220},
                    {"hystereticDampingBending", &nvForcedResponseTab::hystereticDampingBending, 4221}};
    for (const auto& d : dampings) {
        m.PutUiVar(d.name, t.*d.member, d.textId, L"&eta;", unit::kHystereticDamping);
        m.SetRange(d.name, 0.0, kLargest);
        m.AddAuthorItCode(d.name, 11597);
    }
    gearMeshList(m, "gearMeshDampingType", 4222, gearMesh, true);
    m.PutUiVar("gearMeshDampingForced", t.gearMeshDamping, 4223, L"d", unit::kGearMeshDamping);
    m.SetRange("gearMeshDampingForced", 0.0, kLargest);
    m.AddVisibleCondition("gearMeshDampingForced", "IsGearMeshDampingCoefficient");
    m.PutUiVar("gearMeshDampingRatio", t.gearMeshDampingRatio, 4224, L"&zeta;");
    m.SetRange("gearMeshDampingRatio", 0.0, 10.0);
    m.AddVisibleCondition("gearMeshDampingRatio", "IsGearMeshDampingRatio");
    flag(m, "dynamicFactor", t.saveDynamicFactor, 4225);
    m.AddVisibleCondition("dynamicFactor", gearMesh);

    flag(m, "bearingForcesFreqDomain", t.bearingForcesFreqDomain, 4227);
    flag(m, "bearingForcesTimeDomain", t.bearingForcesTimeDomain, 4228);
    flag(m, "bearingForcesSpeedDomain", t.bearingForcesSpeedDomain, 4229);
    const struct {
        const char* name;
        bool nvForcedResponseTab::*member;
        int textId;
    } meshOutputs[] = {{"gearMeshOutputsFreqDomain", &nvForcedResponseTab::gearMeshOutputsFreqDomain, 4230},
                       {"gearMeshOutputsTimeDomain", &nvForcedResponseTab::gearMeshOutputsTimeDomain, 4231},
                       {"gearMeshOutputsSpeedDomain", &nvForcedResponseTab::gearMeshOutputsSpeedDomain, 4232}};
    for (const auto& o : meshOutputs) {
        flag(m, o.name, t.*o.member, o.textId);
        m.AddVisibleCondition(o.name, gearMesh);
    }
    flag(m, "shaftOutputsDocumentation", t.shaftOutputsDocumentation, 4233);
    flag(m, "saveRecurDynInterface", t.saveRecurDynInterface, 4234);
    m.AddVisibleCondition("saveRecurDynInterface", gearMesh);
    m.AddVisibleCondition("saveRecurDynInterface", "IsRecurDynInterfaceVisible");
    m.AddAuthorItCode("saveRecurDynInterface", kCoSimulationHelp);
    flag(m, "outputDataSpecification", t.saveTimeDomainData, 4235);

    // The co-simulation export.
    m.PutUiVar("maxElementSizeRecurDyn", cosim.maxElementSizeRecurDyn, 4236, L"l<sub>max", unit::kLength);
    m.SetRange("maxElementSizeRecurDyn", 0.0, 1e12);
    coSimulation(m, "maxElementSizeRecurDyn", gearMesh);
    m.PutUiVar("minElementSizeRecurDyn", cosim.minElementSizeRecurDyn, 4237, L"l<sub>min", unit::kLength);
    m.SetRange("minElementSizeRecurDyn", 0.0, 1e12);
    coSimulation(m, "minElementSizeRecurDyn", gearMesh);
    m.PutUiListVar("meshTypeRecurDyn", 4238, 1);
    coSimulation(m, "meshTypeRecurDyn", gearMesh);
    m.PutUiVar("numNormalModesRecurDyn", cosim.numNormalModesRecurDyn, 4239, L"n<sub>modes");
    m.SetRange("numNormalModesRecurDyn", 1.0, 1000.0);
    coSimulation(m, "numNormalModesRecurDyn", gearMesh);
    const struct {
        const char* name;
        bool nNorvaneRecurDynInterface::*member;
        int textId;
        const char* dialog;
    } bodies[] = {
        {"getGearStep", &nNorvaneRecurDynInterface::getGearStep, 4247, "S020_ForcedResponseGears.nui"},
        {"getShaftStep", &nNorvaneRecurDynInterface::getShaftStep, 4248, "S020_ForcedResponseShafts.nui"},
        {"getBushingElementsData", &nNorvaneRecurDynInterface::getBushingElementsData, 4249,
         "S020_ForcedResponseBushingElements.nui"},
    };
    for (const auto& b : bodies) {
        flag(m, b.name, cosim.*b.member, b.textId);
        m.AddPlusButton(b.name, kMoreInputText, b.dialog);
        coSimulation(m, b.name, gearMesh);
    }

    m.PutUiListVar("accuracyForcedResponse", 4250, 1);
    m.PutUiVar("plotMultiplierStepFactor", t.plotMultiplierStepFactor, 4251, L"f<sub>step");
    m.SetRange("plotMultiplierStepFactor", 1.0, 100.0);
    m.AddVisibleCondition("plotMultiplierStepFactor", "IsPlotMultiplierStepFactor");
    m.PutUiVar("userDefinedEndTime", t.userDefinedEndTime, 4252, L"t<sub>end", unit::kTimeS);
    m.SetRange("userDefinedEndTime", 0.0, 1000000.0);
    m.AddEditButton("userDefinedEndTime", t.useUserDefinedEndTime);

    m.PutUiListVar("selectForcedResponseOutputGearPairs", 4253, 1);
    m.AddVisibleCondition("selectForcedResponseOutputGearPairs", gearMesh);
    m.AddPlusButton("selectForcedResponseOutputGearPairs", kMoreInputText,
                    "S020_ForcedResponseOutputGearPairsSelectionTableUi.nui", "IsSelectForcedResponseOutputGearPairs");
    m.PutUiListVar("selectForcedResponseOutputBearingsGeneralExport", 4254, 1);
    m.AddPlusButton("selectForcedResponseOutputBearingsGeneralExport", kMoreInputText,
                    "S020_ForcedResponseOutputBearingsSelectionTableUiGeneralExport.nui",
                    "IsSelectForcedResponseOutputBearings");
    m.PutUiListVar("selectForcedResponseOutputBearingsRecurDynExport", 4255, 1);
    m.AddVisibleCondition("selectForcedResponseOutputBearingsRecurDynExport", "IsRecurDynInterfaceVisible");
    m.AddPlusButton("selectForcedResponseOutputBearingsRecurDynExport", kMoreInputText,
                    "S020_ForcedResponseOutputBearingsSelectionTableUiRecurDynExport.nui",
                    "IsSelectForcedResponseOutputBearings");
    m.PutUiListVar("selectForcedResponseOutputDocPoints", 4256, 1);
    m.AddPlusButton("selectForcedResponseOutputDocPoints", kMoreInputText,
                    "S020_ForcedResponseOutputDocPointsSelectionTableUi.nui", "IsSelectForcedResponseOutputDocPoints");
}

void describeExcitingFrequencies(Meta& m, nFrequencies& f) {
    m.PutUiVar("numberOfHarmonics", f.numberOfHarmonics, 4460, L"n<sub>harm");
    m.SetDefaultDecimals("numberOfHarmonics", 0);
    const struct {
        const char* name;
        short nFrequencies::*member;
        int textId;
        const char* dialog;
        const char* condition;
    } selections[] = {
        {"gearCalcSelection", &nFrequencies::gearCalcSelection, 4461, "S020_FrequenciesGearSelection.nui",
         "IsFrequencyGearSelection"},
        {"bearingCalcSelection", &nFrequencies::bearingCalcSelection, 4462, "S020_FrequenciesBearingSelection.nui",
         "IsFrequencyBearingSelection"},
        {"shaftCalcSelection", &nFrequencies::shaftCalcSelection, 4463, "S020_FrequenciesShaftSelection.nui",
         "IsFrequencyShaftSelection"},
    };
    for (const auto& s : selections) {
        m.PutUiListVar(s.name, f.*s.member, s.textId, kCalcSelection);
        m.AddPlusButton(s.name, kMoreInputText, s.dialog, s.condition);
    }
    m.PutUiListVar("refSpeedSelection", f.refSpeedSelection, 4464, kRefSpeedSelection);
    m.PutUiListVar("boundarySelectionFrequnecies", 4465, 1);
    m.AddVisibleCondition("boundarySelectionFrequnecies", "IsFrequencyBoundrySelection");
    m.PutUiListVar("shaftSelectionFrequnecies", 4466, 1);

    // Tolerance range in percent or in hertz: one bool tells which of the two is the input.
    flag(m, "isToleranceRange", f.isToleranceRange, 4467);
    m.PutUiVar("toleranceRangePercent", f.toleranceRangePercent, 4468, L"&Delta;f", unit::kPercent);
    m.AddVisibleCondition("toleranceRangePercent", f.isToleranceRange);
    m.AddEditButton("toleranceRangePercent", f.isToleranceRangeInPercent);
    m.PutUiVar("toleranceRangeHz", f.toleranceRangeHz, 4469, L"&Delta;f");
    m.AddVisibleCondition("toleranceRangeHz", f.isToleranceRange);
    m.AddEditButton("toleranceRangeHz", f.isToleranceRangeInPercent, true);
    m.PutUiBlock({"toleranceRangePercent", "toleranceRangeHz"}, L"", kBlockMode);

    flag(m, "isFindSimilar", f.isFindSimilar, 4470);
    m.PutUiVar("similarRange", f.similarRange, 4471, L"&Delta;f<sub>sim");
    m.AddVisibleCondition("similarRange", f.isFindSimilar);
    m.PutUiListVar("unitsSelection", f.unitSelection, 4472, kUnitsSelection);
    flag(m, "isModalResultsConsidered", f.isModalResultsConsidered, 4473);
    flag(m, "isGearCriticalSpeed", f.isGearCriticalSpeed, 4474);
    flag(m, "isAdditionalFrequencies", f.isAdditionalFrequencies, 4475);
    m.AddPlusButton("isAdditionalFrequencies", kMoreInputText, "S020_FrequenciesUserInput.nui", "IsFrequencyUserInput");
    flag(m, "isSidebandFrequencies", f.isSidebandFrequencies, 4476);
    m.AddPlusButton("isSidebandFrequencies", kMoreInputText, "S020_FrequenciesSidebandSelection.nui",
                    "IsFrequencySidebandSelection");
    flag(m, "isSidebandHarmVariation", f.isSidebandHarmVariation, 4477);
    m.PutUiVar("sidebandNumberOfHarmonicVariation", f.sidebandNumberOfHarmonicVariation, 4478, L"n<sub>sb");
    m.AddEditableCondition("sidebandNumberOfHarmonicVariation", f.isSidebandHarmVariation);

    flag(m, "isGearMeshF", f.isGearMeshF, 4479);
    m.AddPlusButton("isGearMeshF", kMoreInputText, "S020_FrequenciesGMFselection.nui");
    flag(m, "isAssembyF", f.isAssembyF, 4480);
    flag(m, "isHuntingF", f.isHuntingF, 4481);
    m.PutUiTextVar("HeaderPlanetaryGear", 4482);
    flag(m, "isPlanetaryDistriF", f.isPlanetaryDistriF, 4483);
    flag(m, "isPlanetaryLocalF", f.isPlanetaryLocalF, 4484);
    flag(m, "isFTF", f.isFTF, 4485);
    m.AddPlusButton("isFTF", kMoreInputText, "S020_FrequenciesBFselection.nui");
    flag(m, "isBSF", f.isBSF, 4486);
    flag(m, "isBPFI", f.isBPFI, 4487);
    flag(m, "isBPFO", f.isBPFO, 4488);
    flag(m, "isBPF", f.isBPF, 4489);
    m.PutUiVar("speedRangeFrequencies", f.speedMin, f.speedMax, 4490, L"n", unit::kSpeedRange);
    m.SetRange("speedRangeFrequencies", 0.0, kLargest);
}

void describeLoadSpectrumImport(Meta& m, nZFLKimport& z) {
    m.PutUiVar("totalRunningDistance", z.totalDistance, 4701, L"s", unit::kDistanceKm);
    m.AddEditButton("totalRunningDistance", z.isDistanceInput);
    m.AddUpdate("totalRunningDistance", "IsZFLKdistanceOrTimeInput(0)");
    m.PutUiVar("totalRunningTime", z.totalTime, 4702, L"t", unit::kLifetimeH);
    m.AddEditButton("totalRunningTime", z.isTimeInput);
    m.AddUpdate("totalRunningTime", "IsZFLKdistanceOrTimeInput(1)");
    m.PutUiVar("totalRunningDistanceOutput", z.totalDistanceOutput, 4703, L"s", unit::kDistanceKm);
    m.AddReadOnlyFlag("totalRunningDistanceOutput");
    m.PutUiVar("totalRunningTimeOuput", z.totalTimeOutput, 4704, L"t", unit::kLifetimeH);
    m.AddReadOnlyFlag("totalRunningTimeOuput");
}

}  // namespace ds::s020
