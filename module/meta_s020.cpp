#include "drivesys/module/meta_s020.h"

#include "drivesys/module/module_screen.h"
#include "drivesys/forcedresponse/cosimulation_interface.h"
#include "drivesys/forcedresponse/forced_response_tab.h"
#include "drivesys/frequencies/exciting_frequencies.h"
#include "drivesys/loadspectrum/load_spectrum_import.h"
#include "drivesys/module/settings.h"
#include "drivesys/module/tabs.h"
#include "drivesys/module/thermal_rating.h"
#include "drivesys/module/zf_export.h"
#include "drivesys/platform/ncore/nobjectpool.h"
#include "drivesys/platform/nmath/meta.h"

short Meta_S020(NObjectPool& pool, nvAssistantTab& assistant, nvRoughLayoutTab& roughLayout,
                nvTractivePowerTab& tractivePower, nvContactAnalysisTab& contactAnalysis,
                nvModalAnalysisTab& modalAnalysis, nvCampbellDiagramTab& campbellDiagram,
                nvForcedResponseTab& forcedResponse, nvPowerLossesTab& powerLosses,
                nvHousingDeformationTab& housingDeformation, nvSettingsTab& settings, nvSwitchMatrixTab& switchMatrix,
                nvBCMatrixTab& bcMatrix, nvOperatingModesTab& operatingModes, nvLoadSpectrumTab& loadSpectrum,
                nvVariantsTab& variants, nvThermalRatingTab& thermalRating, nFrequencies& frequencies,
                nNorvaneRecurDynInterface& coSimulation, nZFLKimport& loadSpectrumImport,
                nvExportStiffnesZF& exportStiffness, nvZFGeneral& zfGeneral, Meta* meta) {
    (void)pool;
    if (!meta) return 1;
    using namespace ds::s020;
    Meta& m = *meta;
    for (nMetaStruct* record : std::initializer_list<nMetaStruct*>{
             &assistant, &roughLayout, &tractivePower, &contactAnalysis, &modalAnalysis, &campbellDiagram,
             &forcedResponse, &powerLosses, &housingDeformation, &settings, &switchMatrix, &bcMatrix, &operatingModes,
             &loadSpectrum, &variants, &thermalRating, &frequencies, &coSimulation, &loadSpectrumImport,
             &exportStiffness, &zfGeneral})
        m.addKnownRecord(record);

    describeElementPanel(m);

    describeTreesAndTables(m, thermalRating, zfGeneral);
    describeAssistant(m, assistant);
    describeRoughLayout(m, roughLayout);
    describeTractivePower(m, tractivePower);
    describeContactAnalysis(m, contactAnalysis);
    describeNamingRules(m, settings.namingSettings);
    describeDefaultGeometry(m, settings.defaultgeom);
    describeGeneral(m, loadSpectrum, powerLosses);
    describeSettings(m, settings);
    describeThermalRating(m, thermalRating);
    describeVariants(m, variants);
    describeModalAnalysis(m, modalAnalysis);
    describeForcedResponse(m, forcedResponse, coSimulation);
    describeCampbellDiagram(m, campbellDiagram);
    describeHousingDeformation(m, housingDeformation);
    describeExcitingFrequencies(m, frequencies);
    describeLoadSpectrumImport(m, loadSpectrumImport);
    describeZFExport(m, exportStiffness, zfGeneral);
    return 1;
}
