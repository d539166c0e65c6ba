#include "drivesys/forcedresponse/cosimulation_interface.h"

#include "drivesys/foundation/record_impl.h"
#include "drivesys/platform/ntypes/translator.h"

DS_DEFINE_RECORD_NO_CTOR(nBushingElement, nMetaStruct, DS_F(name), DS_F(bushingID), DS_F(dampingFactor),
                         DS_F(boreWidth), DS_F(boreDiameter), DS_F(origin), DS_F(xAxis), DS_F(yAxis),
                         DS_F(tra_Stiffness), DS_F(rot_Stiffness))

nBushingElement::nBushingElement() : name(pool.GetString(740)) {}

DS_DEFINE_RECORD(nGearElement, nMetaStruct, DS_F(gearName), DS_F(gearCalcName), DS_F(gearId), DS_F(gearIcon),
                 DS_F(gearCalcId), DS_F(stepFile))

DS_DEFINE_RECORD(nShaftElement, nMetaStruct, DS_F(shaftName), DS_F(shaftId), DS_F(shaftIcon), DS_F(shaftCalcName),
                 DS_F(shaftCalcId), DS_F(stepFile))

// The check-box flags and the body lists stay outside the list.
DS_DEFINE_RECORD(nNorvaneRecurDynInterface, nMetaStruct, DS_F(maxElementSizeRecurDyn), DS_F(minElementSizeRecurDyn),
                 DS_F(numNormalModesRecurDyn), DS_F(mBushingElements))
