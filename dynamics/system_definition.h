#pragma once
// The plain structures of a shaft-system vibration calculation that the host fills:
// SystemDefinition with its data block SystemDefinitionData (described to screens by
// Meta_S010), SystemDynamicsSettings and SystemConstraintDefinition. They are not records: they
// offer construction, copy, move and destruction only, and the library never interprets the
// host's tables.
#include <array>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "drivesys/dynamics/dynamics_definitions.h"
#include "drivesys/platform/nmath/ncoordinatesystem.h"
#include "drivesys/platform/nmath/nvektor.h"
#include "drivesys/platform/ntypes/nwstring.h"

/// The tables of the data block after the dotted groups, in the order Meta_S010 describes them:
/// X(type, name), the type one of the aliases of SystemDefinitionData. Families follow fixed
/// rules: the 48 forced-response tables q + "Vec" + part + axis (part Real, Imaginary, Amplitude,
/// Phase; axis X, Y, Z; q u, r, force, moment), and the 36 stiffness terms "Stiffness" + load
/// (Fx … Mz) + displacement (Ux … Rz) for bearings and connections.
#define DS_SYSTEM_DEFINITION_TABLES(X) \
    X(Texts, eigenFrequencies) \
    X(Doubles3, torsionModalEnergy) \
    X(Doubles3, axialModalEnergy) \
    X(Doubles3, bendingXYModalEnergy) \
    X(Doubles3, bendingYZModalEnergy) \
    X(Texts, docPointName) \
    X(Texts, docPointShaftName) \
    X(Ints, docPointShaftTMNumber) \
    X(Ints, docPointShaftFileNumber) \
    X(Ints, docPointSubShaftNumber) \
    X(Doubles2, forcedResponseDocPointMaxWhirlMajorBendingSemiAxisSpeed) \
    X(Doubles2, forcedResponseDocPointMaxWhirlMajorBendingSemiAxisValue) \
    X(Doubles, forcedPos) \
    X(Doubles, forcedSpeed) \
    X(Doubles3, whirlMajorBendingSemiAxis) \
    X(Doubles3, whirlMinorBendingSemiAxis) \
    X(Doubles3, whirlPhaseAngle) \
    X(Doubles3, uVecRealX) \
    X(Doubles3, rVecRealX) \
    X(Doubles3, forceVecRealX) \
    X(Doubles3, momentVecRealX) \
    X(Doubles3, uVecRealY) \
    X(Doubles3, rVecRealY) \
    X(Doubles3, forceVecRealY) \
    X(Doubles3, momentVecRealY) \
    X(Doubles3, uVecRealZ) \
    X(Doubles3, rVecRealZ) \
    X(Doubles3, forceVecRealZ) \
    X(Doubles3, momentVecRealZ) \
    X(Doubles3, uVecImaginaryX) \
    X(Doubles3, rVecImaginaryX) \
    X(Doubles3, forceVecImaginaryX) \
    X(Doubles3, momentVecImaginaryX) \
    X(Doubles3, uVecImaginaryY) \
    X(Doubles3, rVecImaginaryY) \
    X(Doubles3, forceVecImaginaryY) \
    X(Doubles3, momentVecImaginaryY) \
    X(Doubles3, uVecImaginaryZ) \
    X(Doubles3, rVecImaginaryZ) \
    X(Doubles3, forceVecImaginaryZ) \
    X(Doubles3, momentVecImaginaryZ) \
    X(Doubles3, uVecAmplitudeX) \
    X(Doubles3, rVecAmplitudeX) \
    X(Doubles3, forceVecAmplitudeX) \
    X(Doubles3, momentVecAmplitudeX) \
    X(Doubles3, uVecAmplitudeY) \
    X(Doubles3, rVecAmplitudeY) \
    X(Doubles3, forceVecAmplitudeY) \
    X(Doubles3, momentVecAmplitudeY) \
    X(Doubles3, uVecAmplitudeZ) \
    X(Doubles3, rVecAmplitudeZ) \
    X(Doubles3, forceVecAmplitudeZ) \
    X(Doubles3, momentVecAmplitudeZ) \
    X(Doubles3, uVecPhaseX) \
    X(Doubles3, rVecPhaseX) \
    X(Doubles3, forceVecPhaseX) \
    X(Doubles3, momentVecPhaseX) \
    X(Doubles3, uVecPhaseY) \
    X(Doubles3, rVecPhaseY) \
    X(Doubles3, forceVecPhaseY) \
    X(Doubles3, momentVecPhaseY) \
    X(Doubles3, uVecPhaseZ) \
    X(Doubles3, rVecPhaseZ) \
    X(Doubles3, forceVecPhaseZ) \
    X(Doubles3, momentVecPhaseZ) \
    X(Doubles, campbellSpeed) \
    X(Texts2, campbellEigenFrequencies) \
    X(Vektors2, shaftOrigin) \
    X(Vektors, shaftX_axis) \
    X(Vektors, shaftY_axis) \
    X(Vektors, shaftZ_axis) \
    X(Texts2, shaftsNames) \
    X(Doubles2, shaftE) \
    X(Doubles2, shaftG) \
    X(Doubles2, shaftKappa) \
    X(Doubles2, shaftRo) \
    X(Doubles3, secLda) \
    X(Doubles3, secLdi) \
    X(Doubles3, secLQ) \
    X(Doubles3, secLIxx) \
    X(Doubles3, secLIxz) \
    X(Doubles3, secLIzz) \
    X(Doubles3, secLWxx) \
    X(Doubles3, secLWzz) \
    X(Doubles3, secLIt) \
    X(Doubles3, secLWt) \
    X(Doubles3, secRda) \
    X(Doubles3, secRdi) \
    X(Doubles3, secRQ) \
    X(Doubles3, secRIxx) \
    X(Doubles3, secRIxz) \
    X(Doubles3, secRIzz) \
    X(Doubles3, secRWxx) \
    X(Doubles3, secRWzz) \
    X(Doubles3, secRIt) \
    X(Doubles3, secRWt) \
    X(Doubles3, secLength) \
    X(Texts3, bearingName) \
    X(Vektors3, bearingPosition) \
    X(Ints3, bearingZ) \
    X(Doubles3, bearingDa) \
    X(Doubles3, bearingDbore) \
    X(Doubles3, bearingWidth) \
    X(Ints3, bearingTypeID) \
    X(Texts3, bearingTypeName) \
    X(Doubles3, bearingDw) \
    X(Doubles3, bearingDpw) \
    X(Doubles3, bearingPd) \
    X(Doubles3, bearingPa) \
    X(Doubles3, bearingAlpha) \
    X(Doubles3, bearingRi) \
    X(Doubles3, bearingRo) \
    X(Doubles3, bearingDi) \
    X(Doubles3, bearingDo) \
    X(Doubles3, bearingLwe) \
    X(Doubles3, bearingRp) \
    X(Doubles3, bearingLwc) \
    X(Doubles3, bearingCenterLineDistance) \
    X(Doubles3, bearingC) \
    X(Doubles3, bearingC0) \
    X(Doubles3, bearingCu) \
    X(Doubles3, bearingDampingX) \
    X(Doubles3, bearingDampingY) \
    X(Doubles3, bearingDampingZ) \
    X(Doubles3, bearingDampingRotX) \
    X(Doubles3, bearingDampingRotY) \
    X(Doubles3, bearingDampingRotZ) \
    X(Doubles3, bearingStiffnessFxUx) \
    X(Doubles3, bearingStiffnessFxUy) \
    X(Doubles3, bearingStiffnessFxUz) \
    X(Doubles3, bearingStiffnessFxRx) \
    X(Doubles3, bearingStiffnessFxRy) \
    X(Doubles3, bearingStiffnessFxRz) \
    X(Doubles3, bearingStiffnessFyUx) \
    X(Doubles3, bearingStiffnessFyUy) \
    X(Doubles3, bearingStiffnessFyUz) \
    X(Doubles3, bearingStiffnessFyRx) \
    X(Doubles3, bearingStiffnessFyRy) \
    X(Doubles3, bearingStiffnessFyRz) \
    X(Doubles3, bearingStiffnessFzUx) \
    X(Doubles3, bearingStiffnessFzUy) \
    X(Doubles3, bearingStiffnessFzUz) \
    X(Doubles3, bearingStiffnessFzRx) \
    X(Doubles3, bearingStiffnessFzRy) \
    X(Doubles3, bearingStiffnessFzRz) \
    X(Doubles3, bearingStiffnessMxUx) \
    X(Doubles3, bearingStiffnessMxUy) \
    X(Doubles3, bearingStiffnessMxUz) \
    X(Doubles3, bearingStiffnessMxRx) \
    X(Doubles3, bearingStiffnessMxRy) \
    X(Doubles3, bearingStiffnessMxRz) \
    X(Doubles3, bearingStiffnessMyUx) \
    X(Doubles3, bearingStiffnessMyUy) \
    X(Doubles3, bearingStiffnessMyUz) \
    X(Doubles3, bearingStiffnessMyRx) \
    X(Doubles3, bearingStiffnessMyRy) \
    X(Doubles3, bearingStiffnessMyRz) \
    X(Doubles3, bearingStiffnessMzUx) \
    X(Doubles3, bearingStiffnessMzUy) \
    X(Doubles3, bearingStiffnessMzUz) \
    X(Doubles3, bearingStiffnessMzRx) \
    X(Doubles3, bearingStiffnessMzRy) \
    X(Doubles3, bearingStiffnessMzRz) \
    X(Doubles2, constraintConnectionGearMeshStiffness) \
    X(Doubles2, constraintConnectionGearRatio) \
    X(Ints2, constraintConnectionShaft1) \
    X(Ints2, constraintConnectionShaft2) \
    X(Ints2, constraintConnectionSubShaft1) \
    X(Ints2, constraintConnectionSubShaft2) \
    X(Ints2, constraintConnectionGear1) \
    X(Ints2, constraintConnectionGear2) \
    X(Texts2, connectionName) \
    X(Vektors2, connectionPosition) \
    X(Ints2, connectionShaftInner) \
    X(Ints2, connectionShaftOuter) \
    X(Ints2, connectionZ) \
    X(Doubles2, connectionDa) \
    X(Doubles2, connectionDbore) \
    X(Doubles2, connectionWidth) \
    X(Ints2, connectionTypeID) \
    X(Texts2, connectionTypeName) \
    X(Doubles2, connectionDw) \
    X(Doubles2, connectionDpw) \
    X(Doubles2, connectionPd) \
    X(Doubles2, connectionPa) \
    X(Doubles2, connectionAlpha) \
    X(Doubles2, connectionRi) \
    X(Doubles2, connectionRo) \
    X(Doubles2, connectionDi) \
    X(Doubles2, connectionDo) \
    X(Doubles2, connectionLwe) \
    X(Doubles2, connectionRp) \
    X(Doubles2, connectionLwc) \
    X(Doubles2, connectionCenterLineDistance) \
    X(Doubles2, connectionC) \
    X(Doubles2, connectionC0) \
    X(Doubles2, connectionCu) \
    X(Doubles2, connectionDampingX) \
    X(Doubles2, connectionDampingY) \
    X(Doubles2, connectionDampingZ) \
    X(Doubles2, connectionDampingRotX) \
    X(Doubles2, connectionDampingRotY) \
    X(Doubles2, connectionDampingRotZ) \
    X(Texts2, connectionStiffness) \
    X(Doubles2, connectionStiffnessFxUx) \
    X(Doubles2, connectionStiffnessFxUy) \
    X(Doubles2, connectionStiffnessFxUz) \
    X(Doubles2, connectionStiffnessFxRx) \
    X(Doubles2, connectionStiffnessFxRy) \
    X(Doubles2, connectionStiffnessFxRz) \
    X(Doubles2, connectionStiffnessFyUx) \
    X(Doubles2, connectionStiffnessFyUy) \
    X(Doubles2, connectionStiffnessFyUz) \
    X(Doubles2, connectionStiffnessFyRx) \
    X(Doubles2, connectionStiffnessFyRy) \
    X(Doubles2, connectionStiffnessFyRz) \
    X(Doubles2, connectionStiffnessFzUx) \
    X(Doubles2, connectionStiffnessFzUy) \
    X(Doubles2, connectionStiffnessFzUz) \
    X(Doubles2, connectionStiffnessFzRx) \
    X(Doubles2, connectionStiffnessFzRy) \
    X(Doubles2, connectionStiffnessFzRz) \
    X(Doubles2, connectionStiffnessMxUx) \
    X(Doubles2, connectionStiffnessMxUy) \
    X(Doubles2, connectionStiffnessMxUz) \
    X(Doubles2, connectionStiffnessMxRx) \
    X(Doubles2, connectionStiffnessMxRy) \
    X(Doubles2, connectionStiffnessMxRz) \
    X(Doubles2, connectionStiffnessMyUx) \
    X(Doubles2, connectionStiffnessMyUy) \
    X(Doubles2, connectionStiffnessMyUz) \
    X(Doubles2, connectionStiffnessMyRx) \
    X(Doubles2, connectionStiffnessMyRy) \
    X(Doubles2, connectionStiffnessMyRz) \
    X(Doubles2, connectionStiffnessMzUx) \
    X(Doubles2, connectionStiffnessMzUy) \
    X(Doubles2, connectionStiffnessMzUz) \
    X(Doubles2, connectionStiffnessMzRx) \
    X(Doubles2, connectionStiffnessMzRy) \
    X(Doubles2, connectionStiffnessMzRz) \
    X(Texts3, gearName) \
    X(Vektors3, gearPosition) \
    X(Doubles3, gearE) \
    X(Doubles3, gearG) \
    X(Ints3, gearZ) \
    X(Doubles3, gearBetaw) \
    X(Doubles3, gearMass) \
    X(Doubles3, gearMassMomentOfInertia) \
    X(Doubles3, gearDw) \
    X(Doubles3, gearXNul) \
    X(Doubles3, gearXE) \
    X(Doubles3, gearXi) \
    X(Doubles3, gearXm) \
    X(Doubles3, gearWidth) \
    X(Doubles3, gearHandOfGear) \
    X(Doubles3, gearMn) \
    X(Doubles3, gearAlfn) \
    X(Doubles3, gearBeta) \
    X(Doubles3, gearTipChamfer) \
    X(Doubles3, gearRefD) \
    X(Doubles3, gearDaNul) \
    X(Doubles3, gearDaE) \
    X(Doubles3, gearDai) \
    X(Doubles3, gearDam) \
    X(Doubles3, gearDfNul) \
    X(Doubles3, gearDfE) \
    X(Doubles3, gearDfi) \
    X(Doubles3, gearDfm) \
    X(Doubles3, gearDi) \
    X(Doubles3, gearKopfKant) \
    X(Ints3, gearAdfInput) \
    X(Doubles3, gearAdaNul) \
    X(Doubles3, gearAdaE) \
    X(Doubles3, gearAdai) \
    X(Doubles3, gearAdam) \
    X(Doubles3, gearAdfNul) \
    X(Doubles3, gearAdfE) \
    X(Doubles3, gearAdfi) \
    X(Doubles3, gearAdfm) \
    X(Doubles3, gearAsNul) \
    X(Doubles3, gearAsE) \
    X(Doubles3, gearAsi) \
    X(Doubles3, gearAsm) \
    X(Doubles3, gearMt) \
    X(Doubles3, gearAANul) \
    X(Doubles3, gearAAE) \
    X(Doubles3, gearAAi) \
    X(Doubles3, gearAAm) \
    X(Doubles3, gearJtMin) \
    X(Doubles3, gearJtMax) \
    X(Ints3, gearVqual) \
    X(Ints3, gearImpuls) \
    X(Doubles3, gearAlfwt) \
    X(Doubles3, gearToolRefProfileRhofP) \
    X(Doubles3, gearToolRefProfileRhoaP) \
    X(Doubles3, gearToolProtuberance) \
    X(Doubles3, gearRampAngle) \
    X(Doubles3, gearHprP) \
    X(Doubles3, gearHFaP) \
    X(Ints3, gearToolRefProfileTopping) \
    X(Doubles3, gearToolAufmassNul) \
    X(Doubles3, gearToolAufmassE) \
    X(Doubles3, gearToolAufmassi) \
    X(Doubles3, gearToolAufmassm) \
    X(Doubles3, gearTipReliefFlag) \
    X(Doubles3, gearRootReliefFlag) \
    X(Doubles3, gearTipAlteration) \
    X(Ints3, gearToolFinishing) \
    X(Ints3, gearProfModif) \
    X(Texts3, gearProfModifName) \
    X(Doubles3, gearNInput) \
    X(Doubles3, gearTtTol1) \
    X(Doubles3, gearQ) \
    X(Doubles3, gearCbeta1) \
    X(Doubles3, gearCalc_kXmn1) \
    X(Doubles3, gearA) \
    X(Doubles3, gearAlft) \
    X(Doubles3, gearBetab) \
    X(Doubles3, gearRZH) \
    X(Doubles3, gearRAH) \
    X(Doubles3, gearRZF) \
    X(Doubles3, gearRAF) \
    X(Ints3, gearBPID) \
    X(Texts3, gearBPname) \
    X(Texts3, gearBPcomment) \
    X(Doubles3, gearBPhfP) \
    X(Doubles3, gearBProfP) \
    X(Doubles3, gearBPhaP) \
    X(Doubles3, gearBProaP) \
    X(Doubles3, gearBPhaP0) \
    X(Doubles3, gearBPhk) \
    X(Doubles3, gearBPalfPro) \
    X(Doubles3, gearBPhko) \
    X(Doubles3, gearBPalfnk) \
    X(Doubles3, gearBPdFa) \
    X(Doubles3, gearBPdFf) \
    X(Ints3, gearBPtopping) \
    X(Doubles3, gearBPdel_h) \
    X(Doubles3, gearBPc) \
    X(Doubles3, gearBPsn) \
    X(Ints3, gearBPFID) \
    X(Texts3, gearBPFname) \
    X(Texts3, gearBPFcomment) \
    X(Doubles3, gearBPFhfP) \
    X(Doubles3, gearBPFrofP) \
    X(Doubles3, gearBPFhaP) \
    X(Doubles3, gearBPFroaP) \
    X(Doubles3, gearBPFhaP0) \
    X(Doubles3, gearBPFhk) \
    X(Doubles3, gearBPFalfPro) \
    X(Doubles3, gearBPFhko) \
    X(Doubles3, gearBPFalfnk) \
    X(Doubles3, gearBPFdFa) \
    X(Doubles3, gearBPFdFf) \
    X(Ints3, gearBPFtopping) \
    X(Doubles3, gearBPFdel_h) \
    X(Doubles3, gearBPFc) \
    X(Doubles3, gearBPFsn) \
    X(Doubles3, gearBP_f_rofPmax) \
    X(Doubles3, gearBPhgrind) \
    X(Doubles3, gearBPrgrind) \
    X(Doubles3, gearFased) \
    X(Ints3, gearFaseZuGross) \
    X(Doubles3, gearAngleFased) \
    X(Doubles3, gearSR_beta) \
    X(Doubles3, gearbetaCorr) \
    X(Doubles3, gearSR_gamma) \
    X(Doubles3, gearSR_ds) \
    X(Doubles3, gearSR_betas) \
    X(Doubles3, gearSR_alfsn) \
    X(Doubles3, gearSR_alfst) \
    X(Doubles3, gearSR_alft) \
    X(Doubles3, gearSR_alfx) \
    X(Doubles3, gearSR_betb) \
    X(Doubles3, gearSR_mt) \
    X(Doubles3, gearSR_epsa) \
    X(Doubles3, gearSR_epsb) \
    X(Doubles3, gearSR_v) \
    X(Doubles3, gearJn) \
    X(Doubles3, gearJt) \
    X(Doubles3, gearBv) \
    X(Ints3, gearKHdatFlankenLin) \
    X(Doubles3, gearHak) \
    X(Doubles3, gearL_hak) \
    X(Doubles3, gearHaki) \
    X(Doubles3, gearL_haki) \
    X(Ints3, gearCorrStartTip) \
    X(Ints3, gearCorrStartRoot) \
    X(Ints3, gearCorrVerfahren) \
    X(Ints3, gearCorrInput) \
    X(Doubles3, gearCorrHFfP_xe) \
    X(Doubles3, gearCorrRhofP) \
    X(Doubles3, gearCorrHfP) \
    X(Ints3, gearCorrFormHeight_asInput) \
    X(Ints3, gearCorrToolFormHeight_asInput) \
    X(Ints3, gearCorrToolHeight_asInput) \
    X(Ints4, gearCorrType) \
    X(Ints4, gearCorrFlank) \
    X(Texts4, gearCorrInfo) \
    X(Texts4, gearCorrComment) \
    X(Ints4, gearCorrActive) \
    X(Doubles4, gearCorrC) \
    X(Doubles4, gearCorrFactor1) \
    X(Doubles4, gearCorrFactor2) \
    X(Doubles4, gearCorrD) \
    X(Ints4, gearCorrNr) \
    X(Doubles4, gearCorrCmin) \
    X(Doubles4, gearCorrCmax) \
    X(Doubles4, gearCorrFactor1min) \
    X(Doubles4, gearCorrFactor1max) \
    X(Doubles4, gearCorrFactor2min) \
    X(Doubles4, gearCorrFactor2max) \
    X(Ints4, gearCorrSyncWith) \
    X(Ints4, gearCorrectionSteps) \
    X(Ints4, gearCorrTopoIsValid) \
    X(Ints4, gearCorrTopoNumTransvSections) \
    X(Ints4, gearCorrTopoNumHeightSections) \
    X(Ints3, gearISOGeo) \
    X(Doubles3, gearDiCalc) \
    X(Doubles3, gearBP_fSn) \
    X(Doubles3, geardB) \
    X(Doubles3, gearkXmn) \
    X(Doubles3, gearDfaNul) \
    X(Doubles3, gearDfaE) \
    X(Doubles3, gearDfai) \
    X(Doubles3, gearDfam) \
    X(Doubles3, gearDnaNul) \
    X(Doubles3, gearDnaE) \
    X(Doubles3, gearDnai) \
    X(Doubles3, gearDnam) \
    X(Doubles3, gearDnfNul) \
    X(Doubles3, gearDnfE) \
    X(Doubles3, gearDnfi) \
    X(Doubles3, gearDnfm) \
    X(Doubles3, gearZSUberSchneid) \
    X(Doubles3, geardNf0Nul) \
    X(Doubles3, geardNf0E) \
    X(Doubles3, geardNf0i) \
    X(Doubles3, geardNf0m) \
    X(Doubles3, gearsanNul) \
    X(Doubles3, gearsanE) \
    X(Doubles3, gearsani) \
    X(Doubles3, gearsanm) \
    X(Doubles3, gearefnNul) \
    X(Doubles3, gearefnE) \
    X(Doubles3, gearefni) \
    X(Doubles3, gearefnm) \
    X(Doubles3, gearPt) \
    X(Doubles3, gearPbt) \
    X(Doubles3, gearPet) \
    X(Doubles3, gearH) \
    X(Doubles3, gearZn) \
    X(Doubles3, gearPx) \
    X(Doubles3, gearSchrage) \
    X(Ints3, gearType) \
    X(Doubles3, gearMaterialDensity)


/// Sixteen 4-byte slots copied as a whole; their meaning is the host's. The first slot starts at
/// 0, the other fifteen at −1 (all bits set).
struct DRIVESYS_API SystemConstraintDefinition {
    std::array<int32_t, 16> slots{0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};
static_assert(sizeof(SystemConstraintDefinition) == 64);

/// Settings of a dynamics calculation that the host keeps between runs. The scalar members and
/// the containers are the host's; the library only stores, copies and moves them. A moved-from
/// settings object keeps empty containers.
struct DRIVESYS_API SystemDynamicsSettings {
    /// Ordered container of the host's (id, value) selections.
    using Selection = std::map<int64_t, double>;

    double value = 0.0;
    int16_t variant = 0;
    int32_t mode = 0;
    bool enabled = false;
    int64_t reserved = 0;
    ForcedResponseDefinitionsStruct forcedResponse;
    ForcedResponseDefinitionsStruct forcedResponseSingle;
    int32_t selectedIndex = 0;
    std::vector<Selection> selections;
    Selection selection;
    bool flag1 = true;
    bool flag2 = false;
    bool flag3 = false;
};

/// The data block of a vibration calculation: per-shaft, per-gear, per-bearing and
/// per-connection tables filled by the host (index order is the host's). Every list starts
/// empty. Members described under a dotted name ("gearCalcResults.gearName") live in the nested
/// structures of the same name.
struct DRIVESYS_API SystemDefinitionData {
    using Ints = std::vector<int>;
    using Ints2 = std::vector<Ints>;
    using Ints3 = std::vector<Ints2>;
    using Ints4 = std::vector<Ints3>;
    using Doubles = std::vector<double>;
    using Doubles2 = std::vector<Doubles>;
    using Doubles3 = std::vector<Doubles2>;
    using Doubles4 = std::vector<Doubles3>;
    using Texts = std::vector<nWString>;
    using Texts2 = std::vector<Texts>;
    using Texts3 = std::vector<Texts2>;
    using Texts4 = std::vector<Texts3>;
    using Vektors = std::vector<NVektor>;
    using Vektors2 = std::vector<Vektors>;
    using Vektors3 = std::vector<Vektors2>;

    nWString controlingShaftName;
    int numResonanceCurves = 0;
    int numPlotPoints = 0;
    int solveOnlyTorsionalVibrations = 0;
    double hystereticDampingAxial = 1e-5;
    double hystereticDampingBending = 1e-5;
    double hystereticDampingTorsion = 1e-5;
    /// Not described; the host's.
    double spare1 = 0.0;
    double spare2 = 0.0;
    nWString GearMeshStiffnessCalculationType;
    int calculationPerformed = 0;

    Ints numGearCalcResultsPerGearFileNum;
    Ints numGearsPerGearFileNum;
    Ints numShaftsPerShaftFileNum;
    Ints numBearingsPerShaftFileNum;

    /// Gear calculation results per gear file.
    struct GearCalcResultsTables {
        Texts2 gearName;
        Texts2 shaftName;
        Doubles2 gearMass;
        Doubles2 gearMassMomentOfInertia;
        Doubles2 gearMeshStiffness;
        Texts2 calcMethodStr;
        Ints2 calcMethodEnum;
        Texts calcName;
        Doubles2 PPTE;
    } gearCalcResults;
    /// Nominal gear speeds and mesh frequencies per gear file.
    struct GearCalcTables {
        Doubles2 nominalGearMeshFrequency;
        Doubles2 nominalGearSpeed;
    } gearCalc;
    /// Bearing stiffnesses per shaft file.
    struct BearingResultsTables {
        Texts2 shaftName;
        Texts2 bearingName;
        Doubles4 bearingStiffnessMatrixVec;
    } bearingResults;
    /// Shaft masses per shaft file.
    struct ShaftResultsTables {
        Texts2 shaftName;
        Doubles2 shaftMass;
        Doubles2 shaftMassMomentOfInertia;
    } shaftResults;

#define DS_DECLARE_TABLE(T, name) T name;
    DS_SYSTEM_DEFINITION_TABLES(DS_DECLARE_TABLE)
#undef DS_DECLARE_TABLE
};

/// The whole definition of a vibration calculation as the host keeps it. Only `data` is
/// described to screens (Meta_S010); the members before it are the host's.
struct DRIVESYS_API SystemDefinition {
    /// One host-defined group of coordinate systems under an 8-byte key.
    using FrameGroup = std::pair<int64_t, std::vector<NCoordinateSystem>>;

    nWString name;
    std::vector<nWString> texts1;
    std::vector<nWString> texts2;
    std::vector<nWString> texts3;
    std::vector<NCoordinateSystem> frames;
    std::vector<SystemConstraintDefinition> constraints;
    std::vector<FrameGroup> frameGroups;
    std::vector<int64_t> ids;
    SystemDefinitionData data;
};
