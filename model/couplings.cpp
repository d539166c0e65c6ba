#include "drivesys/model/couplings.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(Coupling, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(width), DS_F(da), DS_F(di),
                 DS_F(pos), DS_F(posFlag), DS_F(isDriven), DS_F(torque), DS_F(isTorqueInput),
                 DS_F(isShaftHubConnection), DS_F(orientation), DS_F(speed), DS_F(relSpeed), DS_F(forceX),
                 DS_F(forceY), DS_F(forceZ), DS_F(momentX), DS_F(momentZ), DS_F(referenceForceX),
                 DS_F(referenceForceY), DS_F(referenceForceZ), DS_F(referenceMomentX), DS_F(referenceMomentZ),
                 DS_F(isInForceTransfer), DS_F(spectrumForceX), DS_F(spectrumForceY), DS_F(spectrumForceZ),
                 DS_F(spectrumMomentX), DS_F(spectrumMomentZ), DS_F(numberOfPlanets), DS_F(dotId), DS_F(IdCloneRef),
                 DS_F(referenceTorque), DS_F(spectrumTorque), DS_F(referenceDriven), DS_F(spectrumDriven),
                 DS_F(loadSpectrum), DS_F(isPlanet), DS_F(color), DS_F(opacity), DS_F(itemType))

DS_DEFINE_RECORD(Carrier, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(width), DS_F(da), DS_F(di), DS_F(pos),
                 DS_F(posFlag), DS_F(isDriven), DS_F(forceX), DS_F(forceY), DS_F(forceZ), DS_F(momentX),
                 DS_F(momentZ), DS_F(referenceForceX), DS_F(referenceForceY), DS_F(referenceForceZ),
                 DS_F(referenceMomentX), DS_F(referenceMomentZ), DS_F(spectrumForceX), DS_F(spectrumForceY),
                 DS_F(spectrumForceZ), DS_F(spectrumMomentX), DS_F(spectrumMomentZ), DS_F(isInForceTransfer),
                 DS_F(torque), DS_F(isTorqueInput), DS_F(updatePlanetCopies), DS_F(orientation), DS_F(speed),
                 DS_F(relSpeed), DS_F(numberOfPlanets), DS_F(oldNumberOfPlanets), DS_F(dotId), DS_F(IdCloneRef),
                 DS_F(referenceTorque), DS_F(spectrumTorque), DS_F(referenceDriven), DS_F(spectrumDriven),
                 DS_F(loadSpectrum), DS_F(color), DS_F(opacity), DS_F(itemType))

DS_DEFINE_RECORD(Synchro, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(fixation), DS_F(isSwitching),
                 DS_F(isShaftHubConnection), DS_F(isInPlanetGroup), DS_F(isPowerFlowing), DS_F(currentStatus),
                 DS_F(switchStates), DS_F(isWithStiffness), DS_F(isWithClearance), DS_F(stiffness),
                 DS_F(counterclockwiseClearance), DS_F(clockwiseClearance), DS_F(loadSpectrum), DS_F(width), DS_F(da),
                 DS_F(di), DS_F(posInner), DS_F(posOuter), DS_F(posGroup), DS_F(posFlag), DS_F(isConnecting),
                 DS_F(isThrustConeBearing), DS_F(referenceGear), DS_F(referenceMesh), DS_F(isReferenceGearUsed),
                 DS_F(radiusToContact), DS_F(isRadiusToContactUsed), DS_F(positionOfContact), DS_F(IdElementInner),
                 DS_F(IdElementOuter), DS_F(speed), DS_F(itemType), DS_F(dotId), DS_F(IdCloneRef), DS_F(statusUx),
                 DS_F(statusUy), DS_F(statusUz), DS_F(statusRx), DS_F(statusRz), DS_F(color), DS_F(opacity),
                 DS_F(dotId2))
