#include "support/record_contract.h"

using ModuleRecords = ::testing::Types<
    nvAssistantTab, nvRoughLayoutTab, nvTractivePowerTab, nvContactAnalysisTab, nvModalAnalysisTab,
    nvCampbellDiagramTab, nvPowerLossesTab, nvHousingDeformationTab, nvSwitchMatrixTab, nvBCMatrixTab,
    nvOperatingModesTab, nvLoadSpectrumTab, nvSpectrumElement, nvBinFrequency, nvActiveBin, nvVariantsTab,
    nvVariantElement, nvReferenceValues, nvSystemData, nvSettingsTab, nvSketcherDefaults, nvCalculationSettings,
    nv3DViewerDefaults, nvThermalRatingTab, nvLossesResults, nvInputPower, nvHousingDissipation, nvGearLoadIndepLoss,
    nvFoundationElement, nvShaftCoupDissipation, nvExportStiffnesZF, nvPrintfixZF, nvZFGeneral, SystemNaming,
    SystemNamingSettings, ShaftGeom, BearingGeom, JournalGeom, SwitchableGeom, GearGeom, OtherGeom,
    nvDefaultGeometry>;
INSTANTIATE_TYPED_TEST_SUITE_P(Module, RecordContract, ModuleRecords);
