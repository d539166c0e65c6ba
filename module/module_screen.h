#pragma once
// The system module's input screen, Meta_S020.
#include "drivesys/platform/drivesys_export.h"

class Meta;
class NObjectPool;
class nvAssistantTab;
class nvRoughLayoutTab;
class nvTractivePowerTab;
class nvContactAnalysisTab;
class nvModalAnalysisTab;
class nvCampbellDiagramTab;
class nvForcedResponseTab;
class nvPowerLossesTab;
class nvHousingDeformationTab;
class nvSettingsTab;
class nvSwitchMatrixTab;
class nvBCMatrixTab;
class nvOperatingModesTab;
class nvLoadSpectrumTab;
class nvVariantsTab;
class nvThermalRatingTab;
class nFrequencies;
class nNorvaneRecurDynInterface;
class nZFLKimport;
class nvExportStiffnesZF;
class nvZFGeneral;

/// Describes the whole input screen of the system module into `meta`: first the element
/// property panel (host values only), then the object trees, the tables and the controls of
/// every tab, bound to the members of the given records. The records must outlive the Meta's
/// use (its items read and write their members); the library keeps nothing after the call.
/// The given records become known to the Meta, so its dump names each bound member by record
/// class and member path. A null `meta` describes nothing. Always returns 1.
DRIVESYS_API short Meta_S020(NObjectPool& pool, nvAssistantTab& assistant, nvRoughLayoutTab& roughLayout,
                             nvTractivePowerTab& tractivePower, nvContactAnalysisTab& contactAnalysis,
                             nvModalAnalysisTab& modalAnalysis, nvCampbellDiagramTab& campbellDiagram,
                             nvForcedResponseTab& forcedResponse, nvPowerLossesTab& powerLosses,
                             nvHousingDeformationTab& housingDeformation, nvSettingsTab& settings,
                             nvSwitchMatrixTab& switchMatrix, nvBCMatrixTab& bcMatrix,
                             nvOperatingModesTab& operatingModes, nvLoadSpectrumTab& loadSpectrum,
                             nvVariantsTab& variants, nvThermalRatingTab& thermalRating, nFrequencies& frequencies,
                             nNorvaneRecurDynInterface& coSimulation, nZFLKimport& loadSpectrumImport,
                             nvExportStiffnesZF& exportStiffness, nvZFGeneral& zfGeneral, Meta* meta);
