#pragma once
// The thermal-rating tab: oil and ambient temperatures, the loss results, the input powers and
// the heat-dissipation inputs of housing, gear meshes, foundations and outgoing shafts.
// Table-driven records with the inherited JSON form; the four lists are record vectors.
#include <cstdint>
#include <vector>

#include "drivesys/foundation/record.h"

/// Power-loss totals by kind and the element each total belongs to (results; bound without
/// default).
class DRIVESYS_API nvLossesResults : public nMetaStruct {
    DS_RECORD(nvLossesResults)
public:
    double system = 0.0;
    double gearsLoadIndep = 0.0;
    double gearsLoadDep = 0.0;
    double bearings = 0.0;
    double others = 0.0;
    nWString system_elem;
    nWString gearsLoadIndep_elem;
    nWString gearsLoadDep_elem;
    nWString bearings_elem;
    nWString others_elem;
};

/// Power entering at one boundary.
class DRIVESYS_API nvInputPower : public nMetaStruct {
    DS_RECORD(nvInputPower)
public:
    nWString name;
    int64_t boundaryId = 0;
    double torque = 0.0;
    double power = 0.0;
};

/// Heat dissipation of the housing. The last three members (computed areas and shares) are
/// bound without default.
class DRIVESYS_API nvHousingDissipation : public nMetaStruct {
    DS_RECORD(nvHousingDissipation)
public:
    bool withFinning = false;
    bool withFoundations = false;
    bool forcedConvection = false;
    bool withOutcomingShafts = false;
    bool insulatedUnderneath = false;
    double epsilon = 0.9;
    double deltaFin = 0.0;
    double lFin = 0.0;
    double hCa = 0.0;
    double Afoot = 0.0;
    double vAir = 1.5;
    double lambdaWall = 50.0;
    double lambdaFun = 50.0;
    double Aca = 0.0;
    double Aoil = 0.0;
    double ratioWallonOil = 1.0;
    double deltaWall = 0.0;
    double Aair = 0.0;
    double Tair = 293.15;
    double lX = 0.0;
    double Apro = 0.0;
    double Afin = 0.0;
    double Abot = 0.0;
    double AproTotal = 0.0;
    double nFin = 0.0;
    double housingSurface = 0.0;
    double foundations = 0.0;
    double outcomingShafts = 0.0;
};

/// Load-independent losses of one gear mesh.
class DRIVESYS_API nvGearLoadIndepLoss : public nMetaStruct {
    DS_RECORD(nvGearLoadIndepLoss)
public:
    int64_t meshId = 0;
    nWString calcName;
    nWString meshName;
    double vs = 0.0;
    double VOil = 0.0;
    double oilLevelGear1 = 0.0;
    double Ag = 0.0;
    double Um = 0.0;
    double V0 = 0.0;
    short injectionSide = 0;
    short calcMethod = 0;
    short lubMethod = 0;
};

/// One foundation the housing stands on.
class DRIVESYS_API nvFoundationElement : public nMetaStruct {
    DS_RECORD(nvFoundationElement)
public:
    /// Defaults to the translated word for a foundation (text 740) in the current language.
    nWString name;
    double Lfun = 0.0;
    double aFun = 0.0;
    double bFun = 0.0;
    double alphaFun = 20.0;
};

/// Heat dissipation through one outgoing shaft and its coupling.
class DRIVESYS_API nvShaftCoupDissipation : public nMetaStruct {
    DS_RECORD(nvShaftCoupDissipation)
public:
    int64_t shaftCalcId = 0;
    int64_t shaftId = 0;
    nWString shaftCalcName;
    nWString shaftName;
    double lambdaSh = 50.0;
    double lSh = 0.0;
    double dSh = 0.0;
    int64_t couplingId = 0;
    nWString couplingName;
    double lambdaFl = 50.0;
    double lFl = 0.0;
    double dFl = 0.0;
};

/// The thermal-rating tab. Temperatures in K.
class DRIVESYS_API nvThermalRatingTab : public nMetaStruct {
    DS_RECORD(nvThermalRatingTab)
public:
    double Toil = 343.15;
    double Tamb = 293.15;
    double coolerPower = 0.0;
    double systemDissipationPower = 0.0;
    nvLossesResults losses;
    std::vector<nvInputPower> inputPower;
    short thermalBalanceType = 0;
    nvHousingDissipation housingDissipation;
    short heatDissipCalcMethod = 0;
    std::vector<nvGearLoadIndepLoss> gearLoadIndepLosses;
    std::vector<nvFoundationElement> foundations;
    std::vector<nvShaftCoupDissipation> shaftCoupDissipations;
};
