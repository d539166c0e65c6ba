#include "drivesys/module/thermal_rating.h"

#include "drivesys/foundation/record_impl.h"
#include "drivesys/platform/ntypes/translator.h"

namespace {
constexpr int kTextFoundation = 740;
}

DS_DEFINE_RECORD(nvLossesResults, nMetaStruct, DS_F_NODEF(system), DS_F_NODEF(gearsLoadIndep),
                 DS_F_NODEF(gearsLoadDep), DS_F_NODEF(bearings), DS_F_NODEF(others), DS_F_NODEF(system_elem),
                 DS_F_NODEF(gearsLoadIndep_elem), DS_F_NODEF(gearsLoadDep_elem), DS_F_NODEF(bearings_elem),
                 DS_F_NODEF(others_elem))

DS_DEFINE_RECORD(nvInputPower, nMetaStruct, DS_F(name), DS_F(boundaryId), DS_F(torque), DS_F(power))

DS_DEFINE_RECORD(nvHousingDissipation, nMetaStruct, DS_F(withFinning), DS_F(withFoundations), DS_F(forcedConvection),
                 DS_F(withOutcomingShafts), DS_F(insulatedUnderneath), DS_F(epsilon), DS_F(deltaFin), DS_F(lFin),
                 DS_F(hCa), DS_F(Afoot), DS_F(vAir), DS_F(lambdaWall), DS_F(lambdaFun), DS_F(Aca), DS_F(Aoil),
                 DS_F(ratioWallonOil), DS_F(deltaWall), DS_F(Aair), DS_F(Tair), DS_F(lX), DS_F(Apro), DS_F(Afin),
                 DS_F(Abot), DS_F(AproTotal), DS_F(nFin), DS_F_NODEF(housingSurface), DS_F_NODEF(foundations),
                 DS_F_NODEF(outcomingShafts))

DS_DEFINE_RECORD(nvGearLoadIndepLoss, nMetaStruct, DS_F(meshId), DS_F(calcName), DS_F(meshName), DS_F(vs), DS_F(VOil),
                 DS_F(oilLevelGear1), DS_F(Ag), DS_F(Um), DS_F(V0), DS_F(injectionSide), DS_F(calcMethod),
                 DS_F(lubMethod))

DS_DEFINE_RECORD_NO_CTOR(nvFoundationElement, nMetaStruct, DS_F(name), DS_F(Lfun), DS_F(aFun), DS_F(bFun),
                         DS_F(alphaFun))

nvFoundationElement::nvFoundationElement() : name(pool.GetString(kTextFoundation)) {}

DS_DEFINE_RECORD(nvShaftCoupDissipation, nMetaStruct, DS_F(shaftCalcId), DS_F(shaftId), DS_F(shaftCalcName),
                 DS_F(shaftName), DS_F(lambdaSh), DS_F(lSh), DS_F(dSh), DS_F(couplingId), DS_F(couplingName),
                 DS_F(lambdaFl), DS_F(lFl), DS_F(dFl))

DS_DEFINE_RECORD(nvThermalRatingTab, nMetaStruct, DS_F(Toil), DS_F(Tamb), DS_F(coolerPower),
                 DS_F_NODEF(systemDissipationPower), DS_F_NODEF(losses), DS_F(inputPower), DS_F(thermalBalanceType),
                 DS_F_NODEF(housingDissipation), DS_F(heatDissipCalcMethod), DS_F(gearLoadIndepLosses),
                 DS_F(foundations), DS_F(shaftCoupDissipations))
