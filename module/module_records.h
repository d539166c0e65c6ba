#pragma once
// The system module's record family: tabs, settings, thermal rating, ZF export, naming rules and
// default geometry.
#include "drivesys/foundation/type_list.h"
#include "drivesys/module/default_geometry.h"
#include "drivesys/module/naming.h"
#include "drivesys/module/settings.h"
#include "drivesys/module/tabs.h"
#include "drivesys/module/thermal_rating.h"
#include "drivesys/module/zf_export.h"

namespace ds {
class Catalog;

using ModuleRecords = TypeList<
    // Tabs of the calculations and their element records.
    nvAssistantTab, nvRoughLayoutTab, nvTractivePowerTab, nvContactAnalysisTab, nvModalAnalysisTab,
    nvCampbellDiagramTab, nvPowerLossesTab, nvHousingDeformationTab, nvSwitchMatrixTab, nvBCMatrixTab,
    nvOperatingModesTab, nvLoadSpectrumTab, nvSpectrumElement, nvBinFrequency, nvActiveBin, nvVariantsTab,
    nvVariantElement, nvReferenceValues, nvSystemData,
    // Settings.
    nvSettingsTab, nvSketcherDefaults, nvCalculationSettings, nv3DViewerDefaults,
    // Thermal rating.
    nvThermalRatingTab, nvLossesResults, nvInputPower, nvHousingDissipation, nvGearLoadIndepLoss,
    nvFoundationElement, nvShaftCoupDissipation,
    // ZF export.
    nvExportStiffnesZF, nvPrintfixZF, nvZFGeneral,
    // Naming rules and default geometry.
    SystemNaming, SystemNamingSettings, ShaftGeom, BearingGeom, JournalGeom, SwitchableGeom, GearGeom, OtherGeom,
    nvDefaultGeometry>;

/// Adds ModuleRecords to `catalog`.
void addModuleRecords(Catalog& catalog);
}  // namespace ds
