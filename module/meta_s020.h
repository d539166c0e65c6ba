#pragma once
// The two steps of Meta_S020 (module_screen.h): the element property panel,
// which binds no record, and the trees, tables and tab controls, which bind the tab records.
#include "drivesys/module/module_screen.h"
#include "drivesys/platform/nmath/ndimensions.h"

class nvDefaultGeometry;
class SystemNamingSettings;

namespace ds::s020 {

/// Values of NDimensions::Unit used by the module's screens.
namespace unit {
inline constexpr int kWheelRadius = NDimensions::NoUnit;  // the value the tractive-power screen gives
inline constexpr int kLength = NDimensions::Millimeter;
inline constexpr int kDistanceKm = 9;
inline constexpr int kTimeS = 10;
inline constexpr int kLifetimeH = 13;
inline constexpr int kArea = 16;
inline constexpr int kForce = 22;
inline constexpr int kTemperature = 35;
inline constexpr int kMass = 46;
inline constexpr int kStress = 49;
inline constexpr int kPower = 57;
inline constexpr int kTorque = 58;  // also bending moments
inline constexpr int kVelocity = 74;
inline constexpr int kStiffness = 99;
inline constexpr int kRotationalStiffness = 111;
inline constexpr int kSmallAngle = 133;
inline constexpr int kAngle = 134;  // degree
inline constexpr int kSpeed = 142;  // 1/min
inline constexpr int kSpeedRange = 143;
inline constexpr int kPercent = 181;
inline constexpr int kThermalConductivity = 184;
inline constexpr int kGearMeshDamping = 187;
inline constexpr int kHystereticDamping = 191;
inline constexpr int kNone = 213;
}  // namespace unit

/// Block mode of the screens' blocks (items in one line).
inline constexpr int kBlockMode = 2;

/// Step 1: the element property panel (193 items and one block).
DRIVESYS_API void describeElementPanel(Meta& meta);

// Step 2, screen by screen in the order Meta_S020 calls them.
void describeTreesAndTables(Meta& meta, nvThermalRatingTab& thermal, nvZFGeneral& zfGeneral);
void describeAssistant(Meta& meta, nvAssistantTab& tab);
void describeRoughLayout(Meta& meta, nvRoughLayoutTab& tab);
void describeTractivePower(Meta& meta, nvTractivePowerTab& tab);
void describeContactAnalysis(Meta& meta, nvContactAnalysisTab& tab);
void describeNamingRules(Meta& meta, SystemNamingSettings& naming);
void describeDefaultGeometry(Meta& meta, nvDefaultGeometry& geometry);
void describeGeneral(Meta& meta, nvLoadSpectrumTab& spectrum, nvPowerLossesTab& losses);
void describeSettings(Meta& meta, nvSettingsTab& settings);
void describeThermalRating(Meta& meta, nvThermalRatingTab& tab);
void describeVariants(Meta& meta, nvVariantsTab& tab);
void describeModalAnalysis(Meta& meta, nvModalAnalysisTab& tab);
void describeForcedResponse(Meta& meta, nvForcedResponseTab& tab, nNorvaneRecurDynInterface& coSimulation);
void describeCampbellDiagram(Meta& meta, nvCampbellDiagramTab& tab);
void describeHousingDeformation(Meta& meta, nvHousingDeformationTab& tab);
void describeExcitingFrequencies(Meta& meta, nFrequencies& frequencies);
void describeLoadSpectrumImport(Meta& meta, nZFLKimport& import);
void describeZFExport(Meta& meta, nvExportStiffnesZF& stiffness, nvZFGeneral& general);

}  // namespace ds::s020
