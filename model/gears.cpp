#include "drivesys/model/gears.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(CylGear, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(isPlanet), DS_F(di), DS_F(mn),
                 DS_F(width), DS_F(numOfTeeth), DS_F(beta), DS_F(alphan), DS_F(isAsymmetric), DS_F(alphanl),
                 DS_F(alphanr), DS_F(pos), DS_F(posFlag), DS_F(isDriven), DS_F(isGearBodyFE), DS_F(gearCalcFile),
                 DS_F(isShaftHubConnection), DS_F(gearIndexInCalc), DS_F(torque), DS_F(isTorqueInput),
                 DS_F(handOfGear), DS_F(orientation), DS_F(mountingAngle), DS_F(isMountingAngleSet),
                 DS_F(meshingAngle), DS_F(isMeshingAngleSet), DS_F(speed), DS_F(relSpeed), DS_F(itemType),
                 DS_F(dotId), DS_F(gearDiameter), DS_F(gearTipToShaft), DS_F(diameterLocked), DS_F(gearWidth),
                 DS_F(color), DS_F(opacity), DS_F(numberOfPlanets), DS_F(IdCloneRef))

DS_DEFINE_RECORD(Worm, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(isPlanet), DS_F(di), DS_F(mx),
                 DS_F(width), DS_F(alphan), DS_F(isAsymmetric), DS_F(alphanl), DS_F(alphanr), DS_F(gamma), DS_F(pos),
                 DS_F(posFlag), DS_F(numOfTeeth), DS_F(isDriven), DS_F(isGearBodyFE), DS_F(isShaftHubConnection),
                 DS_F(gearCalcFile), DS_F(gearIndexInCalc), DS_F(torque), DS_F(isTorqueInput), DS_F(handOfGear),
                 DS_F(orientation), DS_F(mountingAngle), DS_F(isMountingAngleSet), DS_F(meshingAngle),
                 DS_F(isMeshingAngleSet), DS_F(speed), DS_F(relSpeed), DS_F(itemType), DS_F(dotId),
                 DS_F(gearDiameter), DS_F(gearTipToShaft), DS_F(diameterLocked), DS_F(gearWidth), DS_F(color),
                 DS_F(opacity), DS_F(numberOfPlanets), DS_F(IdCloneRef))

DS_DEFINE_RECORD(WormGear, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(isPlanet), DS_F(di), DS_F(mt),
                 DS_F(width), DS_F(alphan), DS_F(isAsymmetric), DS_F(alphanl), DS_F(alphanr), DS_F(beta), DS_F(pos),
                 DS_F(posFlag), DS_F(numOfTeeth), DS_F(isDriven), DS_F(isGearBodyFE), DS_F(isShaftHubConnection),
                 DS_F(gearCalcFile), DS_F(gearIndexInCalc), DS_F(torque), DS_F(isTorqueInput), DS_F(handOfGear),
                 DS_F(orientation), DS_F(mountingAngle), DS_F(isMountingAngleSet), DS_F(meshingAngle),
                 DS_F(isMeshingAngleSet), DS_F(speed), DS_F(relSpeed), DS_F(itemType), DS_F(dotId),
                 DS_F(gearDiameter), DS_F(gearTipToShaft), DS_F(diameterLocked), DS_F(gearWidth), DS_F(color),
                 DS_F(opacity), DS_F(numberOfPlanets), DS_F(IdCloneRef))

DS_DEFINE_RECORD(BevelHypoid, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(isPlanet), DS_F(di), DS_F(mmn),
                 DS_F(width), DS_F(pos), DS_F(posFlag), DS_F(numOfTeeth), DS_F(betam), DS_F(delta), DS_F(alphan),
                 DS_F(isAsymmetric), DS_F(alphanl), DS_F(alphanr), DS_F(isDriven), DS_F(isGearBodyFE),
                 DS_F(isShaftHubConnection), DS_F(gearCalcFile), DS_F(gearIndexInCalc), DS_F(torque),
                 DS_F(isTorqueInput), DS_F(speed), DS_F(relSpeed), DS_F(handOfGear), DS_F(mountingAngle),
                 DS_F(isMountingAngleSet), DS_F(meshingAngle), DS_F(isMeshingAngleSet), DS_F(orientation),
                 DS_F(itemType), DS_F(dotId), DS_F(gearDiameter), DS_F(gearTipToShaft), DS_F(diameterLocked),
                 DS_F(gearWidth), DS_F(color), DS_F(opacity), DS_F(numberOfPlanets), DS_F(IdCloneRef))

DS_DEFINE_RECORD(BeveloidGear, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(isPlanet), DS_F(di), DS_F(mn),
                 DS_F(width), DS_F(pos), DS_F(posFlag), DS_F(isDriven), DS_F(isGearBodyFE),
                 DS_F(isShaftHubConnection), DS_F(gearCalcFile), DS_F(gearIndexInCalc), DS_F(torque),
                 DS_F(isTorqueInput), DS_F(numOfTeeth), DS_F(beta), DS_F(alphan), DS_F(isAsymmetric), DS_F(alphanl),
                 DS_F(alphanr), DS_F(speed), DS_F(relSpeed), DS_F(handOfGear), DS_F(orientation), DS_F(mountingAngle),
                 DS_F(isMountingAngleSet), DS_F(meshingAngle), DS_F(isMeshingAngleSet), DS_F(theta), DS_F(itemType),
                 DS_F(dotId), DS_F(gearDiameter), DS_F(gearTipToShaft), DS_F(diameterLocked), DS_F(gearWidth),
                 DS_F(color), DS_F(opacity), DS_F(numberOfPlanets), DS_F(IdCloneRef))

DS_DEFINE_RECORD(FaceGear, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(isPlanet), DS_F(di), DS_F(mn),
                 DS_F(width), DS_F(pos), DS_F(posFlag), DS_F(h_afg), DS_F(h_ifg), DS_F(numOfTeeth), DS_F(beta),
                 DS_F(alphan), DS_F(isAsymmetric), DS_F(alphanl), DS_F(alphanr), DS_F(delta), DS_F(isDriven),
                 DS_F(isGearBodyFE), DS_F(isShaftHubConnection), DS_F(gearCalcFile), DS_F(gearIndexInCalc),
                 DS_F(torque), DS_F(isTorqueInput), DS_F(speed), DS_F(relSpeed), DS_F(handOfGear),
                 DS_F(mountingAngle), DS_F(isMountingAngleSet), DS_F(meshingAngle), DS_F(isMeshingAngleSet),
                 DS_F(orientation), DS_F(itemType), DS_F(dotId), DS_F(gearDiameter), DS_F(gearTipToShaft),
                 DS_F(diameterLocked), DS_F(gearWidth), DS_F(color), DS_F(opacity), DS_F(numberOfPlanets),
                 DS_F(IdCloneRef))

DS_DEFINE_RECORD(RopeSheave, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(da), DS_F(isPlanet), DS_F(di),
                 DS_F(mn), DS_F(width), DS_F(numOfTeeth), DS_F(beta), DS_F(alphan), DS_F(isAsymmetric), DS_F(alphanl),
                 DS_F(alphanr), DS_F(pos), DS_F(posFlag), DS_F(isDriven), DS_F(isGearBodyFE),
                 DS_F(isShaftHubConnection), DS_F(gearCalcFile), DS_F(gearIndexInCalc), DS_F(torque),
                 DS_F(isTorqueInput), DS_F(handOfGear), DS_F(orientation), DS_F(mountingAngle),
                 DS_F(isMountingAngleSet), DS_F(meshingAngle), DS_F(isMeshingAngleSet), DS_F(speed), DS_F(relSpeed),
                 DS_F(itemType), DS_F(dotId), DS_F(gearDiameter), DS_F(gearTipToShaft), DS_F(diameterLocked),
                 DS_F(gearWidth), DS_F(color), DS_F(opacity), DS_F(numberOfPlanets), DS_F(loopAngle), DS_F(circForce),
                 DS_F(unloadedStrandForce), DS_F(loadedStrandForce), DS_F(IdCloneRef))
