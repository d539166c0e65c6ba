#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/module/default_geometry.h"
#include "drivesys/module/naming.h"
#include "drivesys/module/settings.h"
#include "drivesys/module/tabs.h"
#include "drivesys/module/thermal_rating.h"
#include "drivesys/module/zf_export.h"

namespace ds {
void addModuleRecords(Catalog& catalog) {
    // Tabs of the calculations and their element records.
    addRecords<nvAssistantTab, nvRoughLayoutTab, nvTractivePowerTab, nvContactAnalysisTab, nvModalAnalysisTab,
               nvCampbellDiagramTab, nvPowerLossesTab, nvHousingDeformationTab, nvSwitchMatrixTab, nvBCMatrixTab,
               nvOperatingModesTab, nvLoadSpectrumTab, nvSpectrumElement, nvBinFrequency, nvActiveBin, nvVariantsTab,
               nvVariantElement, nvReferenceValues, nvSystemData>(catalog);
    // Settings.
    addRecords<nvSettingsTab, nvSketcherDefaults, nvCalculationSettings, nv3DViewerDefaults>(catalog);
    // Thermal rating.
    addRecords<nvThermalRatingTab, nvLossesResults, nvInputPower, nvHousingDissipation, nvGearLoadIndepLoss,
               nvFoundationElement, nvShaftCoupDissipation>(catalog);
    // ZF export.
    addRecords<nvExportStiffnesZF, nvPrintfixZF, nvZFGeneral>(catalog);
    // Naming rules and default geometry.
    addRecords<SystemNaming, SystemNamingSettings>(catalog);
    addRecords<ShaftGeom, BearingGeom, JournalGeom, SwitchableGeom, GearGeom, OtherGeom, nvDefaultGeometry>(catalog);
}
}  // namespace ds
