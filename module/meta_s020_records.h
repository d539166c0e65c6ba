#pragma once
// The records Meta_S020 describes, held together: what the command-line tool, the tests and the
// benchmark hand to the module screen, and what a host can use when it keeps its tab records in
// one place.
#include <vector>

#include "drivesys/forcedresponse/cosimulation_interface.h"
#include "drivesys/forcedresponse/forced_response_tab.h"
#include "drivesys/frequencies/exciting_frequencies.h"
#include "drivesys/loadspectrum/load_spectrum_import.h"
#include "drivesys/module/settings.h"
#include "drivesys/module/tabs.h"
#include "drivesys/module/thermal_rating.h"
#include "drivesys/module/zf_export.h"
#include "drivesys/platform/ncore/nobjectpool.h"
#include "drivesys/platform/nmath/json.h"

class Meta;

namespace ds {

struct DRIVESYS_API S020Records {
    NObjectPool pool;
    nvAssistantTab assistant;
    nvRoughLayoutTab roughLayout;
    nvTractivePowerTab tractivePower;
    nvContactAnalysisTab contactAnalysis;
    nvModalAnalysisTab modalAnalysis;
    nvCampbellDiagramTab campbellDiagram;
    nvForcedResponseTab forcedResponse;
    nvPowerLossesTab powerLosses;
    nvHousingDeformationTab housingDeformation;
    nvSettingsTab settings;
    nvSwitchMatrixTab switchMatrix;
    nvBCMatrixTab bcMatrix;
    nvOperatingModesTab operatingModes;
    nvLoadSpectrumTab loadSpectrum;
    nvVariantsTab variants;
    nvThermalRatingTab thermalRating;
    nFrequencies frequencies;
    nNorvaneRecurDynInterface coSimulation;
    nZFLKimport loadSpectrumImport;
    nvExportStiffnesZF exportStiffness;
    nvZFGeneral zfGeneral;

    /// Meta_S020 over these records; returns its result.
    short describe(Meta& meta);
    /// The 21 records in the order Meta_S020 takes them.
    std::vector<nMetaStruct*> records();
    /// Reads the records from a model object (class name -> array of record JSON, the shape of
    /// a model file): for each of the 21 classes present, its first element is read the class's
    /// own way; other classes and further elements are ignored. Throws std::runtime_error naming
    /// the class when the model is not an object, a class's value is not an array or its first
    /// element is not an object or does not read.
    void readModel(const nlohmann::json& model);
};

}  // namespace ds
