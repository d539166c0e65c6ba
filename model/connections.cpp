#include "drivesys/model/connections.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(CouplingConnection, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(element1), DS_F(element2),
                 DS_F(IdElement1), DS_F(IdElement2), DS_F(torqueRatio), DS_F(speedRatio), DS_F(powerRatio),
                 DS_F(spectrumTorqueRatio), DS_F(spectrumSpeedRatio), DS_F(spectrumPowerRatio), DS_F(speedEfficiency),
                 DS_F(considerSpeedEfficiency), DS_F(considerTorqueRatio), DS_F(considerPowerRatio),
                 DS_F(considerSpeedRatio), DS_F(itemType), DS_F(positionR), DS_F(IdReferenceConst),
                 DS_F(belowReferenceConst), DS_F(positionTheta), DS_F(positionPhi), DS_F(axisRotationThetaX),
                 DS_F(axisRotationThetaY), DS_F(axisRotationThetaZ), DS_F(positionRCopies), DS_F(positionThetaCopies),
                 DS_F(positionPhiCopies), DS_F(axisRotationThetaXCopies), DS_F(axisRotationThetaYCopies),
                 DS_F(axisRotationThetaZCopies), DS_F(IdReferenceShaft), DS_F(currentPlanet), DS_F(copyNumber),
                 DS_F(IdCloneRef), DS_F(numberOfPlanets))

// alphawt and contactRatio stay out of the list on purpose.
DS_DEFINE_RECORD(Constraint, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(konsistent),
                 DS_F(IdReferenceShaft), DS_F(torque1), DS_F(torque2), DS_F(speed1), DS_F(spectrumSpeed1),
                 DS_F(speed2), DS_F(spectrumSpeed2), DS_F(speedCarrier), DS_F(spectrumSpeedCarrier),
                 DS_F(calculation), DS_F(gear1), DS_F(gear2), DS_F(gear1OnShaft), DS_F(gear2OnShaft),
                 DS_F(IdElement1), DS_F(IdElement2), DS_F(a), DS_F(ratio), DS_F(considerRatio), DS_F(considerZ1),
                 DS_F(considerZ2), DS_F(sigma), DS_F(isShaftAngleSet), DS_F(av), DS_F(bv), DS_F(forceOffset1),
                 DS_F(forceOffset2), DS_F(apos), DS_F(IdReferenceConst), DS_F(belowReferenceConst), DS_F(aCopies),
                 DS_F(aposCopies), DS_F(thetaYCopies), DS_F(bvCopies), DS_F(forceOffsetCopies1),
                 DS_F(forceOffsetCopies2), DS_F(currentPlanet), DS_F(copyNumber), DS_F(apos1), DS_F(apos2),
                 DS_F(lenload), DS_F(dw1), DS_F(dw2), DS_F(lengthLoad), DS_F(betaw), DS_F(alphawn), DS_F(loss),
                 DS_F(axisRotationThetaY), DS_F(referenceTorque1), DS_F(spectrumTorque1), DS_F(referenceTorque2),
                 DS_F(spectrumTorque2), DS_F(referenceDriven1), DS_F(spectrumDriven1), DS_F(referenceDriven2),
                 DS_F(spectrumDriven2), DS_F(loadSpectrum1), DS_F(loadSpectrum2), DS_F(itemType), DS_F(IdCloneRef),
                 DS_F(stiffnessType), DS_F(stiffness), DS_F(frictionCoeff), DS_F(pitchError),
                 DS_F(CAcenterDistanceTol), DS_F(CAcenterDistance), DS_F(planetPitchError), DS_F(numberOfPlanets))

// itemType stays out of the list on purpose.
DS_DEFINE_RECORD(ForceTransfer, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(element1), DS_F(element2),
                 DS_F(IdElement1), DS_F(IdElement2), DS_F(IdCloneRef))

DS_DEFINE_RECORD(Powersplit, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(itemType), DS_F(IdCloneRef),
                 DS_F(IdShareRef), DS_F(percentage), DS_F(isGiven))

DS_DEFINE_RECORD(Powerloss, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(element1), DS_F(element2),
                 DS_F(pos), DS_F(posFlag), DS_F(width), DS_F(diameter), DS_F(diameterFromShaft), DS_F(sealLossMethod),
                 DS_F(meshingLossFromCA), DS_F(considerPowerLoss), DS_F(considerTorqueLoss), DS_F(efficiency),
                 DS_F(lossRatio), DS_F(spectrumEfficiency), DS_F(spectrumLossRatio), DS_F(considerEfficiency),
                 DS_F(IdCloneRef), DS_F(torque), DS_F(correctionFactor), DS_F(spectrumTorque), DS_F(IdElement),
                 DS_F(itemType), DS_F(torque1), DS_F(torque2), DS_F(driven1), DS_F(driven2), DS_F(referenceTorque1),
                 DS_F(spectrumTorque1), DS_F(referenceTorque2), DS_F(spectrumTorque2), DS_F(referenceDriven1),
                 DS_F(spectrumDriven1), DS_F(referenceDriven2), DS_F(spectrumDriven2), DS_F(loadSpectrum1),
                 DS_F(loadSpectrum2), DS_F(power), DS_F(numberOfPlanets), DS_F(isPlanet), DS_F(color), DS_F(opacity),
                 DS_F(spectrumPower))
